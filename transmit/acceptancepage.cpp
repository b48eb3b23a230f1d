#include "transmit/acceptancepage.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "capture/fieldbinder.h"

TAcceptancePage::TAcceptancePage(const char* name, QWidget* parent)
    : QWidget(parent), column_(new QVBoxLayout(this)) {
  setObjectName(QString::fromLatin1(name));
}

QLabel* TAcceptancePage::AddText(const QString& text) {
  auto* label = new QLabel(text, this);
  label->setTextFormat(Qt::PlainText);  // keeps the texts' double blanks
  label->setWordWrap(true);
  column_->addWidget(label);
  return label;
}

QLabel* TAcceptancePage::AddHeading(const QString& text) {
  QLabel* label = AddText(text);
  QFont bold = label->font();
  bold.setBold(true);
  label->setFont(bold);
  return label;
}

void TAcceptancePage::AddFields(TFieldBinder* binder, const std::vector<TFieldRow>& rows,
                                QGridLayout* grid) {
  QWidget* previous = nullptr;
  int line = 0;
  for (const TFieldRow& row : rows) {
    QWidget* control = binder->Create(row);
    if (QLabel* label = binder->Label(row.Name))
      grid->addWidget(label, line, 0);
    grid->addWidget(control, line++, 1);
    if (previous != nullptr)
      QWidget::setTabOrder(previous, control);
    previous = control;
  }
}
