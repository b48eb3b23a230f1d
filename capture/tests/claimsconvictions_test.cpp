// Claims and convictions: entered through the proposer page's dialogs from the keyboard, saved
// as incidents (claims first, a related pair in one incident, unrelated convictions after),
// loaded back with their relation, and the relation kept to one claim and one conviction.

#include <QGroupBox>
#include <QLabel>
#include <QTreeWidget>

#include "capture/claimrecords.h"
#include "capture/driverclaimsform.h"
#include "capture/proposerpage.h"
#include "capture/relatedclaimform.h"
#include "capture/tests/capturefixture.h"
#include "controls/kwcomboedit.h"
#include "controls/kwdate.h"
#include "controls/kwyesnodlg.h"
#include "controls/numericedit.h"
#include "motor/identifiers.h"

namespace {

TPath Proposer() {
  return {DriverPath(0)};
}
TPath ClaimOf(int incident) {
  return {DriverPath(0), IncidentPath(incident), ClaimPath(0)};
}
TPath ConvictionOf(int incident) {
  return {DriverPath(0), IncidentPath(incident), ConvictionPath(0)};
}

// The dialog's tab stops from its list view round to it again.
QStringList TabStops(QDialog& dialog, const char* listView) {
  QStringList stops;
  QWidget* first = In<QTreeWidget>(dialog, listView);
  QWidget* w = first;
  do {
    if ((w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && w->focusProxy() == nullptr)
      stops.append(w->objectName());
    w = w->nextInFocusChain();
  } while (w != first && stops.size() < 50);
  return stops;
}

void SelectRow(QDialog& dialog, const char* listView, int row) {
  auto* list = In<QTreeWidget>(dialog, listView);
  list->setFocus(Qt::TabFocusReason);
  list->setCurrentItem(list->topLevelItem(row));
}

class ClaimsConvictionsTest : public CaptureTest {
 protected:
  void SetUp() override {
    CaptureTest::SetUp();
    page_ = std::make_unique<TProposerDetailsKwTabsheetForm>();
    // A date of birth the page shows (and checks no more while it stays).
    SetDateValue(Id::DateOfBirth, Proposer(), QDate(1980, 6, 15));
    page_->LoadDetails();
  }
  void TearDown() override {
    page_.reset();
    CaptureTest::TearDown();
  }
  TKwYesNoDlg* Question(const char* name) { return page_->Field<TKwYesNoDlg>(name); }
  int Incidents() {
    int count = 0;
    GetObjectCount(Proposer(), ObjectCode::Incident, count);
    return count;
  }

  std::unique_ptr<TProposerDetailsKwTabsheetForm> page_;
};

TEST_F(ClaimsConvictionsTest, SavedAndLoadedWithARelationInOneIncident) {
  ASSERT_TRUE(ShowActive(page_.get()));
  QStringList seen;
  Drive([&](QDialog& dialog) {
    if (dialog.objectName() == "TDriverClaimsForm") {
      // A new claim is there already, its details captioned for row 1.
      seen << In<QGroupBox>(dialog, "ClaimDetailsGroupBox")->title();
      EXPECT_EQ(QApplication::focusWidget(), In<TKwComboEdit>(dialog, "TypeKwComboEdit"));
      ChooseItem(In<TKwComboEdit>(dialog, "TypeKwComboEdit"), 1);
      TypeInto(In<TKwDate>(dialog, "IncidentKwDate"), "01032025");
      TypeInto(In<TNumericEdit>(dialog, "CostNumericEdit"), "1500");
      ClickButton(dialog, "AddBitBtn");
      seen << In<QGroupBox>(dialog, "ClaimDetailsGroupBox")->title();
      ChooseItem(In<TKwComboEdit>(dialog, "TypeKwComboEdit"), 2);
      TypeInto(In<TKwDate>(dialog, "IncidentKwDate"), "01012026");
      TypeInto(In<TKwYesNoDlg>(dialog, "FaultKwYesNoDlg"), "n");
      ClickButton(dialog, "CloseBitBtn");
    } else if (dialog.objectName() == "TDriverConvictionsForm") {
      EXPECT_EQ(TabStops(dialog, "ConvictionsPZListView"),
                (QStringList{"ConvictionsPZListView", "TypeKwComboEdit", "ConvictionKwDate",
                             "BanNumericEdit", "PointsNumericEdit", "FineNumericEdit",
                             "ClaimKwYesNoDlg", "AddBitBtn", "RemoveBitBtn", "CloseBitBtn"}));
      ChooseItem(In<TKwComboEdit>(dialog, "TypeKwComboEdit"), 1);
      TypeInto(In<TKwDate>(dialog, "ConvictionKwDate"), "01012026");
      TypeInto(In<TNumericEdit>(dialog, "PointsNumericEdit"), "3");
      TypeInto(In<TNumericEdit>(dialog, "FineNumericEdit"), "100");
      Answer(In<TKwYesNoDlg>(dialog, "ClaimKwYesNoDlg"), 'y');
      EXPECT_EQ(In<TKwYesNoDlg>(dialog, "ClaimKwYesNoDlg")->State(), TKwYesNoState::ynYes);
      ClickButton(dialog, "AddBitBtn");
      ChooseItem(In<TKwComboEdit>(dialog, "TypeKwComboEdit"), 2);
      ClickButton(dialog, "CloseBitBtn");
    } else if (dialog.objectName() == "TRelatedClaimForm") {
      auto* list = In<QTreeWidget>(dialog, "RelatedPZListView");
      EXPECT_EQ(list->topLevelItemCount(), 2);
      EXPECT_EQ(list->topLevelItem(0)->text(3), QString::fromUtf8("\u00A31500.00"));
      SelectRow(dialog, "RelatedPZListView", 1);
      ClickButton(dialog, "OkBitBtn");
    }
  });
  Answer(Question(DriverField::ClaimsKwYesNoDlg), 'y');
  Answer(Question(DriverField::ConvictionsKwYesNoDlg), 'y');
  EXPECT_EQ(seen, (QStringList{"Accident/Claim 1 Details", "Accident/Claim 2 Details"}));
  ASSERT_EQ(dialogsRun_.size(), 3);
  EXPECT_EQ(dialogsRun_[0], "TDriverClaimsForm: Accidents, Losses & Claims for the Proposer");
  EXPECT_EQ(dialogsRun_[1], "TDriverConvictionsForm: Driving Convictions for the Proposer");
  EXPECT_TRUE(dialogsRun_[2].startsWith("TRelatedClaimForm: Select Claim related to "));
  EXPECT_TRUE(dialogsRun_[2].endsWith(" Conviction on 01/01/2026"));
  EXPECT_EQ(PromptLog(), "");

  // Claims first; the conviction related to the second claim shares its incident; the other
  // conviction follows.
  EXPECT_EQ(Incidents(), 3);
  EXPECT_NE(GetListValue(Id::ClaimType, ClaimOf(0)), 0);
  EXPECT_EQ(GetDateValue(Id::ClaimDate, ClaimOf(0)), QDate(2025, 3, 1));
  EXPECT_EQ(GetNumericValue(Id::ClaimCost, ClaimOf(0)), 1500);
  EXPECT_EQ(GetListValue(Id::ClaimAtFault, ClaimOf(0)), Code::AtFault);
  EXPECT_EQ(GetListValue(Id::ClaimInjury, ClaimOf(0)), Code::No);
  EXPECT_EQ(GetListValue(Id::ConvictionCode, ConvictionOf(0)), 0);
  EXPECT_EQ(GetListValue(Id::ClaimAtFault, ClaimOf(1)), Code::NotAtFault);
  EXPECT_NE(GetListValue(Id::ConvictionCode, ConvictionOf(1)), 0);
  EXPECT_EQ(GetNumericValue(Id::PenaltyPoints, ConvictionOf(1)), 3);
  EXPECT_EQ(GetNumericValue(Id::ConvictionFine, ConvictionOf(1)), 100);
  EXPECT_EQ(GetDateValue(Id::ConvictionRecordedDate, ConvictionOf(1)), kToday);
  EXPECT_EQ(GetListValue(Id::ClaimType, ClaimOf(2)), 0);
  EXPECT_NE(GetListValue(Id::ConvictionCode, ConvictionOf(2)), 0);
  EXPECT_EQ(GetListValue(Id::HasClaims, Proposer()), Code::Yes);
  EXPECT_EQ(GetListValue(Id::HasConvictions, Proposer()), Code::Yes);

  // Loaded back, the pair is related again, and the claims dialog says so.
  page_->LoadDetails();
  ASSERT_EQ(page_->ClaimList().Count(), 2);
  ASSERT_EQ(page_->ConvictionList().Count(), 2);
  EXPECT_EQ(page_->ClaimList().At(1).RelatedConviction, &page_->ConvictionList().At(0));
  EXPECT_EQ(page_->ConvictionList().At(0).RelatedClaim, &page_->ClaimList().At(1));
  EXPECT_EQ(page_->ConvictionList().At(1).RelatedClaim, nullptr);

  // Removing the related claim leaves its conviction unrelated.
  QString related;
  Drive([&](QDialog& dialog) {
    SelectRow(dialog, "ClaimsPZListView", 1);
    related = In<QLabel>(dialog, "ConvictionLabel")->text();
    ClickButton(dialog, "RemoveBitBtn");
    EXPECT_EQ(In<QTreeWidget>(dialog, "ClaimsPZListView")->topLevelItemCount(), 1);
    ClickButton(dialog, "CloseBitBtn");
  });
  Question(DriverField::ClaimsKwYesNoDlg)->setFocus();
  QTest::keyClick(Question(DriverField::ClaimsKwYesNoDlg), Qt::Key_Return);
  EXPECT_TRUE(related.startsWith("Claim is related to ")) << related.toStdString();
  EXPECT_TRUE(related.endsWith(" Conviction on 01/01/2026"));
  EXPECT_TRUE(QString::fromStdString(PromptLog()).startsWith("Remove Accident/Claim 2 - "));
  EXPECT_EQ(page_->ConvictionList().At(0).RelatedClaim, nullptr);
  EXPECT_EQ(Incidents(), 3);
  EXPECT_NE(GetListValue(Id::ClaimType, ClaimOf(0)), 0);
  EXPECT_NE(GetListValue(Id::ConvictionCode, ConvictionOf(1)), 0);
  EXPECT_EQ(GetListValue(Id::ClaimType, ClaimOf(1)), 0);
  EXPECT_NE(GetListValue(Id::ConvictionCode, ConvictionOf(2)), 0);
}

TEST_F(ClaimsConvictionsTest, AClaimLeftWithoutATypeGoesAndTheAnswerWithIt) {
  ASSERT_TRUE(ShowActive(page_.get()));
  // Closing the new claim without a type asks nothing and ends with Cancel.
  Answer(Question(DriverField::ClaimsKwYesNoDlg), 'y');
  EXPECT_EQ(PromptLog(), "");
  EXPECT_EQ(Question(DriverField::ClaimsKwYesNoDlg)->State(), TKwYesNoState::ynNo);
  EXPECT_EQ(GetListValue(Id::HasClaims, Proposer()), Code::No);
  EXPECT_EQ(page_->ClaimList().Count(), 0);
  EXPECT_EQ(Incidents(), 0);

  // Three claims, a future date warned about and kept; removing the last selects the second; a
  // type put back to "<Select>" asks, and No keeps the claim.
  std::int32_t secondType = 0;
  Drive([&](QDialog& dialog) {
    auto* type = In<TKwComboEdit>(dialog, "TypeKwComboEdit");
    for (int i = 0; i < 3; ++i) {
      if (i > 0)
        ClickButton(dialog, "AddBitBtn");
      ChooseItem(type, i + 1);
      if (i == 1)
        TypeInto(In<TKwDate>(dialog, "IncidentKwDate"), "01072026");
    }
    EXPECT_EQ(PromptLog(),
              "The selected claim date is after today.\rPlease check the date of the claim.");
    prompter_->Clear();
    ClickButton(dialog, "RemoveBitBtn");
    EXPECT_EQ(PromptLog(), "Remove Accident/Claim 3 - " + type->ItemText(3).toStdString());
    EXPECT_EQ(static_cast<TDriverClaimsForm&>(dialog).SelectedRow(), 1);
    EXPECT_EQ(In<QGroupBox>(dialog, "ClaimDetailsGroupBox")->title(), "Accident/Claim 2 Details");
    prompter_->Clear();
    prompter_->QueueAnswer(PromptAnswer::No);
    ChooseItem(type, 0);
    EXPECT_EQ(PromptLog(),
              "No description selected for Accident/Claim '2'\rDo you wish to Remove this "
              "Accident/Claim?");
    EXPECT_EQ(QApplication::focusWidget(), type);
    ChooseItem(type, 2);
    secondType = type->ItemCode(2);
    ClickButton(dialog, "CloseBitBtn");
  });
  Answer(Question(DriverField::ClaimsKwYesNoDlg), 'y');
  ASSERT_EQ(page_->ClaimList().Count(), 2);
  EXPECT_EQ(page_->ClaimList().At(1).Type, secondType);
  EXPECT_EQ(GetDateValue(Id::ClaimDate, ClaimOf(1)), QDate(2026, 7, 1));
  EXPECT_EQ(Incidents(), 2);
  EXPECT_EQ(GetListValue(Id::HasClaims, Proposer()), Code::Yes);
}

TEST_F(ClaimsConvictionsTest, AClaimChosenForAnotherConvictionLeavesTheFirstUnrelated) {
  TClaimList claims;
  TConvictionList convictions;
  TClaimRecord& first = claims.Append();
  first.Type = 1;
  first.Date = QDate(2025, 1, 1);
  claims.Append().Type = 2;
  TConvictionRecord& x = convictions.Append();
  x.Code = 1;
  TConvictionRecord& y = convictions.Append();
  y.Code = 2;
  y.Date = QDate(2025, 2, 2);
  Relate(first, x);

  QWidget owner;
  Drive([&](QDialog& dialog) {
    // The row of the current relation (none for y) is selected.
    EXPECT_TRUE(In<QTreeWidget>(dialog, "RelatedPZListView")->selectedItems().isEmpty());
    SelectRow(dialog, "RelatedPZListView", 0);
    ClickButton(dialog, "OkBitBtn");
  });
  EXPECT_TRUE(ExecuteRelatedClaim(&owner, y, 0, claims));
  EXPECT_EQ(y.RelatedClaim, &first);
  EXPECT_EQ(first.RelatedConviction, &y);
  EXPECT_EQ(x.RelatedClaim, nullptr);

  // Saved, one incident holds the pair and x follows the claims on its own.
  SaveClaimsAndConvictions(0, claims, convictions);
  EXPECT_EQ(GetListValue(Id::ConvictionCode, ConvictionOf(0)), 2);
  EXPECT_EQ(GetListValue(Id::ConvictionCode, ConvictionOf(1)), 0);
  EXPECT_EQ(GetListValue(Id::ConvictionCode, ConvictionOf(2)), 1);

  // OK without a claim: asked whether there is one; No ends with Cancel.
  Drive([&](QDialog& dialog) {
    In<QTreeWidget>(dialog, "RelatedPZListView")->clearSelection();
    prompter_->QueueAnswer(PromptAnswer::No);
    ClickButton(dialog, "OkBitBtn");
  });
  EXPECT_FALSE(ExecuteRelatedClaim(&owner, x, 0, claims));
  EXPECT_EQ(PromptLog(), "No Claim is selected.\rIs there a Claim related to this Conviction?");
  EXPECT_EQ(x.RelatedClaim, nullptr);

  // Freeing a record clears its partner's relation.
  claims.Remove(0);
  EXPECT_EQ(y.RelatedClaim, nullptr);
}

}  // namespace
