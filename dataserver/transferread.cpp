// Reading the transfer definition into its tree, and the export runs built on it.
#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "dataserver/dsvexport.h"
#include "dataserver/durablefile.h"
#include "dataserver/status.h"
#include "dataserver/transfer.h"

namespace {

// Nesting beyond this is a damaged definition (and would exhaust the stack when written).
constexpr int kMaxNesting = 64;
// An occurrence index is 16 bits: no object, nor any object within the occurrences of those
// around it, has more occurrences than that to write.
constexpr std::int64_t kMaxOccurrences = 65536;
// The lines of one input file, all occurrences of all fields counted: far beyond any real
// definition, and a bound on the file a damaged one can make (at most 255 bytes a line, 64 MB).
constexpr std::int64_t kMaxLines = 1 << 18;

std::int64_t OccurrenceCount(const TTransfer& record) {
  return record.To < record.From
             ? 0
             : static_cast<std::int64_t>(record.To) - static_cast<std::int64_t>(record.From) + 1;
}

// Counts the lines the object writes, each of its occurrences repeated `enclosing` times.
// Raises EReadError for a definition that asks for more than the Data Server can hold.
std::int64_t CountLines(const TTransferObject& object, std::int64_t enclosing) {
  const std::int64_t occurrences = enclosing * OccurrenceCount(object);
  if (occurrences > kMaxOccurrences)
    throw EReadError("Transfer definition repeats an object beyond its occurrences");
  std::int64_t lines = 0;
  for (const auto& child : object.fChildren) {
    if (auto* nested = dynamic_cast<const TTransferObject*>(child.get()))
      lines += CountLines(*nested, occurrences);
    else
      lines += occurrences;
    if (lines > kMaxLines)
      throw EReadError("Transfer definition writes beyond any input file");
  }
  return lines;
}

class TDefinitionReader {
 public:
  TDefinitionReader(TBinaryReader& in, TDictionary& dictionary)
      : in_(in), dictionary_(dictionary) {}

  // Reads the records that belong to the object (their group identifier equals the object's),
  // nested objects collecting their own children first. Answers the group identifier of the
  // first record that belongs elsewhere, or none at the end of the definition.
  std::optional<std::int32_t> Collect(TTransferObject& object, std::optional<std::int32_t> group,
                                      int depth) {
    if (depth > kMaxNesting)
      throw EReadError("Transfer definition nested too deeply");
    while (group && *group == object.GroupId) {
      std::unique_ptr<TTransfer> child = ReadRecord();
      child->fParent = &object;
      TTransfer& record = *child;
      object.fChildren.push_back(std::move(child));
      group = NextGroup();
      if (auto* nested = dynamic_cast<TTransferObject*>(&record)) {
        nested->GroupId = group.value_or(0);
        group = Collect(*nested, group, depth + 1);
      }
    }
    return group;
  }

  // The definition ends after a record when fewer than 2 bytes remain.
  std::optional<std::int32_t> NextGroup() {
    if (in_.Remaining() < 2)
      return std::nullopt;
    return in_.ReadInt32();
  }

 private:
  std::unique_ptr<TTransfer> ReadRecord() {
    const std::uint8_t source = in_.ReadUInt8();
    const std::uint8_t level = in_.ReadUInt8();
    const std::int32_t id = in_.ReadInt32();
    const bool isObject = in_.ReadUInt8() != 0;
    std::unique_ptr<TTransfer> record;
    if (isObject)
      record = std::make_unique<TTransferObject>(dictionary_);
    else
      record = std::make_unique<TTransferProperty>(dictionary_);
    record->SourceKind = source;
    record->Level = level;
    record->PropertyId = id;
    record->fProperty = dictionary_.Find(id);
    record->Width = in_.ReadInt32();
    record->Literal = in_.ReadShortString();
    record->FormatKind = in_.ReadInt32();
    record->From = in_.ReadInt32();
    // A negative end counts as its absolute value (in 64 bits: the smallest int32 has none).
    const std::int64_t to = std::llabs(static_cast<std::int64_t>(in_.ReadInt32()));
    record->To = static_cast<std::int32_t>(std::min<std::int64_t>(to, INT32_MAX));
    return record;
  }

  TBinaryReader& in_;
  TDictionary& dictionary_;
};

}  // namespace

std::unique_ptr<TTransferObject> ReadTransferDefinition(TBinaryReader& in,
                                                        TDictionary& dictionary) {
  in.ReadInt32();  // header value, not used
  auto root = std::make_unique<TTransferObject>(dictionary);
  root->IsRoot = true;
  root->GroupId = in.ReadInt32();
  TDefinitionReader reader(in, dictionary);
  // Records whose group belongs to no enclosing object end the definition.
  std::optional<std::int32_t> first;
  if (in.Remaining() >= 2)
    first = root->GroupId;
  reader.Collect(*root, first, 0);
  CountLines(*root, 1);
  return root;
}

std::string TransferDumpFileName(const std::string& outFile) {
  return std::filesystem::path(outFile).replace_extension(".out").string();
}

namespace {

TTransferRefusal& Refusal() {
  static TTransferRefusal refusal;
  return refusal;
}

}  // namespace

const TTransferRefusal& LastTransferRefusal() {
  return Refusal();
}

namespace {

// Reads the whole definition file; a damaged one gives kInternalError and no tree.
DsvStatus ReadDefinitionFile(TDictionary& dictionary, const std::string& definitionFile,
                             std::unique_ptr<TTransferObject>& root) {
  TBinaryReader definition;
  if (!definition.Open(definitionFile))
    return dsv_status::kTransferFile;
  try {
    root = ReadTransferDefinition(definition, dictionary);
  } catch (const EReadError&) {
    return dsv_status::kInternalError;
  }
  return dsv_status::kOk;
}

}  // namespace

DsvStatus ExportTransfer(TDictionary& dictionary, const std::string& definitionFile,
                         const std::string& outFile) {
  Refusal() = TTransferRefusal{};
  std::unique_ptr<TTransferObject> root;
  // A damaged definition: nothing written, no engine run.
  if (const DsvStatus status = ReadDefinitionFile(dictionary, definitionFile, root);
      status != dsv_status::kOk)
    return status;

  // The engine never sees a half-written input: each file appears whole or not at all.
  TDurableFile input;
  TDurableFile dump;
  const bool inputCreated = input.Create(outFile);
  const bool dumpCreated = dump.Create(TransferDumpFileName(outFile));
  TTransferWriter out{TTransferOutput(inputCreated ? &input : nullptr),
                      TTransferOutput(dumpCreated ? &dump : nullptr), TTransferRefusal{}};
  if (inputCreated || dumpCreated)
    root->WriteTo(out);
  if (out.Dump.Finish())
    dump.Commit();  // the dump's fate does not change the status
  if (!inputCreated)
    return dsv_status::kTransferFile;
  if (out.Refusal.Refused) {
    Refusal() = out.Refusal;
    return dsv_status::kValueDoesNotFit;  // the input is dropped uncommitted
  }
  return out.Input.Finish() && input.Commit() ? dsv_status::kOk : dsv_status::kInternalError;
}

namespace {

void NarrowestField(const TTransferObject& object, std::int32_t id, std::int32_t& width) {
  for (const auto& child : object.fChildren) {
    if (const auto* nested = dynamic_cast<const TTransferObject*>(child.get()))
      NarrowestField(*nested, id, width);
    else if (child->SourceKind == tsPropertyValue && child->PropertyId == id)
      width = width < 0 ? child->Width : std::min(width, child->Width);
  }
}

}  // namespace

DsvStatus ExportFieldWidth(TDictionary& dictionary, const std::string& definitionFile,
                           std::int32_t id, std::int32_t& width) {
  std::unique_ptr<TTransferObject> root;
  if (const DsvStatus status = ReadDefinitionFile(dictionary, definitionFile, root);
      status != dsv_status::kOk)
    return status;
  width = -1;
  NarrowestField(*root, id, width);
  return width < 0 ? dsv_status::kNoValue : dsv_status::kOk;
}
