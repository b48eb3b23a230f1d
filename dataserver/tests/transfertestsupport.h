#pragma once
// Builders of transfer definitions and a fixture that runs the export over them.

#include <string>
#include <vector>

#include "dataserver/tests/testdictionary.h"

namespace dsvtest {

inline TExportRecord Field(std::int32_t id, std::int32_t width, std::int32_t format = 0,
                           const std::string& literal = "") {
  return TExportRecord{2, 0, id, false, width, literal, format, 1, 1, 0, {}};
}

inline TExportRecord Literal(const std::string& text, std::int32_t width) {
  return TExportRecord{1, 0, 0, false, width, text, 0, 1, 1, 0, {}};
}

inline TExportRecord OccurrenceNumber(std::uint8_t level, std::int32_t width,
                                      const std::string& literal = "") {
  return TExportRecord{0, level, 0, false, width, literal, 0, 1, 1, 0, {}};
}

inline TExportRecord Object(std::int32_t id, std::int32_t from, std::int32_t to, std::int32_t group,
                            std::vector<TExportRecord> children) {
  return TExportRecord{0, 0, id, true, 0, "", 0, from, to, group, std::move(children)};
}

class TransferFixture : public DsvTest {
 protected:
  // Writes the definition (root group 100) and exports it; the export's status. The engine
  // input lands in output_, the dump in dump_.
  DsvStatus Export(const std::vector<TExportRecord>& records);
  DsvStatus ExportBytes(const std::vector<std::uint8_t>& definition);
  // The engine input of a definition holding one field under the root.
  std::string OneField(const TExportRecord& field);

  std::string DefinitionFile() const { return folder_.File("Exports.BIN"); }
  std::string OutputFile() const { return folder_.File("QuoForm1.001"); }
  std::string DumpFile() const { return folder_.File("QuoForm1.out"); }

  std::string output_;
  std::string dump_;
};

}  // namespace dsvtest
