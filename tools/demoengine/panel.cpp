#include "tools/demoengine/panel.h"

#include <map>

namespace {

const char* const kMainstreamDeclines = "DR DG DD BA IN UT TT AC";

const std::vector<TScheme> kPanel = {
    {.Plan = 11,
     .Insurer = "Harrowgate Mutual",
     .Variant = "Essential",
     .BaseComprehensive = 420,
     .BaseThirdPartyFireTheft = 380,
     .BaseThirdPartyOnly = 350,
     .MinAge = 21,
     .MaxAge = 80,
     .MaxValue = 75000,
     .MaxVehicleAge = 20,
     .DeclinedConvictions = kMainstreamDeclines,
     .CompulsoryExcess = 250},
    {.Plan = 12,
     .Insurer = "Harrowgate Mutual",
     .Variant = "Premier",
     .BaseComprehensive = 480,
     .BaseThirdPartyFireTheft = 440,
     .BaseThirdPartyOnly = 400,
     .MinAge = 21,
     .MaxAge = 80,
     .MaxValue = 75000,
     .MaxVehicleAge = 20,
     .DeclinedConvictions = kMainstreamDeclines,
     .CompulsoryExcess = 100,
     .Windscreen = true,
     .ProtectedBonusIncluded = true},
    {.Plan = 20,
     .Insurer = "Kestrel Insurance",
     .BaseComprehensive = 520,
     .BaseThirdPartyFireTheft = 470,
     .BaseThirdPartyOnly = 430,
     .MinAge = 17,
     .MaxAge = 85,
     .MaxValue = 60000,
     .MaxVehicleAge = 25,
     .DeclinesProvisional = false,
     .MaxAtFaultClaims = 3,
     .DeclinePoints = 15,
     .DeclinedConvictions = "DR DG DD BA",
     .RefersAnyMedical = true,
     .CompulsoryExcess = 150,
     .Windscreen = true,
     .YoungDriverScale = 1.1,
     .ConvictionScale = 1.1},
    {.Plan = 30,
     .Insurer = "Pennant Motor",
     .BaseComprehensive = 440,
     .BaseThirdPartyFireTheft = 400,
     .BaseThirdPartyOnly = 380,
     .MinAge = 25,
     .MaxAge = 75,
     .MaxValue = 100000,
     .DeclinesLeftHandDrive = true,
     .ReferPoints = 7,
     .DeclinedConvictions = kMainstreamDeclines,
     .CompulsoryExcess = 200,
     .Windscreen = true},
    {.Plan = 31,
     .Insurer = "Pennant Motor",
     .Variant = "Young Driver",
     .BaseComprehensive = 560,
     .BaseThirdPartyFireTheft = 520,
     .BaseThirdPartyOnly = 490,
     .MinAge = 17,
     .MaxAge = 24,
     .MaxValue = 20000,
     .MaxEngineCc = 1600,
     .DeclinesPerformanceMakes = true,
     .DeclinesModified = true,
     .DeclinesLeftHandDrive = true,
     .DeclinesProvisional = false,
     .MaxAtFaultClaims = 1,
     .ReferPoints = 6,
     .DeclinePoints = 9,
     .DeclinedConvictions = "DR DG DD BA IN UT TT AC CU",
     .CompulsoryExcess = 300,
     .Windscreen = true,
     .YoungDriverScale = 0.8,
     .ConvictionScale = 1.2},
    {.Plan = 40,
     .Insurer = "Blackwater Direct",
     .BaseComprehensive = 380,
     .BaseThirdPartyFireTheft = 350,
     .BaseThirdPartyOnly = 330,
     .MinAge = 25,
     .MaxAge = 80,
     .MaxValue = 50000,
     .DeclinesModified = true,
     .MaxAtFaultClaims = 1,
     .ReferPoints = 7,
     .DeclinePoints = 7,
     .DeclinedConvictions = "DR DG DD BA IN UT TT AC CU CD LC",
     .RefersBusinessUse = true,
     .CompulsoryExcess = 150},
    {.Plan = 50,
     .Insurer = "Thornbury General",
     .BaseComprehensive = 460,
     .BaseThirdPartyFireTheft = 420,
     .BaseThirdPartyOnly = 390,
     .MinAge = 21,
     .MaxAge = 80,
     .MaxValue = 80000,
     .DeclinedConvictions = "DR DG DD BA UT TT",
     .CompulsoryExcess = 200,
     .Windscreen = true},
    {.Plan = 51,
     .Insurer = "Thornbury General",
     .Variant = "Classic",
     .BaseComprehensive = 260,
     .BaseThirdPartyFireTheft = 230,
     .BaseThirdPartyOnly = 210,
     .MinAge = 25,
     .MaxAge = 85,
     .MaxValue = 100000,
     .MinVehicleAge = 20,
     .MaxMileage = 5000,
     .MaxAtFaultClaims = 0,
     .ReferPoints = 6,
     .DeclinePoints = 9,
     .DeclinedConvictions = kMainstreamDeclines,
     .CompulsoryExcess = 100},
    {.Plan = 60,
     .Insurer = "Corrie & Vale",
     .BaseComprehensive = 700,
     .BaseThirdPartyFireTheft = 620,
     .BaseThirdPartyOnly = 580,
     .MinAge = 19,
     .MaxAge = 80,
     .MaxValue = 40000,
     .DeclinesProvisional = false,
     .MaxAtFaultClaims = 3,
     .ReferPoints = 15,
     .DeclinePoints = 20,
     .DeclinedConvictions = "DD UT AC",
     .CompulsoryExcess = 350,
     .ConvictionScale = 0.6},
};

std::string Field(const std::string& text) {
  std::string field = text.substr(0, 20);
  field.resize(20, ' ');
  return field;
}

}  // namespace

const std::vector<TScheme>& DemoPanel() {
  return kPanel;
}

std::string PlanNameFileText() {
  std::map<int, std::map<int, std::string>> lines;  // insurer line -> variant -> name
  for (const auto& s : kPanel) {
    lines[s.Plan / 10][0] = s.Insurer;
    if (s.Plan % 10 > 0)
      lines[s.Plan / 10][s.Plan % 10] = s.Variant;
  }
  std::string text;
  for (int line = 1; line <= (lines.empty() ? 0 : lines.rbegin()->first); ++line) {
    std::string row;
    const auto& names = lines[line];
    int last = names.empty() ? 0 : names.rbegin()->first;
    for (int v = 0; v <= last; ++v) {
      auto it = names.find(v);
      row += Field(it == names.end() ? "" : it->second);
    }
    while (!row.empty() && row.back() == ' ')
      row.pop_back();
    text += row + "\r\n";
  }
  return text;
}

std::string ChoiceFileText() {
  return "QUILLMARSH DEMO QUOTE ENGINE CHOICES\r\n"
         "D=C ENGINE DRIVE (STAMPED BY THE PROGRAM BEFORE EACH QUOTATION)\r\n"
         "PANEL=ALL\r\n";
}
