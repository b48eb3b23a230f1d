#include "tools/demoengine/inputlayout.h"

#include <cmath>
#include <cstdlib>

#include "motor/identifiers.h"

namespace {

using K = TFieldKind;

TLayoutNode BuildLayout() {
  TLayoutNode claim{"claim",
                    1,
                    {{"claim type", 2, K::Code, Id::ClaimType, 0},
                     {"claim months ago", 4, K::Number, Id::ClaimDate, 4},
                     {"claim cost", 7, K::Number, Id::ClaimCost, 0},
                     {"claim at fault", 1, K::Code, Id::ClaimAtFault, 0},
                     {"claim injury", 1, K::Code, Id::ClaimInjury, 0}},
                    {}};
  TLayoutNode conviction{"conviction",
                         1,
                         {{"conviction code", 4, K::Text, Id::ConvictionCode, 2},
                          {"conviction months ago", 4, K::Number, Id::ConvictionDate, 4},
                          {"conviction points", 2, K::Number, Id::PenaltyPoints, 0},
                          {"conviction fine", 5, K::Number, Id::ConvictionFine, 0},
                          {"conviction months banned", 3, K::Number, Id::MonthsBanned, 0}},
                         {}};
  TLayoutNode incident{"incident", 10, {}, {claim, conviction}};
  TLayoutNode occupation{"occupation",
                         2,
                         {{"occupation kind", 1, K::Code, Id::OccupationKind, 0},
                          {"occupation", 4, K::Code, Id::Occupation, 0},
                          {"employer's business", 4, K::Code, Id::EmployersBusiness, 0},
                          {"employment status", 1, K::Code, Id::EmploymentStatus, 0}},
                         {}};
  TLayoutNode medical{"medical condition",
                      3,
                      {{"condition", 2, K::Code, Id::MedicalCondition, 0},
                       {"requirements met", 1, K::Code, Id::DvlaRequirementsMet, 0}},
                      {}};
  TLayoutNode qualification{"qualification",
                            1,
                            {{"advanced driving", 1, K::Code, Id::AdvancedDriving, 0},
                             {"pass plus", 1, K::Code, Id::PassPlus, 0}},
                            {}};
  TLayoutNode driver{
      "driver",
      6,
      {{"driver number", 1, K::Code, 0, 0},
       {"relationship", 2, K::Code, Id::Relationship, 0},
       {"age", 3, K::Number, Id::DateOfBirth, 3},
       {"date of birth", 10, K::Date, Id::DateOfBirth, 0},
       {"sex", 1, K::Code, Id::Sex, 0},
       {"marital status", 1, K::Code, Id::MaritalStatus, 0},
       {"licence type", 1, K::Code, Id::LicenceType, 0},
       {"licence months", 4, K::Number, Id::LicenceStartDate, 4},
       {"motoring organisation", 2, K::Code, Id::MotoringOrganisation, 0},
       {"other vehicles driven", 2, K::Number, Id::OtherVehiclesDriven, 0},
       {"other vehicle owned", 1, K::Code, Id::OtherVehicleOwned, 0},
       {"other vehicle claim-free years", 2, K::Number, Id::OtherVehicleClaimFreeYears, 0},
       {"company car claim-free years", 2, K::Number, Id::CompanyCarClaimFreeYears, 0},
       {"company car use", 1, K::Code, Id::CompanyCarUse, 0},
       {"residency months", 4, K::Number, Id::ResidencyStartDate, 4},
       {"main or frequent", 1, K::Code, Id::MainOrFrequentDriver, 0},
       {"claims answer", 1, K::Code, Id::HasClaims, 0},
       {"convictions answer", 1, K::Code, Id::HasConvictions, 0},
       {"medical answer", 1, K::Code, Id::HasMedicalConditions, 0},
       {"qualifications answer", 1, K::Code, Id::HasQualifications, 0}},
      {occupation, medical, qualification, incident}};
  TLayoutNode modification{"modification",
                           5,
                           {{"modification", 3, K::Code, Id::ModificationType, 0},
                            {"for medical reason", 1, K::Code, Id::ModifiedForMedicalReason, 0}},
                           {}};
  TLayoutNode security{"security device",
                       5,
                       {{"device", 4, K::Code, Id::SecurityDevice, 0},
                        {"fitted by manufacturer", 1, K::Code, Id::FittedByManufacturer, 0},
                        {"device category", 2, K::Code, Id::SecurityDeviceCategory, 0}},
                       {}};
  return TLayoutNode{"input",
                     1,
                     {{"format tag", 7, K::Tag, 0, 0},
                      {"cover", 1, K::Code, Id::CoverType, 0},
                      {"cover start", 10, K::Date, Id::CoverStartDate, 0},
                      {"driving restriction", 1, K::Code, Id::DrivingRestriction, 0},
                      {"youngest driver age", 3, K::Number, Id::YoungestDriverAge, 0},
                      {"voluntary excess", 5, K::Number, Id::VoluntaryExcess, 0},
                      {"sex of drivers", 1, K::Code, Id::SexOfDrivers, 0},
                      {"policy end", 10, K::Date, Id::PolicyEndDate, 0},
                      {"proposer postcode", 8, K::Text, Id::ProposerPostcode, 0},
                      {"cars in family", 2, K::Number, Id::CarsInFamily, 0},
                      {"vehicle age", 3, K::Number, Id::VehicleYear, 3},
                      {"vehicle year", 4, K::Number, Id::VehicleYear, 2},
                      {"make", 4, K::Code, Id::VehicleMake, 0},
                      {"make name", 20, K::Text, Id::VehicleMake, 1},
                      {"model", 6, K::Code, Id::VehicleModel, 0},
                      {"model description", 55, K::Text, Id::VehicleModel, 1},
                      {"seats", 2, K::Number, Id::Seats, 0},
                      {"vehicle value", 7, K::Number, Id::VehicleValue, 0},
                      {"private mileage", 6, K::Number, Id::PrivateMileage, 0},
                      {"business mileage", 6, K::Number, Id::BusinessMileage, 0},
                      {"left-hand drive", 1, K::Code, Id::LeftHandDrive, 0},
                      {"overnight location", 2, K::Code, Id::OvernightLocation, 0},
                      {"vehicle postcode", 8, K::Text, Id::VehiclePostcode, 0},
                      {"use", 1, K::Code, Id::VehicleUse, 0},
                      {"goods", 1, K::Code, Id::CarriesGoods, 0},
                      {"leased", 1, K::Code, Id::Leased, 0},
                      {"registered keeper", 1, K::Code, Id::RegisteredKeeper, 0},
                      {"registered owner", 1, K::Code, Id::RegisteredOwner, 0},
                      {"main driver", 1, K::Code, Id::MainDriver, 0},
                      {"registration", 10, K::Text, Id::RegistrationNumber, 0},
                      {"bonus years", 2, K::Number, Id::BonusYears, 0},
                      {"bonus protected", 1, K::Code, Id::BonusProtected, 0},
                      {"bonus protection wanted", 1, K::Code, Id::BonusProtectionWanted, 0},
                      {"bonus country", 2, K::Code, Id::BonusCountry, 0},
                      {"bonus vehicle type", 1, K::Code, Id::BonusVehicleType, 0},
                      {"bonus expiry", 10, K::Date, Id::BonusPolicyExpiry, 0}},
                     {modification, security, driver}};
}

std::string TrimRight(const std::string& s) {
  std::size_t end = s.find_last_not_of(' ');
  return end == std::string::npos ? std::string() : s.substr(0, end + 1);
}

std::string Trim(const std::string& s) {
  std::string right = TrimRight(s);
  std::size_t start = right.find_first_not_of(' ');
  return start == std::string::npos ? std::string() : right.substr(start);
}

bool IsDate(const std::string& t) {
  if (t.size() != 10 || t[2] != '/' || t[5] != '/')
    return false;
  for (std::size_t i : {0, 1, 3, 4, 6, 7, 8, 9})
    if (t[i] < '0' || t[i] > '9')
      return false;
  int day = std::atoi(t.substr(0, 2).c_str()), month = std::atoi(t.substr(3, 2).c_str());
  return day >= 1 && day <= 31 && month >= 1 && month <= 12;
}

class TInputParser {
 public:
  explicit TInputParser(const std::string& text) { Split(text); }

  TInputRecord Parse(const TLayoutNode& root) {
    TInputRecord record = ReadNode(root, "");
    if (next_ != lines_.size())
      throw EInputError("QuoForm1.001 has " + std::to_string(lines_.size()) +
                        " lines; the layout has " + std::to_string(next_));
    return record;
  }

 private:
  void Split(const std::string& text) {
    std::size_t start = 0;
    while (start < text.size()) {
      std::size_t end = text.find('\n', start);
      std::string line = text.substr(start, end == std::string::npos ? end : end - start);
      if (!line.empty() && line.back() == '\r')
        line.pop_back();
      lines_.push_back(line);
      if (end == std::string::npos)
        break;
      start = end + 1;
    }
  }

  TInputRecord ReadNode(const TLayoutNode& node, const std::string& where) {
    TInputRecord record;
    for (const auto& field : node.Fields)
      record.Fields[field.Name] = ReadField(field, where);
    for (const auto& child : node.Children) {
      auto& occurrences = record.Children[child.Name];
      for (int i = 1; i <= child.Repeat; ++i)
        occurrences.push_back(ReadNode(child, where + child.Name + " " + std::to_string(i) + ", "));
    }
    return record;
  }

  TFieldValue ReadField(const TFieldSpec& field, const std::string& where) {
    std::size_t lineNumber = next_ + 1;
    auto fail = [&](const std::string& fault) {
      throw EInputError("QuoForm1.001 line " + std::to_string(lineNumber) + " (" + where +
                        field.Name + "): " + fault);
    };
    if (next_ >= lines_.size())
      fail("the file ends early");
    const std::string& line = lines_[next_++];
    if (static_cast<int>(line.size()) != field.Width)
      fail("the line is " + std::to_string(line.size()) + " characters wide, not " +
           std::to_string(field.Width));
    TFieldValue value;
    value.Text = field.Kind == TFieldKind::Text ? TrimRight(line) : Trim(line);
    switch (field.Kind) {
      case TFieldKind::Tag:
        if (value.Text != kInputTag)
          fail("expected the format tag " + std::string(kInputTag) + ", found \"" + value.Text +
               "\"");
        break;
      case TFieldKind::Code:
      case TFieldKind::Number: {
        if (value.Text.empty()) {
          if (field.Kind == TFieldKind::Code)
            value.Given = true;
          break;
        }
        // Plain decimal or scientific notation only: no hexadecimal, "inf" or "nan".
        if (value.Text.find_first_not_of("0123456789.-+Ee") != std::string::npos)
          fail("expected a number, found \"" + value.Text + "\"");
        char* end = nullptr;
        value.Number = std::strtod(value.Text.c_str(), &end);
        bool whole = std::fabs(value.Number) < 2147483648.0 &&
                     value.Number == static_cast<double>(static_cast<long long>(value.Number));
        if (end == value.Text.c_str() || *end != '\0' || (field.Kind == TFieldKind::Code && !whole))
          fail("expected a number, found \"" + value.Text + "\"");
        value.Given = true;
        break;
      }
      case TFieldKind::Date:
        if (!value.Text.empty() && !IsDate(value.Text))
          fail("expected a date dd/mm/yyyy, found \"" + value.Text + "\"");
        value.Given = !value.Text.empty();
        break;
      case TFieldKind::Text:
        value.Given = !value.Text.empty();
        break;
    }
    return value;
  }

  std::vector<std::string> lines_;
  std::size_t next_ = 0;
};

}  // namespace

const TLayoutNode& EngineInputLayout() {
  static const TLayoutNode layout = BuildLayout();
  return layout;
}

const TFieldValue& TInputRecord::Field(const std::string& name) const {
  auto it = Fields.find(name);
  if (it == Fields.end())
    throw std::logic_error("no input field \"" + name + "\"");
  return it->second;
}

const std::vector<TInputRecord>& TInputRecord::Occurrences(const std::string& child) const {
  auto it = Children.find(child);
  if (it == Children.end())
    throw std::logic_error("no input object \"" + child + "\"");
  return it->second;
}

TInputRecord ParseEngineInput(const std::string& text) {
  return TInputParser(text).Parse(EngineInputLayout());
}

std::int64_t LayoutLineCount(const TLayoutNode& node) {
  std::int64_t lines = static_cast<std::int64_t>(node.Fields.size());
  for (const auto& child : node.Children)
    lines += child.Repeat * LayoutLineCount(child);
  return lines;
}
