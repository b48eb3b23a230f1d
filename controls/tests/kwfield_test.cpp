// Every field control raises entered(), exited() and changed() from the one base, inside the
// focus change: when setFocus() returns, the field left has said so and the field entered too.

#include <gtest/gtest.h>

#include <QTest>

#include "controls/kwcomboedit.h"
#include "controls/kwdate.h"
#include "controls/kwedit.h"
#include "controls/kwtime.h"
#include "controls/kwyesnodlg.h"
#include "controls/numericedit.h"
#include "controls/tests/testsupport.h"
#include "platform/scriptedprompter.h"

namespace {

template <class Control>
class KwFieldEvents : public ::testing::Test {
 protected:
  void Log(Control* field, const QString& name) {
    QObject::connect(field, &Control::entered, [this, name] { log_ << name + " entered"; });
    QObject::connect(field, &Control::exited, [this, name, field] {
      // The exit runs while the focus moves: the field has already lost it.
      log_ << name + " exited" + (field->hasFocus() ? " (still focused)" : "");
    });
    QObject::connect(field, &Control::changed, [this, name] { log_ << name + " changed"; });
  }

  ScopedScriptedPrompter prompter_;
  TFixedToday today_{QDate(2024, 5, 17)};
  QStringList log_;
};

using FieldKinds =
    ::testing::Types<TKwEdit, TKwComboEdit, TNumericEdit, TKwDate, TKwTime, TKwYesNoDlg>;
TYPED_TEST_SUITE(KwFieldEvents, FieldKinds);

}  // namespace

TYPED_TEST(KwFieldEvents, LeavingAFieldRunsItsExitBeforeTheNextFieldIsEntered) {
  TFieldWindow<TypeParam> w;
  if constexpr (std::is_same_v<TypeParam, TKwDate>)
    w.field->SetDate(1, 2, 1990);  // an empty date may not be left
  this->Log(w.field, "first");
  this->Log(w.next, "second");
  ASSERT_TRUE(w.Focus());
  EXPECT_EQ(this->log_, QStringList{"first entered"});

  this->log_.clear();
  w.Leave();
  EXPECT_EQ(this->log_, (QStringList{"first exited", "second entered"}));

  // Back again, then the focus cleared as the main window does to make a field store its value.
  this->log_.clear();
  w.field->setFocus(Qt::BacktabFocusReason);
  EXPECT_EQ(this->log_, (QStringList{"second exited", "first entered"}));
  this->log_.clear();
  w.field->clearFocus();
  EXPECT_EQ(this->log_, QStringList{"first exited"});
  EXPECT_TRUE(this->prompter_->Prompts().isEmpty())
      << this->prompter_->Texts().join("|").toStdString();
}
