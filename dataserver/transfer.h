#pragma once
// The transfer: writes the stored proposal into the engine's fixed-layout input file, one line
// per field, in the order and widths that the transfer definition ("Exports.BIN") prescribes.
// The definition is read into a tree of objects (repeated groups) and fields, walked once and
// destroyed.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "dataserver/binarystream.h"
#include "dataserver/dictionary.h"
#include "dataserver/pathentry.h"
#include "dataserver/status.h"

class TDurableFile;
class TTransferObject;

// Collects the written lines and hands them to the file in blocks.
class TTransferOutput {
 public:
  explicit TTransferOutput(TDurableFile& file) : file_(file) {}
  void Write(const std::string& text);
  // Writes what is left; false when any write failed.
  bool Finish();

 private:
  TDurableFile& file_;
  std::string pending_;
  bool failed_ = false;
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

  // Writes this record for every occurrence it covers; the dump form when dump is set.
  virtual void WriteTo(bool dump, TTransferOutput& out) = 0;

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
  void WriteTo(bool dump, TTransferOutput& out) override;

  // The field's text before padding: the value formatted by its type and format kind, the
  // occurrence number, or the literal text.
  std::string GetDataAsProperty();

 private:
  std::string FieldText();
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
  void WriteTo(bool dump, TTransferOutput& out) override;

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

// One run: reads the definition and writes the root into outFile (the dump form when dump is
// set). 0; 240 when the definition cannot be opened or the output cannot be created; 1020 when
// the definition is damaged (nothing written) or writing fails part-way. The output replaces
// the old file only when written whole (durablefile.h).
DsvStatus RunTransfer(TDictionary& dictionary, const std::string& definitionFile,
                      const std::string& outFile, bool dump);

// The dump file beside an output file: the same name with the extension ".out".
std::string TransferDumpFileName(const std::string& outFile);

// The export: the dump beside the output (its status discarded), then the output itself, whose
// status is the result.
DsvStatus ExportTransfer(TDictionary& dictionary, const std::string& definitionFile,
                         const std::string& outFile);
