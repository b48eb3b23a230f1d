// The dialog button factory: what Enter does to each kind of button in a shown dialog (a capture
// dialog whose Close took Enter in a field would end half-way through the answers).

#include "controls/dialogbutton.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include "controls/fieldhelp.h"

namespace {

struct TButtonDialog {
  QDialog dialog;
  QLineEdit* field = new QLineEdit(&dialog);
  QPushButton* button;

  explicit TButtonDialog(TEnterPress enter)
      : button(MakeDialogButton(&dialog, {.Name = "CloseBitBtn",
                                          .Caption = "&Close",
                                          .Hint = "Close|Closes the dialog.",
                                          .HelpContext = 120607,
                                          .Enter = enter})) {
    auto* column = new QVBoxLayout(&dialog);
    column->addWidget(field);
    column->addWidget(button);
  }

  bool Show() {
    dialog.show();
    dialog.activateWindow();
    QApplication::setActiveWindow(&dialog);
    return QTest::qWaitForWindowActive(&dialog);
  }
};

TEST(DialogButtonTest, CarriesItsNameCaptionHintAndHelp) {
  TButtonDialog made(TEnterPress::Never);
  EXPECT_EQ(made.button->objectName(), "CloseBitBtn");
  EXPECT_EQ(made.button->text(), "&Close");
  EXPECT_EQ(FieldHint(made.button), "Close|Closes the dialog.");
  EXPECT_EQ(HelpContext(made.button), 120607);
  EXPECT_TRUE(made.button->icon().isNull());
  QPushButton* glyph = MakeDialogButton(
      &made.dialog, {.Name = "BackBitBtn", .Caption = "&Back", .Glyph = QStyle::SP_ArrowBack});
  EXPECT_FALSE(glyph->icon().isNull());
  EXPECT_EQ(HelpContext(glyph), 0);
}

TEST(DialogButtonTest, EnterInAFieldNeverPressesIt) {
  for (TEnterPress enter : {TEnterPress::Never, TEnterPress::OnButton}) {
    TButtonDialog made(enter);
    ASSERT_TRUE(made.Show());
    QSignalSpy clicks(made.button, &QPushButton::clicked);
    made.field->setFocus(Qt::TabFocusReason);
    QTest::keyClick(made.field, Qt::Key_Return);
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_TRUE(made.dialog.isVisible());
  }
}

TEST(DialogButtonTest, EnterOnTheButtonClicksOnlyWhereItShould) {
  TButtonDialog never(TEnterPress::Never);
  ASSERT_TRUE(never.Show());
  QSignalSpy neverClicks(never.button, &QPushButton::clicked);
  never.button->setFocus(Qt::TabFocusReason);
  QTest::keyClick(never.button, Qt::Key_Return);
  EXPECT_EQ(neverClicks.count(), 0);

  TButtonDialog onButton(TEnterPress::OnButton);
  ASSERT_TRUE(onButton.Show());
  QSignalSpy onButtonClicks(onButton.button, &QPushButton::clicked);
  onButton.button->setFocus(Qt::TabFocusReason);
  QTest::keyClick(onButton.button, Qt::Key_Return);
  EXPECT_TRUE(onButtonClicks.wait(1000) || onButtonClicks.count() == 1);
}

TEST(DialogButtonTest, AWizardsDefaultButtonTakesEnterInAField) {
  TButtonDialog made(TEnterPress::DialogDefault);
  made.button->setDefault(true);
  ASSERT_TRUE(made.Show());
  QSignalSpy clicks(made.button, &QPushButton::clicked);
  made.field->setFocus(Qt::TabFocusReason);
  QTest::keyClick(made.field, Qt::Key_Return);
  EXPECT_EQ(clicks.count(), 1);
}

}  // namespace
