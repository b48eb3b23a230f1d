#pragma once
// TAcceptPolicyConditionsForm ("Are the following criteria met?"): before every quotation the
// user confirms the conditions the quotations rest on and gives the date cover is to start.
// Ok records that date as the policy start (and the policy end a year later); a date before
// today is refused and the dialog stays open.

#include <QDialog>
#include <QStringList>

class QPushButton;
class QScrollArea;
class TKwDate;

class TAcceptPolicyConditionsForm : public QDialog {
  Q_OBJECT

 public:
  static const QString kCaption;
  // The texts of the conditions box, in order; headings begin with a space and no dash.
  static const QStringList kConditions;

  explicit TAcceptPolicyConditionsForm(QWidget* parent = nullptr);

  TKwDate* CommenceKwDate() const { return commenceKwDate_; }
  QScrollArea* ConditionsBox() const { return conditionsBox_; }
  QPushButton* OkBitBtn() const { return okBitBtn_; }
  QPushButton* CancelBitBtn() const { return cancelBitBtn_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // On opening: the texts from the top, the date today, the focus on the texts.
  void Reset();
  void OkBitBtnClick();

  QScrollArea* conditionsBox_;
  TKwDate* commenceKwDate_;
  QPushButton* okBitBtn_;
  QPushButton* cancelBitBtn_;
};
