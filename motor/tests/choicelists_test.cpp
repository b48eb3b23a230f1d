// Filling choice lists: plain enumerations with their error boxes, and the vehicle model list.

#include "motor/getmotordsv.h"
#include "motor/tests/motortestdictionary.h"

using namespace testdict;

namespace {

QStringList Texts(const ListItems& items) {
  QStringList texts;
  for (const ListItem& item : items)
    texts.append(item.text);
  return texts;
}

QList<std::int32_t> Codes(const ListItems& items) {
  QList<std::int32_t> codes;
  for (const ListItem& item : items)
    codes.append(item.code);
  return codes;
}

const QString kNoModels = QStringLiteral("<No Models were manufactured in entered Year>");
const QString kFiesta = QStringLiteral("FIESTA                     1100cc, L, Manu, Petrol");
const QString kFocus = QStringLiteral("FOCUS ESTATE TURBO         1800cc, G, Auto, Diesel");
const QString kAstra = QStringLiteral("ASTRA                      1600cc, S, Auto, Petrol");

}  // namespace

class ChoiceListTest : public MotorDsvTest {};

TEST_F(ChoiceListTest, EnumListGivesEveryDescriptionWithItsCode) {
  ListItems items{{"left over", 77}};
  EXPECT_EQ(FillEnumList(kRestriction, items), 0);
  EXPECT_EQ(Texts(items),
            (QStringList{"Insured only", "Insured and spouse", "Insured and one named",
                         "Insured and two named", "Insured and three named", "Any driver"}));
  EXPECT_EQ(Codes(items), (QList<std::int32_t>{1, 2, 3, 4, 5, 8}));
  EXPECT_TRUE(prompter_->Prompts().isEmpty());
}

TEST_F(ChoiceListTest, APropertyThatIsNoListShowsTheBeginErrorAndLeavesTheItems) {
  ListItems items{{"kept", 5}};
  EXPECT_EQ(FillEnumList(kSurname, items), 1005);
  ASSERT_EQ(prompter_->Prompts().size(), 1);
  EXPECT_EQ(prompter_->Prompts()[0].kind, PromptKind::Error);
  EXPECT_EQ(prompter_->Prompts()[0].buttons, PromptButtons::Ok);
  EXPECT_EQ(prompter_->Prompts()[0].text, "ERROR (DsvBeginEnumList) List 983082 - Returned 1005");
  EXPECT_EQ(Texts(items), QStringList{"kept"});

  EXPECT_EQ(FillEnumList(0x60099, items), 1005);
  EXPECT_EQ(prompter_->Texts().last(), "ERROR (DsvBeginEnumList) List 393369 - Returned 1005");
}

TEST(ChoiceListFaults, AnEntryThatCannotBeReadIsReportedAndSkipped) {
  // A lists file whose first restriction entry claims to be the last: the cursor ends after it,
  // so every further read of the counted entries fails.
  QTemporaryDir folder;
  TDictionaryFiles bytes = WriteDictionaryFiles(MotorDictionarySource());
  std::size_t ordinalAt = static_cast<std::size_t>(bytes.ListOffsets[kRestrictionsList]) + 8 +
                          8;  // count, root, left, right
  std::int32_t count = 6;
  std::memcpy(&bytes.Lists[ordinalAt], &count, sizeof(count));
  ASSERT_EQ(OpenQuoteEngine(EngineFiles(WriteDictionary(folder.path(), bytes))), 0);
  ScopedScriptedPrompter prompter;

  ListItems items;
  EXPECT_EQ(FillEnumList(kRestriction, items), 0);
  CloseQuoteEngine();
  EXPECT_EQ(Texts(items), QStringList{"Insured only"});
  ASSERT_EQ(prompter->Prompts().size(), 5);
  for (const RecordedPrompt& prompt : prompter->Prompts()) {
    EXPECT_EQ(prompt.kind, PromptKind::Error);
    EXPECT_EQ(prompt.text, "ERROR (DsvGetEnumListNext) - Returned 1024");
  }
}

// ---- The model list -----------------------------------------------------------------------------

TEST_F(ChoiceListTest, YearZeroListsEveryModelOfTheMakeWithAKnownFirstYear) {
  ListItems items{{"old", 1}};
  EXPECT_EQ(FillModelList(kFord, 0, QString(), items), 3);
  EXPECT_EQ(Texts(items), (QStringList{"<Select>", kFiesta, kFocus}));
  EXPECT_EQ(Codes(items), (QList<std::int32_t>{0, 101, 102}));
  EXPECT_TRUE(prompter_->Prompts().isEmpty());
}

TEST_F(ChoiceListTest, TheYearMustLieWithinTheModelsYearsInclusive) {
  ListItems items;
  EXPECT_EQ(FillModelList(kFord, 1989, QString(), items), 2);
  EXPECT_EQ(Texts(items), (QStringList{"<Select>", kFiesta}));
  FillModelList(kFord, 1995, QString(), items);
  EXPECT_EQ(Texts(items), (QStringList{"<Select>", kFiesta}));
  FillModelList(kFord, 1996, QString(), items);
  EXPECT_EQ(Texts(items), QStringList{kNoModels});
}

TEST_F(ChoiceListTest, AMissingLastYearMeansStillMade) {
  ListItems items;
  EXPECT_EQ(FillModelList(kFord, 2030, QString(), items), 2);
  EXPECT_EQ(Texts(items), (QStringList{"<Select>", kFocus}));
}

TEST_F(ChoiceListTest, AYearBeforeEveryModelLeavesTheNoModelsItem) {
  ListItems items;
  EXPECT_EQ(FillModelList(kFord, 1980, QString(), items), 1);
  EXPECT_EQ(Texts(items), QStringList{kNoModels});
}

TEST_F(ChoiceListTest, OnlyTheChosenMakesModelsAreWalked) {
  ListItems items;
  EXPECT_EQ(FillModelList(kVauxhall, 0, QString(), items), 2);
  EXPECT_EQ(Texts(items), (QStringList{"<Select>", kAstra}));
  EXPECT_EQ(items[1].code, 201);
  EXPECT_EQ(FillModelList(kRover, 0, QString(), items), 1);
  EXPECT_EQ(Texts(items), QStringList{kNoModels});
}

TEST_F(ChoiceListTest, AMakeTheDependencyTableDoesNotKnowListsNoModels) {
  ListItems items;
  EXPECT_EQ(FillModelList(kUnlistedMake, 0, QString(), items), 1);
  EXPECT_EQ(Texts(items), QStringList{kNoModels});
  EXPECT_EQ(FillModelList(0, 0, QString(), items), 1);
  EXPECT_EQ(Texts(items), QStringList{kNoModels});
}

TEST(ModelListFaults, WithoutAModelListTheItemsStayAsTheyWere) {
  // A dictionary without the model list: the items are left alone (a single item then reads as
  // "no models").
  QTemporaryDir folder;
  TDictionarySource source = MotorDictionarySource();
  source.TopLevel[1].Children[1].Identifier = 0x60040;
  ASSERT_EQ(
      OpenQuoteEngine(EngineFiles(WriteDictionary(folder.path(), WriteDictionaryFiles(source)))),
      0);
  ListItems items{{"a", 1}, {"b", 2}};
  EXPECT_EQ(FillModelList(kFord, 0, QString(), items), 2);
  EXPECT_EQ(Texts(items), (QStringList{"a", "b"}));
  CloseQuoteEngine();
}
