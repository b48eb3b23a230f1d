#include "controls/yesnodlg.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

#include "controls/dialogbutton.h"
#include "controls/kwdate.h"
#include "controls/kwyesnodlg.h"
#include "controls/modaldialog.h"
#include "controls/numericedit.h"
#include "controls/popupplacement.h"

TNoteMemo::TNoteMemo(QWidget* parent) : QPlainTextEdit(parent) {
  setObjectName(QStringLiteral("StringMemo"));
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setTabChangesFocus(true);
  connect(this, &QPlainTextEdit::textChanged, this, &TNoteMemo::LimitLength);
}

void TNoteMemo::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && !(event->modifiers() & Qt::ControlModifier)) {
    event->ignore();  // the form's default button
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

void TNoteMemo::LimitLength() {
  const QString text = toPlainText();
  if (text.size() <= kMaxLength)
    return;
  QTextCursor cursor = textCursor();
  const int position = qMin(cursor.position(), kMaxLength);
  setPlainText(text.left(kMaxLength));
  cursor = textCursor();
  cursor.setPosition(position);
  setTextCursor(cursor);
}

TYesNoDlg::TYesNoDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      amtLabel_(new QLabel(this)),
      amtEdit_(new TNumericEdit(this)),
      dateEdit_(new TKwDate(this)),
      okButton_(MakeDialogButton(this, kPopUpOkButton)),
      cancelButton_(MakeDialogButton(this, kPopUpCancelButton)),
      memo_(new TNoteMemo(this)) {
  amtLabel_->setObjectName(QStringLiteral("AmtLabel"));
  amtEdit_->setObjectName(QStringLiteral("AmtNumericEdit"));
  dateEdit_->setObjectName(QStringLiteral("DateKwDate"));
  amtLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  amtEdit_->SetDecimalPlaces(0);
  amtEdit_->SetPositiveNumbersOnly(true);
  okButton_->setDefault(true);
  memo_->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 45);
  memo_->setFixedHeight(fontMetrics().lineSpacing() * 4);

  auto* top = new QHBoxLayout;
  top->setSpacing(4);
  top->addWidget(amtLabel_, 1);
  top->addWidget(amtEdit_);
  top->addWidget(dateEdit_);
  top->addWidget(okButton_);
  top->addWidget(cancelButton_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(3, 3, 3, 3);
  layout->setSpacing(3);
  layout->addLayout(top);
  layout->addWidget(memo_);

  connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void TYesNoDlg::Setup(TDialogType type, TDateStyle dateStyle, bool enabled,
                      const TYesNoData& data) {
  dateEdit_->SetDateStyle(dateStyle);
  okButton_->setEnabled(enabled);
  amtLabel_->setEnabled(enabled);
  amtEdit_->setEnabled(enabled);
  dateEdit_->setEnabled(enabled);
  memo_->setReadOnly(!enabled);

  // Every field holds its stored value, shown or not, so that confirming keeps hidden values.
  memo_->setPlainText(data.note);
  dateEdit_->SetAsNumber(data.date);
  amtLabel_->setText(data.amountTitle);
  amtEdit_->SetAsInteger(data.amount);

  memo_->setVisible(DialogTypeShowsNote(type));
  dateEdit_->setVisible(DialogTypeShowsDate(type));
  amtLabel_->setVisible(DialogTypeShowsAmount(type));
  amtEdit_->setVisible(DialogTypeShowsAmount(type));
  adjustSize();
}

TYesNoData TYesNoDlg::Result(const TYesNoData& original) const {
  TYesNoData result = original;
  QString note = memo_->toPlainText();
  for (QChar lineBreak :
       {QChar(u'\r'), QChar(u'\n'), QChar(QChar::LineSeparator), QChar(QChar::ParagraphSeparator)})
    note.remove(lineBreak);
  result.note = note;
  result.amount = amtEdit_->AsInteger();
  result.date = dateEdit_->GetAsNumber();
  return result;
}

bool ShowYesNoDetails(TKwYesNoDlg* control, TYesNoData& data) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  auto dialog = std::make_unique<TYesNoDlg>(control->window());
  dialog->Setup(control->DialogType(), control->DateStyle(), control->isEnabled(), data);
  ShowGlyphOnly(dialog->OKBitBtn());
  ShowGlyphOnly(dialog->CancelBitBtn());
  dialog->adjustSize();
  dialog->move(PlaceDetailsPopup(GlobalRectOf(control), dialog->size(), ScreenGeometryOf(control)));
  QApplication::restoreOverrideCursor();
  if (RunModalDialog(*dialog) != QDialog::Accepted)
    return false;
  // A disabled control's details cannot be confirmed.
  if (!control->isEnabled())
    return false;
  data = dialog->Result(data);
  return true;
}
