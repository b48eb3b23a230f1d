#include "dataserver/tests/transfertestsupport.h"

namespace dsvtest {

DsvStatus TransferFixture::Export(const std::vector<TExportRecord>& records) {
  return ExportBytes(WriteExportsFile(0, 100, records));
}

DsvStatus TransferFixture::ExportBytes(const std::vector<std::uint8_t>& definition) {
  EXPECT_TRUE(WriteBytesToFile(DefinitionFile(), definition));
  DsvStatus status =
      DsvExport(kApp, kDictVersion, 0, 0, 0, DefinitionFile().c_str(), OutputFile().c_str());
  output_ = ReadFileText(OutputFile());
  dump_ = ReadFileText(DumpFile());
  return status;
}

std::string TransferFixture::OneField(const TExportRecord& field) {
  EXPECT_EQ(Export({field}), 0);
  return output_;
}

}  // namespace dsvtest
