#pragma once
// Readable dumps of "Struct.BIN" and "Lists.BIN", and the dictionary written back as a source in
// the dictionary compiler's JSON form (so that compiling the dump gives the same files again).

#include <ostream>
#include <string>

#include "tools/dictc/jsonsupport.h"
#include "tools/dsvdump/dictionaryfiles.h"

void DumpStructFile(const std::string& fileName, std::ostream& out);
void DumpListsFile(const std::string& fileName, std::ostream& out);

// Lists are named after the first property (in file order) that uses them; dependent entries
// carry their controlling code in a field "by_<controlling property>". Raises
// std::runtime_error when a dependency cannot be written that way.
TJson DictionaryToJson(const TDictionaryView& dictionary);
