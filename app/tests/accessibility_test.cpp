// The window as a screen reader and a keyboard user meet it: every field of every page and
// detail dialog tells assistive technology its label, its hint and the value it shows in a role
// a reader knows, and no two mnemonics of a window (a page together with the menu bar, or a
// dialog) share a letter.

#include <QAbstractButton>
#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QRadioButton>
#include <map>
#include <set>

#include "app/tests/appfixture.h"
#include "capture/drivingpage.h"
#include "capture/proposerpage.h"
#include "capture/vehiclepage.h"
#include "controls/fieldhelp.h"
#include "controls/kwcomboedit.h"
#include "controls/kwdate.h"
#include "controls/kwedit.h"
#include "controls/kwtime.h"
#include "controls/kwyesnodlg.h"
#include "controls/modaldialog.h"
#include "controls/numericedit.h"

namespace {

// The letter a caption's single "&" marks, or a null character.
QChar MnemonicOf(const QString& caption) {
  for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
    if (caption.at(i) != '&')
      continue;
    if (caption.at(i + 1) == '&') {
      ++i;
      continue;
    }
    return caption.at(i + 1).toLower();
  }
  return QChar();
}

QString Plain(QString caption) {
  return caption.replace(QLatin1String("&&"), QLatin1String("\x01"))
      .remove('&')
      .replace('\x01', '&')
      .simplified();
}

// Each letter with the captions that claim it, in the window as it is shown: the menu bar's
// menus, labels with a buddy, buttons and group boxes that can be seen.
std::map<QChar, QStringList> Mnemonics(QWidget* window) {
  std::map<QChar, QStringList> letters;
  auto add = [&letters](const QString& caption) {
    if (const QChar letter = MnemonicOf(caption); !letter.isNull())
      letters[letter] << caption;
  };
  if (auto* main = qobject_cast<QMainWindow*>(window)) {
    for (QAction* menu : main->menuBar()->actions()) {
      if (menu->isVisible())
        add(menu->text());
    }
  }
  for (QWidget* widget : window->findChildren<QWidget*>()) {
    if (!widget->isVisibleTo(window))
      continue;
    if (auto* label = qobject_cast<QLabel*>(widget); label != nullptr && label->buddy() != nullptr)
      add(label->text());
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
      add(button->text());
    else if (auto* group = qobject_cast<QGroupBox*>(widget))
      add(group->title());
  }
  return letters;
}

// "x: A / B" for every letter claimed twice.
QStringList Clashes(QWidget* window) {
  QStringList clashes;
  for (const auto& [letter, captions] : Mnemonics(window)) {
    if (captions.size() > 1)
      clashes << QString(letter) + QStringLiteral(": ") + captions.join(QLatin1String(" / "));
  }
  return clashes;
}

bool IsField(const QWidget* w) {
  return qobject_cast<const TKwEdit*>(w) || qobject_cast<const TKwComboEdit*>(w) ||
         qobject_cast<const TNumericEdit*>(w) || qobject_cast<const TKwDate*>(w) ||
         qobject_cast<const TKwTime*>(w) || qobject_cast<const TKwYesNoDlg*>(w) ||
         qobject_cast<const QRadioButton*>(w);
}

QLabel* LabelOf(QWidget* field) {
  for (QLabel* label : field->window()->findChildren<QLabel*>()) {
    if (label->buddy() == field)
      return label;
  }
  return nullptr;
}

// A period's number and unit list stand together in a row of their own, the unit unlabelled.
template <class Sibling>
Sibling* PeriodPartner(QWidget* field) {
  for (auto* sibling :
       field->parentWidget()->findChildren<Sibling*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (sibling != field)
      return sibling;
  }
  return nullptr;
}

// The name a reader must hear: the label, a period's label with its part, a radio button's text.
QString ExpectedName(QWidget* field) {
  if (auto* radio = qobject_cast<QRadioButton*>(field))
    return Plain(radio->text()).remove('/').simplified();
  QLabel* label = LabelOf(field);
  if (qobject_cast<TNumericEdit*>(field) != nullptr && label != nullptr) {
    auto* unit = PeriodPartner<TKwComboEdit>(field);
    if (unit != nullptr && LabelOf(unit) == nullptr)
      return Plain(label->text()) + QStringLiteral(" (years)");
  }
  if (label != nullptr)
    return Plain(label->text());
  if (qobject_cast<TKwComboEdit*>(field) != nullptr) {
    if (auto* number = PeriodPartner<TNumericEdit>(field); number != nullptr && LabelOf(number))
      return Plain(LabelOf(number)->text()) + QStringLiteral(" (units)");
  }
  return QString();
}

QString ShownValue(QWidget* field) {
  if (auto* edit = qobject_cast<TKwEdit*>(field))
    return edit->Text();
  if (auto* list = qobject_cast<TKwComboEdit*>(field))
    return list->Text();
  if (auto* number = qobject_cast<TNumericEdit*>(field))
    return number->DisplayText();
  if (auto* date = qobject_cast<TKwDate*>(field))
    return date->AsString();
  if (auto* time = qobject_cast<TKwTime*>(field))
    return time->AsString();
  if (auto* yesNo = qobject_cast<TKwYesNoDlg*>(field))
    return yesNo->State() == TKwYesNoState::ynYes ? QStringLiteral("Yes") : QStringLiteral("No");
  return QString();
}

bool HasChild(QAccessibleInterface* accessible, const QString& name, QAccessible::Role role) {
  for (int i = 0; i < accessible->childCount(); ++i) {
    QAccessibleInterface* child = accessible->child(i);
    if (child != nullptr && child->role() == role && child->text(QAccessible::Name) == name)
      return true;
  }
  return false;
}

// Every field the container shows: what a reader gets against what the window shows. Answers
// how many fields were checked.
int ExpectFieldsSpeak(QWidget* container, const QString& where) {
  int checked = 0;
  const std::set<QAccessible::Role> known{QAccessible::EditableText, QAccessible::ComboBox,
                                          QAccessible::CheckBox, QAccessible::RadioButton};
  for (QWidget* field : container->findChildren<QWidget*>()) {
    if (!IsField(field) || !field->isVisibleTo(container->window()))
      continue;
    ++checked;
    const std::string at = (where + QStringLiteral(" ") + field->objectName()).toStdString();
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(field);
    if (accessible == nullptr) {
      ADD_FAILURE() << at << ": no accessible interface";
      continue;
    }
    const QString name = ExpectedName(field);
    EXPECT_FALSE(name.isEmpty()) << at << ": no label";
    EXPECT_EQ(accessible->text(QAccessible::Name), name) << at;
    // A choice of a radio group has the group's hint, as the status bar shows it.
    QString hint = LongHint(FieldHint(field));
    if (auto* group = qobject_cast<QGroupBox*>(field->parentWidget());
        hint.isEmpty() && group != nullptr && qobject_cast<QRadioButton*>(field) != nullptr)
      hint = LongHint(FieldHint(group));
    EXPECT_FALSE(hint.isEmpty()) << at << ": no hint";
    EXPECT_EQ(accessible->text(QAccessible::Description), hint) << at;
    if (qobject_cast<QRadioButton*>(field) == nullptr) {
      EXPECT_EQ(accessible->text(QAccessible::Value), ShownValue(field)) << at;
    }
    EXPECT_EQ(known.count(accessible->role()), 1u) << at << ": role " << accessible->role();
    if (auto* yesNo = qobject_cast<TKwYesNoDlg*>(field); yesNo != nullptr && yesNo->HasButton()) {
      EXPECT_TRUE(HasChild(accessible, "Details", QAccessible::Button)) << at;
    }
    if (auto* date = qobject_cast<TKwDate*>(field); date != nullptr && date->HasDropDownButton()) {
      EXPECT_TRUE(HasChild(accessible, "Calendar", QAccessible::Button)) << at;
    }
  }
  return checked;
}

class Accessibility : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    ASSERT_NO_FATAL_FAILURE(StartWindow());
    ASSERT_TRUE(window_->FileOpen(Sample("family")));
  }

  // Each dialog a detail question opens is checked while it is shown, then the questions it
  // asks in turn open theirs; every dialog closes as its Close button would leave it.
  void CheckDialogsOpenedBy(QWidget* container) {
    for (TKwYesNoDlg* question : container->findChildren<TKwYesNoDlg*>()) {
      if (question->HasButton() && question->DialogType() == TDialogType::dtUserDefined &&
          question->isVisibleTo(container->window()))
        emit question->callDialog();
    }
  }

  int CheckDialog(QDialog& dialog) {
    const QString title = dialog.objectName() + QStringLiteral(": ") + dialog.windowTitle();
    dialogs_ << dialog.objectName();
    dialog.show();
    EXPECT_EQ(Clashes(&dialog), QStringList()) << title.toStdString();
    fields_ += ExpectFieldsSpeak(&dialog, title);
    CheckDialogsOpenedBy(&dialog);
    dialog.hide();
    return QDialog::Rejected;
  }

  QStringList dialogs_;
  int fields_ = 0;
};

}  // namespace

TEST_F(Accessibility, EveryPageSpeaksEveryFieldAndHasNoMnemonicClashWithTheMenuBar) {
  EXPECT_EQ(Tabs().size(), 5);
  int fields = 0;
  for (int tab = 0; tab < 3; ++tab) {
    window_->SelectPageTab(tab);
    const std::string page = Tabs()[tab].toStdString();
    EXPECT_EQ(Clashes(window_.get()), QStringList()) << page;
    QWidget* shown = tab == 0   ? static_cast<QWidget*>(window_->ProposerPage())
                     : tab == 1 ? static_cast<QWidget*>(window_->VehiclePage())
                                : static_cast<QWidget*>(window_->DrivingPage());
    fields += ExpectFieldsSpeak(shown, Tabs()[tab]);
  }
  // The proposer, the vehicle and a driver page: 65 fields on the family sample.
  EXPECT_GE(fields, 60);

  // The navigation panels Tab passes through on its way to another page are named.
  auto named = [this](const char* panel) {
    return QAccessible::queryAccessibleInterface(window_->findChild<QWidget*>(panel))
        ->text(QAccessible::Name);
  };
  EXPECT_EQ(named("PrevPanel"), "Previous page");
  EXPECT_EQ(named("NextPanel"), "Next page");
  // The sex radio buttons are read inside their group "Sex".
  QWidget* sex = window_->ProposerPage()->findChild<QWidget*>("SexPanel");
  ASSERT_NE(sex, nullptr);
  EXPECT_EQ(QAccessible::queryAccessibleInterface(sex)->role(), QAccessible::Grouping);
  EXPECT_EQ(named("SexPanel"), "Sex");
}

TEST_F(Accessibility, EveryDetailDialogSpeaksEveryFieldAndHasNoMnemonicClash) {
  {
    const TSeamsGuard seams;
    TControlsSeams::Current().modalDialog = [this](QDialog& dialog) { return CheckDialog(dialog); };
    for (int tab = 0; tab < 3; ++tab) {
      window_->SelectPageTab(tab);
      CheckDialogsOpenedBy(tab == 0   ? static_cast<QWidget*>(window_->ProposerPage())
                           : tab == 1 ? static_cast<QWidget*>(window_->VehiclePage())
                                      : static_cast<QWidget*>(window_->DrivingPage()));
    }
  }
  dialogs_.removeDuplicates();
  dialogs_.sort();
  EXPECT_EQ(dialogs_,
            (QStringList{"TCompanyCarForm", "TDriverClaimsForm", "TDriverConvictionsForm",
                         "TDrivingQualificationsForm", "TMedicalConditionsForm", "TNCBForm",
                         "TOtherOccupationForm", "TOtherVehiclesForm", "TRelatedClaimForm",
                         "TSecurityDevicesForm", "TVehicleModificationsForm"}));
  EXPECT_GE(fields_, 40);
}
