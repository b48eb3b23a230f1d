#pragma once
// Shared by the fuzz targets: the scratch folder in which each input becomes the file that the
// reader under test opens, and the demo installation whose files stand beside it.

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzz {

// The process's own scratch folder, removed at exit. On /dev/shm when there is one: the readers
// are under test, not the disk.
const std::string& ScratchFolder();

// Writes the bytes into the scratch folder under the name (replacing the file); answers its path.
std::string WriteScratchFile(const std::string& name, const std::uint8_t* data, std::size_t size);
std::string WriteScratchFile(const std::string& name, const std::string& bytes);

// A file of the demo installation the fuzz build was configured with, such as
// "dictionary/Struct.BIN"; the target stops at once with a message when it is not there.
std::string DemoFile(const std::string& relative);

// The whole file; empty when it cannot be read.
std::string ReadWholeFile(const std::string& path);

// The version a dictionary's Struct.BIN carries in its first four bytes (application number x
// 65536 + dictionary version); 0 when the file cannot be read.
std::int32_t DictionaryVersion(const std::string& structFile);

// The demo dictionary's application number and version.
std::int16_t DemoApplicationNumber();
std::int16_t DemoDictionaryVersion();

// Opens the Data Server on the demo dictionary, stopping the target when that fails.
void OpenDemoDictionary();

}  // namespace fuzz
