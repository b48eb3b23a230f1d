#include "controls/mycalendar.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

#include "controls/dialogbutton.h"
#include "controls/modaldialog.h"
#include "controls/numericedit.h"
#include "controls/popupplacement.h"
#include "controls/spinbutton.h"

namespace {

const char* const kMonthNames[] = {"January",   "February", "March",    "April",
                                   "May",       "June",     "July",     "August",
                                   "September", "October",  "November", "December"};

bool IsCalendarYear(int year) {
  return year >= 1 && year <= 9999;
}

}  // namespace

TMyCalendar::TMyCalendar(QWidget* parent)
    : QDialog(parent),
      monthCombo_(new QComboBox(this)),
      yearEdit_(new TNumericEdit(this)),
      yearSpin_(new TSpinButton(this)),
      calendar_(new QCalendarWidget(this)),
      okButton_(MakeDialogButton(this, kPopUpOkButton)),
      cancelButton_(MakeDialogButton(this, kPopUpCancelButton)) {
  setWindowTitle(QStringLiteral("Select a Date"));
  monthCombo_->setObjectName(QStringLiteral("MonthCombo"));
  yearEdit_->setObjectName(QStringLiteral("YearNumericEdit"));
  yearSpin_->setObjectName(QStringLiteral("YearSpinButton"));
  calendar_->setObjectName(QStringLiteral("Calendar1"));

  // Month names are the program's own, whatever the user's locale.
  for (const char* name : kMonthNames)
    monthCombo_->addItem(QString::fromLatin1(name));
  yearEdit_->SetDecimalPlaces(0);
  calendar_->setLocale(QLocale(QLocale::English, QLocale::UnitedKingdom));
  calendar_->setDateRange(QDate(1, 1, 1), QDate(9999, 12, 31));
  calendar_->setNavigationBarVisible(false);
  calendar_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
  calendar_->setToolTip(QStringLiteral("Click on Date to select"));
  okButton_->setDefault(true);

  auto* top = new QHBoxLayout;
  top->addWidget(monthCombo_, 1);
  top->addWidget(yearEdit_);
  top->addWidget(yearSpin_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(okButton_);
  buttons->addWidget(cancelButton_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(calendar_);
  layout->addLayout(buttons);

  connect(monthCombo_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (!syncing_ && index >= 0)
      MoveTo(shownYear_, index + 1);
  });
  connect(yearEdit_, &TNumericEdit::changed, this, [this] { YearEdited(); });
  connect(yearEdit_, &TNumericEdit::exited, this, [this] { YearLeft(); });
  connect(yearSpin_, &TSpinButton::upClicked, this, [this] { StepYear(1); });
  connect(yearSpin_, &TSpinButton::downClicked, this, [this] { StepYear(-1); });
  connect(calendar_, &QCalendarWidget::currentPageChanged, this,
          [this](int year, int month) { ShowPage(year, month); });
  connect(calendar_, &QCalendarWidget::activated, this, &QDialog::accept);
  connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);

  SetDate(QDate::currentDate());
}

void TMyCalendar::SetDate(const QDate& date) {
  if (!date.isValid())
    return;
  calendar_->setSelectedDate(date);
  calendar_->setCurrentPage(date.year(), date.month());
  ShowPage(date.year(), date.month());
}

QDate TMyCalendar::Date() const {
  return calendar_->selectedDate();
}

void TMyCalendar::ShowPage(int year, int month) {
  syncing_ = true;
  shownYear_ = year;
  monthCombo_->setCurrentIndex(month - 1);
  if (yearEdit_->AsInteger() != year)
    yearEdit_->SetAsInteger(year);
  syncing_ = false;
}

void TMyCalendar::MoveTo(int year, int month) {
  if (!IsCalendarYear(year) || month < 1 || month > 12)
    return;
  const QDate first(year, month, 1);
  const int day = qMin(calendar_->selectedDate().day(), first.daysInMonth());
  calendar_->setSelectedDate(QDate(year, month, day));
  calendar_->setCurrentPage(year, month);
  ShowPage(year, month);
}

void TMyCalendar::YearEdited() {
  if (syncing_)
    return;
  const int year = yearEdit_->AsInteger();
  // A year being typed may pass through values that are no year; the grid waits for one.
  if (IsCalendarYear(year))
    MoveTo(year, monthCombo_->currentIndex() + 1);
}

void TMyCalendar::YearLeft() {
  if (!IsCalendarYear(yearEdit_->AsInteger())) {
    syncing_ = true;
    yearEdit_->SetAsInteger(shownYear_);
    syncing_ = false;
  }
}

void TMyCalendar::StepYear(int step) {
  const int year = qBound(1, shownYear_ + step, 9999);
  MoveTo(year, monthCombo_->currentIndex() + 1);
}

bool ShowCalendar(QWidget* field, QDate& date) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  auto calendar = std::make_unique<TMyCalendar>(field->window());
  calendar->SetDate(date);
  ShowGlyphOnly(calendar->OKBitBtn());
  ShowGlyphOnly(calendar->CancelBitBtn());
  calendar->adjustSize();
  calendar->move(
      PlaceCalendarPopup(GlobalRectOf(field), calendar->size(), ScreenGeometryOf(field)));
  QApplication::restoreOverrideCursor();
  if (RunModalDialog(*calendar) != QDialog::Accepted)
    return false;
  const QDate chosen = calendar->Date();
  if (!chosen.isValid())
    return false;
  date = chosen;
  return true;
}
