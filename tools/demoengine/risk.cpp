#include "tools/demoengine/risk.h"

#include <cctype>
#include <cstdlib>

#include "motor/identifiers.h"

namespace {

int Int(const TFieldValue& v, int missing = 0) {
  return v.Given ? static_cast<int>(v.Number) : missing;
}

// A fixed column range of the model description (positions from 1), trimmed.
std::string Columns(const std::string& text, std::size_t from, std::size_t to) {
  if (text.size() < from)
    return {};
  std::string part = text.substr(from - 1, to - from + 1);
  std::size_t start = part.find_first_not_of(' ');
  std::size_t end = part.find_last_not_of(' ');
  return start == std::string::npos ? std::string() : part.substr(start, end - start + 1);
}

TDriverRisk BuildDriver(const TInputRecord& d) {
  TDriverRisk driver;
  driver.Number = Int(d.Field("driver number"));
  driver.Relationship = Int(d.Field("relationship"));
  driver.Age = Int(d.Field("age"), -1);
  driver.Sex = Int(d.Field("sex"));
  driver.MaritalStatus = Int(d.Field("marital status"));
  driver.LicenceType = Int(d.Field("licence type"));
  driver.LicenceMonths = Int(d.Field("licence months"), -1);
  driver.ResidencyMonths = Int(d.Field("residency months"), -1);
  driver.OtherVehicleBonusYears = Int(d.Field("other vehicle claim-free years"));
  driver.CompanyCarBonusYears = Int(d.Field("company car claim-free years"));
  const auto& occupations = d.Occurrences("occupation");
  driver.Occupation = Int(occupations[0].Field("occupation"));
  driver.Business = Int(occupations[0].Field("employer's business"));
  driver.EmploymentStatus = Int(occupations[0].Field("employment status"));
  for (const auto& m : d.Occurrences("medical condition"))
    if (Int(m.Field("condition")) > 0)
      driver.Medical.push_back({Int(m.Field("condition")), Int(m.Field("requirements met"))});
  const auto& qualification = d.Occurrences("qualification")[0];
  driver.AdvancedDriving = Int(qualification.Field("advanced driving"));
  driver.PassPlus = Int(qualification.Field("pass plus")) == Code::Yes;
  for (const auto& incident : d.Occurrences("incident")) {
    const auto& c = incident.Occurrences("claim")[0];
    // An incident that holds only a conviction still carries a numbered claim without a type.
    if (Int(c.Field("claim type")) > 0)
      driver.Claims.push_back({Int(c.Field("claim type")), Int(c.Field("claim months ago"), -1),
                               c.Field("claim cost").Number,
                               Int(c.Field("claim at fault")) == Code::AtFault,
                               Int(c.Field("claim injury")) == Code::Yes});
    const auto& v = incident.Occurrences("conviction")[0];
    if (!v.Field("conviction code").Text.empty()) {
      TConvictionRisk conviction;
      conviction.Code = v.Field("conviction code").Text;
      for (auto& ch : conviction.Code)
        ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
      conviction.MonthsAgo = Int(v.Field("conviction months ago"), -1);
      conviction.Points = Int(v.Field("conviction points"));
      conviction.Fine = v.Field("conviction fine").Number;
      conviction.MonthsBanned = Int(v.Field("conviction months banned"));
      driver.Convictions.push_back(conviction);
    }
  }
  return driver;
}

}  // namespace

std::string PostcodeArea(const std::string& postcode) {
  std::string area;
  for (char c : postcode) {
    if (c == ' ' && area.empty())
      continue;
    if (!std::isalpha(static_cast<unsigned char>(c)))
      break;
    area += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  return area.size() <= 2 ? area : std::string();
}

const TDriverRisk& TRisk::Rated() const {
  for (const auto& d : Drivers)
    if (d.Number == MainDriver)
      return d;
  return Drivers.front();
}

TRisk BuildRisk(const TInputRecord& input) {
  TRisk risk;
  risk.Cover = Int(input.Field("cover"));
  if (risk.Cover < 1 || risk.Cover > 3)
    throw EInputError("QuoForm1.001: cover type " + std::to_string(risk.Cover) +
                      " is not 1, 2 or 3");
  risk.Restriction = Int(input.Field("driving restriction"));
  risk.AnyDriverYoungestAge = Int(input.Field("youngest driver age"), 17);
  risk.VoluntaryExcess = input.Field("voluntary excess").Number;
  risk.PostcodeArea = PostcodeArea(input.Field("vehicle postcode").Text);
  if (risk.PostcodeArea.empty())
    risk.PostcodeArea = PostcodeArea(input.Field("proposer postcode").Text);
  risk.VehicleAge = Int(input.Field("vehicle age"), -1);
  risk.VehicleYear = Int(input.Field("vehicle year"));
  risk.MakeName = input.Field("make name").Text;
  risk.ModelDescription = input.Field("model description").Text;
  risk.EngineCc = std::atoi(Columns(risk.ModelDescription, 23, 26).c_str());
  risk.Body = Columns(risk.ModelDescription, 12, 14);
  risk.ValueGiven = input.Field("vehicle value").Given;
  risk.Value = input.Field("vehicle value").Number;
  risk.PrivateMileage = input.Field("private mileage").Number;
  risk.BusinessMileage = input.Field("business mileage").Number;
  risk.LeftHandDrive = Int(input.Field("left-hand drive")) == Code::Yes;
  risk.OvernightLocation = Int(input.Field("overnight location"));
  risk.Use = Int(input.Field("use"), 1);
  risk.Goods = Int(input.Field("goods")) == Code::Yes;
  risk.MainDriver = Int(input.Field("main driver"), 1);
  risk.BonusYears = Int(input.Field("bonus years"));
  risk.BonusProtectionWanted = Int(input.Field("bonus protection wanted")) == Code::Yes;
  risk.BonusCountry = Int(input.Field("bonus country"));
  risk.BonusVehicleType = Int(input.Field("bonus vehicle type"));
  for (const auto& m : input.Occurrences("modification")) {
    int code = Int(m.Field("modification"));
    if (code <= 0)
      continue;
    if (Int(m.Field("for medical reason")) == Code::MedicalReasonYes)
      risk.MedicalModifications.push_back(code);
    else
      risk.Modifications.push_back(code);
  }
  for (const auto& s : input.Occurrences("security device")) {
    if (Int(s.Field("device")) <= 0)
      continue;
    risk.SecurityDevices.push_back(Int(s.Field("device")));
    risk.SecurityCategories.push_back(Int(s.Field("device category")));
  }
  for (const auto& d : input.Occurrences("driver"))
    if (Int(d.Field("driver number")) > 0)
      risk.Drivers.push_back(BuildDriver(d));
  if (risk.Drivers.empty() || risk.Drivers.front().Number != 1)
    throw EInputError("QuoForm1.001: the proposer (driver 1) is missing");
  return risk;
}
