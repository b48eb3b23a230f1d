// The control gallery: every field control in each of its styles, with a line that reports the
// events they raise. "gallery --grab file.png" saves a picture of the window and ends.

#include <QApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>
#include <memory>

#include "controls/kwcomboedit.h"
#include "controls/kwdate.h"
#include "controls/kwedit.h"
#include "controls/kwtime.h"
#include "controls/kwyesnodlg.h"
#include "controls/numericedit.h"
#include "controls/spinbutton.h"
#include "platform/seams.h"
#include "tools/gallery/galleryprompter.h"

namespace {

class TGallery : public QWidget {
 public:
  TGallery() {
    setWindowTitle(QStringLiteral("Quillmarsh - Control gallery"));
    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    left->addWidget(TextFields());
    left->addWidget(ListFields());
    left->addWidget(NumberFields());
    left->addStretch(1);
    right->addWidget(DateFields());
    right->addWidget(QuestionFields());
    right->addStretch(1);
    columns->addLayout(left);
    columns->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    events_ = new QLabel(QStringLiteral("Events appear here."), this);
    layout->addWidget(events_);
  }

 private:
  template <class Control>
  void Watch(Control* control, const QString& name) {
    connect(control, &Control::exited, this,
            [this, name] { Report(name + QStringLiteral(": exit")); });
    connect(control, &Control::changed, this,
            [this, name] { Report(name + QStringLiteral(": change")); });
  }

  void Report(const QString& event) { events_->setText(event); }

  QGroupBox* Group(const QString& title, QFormLayout*& form) {
    auto* group = new QGroupBox(title, this);
    form = new QFormLayout(group);
    return group;
  }

  QGroupBox* TextFields() {
    QFormLayout* form = nullptr;
    QGroupBox* group = Group(QStringLiteral("TKwEdit"), form);
    auto* plain = new TKwEdit(group);
    Watch(plain, QStringLiteral("plain text"));
    form->addRow(QStringLiteral("Plain"), plain);
    auto* words = new TKwEdit(group);
    words->SetUppercaseWords(true);
    words->SetText(QStringLiteral("mary ann o'hara"));
    Watch(words, QStringLiteral("uppercase words"));
    form->addRow(QStringLiteral("UppercaseWords"), words);
    auto* upper = new TKwEdit(group);
    upper->SetCharCase(TEditCharCase::ecUpperCase);
    upper->SetMaxLength(8);
    form->addRow(QStringLiteral("Upper case, 8 long"), upper);
    auto* disabled = new TKwEdit(group);
    disabled->SetText(QStringLiteral("Disabled"));
    disabled->setEnabled(false);
    form->addRow(QStringLiteral("Disabled"), disabled);
    return group;
  }

  static void FillStatus(TKwComboEdit* combo) {
    combo->ClearItems();
    int code = 1;
    for (const char* text : {"Divorced", "Married", "Divided", "Single", "Widowed"})
      combo->AddItem(QString::fromLatin1(text), code++);
  }

  QGroupBox* ListFields() {
    QFormLayout* form = nullptr;
    QGroupBox* group = Group(QStringLiteral("TKwComboEdit"), form);
    auto* items = new TKwComboEdit(group);
    connect(items, &TKwComboEdit::buildList, this, [items] { FillStatus(items); });
    items->BuildList();
    Watch(items, QStringLiteral("list items only"));
    form->addRow(QStringLiteral("ListItemsOnly"), items);
    auto* free = new TKwComboEdit(group);
    free->SetListItemsOnly(false);
    free->SetTextCase(TTextCase::tcInitialCaps);
    connect(free, &TKwComboEdit::buildList, this, [free] { FillStatus(free); });
    free->BuildList();
    form->addRow(QStringLiteral("Free text, initial caps"), free);
    auto* digits = new TKwComboEdit(group);
    digits->SetTextCase(TTextCase::tcDigit);
    connect(digits, &TKwComboEdit::buildList, this, [digits] {
      for (int years = 0; years <= 9; ++years)
        digits->AddItem(QString::number(years), years);
    });
    digits->BuildList();
    form->addRow(QStringLiteral("Digits only"), digits);
    return group;
  }

  QGroupBox* NumberFields() {
    QFormLayout* form = nullptr;
    QGroupBox* group = Group(QStringLiteral("TNumericEdit"), form);
    auto* plain = new TNumericEdit(group);
    plain->SetAsDouble(150);
    Watch(plain, QStringLiteral("number"));
    form->addRow(QStringLiteral("Any decimals"), plain);
    auto* money = new TNumericEdit(group);
    money->SetNumberType(TNumberType::ntMoney);
    money->SetDecimalPlaces(2);
    money->SetPositiveNumbersOnly(false);
    money->SetAsDouble(-20);
    form->addRow(QStringLiteral("Money, 2 decimals, negatives"), money);
    auto* percent = new TNumericEdit(group);
    percent->SetNumberType(TNumberType::ntPercent);
    percent->SetAsDouble(12.5);
    form->addRow(QStringLiteral("Percentage"), percent);
    auto* year = new TNumericEdit(group);
    year->SetDecimalPlaces(0);
    year->SetAsInteger(2019);
    auto* spin = new TSpinButton(group);
    connect(spin, &TSpinButton::upClicked, year,
            [year] { year->SetAsInteger(year->AsInteger() + 1); });
    connect(spin, &TSpinButton::downClicked, year,
            [year] { year->SetAsInteger(year->AsInteger() - 1); });
    auto* yearRow = new QHBoxLayout;
    yearRow->addWidget(year);
    yearRow->addWidget(spin);
    yearRow->addStretch(1);
    form->addRow(QStringLiteral("Whole number, spin"), yearRow);
    auto* disabled = new TNumericEdit(group);
    disabled->SetAsInteger(42);
    disabled->setEnabled(false);
    form->addRow(QStringLiteral("Disabled"), disabled);
    return group;
  }

  QGroupBox* DateFields() {
    QFormLayout* form = nullptr;
    QGroupBox* group = Group(QStringLiteral("TKwDate, TKwTime"), form);
    auto* date = new TKwDate(group);
    Watch(date, QStringLiteral("date"));
    form->addRow(QStringLiteral("dsDate"), date);
    auto* empty = new TKwDate(group);
    empty->SetAsNumber(0);
    form->addRow(QStringLiteral("dsDate, empty"), empty);
    auto* age = new TKwDate(group);
    age->SetDateStyle(TDateStyle::dsAge);
    age->SetAsNumber(-400);
    Watch(age, QStringLiteral("period"));
    form->addRow(QStringLiteral("dsAge"), age);
    auto* disabled = new TKwDate(group);
    disabled->setEnabled(false);
    form->addRow(QStringLiteral("Disabled"), disabled);
    auto* time = new TKwTime(group);
    Watch(time, QStringLiteral("time"));
    form->addRow(QStringLiteral("TKwTime"), time);
    return group;
  }

  QGroupBox* QuestionFields() {
    QFormLayout* form = nullptr;
    QGroupBox* group = Group(QStringLiteral("TKwYesNoDlg"), form);
    auto add = [&](const QString& label, TCallDialogOn on, TDialogType type) {
      auto* question = new TKwYesNoDlg(group);
      question->SetCallDialogOn(on);
      question->SetDialogType(type);
      Watch(question, label);
      form->addRow(label, question);
      return question;
    };
    add(QStringLiteral("No details"), TCallDialogOn::cdNone, TDialogType::dtMemo);
    add(QStringLiteral("Note on Yes, auto pop-up"), TCallDialogOn::cdYes, TDialogType::dtMemo)
        ->SetAutoPopUp(true);
    add(QStringLiteral("Note, date, amount on either"), TCallDialogOn::cdEither,
        TDialogType::dtMemoDatePeriod)
        ->SetAmtTitle(QStringLiteral("Cost"));
    auto* period = add(QStringLiteral("Date and period on No"), TCallDialogOn::cdNo,
                       TDialogType::dtDatePeriod);
    period->SetDateStyle(TDateStyle::dsAge);
    period->SetState(TKwYesNoState::ynNo);
    auto* own =
        add(QStringLiteral("Page's own dialog"), TCallDialogOn::cdYes, TDialogType::dtUserDefined);
    connect(own, &TKwYesNoDlg::callDialog, this,
            [this] { Report(QStringLiteral("OnCallDialog")); });
    auto* warn = add(QStringLiteral("Data warning"), TCallDialogOn::cdYes, TDialogType::dtMemo);
    warn->SetState(TKwYesNoState::ynYes);
    warn->SetDataWarning(true);
    auto* disabled = add(QStringLiteral("Disabled"), TCallDialogOn::cdYes, TDialogType::dtMemo);
    disabled->SetState(TKwYesNoState::ynYes);
    disabled->setEnabled(false);
    return group;
  }

  QLabel* events_ = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quillmarsh - Motor"));
  TPlatformSeams::Current().prompter = std::make_shared<TGalleryPrompter>();
  TGallery gallery;
  gallery.show();
  const QStringList arguments = QApplication::arguments();
  const int grab = arguments.indexOf(QStringLiteral("--grab"));
  if (grab >= 0 && grab + 1 < arguments.size()) {
    const QString file = arguments.at(grab + 1);
    QTimer::singleShot(100, &gallery, [&gallery, file] {
      gallery.grab().save(file);
      QApplication::quit();
    });
  }
  return app.exec();
}
