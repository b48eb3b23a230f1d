#include "motor/tests/motortestdictionary.h"

#include <QDir>

namespace testdict {

namespace {

std::string Fit(const std::string& text, std::size_t width) {
  std::string fitted = text.substr(0, width);
  fitted.resize(width, ' ');
  return fitted;
}

TDictProperty Value(std::int32_t id, std::uint8_t type, int list = -1) {
  TDictProperty property;
  property.Identifier = id;
  property.Type = type;
  property.List = list;
  return property;
}

TDictProperty WithDefault(TDictProperty property, const std::string& text) {
  property.HasDefault = true;
  property.DefaultText = text;
  return property;
}

TDictProperty Object(std::int32_t id, std::vector<TDictProperty> children) {
  TDictProperty property;
  property.Identifier = id;
  property.Type = 0;
  property.Children = std::move(children);
  return property;
}

TDictList Numbered(std::initializer_list<std::pair<std::int32_t, const char*>> entries) {
  TDictList list;
  for (const auto& [code, text] : entries)
    list.Entries.push_back({code, text, std::string("A") + std::to_string(code)});
  return list;
}

constexpr int kMakes = kMakesList;
constexpr int kModels = kModelsList;
constexpr int kYesNo = kYesNoList;
constexpr int kRestrictions = kRestrictionsList;
constexpr int kNumbers = kNumbersList;
constexpr int kClaimTypes = kClaimTypesList;

}  // namespace

TDictionarySource MotorDictionarySource(std::int16_t version) {
  TDictionarySource source;
  source.Version = kApplicationNumber * 65536 + version;

  source.Lists.resize(6);
  source.Lists[kMakes] = Numbered({{kFord, "FORD"}, {kVauxhall, "VAUXHALL"}, {kRover, "ROVER"}});
  source.Lists[kModels].Entries = {
      {101, ModelDescription("1989", "1995", 'L', 'P', 'M', "1100", "FIESTA"), "F1"},
      {102, ModelDescription("1998", "", 'G', 'D', 'A', "1800", "FOCUS ESTATE TURBO"), "F2"},
      {103, ModelDescription("", "", 'X', 'P', 'M', "1300", "PROTOTYPE"), "F3"},
      {201, ModelDescription("1991", "2000", 'S', 'P', 'A', "1600", "ASTRA"), "V1"},
  };
  source.Lists[kYesNo].Entries = {{1, "Yes", "Y"}, {2, "No", "N"}};
  source.Lists[kRestrictions] = Numbered({{1, "Insured only"},
                                          {2, "Insured and spouse"},
                                          {3, "Insured and one named"},
                                          {4, "Insured and two named"},
                                          {5, "Insured and three named"},
                                          {8, "Any driver"}});
  source.Lists[kNumbers] = Numbered({{1, "One"}, {2, "Two"}, {3, "Three"}, {4, "Four"}});
  source.Lists[kClaimTypes] = Numbered({{1, "Accident"}, {2, "Theft"}});

  source.Dependencies.push_back({kVehicleMake, kModels, {{0, 1, 2}, {3}, {}}});

  source.TopLevel = {
      Object(2, {Value(kAddressLine1, 2)}),
      Object(6, {Value(kVehicleMake, 4, kMakes), Value(kVehicleModel, 4, kModels),
                 Value(kVehicleValue, 1), WithDefault(Value(kAnnualMileage, 1), "5000"),
                 Value(kRegisteredKeeper, 4, kNumbers), Value(kRegisteredOwner, 4, kNumbers),
                 Value(kMainDriverNumber, 4, kNumbers)}),
      Object(13, {Value(kCoverStart, 3), Value(kRestriction, 4, kRestrictions),
                  WithDefault(Value(kCoverType, 2), "Comprehensive")}),
      Object(15,
             {Value(kDateOfBirth, 3), Value(kSurname, 2), Value(kIsMainDriver, 4, kYesNo),
              Object(17, {Value(kIncidentDate, 3),
                          Object(18, {Value(kClaimType, 4, kClaimTypes), Value(kClaimNumber, 1)}),
                          Object(19, {Value(kConvictionCode, 2)})})}),
      Object(43, {Value(kPolicyEnd, 3)}),
      Object(255, {Value(kAcceptedPremium, 1)}),
  };
  return source;
}

namespace {

QString Write(const QString& folder, const char* name, const std::vector<std::uint8_t>& bytes) {
  QString path = QDir(folder).filePath(QString::fromLatin1(name));
  EXPECT_TRUE(WriteBytesToFile(QFile::encodeName(path).toStdString(), bytes));
  return path;
}

}  // namespace

std::string ModelDescription(const std::string& firstYear, const std::string& lastYear,
                             char variant, char fuel, char transmission, const std::string& cc,
                             const std::string& name) {
  // Columns: 1 blank, 2-5 first year, 6 blank, 7-10 last year, 11-16 blanks, 17 variant,
  // 18-19 blanks, 20 fuel, 21 transmission, 22 blank, 23-26 engine size, 27-28 blanks,
  // 29-55 name.
  return " " + Fit(firstYear, 4) + " " + Fit(lastYear, 4) + std::string(6, ' ') + variant + "  " +
         fuel + transmission + " " + Fit(cc, 4) + "  " + Fit(name, 27);
}

TTestDictionaryFiles WriteMotorDictionary(const QString& folder, std::int16_t version) {
  return WriteDictionary(folder, WriteDictionaryFiles(MotorDictionarySource(version)));
}

TTestDictionaryFiles WriteDictionary(const QString& folder, const TDictionaryFiles& bytes) {
  TTestDictionaryFiles files;
  files.lists = Write(folder, "Lists.BIN", bytes.Lists);
  files.structure = Write(folder, "Struct.BIN", bytes.Struct);
  files.message = QDir(folder).filePath(QStringLiteral("corvane.msg"));
  return files;
}

TQuoteEngineFiles EngineFiles(const TTestDictionaryFiles& files) {
  TQuoteEngineFiles engine;
  engine.applicationNumber = kApplicationNumber;
  engine.dictionaryVersion = kVersion;
  engine.listsFile = files.lists;
  engine.structFile = files.structure;
  engine.messageFile = files.message;
  return engine;
}

}  // namespace testdict

void MotorDsvTest::SetUp() {
  ASSERT_TRUE(folder_.isValid());
  files_ = testdict::WriteMotorDictionary(folder_.path());
  ASSERT_EQ(OpenQuoteEngine(testdict::EngineFiles(files_)), 0);
  open_ = true;
  ClearModified();
  prompter_->Clear();
}

void MotorDsvTest::TearDown() {
  if (open_)
    CloseQuoteEngine();
  ClearModified();
}
