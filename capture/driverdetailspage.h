#pragma once
// TDriverDetailsPage: what the proposer page and the additional-driver page share. The two pages
// have the same fields, the same occupation cascade, the same detail dialogs and the same way of
// writing every answer when it is given; the proposer page adds the age checks, the postcode and
// the no-claims bonus, the driver page the relationship to the proposer.
//
// Both pages lay out one field table (AddFields, in the order of the tab stops) through the
// binder, group by group as the page's bevels group them; its texts name the page's driver, and
// each page adds its own row of the personal details. A row names its handler: the page's own
// below, the occupation cascade's (cascade_) or the questions' (questions_). Every answer is
// written into the Data Server for Driver() as the field is left or the answer changes, and
// LoadDetails reads every field back.

#include <QDate>
#include <QGroupBox>
#include <QList>
#include <cstdint>

#include "capture/capturepage.h"
#include "capture/claimrecords.h"
#include "capture/driverfields.h"
#include "capture/driverquestions.h"
#include "capture/fieldbinder.h"
#include "capture/occupationcascade.h"
#include "capture/periods.h"

class QFormLayout;

class TDriverDetailsPage : public TCapturePage {
  Q_OBJECT

 public:
  void LoadDetails() override;
  // Puts the focus on the date of birth.
  void FormShow();

  // The driver the page writes: 0 for the proposer, the driver shown on the driver page.
  virtual int Driver() const = 0;
  bool IsProposerPage() const { return proposer_; }

  // The page's controls by object name.
  QWidget* Control(const char* name) const;
  template <class Control>
  Control* Field(const char* name) const {
    return qobject_cast<Control*>(this->Control(name));
  }

  TClaimList& ClaimList() { return questions_.ClaimList(); }
  TConvictionList& ConvictionList() { return questions_.ConvictionList(); }

  // Rebuilds the Occupation list for a business; with selectFirst its first item is selected and
  // stored.
  void FillOccupationList(std::int32_t business, bool selectFirst) {
    cascade_.FillOccupationList(business, selectFirst);
  }

 protected:
  TDriverDetailsPage(bool proposer, QWidget* parent);

  // ---- Laying the field table out (in tab order).
  // Starts the next bevel group, whose rows the answer lays out; `name` is read out by screen
  // readers.
  QFormLayout* BeginGroup(const QString& name);
  // The buttons of the sex choice (the SexPanel row), Male first.
  static std::vector<TFieldChoice> SexChoices();
  // The field table both pages share, in tab order, with the page's own row after the
  // residency; the derived page's constructor calls it. Starts the cascade and the checks.
  void AddFields();
  // The page's own row of the personal details.
  virtual void AddOwnPersonalRow(QFormLayout* group) = 0;
  // A text of the table for the page's driver: "{the}" is "the Proposer" or "the Driver",
  // "{this}" "the Proposer" or "this Driver", "{who}" "Proposer" or "Driver".
  QString Said(const char* text) const;
  // The help context of the table's row n (from 1).
  int Help(int row) const;
  // Starts the cascade and the field checks once every row is laid out.
  void FinishFields();

  // A path of the page's driver: the driver, then `below` (empty for the driver itself).
  TPath DriverAnd(std::initializer_list<TPathEntry> below = {}) const;

  // ---- The rows' handlers the pages share.
  // Runs only after the row stored a new date of birth.
  void DOBKwDateExit();
  // The residency's number and unit; runs before the row stores the period.
  void ResidencyNumericEditExit();
  // The licence period's number and unit; runs before the row stores the period.
  void LicencePeriodNumericEditExit();

  TFieldBinder binder_{this};
  TOccupationCascade cascade_;
  TDriverQuestions questions_;

 private:
  // Both sex buttons.
  QDate EnteredBirthDate() const;
  TPeriodUnit Unit(const char* unitField) const;

  bool proposer_;
  QList<QFormLayout*> groups_;
};
