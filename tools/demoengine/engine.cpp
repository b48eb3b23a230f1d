#include "tools/demoengine/engine.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "dataserver/binarystream.h"
#include "tools/demoengine/inputlayout.h"
#include "tools/demoengine/panel.h"
#include "tools/demoengine/rating.h"
#include "tools/demoengine/resultswriter.h"

namespace {

namespace fs = std::filesystem;

bool ReadWhole(const fs::path& file, std::string& text) {
  std::ifstream in(file, std::ios::binary);
  if (!in)
    return false;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  text = buffer.str();
  return static_cast<bool>(in) || in.eof();
}

void WriteText(const fs::path& file, const std::string& text) {
  WriteFileAtomically(file.string(), std::vector<std::uint8_t>(text.begin(), text.end()));
}

void Explain(const std::vector<TQuote>& quotes, std::ostream& out) {
  for (const auto& q : quotes) {
    out << "plan " << q.Plan << ": ";
    if (q.PremiumPence == 0)
      out << (q.Notes.empty() ? "no price" : q.Notes.front().second) << "\n";
    else
      out << q.PremiumPence / 100 << "." << (q.PremiumPence % 100 < 10 ? "0" : "")
          << q.PremiumPence % 100 << " pounds\n";
    for (const auto& step : q.Explanation)
      out << "  " << step << "\n";
  }
}

}  // namespace

int RunEngine(const std::string& folder, std::ostream& err, std::ostream* explain) {
  const fs::path input = fs::path(folder) / "QuoForm1.001";
  const fs::path results = fs::path(folder) / "Formula1.001";
  std::string text;
  if (!ReadWhole(input, text)) {
    err << "QuoForm1.pif: cannot read " << input.string() << "\n";
    return kEngineFileError;
  }
  std::vector<TQuote> quotes;
  try {
    quotes = RatePanel(BuildRisk(ParseEngineInput(text)));
  } catch (const EInputError& e) {
    err << "QuoForm1.pif: " << e.what() << "\n";
    std::error_code ignored;
    fs::remove(results, ignored);
    return kEngineBadInput;
  }
  try {
    WriteText(results, ResultsFileText(quotes));
  } catch (const std::exception& e) {
    err << "QuoForm1.pif: cannot write " << results.string() << ": " << e.what() << "\n";
    return kEngineFileError;
  }
  if (explain != nullptr)
    Explain(quotes, *explain);
  return kEngineOk;
}

bool WriteReferenceFiles(const std::string& folder, std::ostream& err) {
  try {
    fs::create_directories(folder);
    WriteText(fs::path(folder) / "PlanName.Dat", PlanNameFileText());
    WriteText(fs::path(folder) / "Choice.Dat", ChoiceFileText());
  } catch (const std::exception& e) {
    err << "QuoForm1.pif: cannot write the reference files into " << folder << ": " << e.what()
        << "\n";
    return false;
  }
  return true;
}
