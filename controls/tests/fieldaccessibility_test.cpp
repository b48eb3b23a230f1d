#include "controls/fieldaccessibility.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>
#include <QTest>

#include "controls/dateserial.h"
#include "controls/kwcomboedit.h"
#include "controls/kwdate.h"
#include "controls/kwtime.h"
#include "controls/kwyesnodlg.h"
#include "controls/numericedit.h"
#include "controls/tests/testsupport.h"

namespace {

QAccessibleInterface* Accessible(QObject* object) {
  return QAccessible::queryAccessibleInterface(object);
}

QString Name(QObject* object) {
  return Accessible(object)->text(QAccessible::Name);
}

QString Value(QObject* object) {
  return Accessible(object)->text(QAccessible::Value);
}

// The whole text through the text interface, as a reader fetches it.
QString Text(QObject* object) {
  QAccessibleTextInterface* text = Accessible(object)->textInterface();
  return text != nullptr ? text->text(0, text->characterCount()) : QStringLiteral("<none>");
}

// The field's drawn button among its accessible children, or nullptr.
QAccessibleInterface* Part(QObject* field, const QString& name) {
  QAccessibleInterface* accessible = Accessible(field);
  for (int i = 0; i < accessible->childCount(); ++i) {
    QAccessibleInterface* child = accessible->child(i);
    if (child != nullptr && child->text(QAccessible::Name) == name)
      return child;
  }
  return nullptr;
}

}  // namespace

TEST(FieldAccessibility, CaptionWithoutMnemonic) {
  EXPECT_EQ(CaptionWithoutMnemonic("Period Licen&ce Held"), "Period Licence Held");
  EXPECT_EQ(CaptionWithoutMnemonic("&Date of Birth"), "Date of Birth");
  EXPECT_EQ(CaptionWithoutMnemonic("Tom && Jerry"), "Tom & Jerry");
  EXPECT_EQ(CaptionWithoutMnemonic("Has the Proposer been\ninvolved?"),
            "Has the Proposer been involved?");
}

// The yes/no field reads as a check box: its label as name, "Yes" or "No" as value and text,
// checked on Yes; Space toggles it through the keyboard path; its "..." is the button "Details",
// there only while the field offers details and pressable only while they are armed.
TEST(FieldAccessibility, YesNoReadsAsACheckBoxWithItsDetailsButton) {
  TTestWindow window;
  auto* label = window.Add<QLabel>();
  label->setText("Any &claims?");
  auto* field = window.Add<TKwYesNoDlg>();
  label->setBuddy(field);
  ASSERT_TRUE(window.ShowActive());

  QAccessibleInterface* accessible = Accessible(field);
  ASSERT_NE(accessible, nullptr);
  EXPECT_EQ(accessible->role(), QAccessible::CheckBox);
  EXPECT_EQ(Name(field), "Any claims?");  // from the buddy label when no name is set
  EXPECT_EQ(Value(field), "No");
  EXPECT_EQ(Text(field), "No");
  EXPECT_TRUE(accessible->state().checkable);
  EXPECT_FALSE(accessible->state().checked);
  EXPECT_EQ(Part(field, "Details"), nullptr);

  field->setFocus(Qt::TabFocusReason);
  QTest::keyClick(field, Qt::Key_Space);
  EXPECT_EQ(field->State(), TKwYesNoState::ynYes);
  EXPECT_EQ(Value(field), "Yes");
  EXPECT_EQ(Text(field), "Yes");
  EXPECT_TRUE(accessible->state().checked);

  // The reader's toggle is the user's Space.
  int changes = 0;
  QObject::connect(field, &TKwYesNoDlg::changed, [&changes] { ++changes; });
  accessible->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
  EXPECT_EQ(field->State(), TKwYesNoState::ynNo);
  EXPECT_EQ(changes, 1);

  field->SetCallDialogOn(TCallDialogOn::cdYes);
  field->SetDialogType(TDialogType::dtUserDefined);
  int opened = 0;
  QObject::connect(field, &TKwYesNoDlg::callDialog, [&opened] { ++opened; });
  QAccessibleInterface* details = Part(field, "Details");
  ASSERT_NE(details, nullptr);
  EXPECT_EQ(details->role(), QAccessible::Button);
  EXPECT_EQ(details->parent(), accessible);
  EXPECT_EQ(accessible->indexOfChild(details), accessible->childCount() - 1);
  EXPECT_TRUE(details->state().disabled);  // No does not arm it
  const QRect button = field->ButtonRect();
  EXPECT_EQ(details->rect(), QRect(field->mapToGlobal(button.topLeft()), button.size()));
  field->SetState(TKwYesNoState::ynYes);
  EXPECT_FALSE(details->state().disabled);
  details->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(opened, 0);  // after the reader's request has been answered
  QTest::qWait(0);
  QCoreApplication::processEvents();
  EXPECT_EQ(opened, 1);
}

// The date field is editable text showing its date, caret and all; its drop-down button is the
// button "Calendar" (a period has none).
TEST(FieldAccessibility, DateReadsAsEditableTextWithItsCalendarButton) {
  TTestWindow window;
  auto* field = window.Add<TKwDate>();
  field->setAccessibleName("Date of Birth");
  field->setAccessibleDescription("Enter the Proposer's date of birth.");
  field->SetAsNumber(DateToSerial(QDate(1980, 3, 4)));
  ASSERT_TRUE(window.ShowActive());

  QAccessibleInterface* accessible = Accessible(field);
  EXPECT_EQ(accessible->role(), QAccessible::EditableText);
  EXPECT_TRUE(accessible->state().editable);
  EXPECT_EQ(Name(field), "Date of Birth");
  EXPECT_EQ(accessible->text(QAccessible::Description), "Enter the Proposer's date of birth.");
  EXPECT_EQ(Value(field), "04/03/1980");
  EXPECT_EQ(Text(field), "04/03/1980");
  QAccessibleTextInterface* text = accessible->textInterface();
  EXPECT_EQ(text->text(3, 5), "03");
  field->setFocus(Qt::TabFocusReason);
  QTest::keyClick(field, Qt::Key_Right);
  EXPECT_EQ(text->cursorPosition(), field->CaretPosition() - 1);
  QTest::keyClicks(field, "5");
  EXPECT_EQ(Text(field), "05/03/1980");
  EXPECT_TRUE(text->characterRect(0).isValid());
  ASSERT_NE(Part(field, "Calendar"), nullptr);
  EXPECT_EQ(Part(field, "Calendar")->role(), QAccessible::Button);

  field->SetDateStyle(TDateStyle::dsAge);
  EXPECT_EQ(Part(field, "Calendar"), nullptr);
}

// The number field is editable text as shown, pound sign and all, with the number as its value.
TEST(FieldAccessibility, NumberReadsAsShownWithItsValue) {
  TTestWindow window;
  auto* field = window.Add<TNumericEdit>();
  field->SetDecimalPlaces(0);
  field->SetNumberType(TNumberType::ntMoney);
  field->SetAsInteger(9500);
  ASSERT_TRUE(window.ShowActive());

  QAccessibleInterface* accessible = Accessible(field);
  EXPECT_EQ(accessible->role(), QAccessible::EditableText);
  EXPECT_EQ(Value(field), QString::fromUtf8("\u00a39500"));
  EXPECT_EQ(Text(field), QString::fromUtf8("\u00a39500"));
  ASSERT_NE(accessible->valueInterface(), nullptr);
  EXPECT_EQ(accessible->valueInterface()->currentValue().toDouble(), 9500.0);
  EXPECT_EQ(accessible->valueInterface()->minimumValue().toDouble(), 0.0);

  // Focus selects the whole value; typing replaces it, the caret after the typed digits.
  field->setFocus(Qt::TabFocusReason);
  QAccessibleTextInterface* text = accessible->textInterface();
  EXPECT_EQ(text->selectionCount(), 1);
  QTest::keyClicks(field, "12");
  EXPECT_EQ(Text(field), QString::fromUtf8("\u00a312"));
  EXPECT_EQ(text->selectionCount(), 0);
  EXPECT_EQ(text->cursorPosition(), 3);
  EXPECT_EQ(accessible->valueInterface()->currentValue().toDouble(), 12.0);
}

TEST(FieldAccessibility, TimeAndGroupsReadAsTheyShow) {
  TTestWindow window;
  auto* time = window.Add<TKwTime>();
  time->SetAsString("07:45");
  auto* panel = window.Add<QWidget>();
  MarkAsGroup(panel, "&Sex");
  ASSERT_TRUE(window.ShowActive());

  EXPECT_EQ(Accessible(time)->role(), QAccessible::EditableText);
  EXPECT_EQ(Text(time), "07:45");
  EXPECT_EQ(Accessible(panel)->role(), QAccessible::Grouping);
  EXPECT_EQ(Name(panel), "Sex");
}

// A list is named by its label, not by its chosen item, which is its value.
TEST(FieldAccessibility, ListsAreNamedByTheirLabelWithTheItemAsValue) {
  TTestWindow window;
  auto* list = window.Add<TKwComboEdit>();
  list->AddItem("Single", 1);
  list->AddItem("Married", 2);
  list->SetItemIndex(1);
  list->setAccessibleName("Marital Status");
  ASSERT_TRUE(window.ShowActive());

  QAccessibleInterface* accessible = Accessible(list);
  EXPECT_EQ(accessible->role(), QAccessible::ComboBox);
  EXPECT_EQ(Name(list), "Marital Status");
  EXPECT_EQ(Value(list), "Married");
}
