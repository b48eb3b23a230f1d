// Section files: saving the stored values into a named section and loading them back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "dataserver/binarystream.h"
#include "dataserver/dictionary.h"
#include "dataserver/durablefile.h"
#include "dataserver/seams.h"
#include "dataserver/sectionfile.h"
#include "dataserver/tests/testdictionary.h"

namespace dsvtest {
namespace {

class SectionFiles : public DsvTest {
 protected:
  std::string File() const { return folder_.File("case.PCD"); }
  // A file with sections "A" (surname "Alpha") and "B" (surname "Beta").
  void WriteTwoSections() {
    SetText(kSurname, DriverPath(0), "Alpha");
    ASSERT_EQ(DsvSaveSection(File().c_str(), "A"), 0);
    DsvClearAll();
    SetText(kSurname, DriverPath(0), "Beta");
    ASSERT_EQ(DsvSaveSection(File().c_str(), "B"), 0);
    DsvClearAll();
  }
  std::vector<std::string> SectionNames() {
    TBinaryReader in;
    EXPECT_TRUE(in.Open(File()));
    std::vector<std::string> names;
    for (const auto& entry : ReadSectionDirectory(in))
      names.push_back(entry.Name);
    return names;
  }
  std::string Surname() {
    std::string text;
    GetText(kSurname, DriverPath(0), text);
    return text;
  }
};

TEST_F(SectionFiles, EveryValueTypeSurvivesARoundTrip) {
  SetNumber(kAge, DriverPath(0), -12.75);
  SetText(kSurname, DriverPath(0), std::string(255, 'z'));
  SetText(kTitle, DriverPath(2), "");
  SetDate(kBorn, DriverPath(2), 1964, 12, 31);
  SetCode(kSex, DriverPath(2), 2);
  SetNumber(kClaimCost, ClaimPath(2, 1), 1e-9);
  SetCode(kModel, VehiclePath(), 2001);
  const double cover = 4;
  ASSERT_EQ(DsvSetValue(kCover, 0, nullptr, &cover), 0);
  ASSERT_EQ(DsvSaveSection(File().c_str(), "Tolvane"), 0);

  DsvClearAll();
  ASSERT_EQ(DsvLoadSection(File().c_str(), "Tolvane"), 0);
  double number = 0;
  std::string text;
  std::int32_t integer = 0;
  EXPECT_EQ(GetNumber(kAge, DriverPath(0), number), 0);
  EXPECT_EQ(number, -12.75);
  EXPECT_EQ(GetText(kSurname, DriverPath(0), text), 0);
  EXPECT_EQ(text, std::string(255, 'z'));
  EXPECT_EQ(DsvQueryValueExists(kTitle, 1, DriverPath(2).data()), 0);
  EXPECT_EQ(GetText(kTitle, DriverPath(2), text), 0);
  EXPECT_EQ(text, "");
  EXPECT_EQ(GetInteger(kBorn, DriverPath(2), integer), 0);
  EXPECT_EQ(integer, PackDate(1964, 12, 31));
  EXPECT_EQ(GetInteger(kSex, DriverPath(2), integer), 0);
  EXPECT_EQ(integer, 2);
  EXPECT_EQ(GetNumber(kClaimCost, ClaimPath(2, 1), number), 0);
  EXPECT_EQ(number, 1e-9);
  EXPECT_EQ(GetInteger(kModel, VehiclePath(), integer), 0);
  EXPECT_EQ(integer, 2001);
  EXPECT_EQ(DsvQueryValue(kCover, 0, nullptr, &number), 0);
  EXPECT_EQ(number, 4);
}

TEST_F(SectionFiles, ObjectOccurrencesAreRebuiltOnLoad) {
  SetText(kSurname, DriverPath(0), "Ann");
  SetText(kSurname, DriverPath(2), "Cy");
  SetNumber(kClaimCost, ClaimPath(2, 0), 1);
  SetNumber(kClaimCost, ClaimPath(2, 1), 2);
  ASSERT_EQ(DsvSaveSection(File().c_str(), "S"), 0);
  DsvClearAll();
  ASSERT_EQ(DsvLoadSection(File().c_str(), "S"), 0);
  const TProperty* driver = DataDictionary().Find(kDriver);
  const TProperty* claim = DataDictionary().Find(kClaim);
  ASSERT_EQ(driver->Instances().Count(), 2);
  EXPECT_EQ(driver->Instances().Item(1)->Path()[0].Index, 2);
  EXPECT_EQ(claim->Instances().Count(), 2);
  EXPECT_EQ(driver->getObjectCount(), 3);
}

TEST_F(SectionFiles, TheFileLayoutIsTheDirectoryThenTheRecords) {
  SetNumber(kAge, DriverPath(1), 2.5);
  SetText(kSurname, DriverPath(1), "Ng");
  ASSERT_EQ(DsvSaveSection(File().c_str(), "Tolvane"), 0);

  TBinaryWriter expected;
  expected.WriteInt32(1);
  expected.WriteShortString("Tolvane");
  expected.WriteInt32(4 + 8 + 4);
  expected.WriteInt32(kAge);  // dictionary order: 0xF0001 before 0xF0002
  expected.WriteInt32(1);
  expected.WriteUInt16(kDriver);
  expected.WriteUInt16(0);
  expected.WriteUInt16(1);
  expected.WriteUInt8(1);
  expected.WriteDouble(2.5);
  expected.WriteInt32(kSurname);
  expected.WriteInt32(1);
  expected.WriteUInt16(kDriver);
  expected.WriteUInt16(0);
  expected.WriteUInt16(1);
  expected.WriteUInt8(2);
  expected.WriteShortString("Ng");
  expected.WriteInt32(0);
  EXPECT_EQ(ReadFileBytes(File()), expected.Bytes());
}

TEST_F(SectionFiles, SavingUnderAnExistingNameReplacesThatSectionInPlace) {
  WriteTwoSections();
  SetText(kSurname, DriverPath(0), "Gamma");
  SetNumber(kAge, DriverPath(0), 50);
  ASSERT_EQ(DsvSaveSection(File().c_str(), "b"), 0);
  EXPECT_EQ(SectionNames(), (std::vector<std::string>{"A", "B"}));

  ASSERT_EQ(DsvLoadSection(File().c_str(), "A"), 0);
  EXPECT_EQ(Surname(), "Alpha");
  EXPECT_EQ(DsvQueryValueExists(kAge, 1, DriverPath(0).data()), dsv_status::kNoValue);
  ASSERT_EQ(DsvLoadSection(File().c_str(), "B"), 0);
  EXPECT_EQ(Surname(), "Gamma");
  double age = 0;
  EXPECT_EQ(GetNumber(kAge, DriverPath(0), age), 0);
  EXPECT_EQ(age, 50);
}

TEST_F(SectionFiles, ANewNameIsAppended) {
  WriteTwoSections();
  SetText(kSurname, DriverPath(0), "Delta");
  ASSERT_EQ(DsvSaveSection(File().c_str(), "Tolvane"), 0);
  EXPECT_EQ(SectionNames(), (std::vector<std::string>{"A", "B", "Tolvane"}));
  ASSERT_EQ(DsvLoadSection(File().c_str(), "tolvane"), 0);
  EXPECT_EQ(Surname(), "Delta");
  ASSERT_EQ(DsvLoadSection(File().c_str(), "a"), 0);
  EXPECT_EQ(Surname(), "Alpha");
}

TEST_F(SectionFiles, AMissingSectionClearsTheStoreAndAnswers1020) {
  WriteTwoSections();
  SetText(kSurname, DriverPath(0), "Kept?");
  EXPECT_EQ(DsvLoadSection(File().c_str(), "C"), dsv_status::kInternalError);
  EXPECT_EQ(DsvQueryValueExists(kSurname, 1, DriverPath(0).data()), dsv_status::kNoValue);
}

TEST_F(SectionFiles, AMissingFileAnswers1020AndClearsNothing) {
  SetText(kSurname, DriverPath(0), "Kept");
  EXPECT_EQ(DsvLoadSection(folder_.File("none.PCD").c_str(), "A"), dsv_status::kInternalError);
  EXPECT_EQ(Surname(), "Kept");
}

TEST_F(SectionFiles, LoadingReplacesWhatWasStored) {
  WriteTwoSections();
  SetNumber(kAge, DriverPath(5), 5);
  ASSERT_EQ(DsvLoadSection(File().c_str(), "A"), 0);
  EXPECT_EQ(DsvQueryValueExists(kAge, 1, DriverPath(5).data()), dsv_status::kNoValue);
}

TEST_F(SectionFiles, RecordsOfUnknownPropertiesOrAnotherTypeAreSkipped) {
  TBinaryWriter data;
  auto record = [&data](std::int32_t id, std::uint8_t type, std::uint16_t driver = 0) {
    data.WriteInt32(id);
    data.WriteInt32(1);
    data.WriteUInt16(kDriver);
    data.WriteUInt16(0);
    data.WriteUInt16(driver);
    data.WriteUInt8(type);
    if (type == 2)
      data.WriteShortString("text " + std::to_string(driver));
    else
      data.WriteInt32(7);
  };
  record(0x7F0001, 4);     // unknown property
  record(kAge, 2);         // numeric property, text record
  record(kDriver, 4);      // an object holds no value
  record(kSurname, 2);     // sound
  record(kSurname, 4, 1);  // another type amid the property's own records
  record(kSurname, 2, 2);  // sound, after it
  data.WriteInt32(0);
  ASSERT_TRUE(WriteBytesToFile(File(), BuildSectionFile({{"X", data.Bytes()}})));
  ASSERT_EQ(DsvLoadSection(File().c_str(), "X"), 0);
  EXPECT_EQ(DsvQueryValueExists(kAge, 1, DriverPath(0).data()), dsv_status::kNoValue);
  EXPECT_EQ(Surname(), "text 0");
  std::string surname;
  EXPECT_EQ(GetText(kSurname, DriverPath(1), surname), dsv_status::kNoValue);
  EXPECT_EQ(GetText(kSurname, DriverPath(2), surname), 0);
  EXPECT_EQ(surname, "text 2");
  EXPECT_EQ(DataDictionary().Find(kSurname)->Instances().Count(), 2);
}

// A file written by hand may repeat a value, split a property's values apart and hold a NUL in
// a text: each record is set as DsvSetValue would set it, the later of two winning.
TEST_F(SectionFiles, RecordsLoadAsTheirSettersWouldSetThem) {
  TBinaryWriter data;
  auto text = [&data](std::int32_t id, std::uint16_t driver, const std::string& value) {
    data.WriteInt32(id);
    data.WriteInt32(1);
    data.WriteUInt16(kDriver);
    data.WriteUInt16(0);
    data.WriteUInt16(driver);
    data.WriteUInt8(2);
    data.WriteShortString(value);
  };
  text(kSurname, 0, "First");
  text(kTitle, 1, "Dr");
  text(kSurname, 2, "Other");
  text(kSurname, 0, std::string("Sec\0ond", 7));
  data.WriteInt32(0);
  ASSERT_TRUE(WriteBytesToFile(File(), BuildSectionFile({{"X", data.Bytes()}})));
  ASSERT_EQ(DsvLoadSection(File().c_str(), "X"), 0);
  EXPECT_EQ(Surname(), "Sec");
  EXPECT_EQ(DataDictionary().Find(kSurname)->Instances().Count(), 2);
  std::string title;
  EXPECT_EQ(GetText(kTitle, DriverPath(1), title), 0);
  EXPECT_EQ(title, "Dr");
  // One occurrence for each driver named, whatever the order of the records.
  EXPECT_EQ(DataDictionary().Find(kDriver)->Instances().Count(), 3);
  EXPECT_EQ(DataDictionary().Find(kDriver)->getObjectCount(), 3);
}

// Damaged files: a directory naming section "D" whose data is the given bytes.
class DamagedSectionFiles : public SectionFiles {
 protected:
  void WriteDamaged(const std::vector<std::uint8_t>& data) {
    ASSERT_TRUE(WriteBytesToFile(File(), BuildSectionFile({{"D", data}})));
  }
  static std::vector<std::uint8_t> RecordHead(std::int32_t id, std::int32_t pathLength) {
    TBinaryWriter w;
    w.WriteInt32(id);
    w.WriteInt32(pathLength);
    for (std::int32_t i = 0; i < pathLength && i < 4; ++i) {
      w.WriteUInt16(kDriver);
      w.WriteUInt16(0);
      w.WriteUInt16(0);
    }
    return w.Bytes();
  }
  // Loading raises and leaves the stored proposal as it was.
  void ExpectLoadRaises() {
    SetText(kSurname, DriverPath(0), "Before");
    EXPECT_THROW(DsvLoadSection(File().c_str(), "D"), EReadError);
    EXPECT_EQ(Surname(), "Before");
  }
};

TEST_F(DamagedSectionFiles, TruncatedRecord) {
  std::vector<std::uint8_t> data = RecordHead(kAge, 1);
  data.push_back(1);
  data.insert(data.end(), {0, 0, 0, 0});  // half a double
  WriteDamaged(data);
  ExpectLoadRaises();
}

TEST_F(DamagedSectionFiles, MissingTerminator) {
  std::vector<std::uint8_t> data = RecordHead(kSex, 1);
  data.push_back(4);
  data.insert(data.end(), {1, 0, 0, 0});
  WriteDamaged(data);
  ExpectLoadRaises();
}

TEST_F(DamagedSectionFiles, AbsurdPathLength) {
  for (std::int32_t length : {-1, 100000, 0x7FFFFFFF}) {
    std::vector<std::uint8_t> data = RecordHead(kAge, length);
    data.resize(data.size() + 64, 0);
    WriteDamaged(data);
    ExpectLoadRaises();
  }
}

TEST_F(DamagedSectionFiles, StringLengthPastTheEnd) {
  std::vector<std::uint8_t> data = RecordHead(kSurname, 1);
  data.push_back(2);
  data.push_back(200);
  data.insert(data.end(), {'a', 'b', 'c'});
  WriteDamaged(data);
  ExpectLoadRaises();
}

TEST_F(DamagedSectionFiles, UnknownTypeByte) {
  std::vector<std::uint8_t> data = RecordHead(kAge, 1);
  data.push_back(9);
  data.resize(data.size() + 12, 0);
  WriteDamaged(data);
  ExpectLoadRaises();
}

TEST_F(DamagedSectionFiles, DirectoryDamage) {
  TBinaryWriter w;
  w.WriteInt32(1000000);  // sections that cannot fit
  w.WriteShortString("D");
  w.WriteInt32(9);
  ASSERT_TRUE(WriteBytesToFile(File(), w.Bytes()));
  ExpectLoadRaises();

  TBinaryWriter beyond;
  beyond.WriteInt32(1);
  beyond.WriteShortString("D");
  beyond.WriteInt32(5000);  // data position beyond the end
  ASSERT_TRUE(WriteBytesToFile(File(), beyond.Bytes()));
  ExpectLoadRaises();

  ASSERT_TRUE(WriteBytesToFile(File(), {2, 0}));  // not even the count
  ExpectLoadRaises();
}

// What reading a section record by record makes of some bytes: the runs of records by property
// and where the reading ended, or the error it raised.
struct TSectionReading {
  std::vector<std::pair<std::int32_t, std::size_t>> Runs;
  std::int64_t End = 0;
  std::string Error;
  bool operator==(const TSectionReading&) const = default;
};

TSectionReading ReadRecordByRecord(TBinaryReader& in) {
  TSectionReading reading;
  try {
    in.Seek(4);
    TSectionRecordView record;
    while (ReadSectionRecordView(in, record)) {
      if (reading.Runs.empty() || reading.Runs.back().first != record.PropertyId)
        reading.Runs.emplace_back(record.PropertyId, 0);
      ++reading.Runs.back().second;
    }
    reading.End = in.Position();
  } catch (const EReadError& e) {
    reading = TSectionReading{{}, 0, e.what()};
  }
  return reading;
}

TSectionReading CheckAtOnce(TBinaryReader& in) {
  TSectionReading reading;
  try {
    for (const TSectionRun& run : CheckSectionRecords(in, 4))
      reading.Runs.emplace_back(run.PropertyId, run.Count);
    reading.End = in.Position();
  } catch (const EReadError& e) {
    reading = TSectionReading{{}, 0, e.what()};
  }
  return reading;
}

TEST_F(DamagedSectionFiles, TheQuickCheckAgreesWithTheRecordReaderOnEveryDamage) {
  // Records of every type, paths of one and two entries, a property in two runs.
  std::vector<std::uint8_t> section;
  const auto add = [&section](std::int32_t id, std::int32_t pathLength, std::uint8_t type) {
    TBinaryWriter w;
    w.WriteInt32(id);
    w.WriteInt32(pathLength);
    for (std::int32_t i = 0; i < pathLength; ++i) {
      w.WriteUInt16(kDriver);
      w.WriteUInt16(0);
      w.WriteUInt16(static_cast<std::uint16_t>(i));
    }
    w.WriteUInt8(type);
    if (type == 1)
      w.WriteDouble(2.5);
    else if (type == 2)
      w.WriteShortString("Smith");
    else
      w.WriteInt32(7);
    section.insert(section.end(), w.Bytes().begin(), w.Bytes().end());
  };
  add(kAge, 1, 1);
  add(kAge, 1, 1);
  add(kAge, 1, 1);
  add(kSurname, 1, 2);
  add(kClaimCost, 2, 1);
  add(kSex, 1, 4);
  add(kBorn, 1, 3);
  add(kAge, 2, 1);
  section.insert(section.end(), {0, 0, 0, 0});

  // Every way of cutting the section short, and every byte set to each of a few values; the
  // file holds only the count of sections before the section, so it starts at 4.
  std::vector<std::vector<std::uint8_t>> damaged;
  for (std::size_t length = 0; length <= section.size(); ++length)
    damaged.emplace_back(section.begin(), section.begin() + static_cast<std::ptrdiff_t>(length));
  for (std::size_t at = 0; at < section.size(); ++at) {
    for (std::uint8_t value : {0x00, 0x02, 0x05, 0x80, 0xFF}) {
      damaged.push_back(section);
      damaged.back()[at] = value;
    }
  }
  int raised = 0;
  for (const std::vector<std::uint8_t>& bytes : damaged) {
    std::vector<std::uint8_t> file(4 + bytes.size(), 0);
    file[0] = 1;
    std::copy(bytes.begin(), bytes.end(), file.begin() + 4);
    ASSERT_TRUE(WriteBytesToFile(File(), file));
    TBinaryReader in;
    ASSERT_TRUE(in.Open(File()));
    const TSectionReading expected = ReadRecordByRecord(in);
    ASSERT_EQ(CheckAtOnce(in), expected)
        << "for " << bytes.size() << " bytes; the reader "
        << (expected.Error.empty() ? "read " : "raised " + expected.Error);
    raised += expected.Error.empty() ? 0 : 1;
  }
  // Both outcomes were met many times over.
  EXPECT_GT(raised, 100);
  EXPECT_GT(static_cast<int>(damaged.size()) - raised, 100);
}

TEST_F(DamagedSectionFiles, SavingIntoADamagedFileRaisesAndLeavesItAlone) {
  std::vector<std::uint8_t> data = RecordHead(kAge, 1);
  data.push_back(7);
  WriteDamaged(data);
  const std::vector<std::uint8_t> before = ReadFileBytes(File());
  SetText(kSurname, DriverPath(0), "New");
  EXPECT_THROW(DsvSaveSection(File().c_str(), "Other"), EReadError);
  EXPECT_EQ(ReadFileBytes(File()), before);
}

TEST_F(SectionFiles, AFailedWriteKeepsTheExistingFile) {
  WriteTwoSections();
  const std::vector<std::uint8_t> before = ReadFileBytes(File());
  // The disk is full: the new content cannot be written beside the file.
  TDataServerSeamsGuard seams;
  TDataServerSeams::Current().durableFault = [](TDurableStep step) {
    return step == TDurableStep::Write ? ENOSPC : 0;
  };
  SetText(kSurname, DriverPath(0), "Lost?");
  EXPECT_THROW(DsvSaveSection(File().c_str(), "A"), EWriteError);
  TDataServerSeams::Current().durableFault = nullptr;
  EXPECT_EQ(ReadFileBytes(File()), before);
  // Whatever an earlier save left beside the file (here in the way of a fixed temporary name)
  // does not stop the next one.
  std::filesystem::create_directory(File() + ".new");
  EXPECT_EQ(DsvSaveSection(File().c_str(), "A"), 0);
  EXPECT_NE(ReadFileBytes(File()), before);
  EXPECT_THROW(DsvSaveSection(folder_.File("no such folder/x.PCD").c_str(), "A"), EWriteError);
}

}  // namespace
}  // namespace dsvtest
