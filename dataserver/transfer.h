#pragma once
// The transfer: writes the stored proposal into the engine's fixed-layout input file, one line
// per field, in the order and widths that the transfer definition ("Exports.BIN") prescribes.
// The definition is read into a tree of objects (repeated groups) and fields, walked once and
// destroyed.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dataserver/binarystream.h"
#include "dataserver/dictionary.h"
#include "dataserver/pathentry.h"
#include "dataserver/status.h"

class TDurableFile;
class TTransferObject;

// Collects the written lines of one file and hands them to it in blocks. Without a file
// (one that could not be created) the lines are dropped.
class TTransferOutput {
 public:
  explicit TTransferOutput(TDurableFile* file) : file_(file) {}
  bool IsOpen() const { return file_ != nullptr; }
  // Appends one line: prefix, the text cut or padded with spaces to width characters, suffix and
  // CR LF, the whole line cut at the engine's limit of 255 characters.
  void WriteLine(std::string_view prefix, std::string_view text, std::size_t width,
                 std::string_view suffix);
  // Writes what is left; false when any write failed.
  bool Finish();

 private:
  void Flush();

  TDurableFile* file_;
  std::string pending_;
  bool failed_ = false;
};

// The first stored value that did not fit its field: the engine would read a cut value (a
// value of 99,999,999,999 in a field of 7 reads as 9999999), so the input is refused instead.
struct TTransferRefusal {
  bool Refused = false;
  std::int32_t PropertyId = 0;
  std::int32_t Width = 0;
  std::string Text;  // the value as it would have been written, uncut
};

// The two files one walk of the definition writes: the engine input and its readable dump.
struct TTransferWriter {
  TTransferOutput Input;
  TTransferOutput Dump;
  TTransferRefusal Refusal;
};

enum TTransferSource : std::uint8_t {
  tsOccurrenceNumber = 0,
  tsLiteral = 1,
  tsPropertyValue = 2,
};

// One record of the definition: a field or an object.
class TTransfer {
 public:
  explicit TTransfer(TDictionary& dictionary) : dictionary_(&dictionary) {}
  virtual ~TTransfer() = default;
  TTransfer(const TTransfer&) = delete;
  TTransfer& operator=(const TTransfer&) = delete;

  // Writes this record for every occurrence it covers, into the input and the dump.
  virtual void WriteTo(TTransferWriter& out) = 0;

  TTransferObject* fParent = nullptr;
  std::int32_t Level = 0;  // occurrence-number fields: how many path levels to count back
  const TInstance* fInstance = nullptr;
  std::uint8_t SourceKind = tsLiteral;
  std::int32_t PropertyId = 0;
  TProperty* fProperty = nullptr;  // nullptr when the dictionary does not hold the identifier
  std::int32_t Width = 0;
  std::string Literal;  // the text of a literal field and of any missing value
  std::int32_t FormatKind = 0;
  std::int32_t From = 1;
  std::int32_t To = 1;

 protected:
  TDictionary& Dictionary() const { return *dictionary_; }

 private:
  TDictionary* dictionary_;
};

// Where the values of the current occurrence of an object lie: a query path, or nowhere (an
// iteration beyond the stored occurrences).
struct TTransferLocation {
  bool Exists = false;
  TInstancePath Path;
};

// The a-th (from 1) stored occurrence of an object property, counted over the occurrences that
// exist (unused index numbers are skipped); nowhere when a is out of range.
TTransferLocation NthOccurrence(const TProperty& objectProperty, std::int32_t a);

class TTransferProperty : public TTransfer {
 public:
  using TTransfer::TTransfer;
  void WriteTo(TTransferWriter& out) override;

  // The field's text before padding: the value formatted by its type and format kind, the
  // occurrence number, or the literal text.
  std::string GetDataAsProperty();

 private:
  std::string FieldText();
  bool valueFound_ = false;  // the last text came from a stored value or its default
  std::string OccurrenceNumberText() const;
  TTransferLocation CurrentLocation() const;
  // The field's value instance at the enclosing objects' current occurrences, or nullptr.
  const TInstance* LocateValue(const TProperty& property, const TTransferLocation& at) const;
  bool OccurrenceExists(const TTransferLocation& at) const;
  std::string FormatValue(const void* value) const;
  std::string FormatDate(PackedDate date) const;
  std::string FormatListEntry(std::int32_t code) const;
};

class TTransferObject : public TTransfer {
 public:
  using TTransfer::TTransfer;
  void WriteTo(TTransferWriter& out) override;

  bool IsTopLevel() const { return fParent != nullptr && fParent->IsRoot; }
  // For an object nested inside a top-level object: the path of its current occurrence, built
  // from the chain of enclosing objects below the root.
  TTransferLocation ChainLocation() const;

  std::int32_t CurrentOccurrence = 0;
  std::vector<std::unique_ptr<TTransfer>> fChildren;  // owned, in file order
  std::int32_t GroupId = 0;
  bool IsRoot = false;
};

// Reads a whole definition into a tree under a new root object. A damaged definition raises
// EReadError; so does one that repeats an object, counted across the objects around it, beyond
// the 65,536 occurrences an index can number, or writes beyond 262,144 lines in all.
std::unique_ptr<TTransferObject> ReadTransferDefinition(TBinaryReader& in, TDictionary& dictionary);

// The dump file beside an output file: the same name with the extension ".out".
std::string TransferDumpFileName(const std::string& outFile);

// The export: reads the definition once and writes the engine input and its dump beside it in
// one walk. The input is written under a temporary name and renamed over outFile only when
// complete, so a failed export never leaves a half-written input. 0; 240 when the definition
// cannot be opened or the input cannot be created (the dump is still written); 1020 when the
// definition is damaged (nothing is written) or writing the input fails part-way. Whether the
// dump could be written does not change the status.
DsvStatus ExportTransfer(TDictionary& dictionary, const std::string& definitionFile,
                         const std::string& outFile);
// The width of the narrowest field that writes the property's value in the engine input: 0;
// 1039 when no field writes it; 240 or 1020 when the definition cannot be read.
DsvStatus ExportFieldWidth(TDictionary& dictionary, const std::string& definitionFile,
                           std::int32_t id, std::int32_t& width);
// What the last export refused (Refused false when it refused nothing).
const TTransferRefusal& LastTransferRefusal();
