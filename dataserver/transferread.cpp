// Reading the transfer definition into its tree, and the export runs built on it.
#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "dataserver/status.h"
#include "dataserver/transfer.h"

namespace {

// Nesting beyond this is a damaged definition (and would exhaust the stack when written).
constexpr int kMaxNesting = 64;

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

struct TFileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
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
  return root;
}

namespace {

// An occurrence index is 16 bits: no object has more occurrences than this beneath any one
// occurrence of the objects above it.
constexpr std::int64_t kMaxOccurrences = 65536;

std::int64_t Iterations(const TTransferObject& object) {
  return object.To < object.From ? 0 : static_cast<std::int64_t>(object.To) - object.From + 1;
}

void CheckRanges(const TTransferObject& object, std::int64_t enclosing) {
  const std::int64_t own = Iterations(object);
  if (own > kMaxOccurrences || own * enclosing > kMaxOccurrences)
    throw EReadError("Transfer definition asks for more occurrences than the Data Server holds");
  for (const auto& child : object.fChildren)
    if (const auto* nested = dynamic_cast<const TTransferObject*>(child.get()))
      CheckRanges(*nested, own * enclosing);
}

// Removes the file when it is still there at the end of the scope.
class TTemporaryFile {
 public:
  // An empty name stands for no file.
  explicit TTemporaryFile(std::string name) : name_(std::move(name)) {}
  ~TTemporaryFile() {
    std::error_code ec;
    if (!name_.empty())
      std::filesystem::remove(name_, ec);
  }
  TTemporaryFile(const TTemporaryFile&) = delete;
  TTemporaryFile& operator=(const TTemporaryFile&) = delete;
  const std::string& Name() const { return name_; }
  void Keep() { name_.clear(); }

 private:
  std::string name_;
};

using TFileHandle = std::unique_ptr<std::FILE, TFileCloser>;

bool Close(TFileHandle& file) {
  return file && std::fclose(file.release()) == 0;
}

}  // namespace

void CheckOccurrenceRanges(const TTransferObject& root) {
  CheckRanges(root, 1);
}

std::string TransferDumpFileName(const std::string& outFile) {
  return std::filesystem::path(outFile).replace_extension(".out").string();
}

DsvStatus ExportTransfer(TDictionary& dictionary, const std::string& definitionFile,
                         const std::string& outFile) {
  TBinaryReader definition;
  if (!definition.Open(definitionFile))
    return dsv_status::kTransferFile;
  std::unique_ptr<TTransferObject> root;
  try {
    root = ReadTransferDefinition(definition, dictionary);
    CheckOccurrenceRanges(*root);
  } catch (const EReadError&) {
    return dsv_status::kInternalError;  // damaged definition: nothing written, no engine run
  }

  const std::string temporaryName = outFile + ".new";
  TFileHandle input(std::fopen(temporaryName.c_str(), "wb"));
  TTemporaryFile temporary(input ? temporaryName : std::string());
  TFileHandle dump(std::fopen(TransferDumpFileName(outFile).c_str(), "wb"));
  TTransferWriter out{TTransferOutput(input.get()), TTransferOutput(dump.get())};
  if (input || dump)
    root->WriteTo(out);
  out.Dump.Finish();
  Close(dump);  // the dump's fate does not change the status
  if (!input)
    return dsv_status::kTransferFile;
  const bool written = out.Input.Finish();
  if (!Close(input) || !written)
    return dsv_status::kInternalError;
  std::error_code ec;
  std::filesystem::rename(temporary.Name(), outFile, ec);
  if (ec)
    return dsv_status::kTransferFile;
  temporary.Keep();
  return dsv_status::kOk;
}
