#include "capture/capturedialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>

#include "controls/dialogbutton.h"
#include "controls/fieldhelp.h"
#include "controls/modaldialog.h"

TCaptureDialog::TCaptureDialog(QWidget* owner) : QDialog(owner), binder_(new TFieldBinder(this)) {
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

void TCaptureDialog::reject() {
  CloseClicked();
}

QTreeWidget* TCaptureDialog::MakeListView(const char* name, const QStringList& columns,
                                          const QString& hint, int helpContext) {
  auto* list = new QTreeWidget(this);
  list->setObjectName(QLatin1String(name));
  list->setHeaderLabels(columns);
  list->setRootIsDecorated(false);
  list->setItemsExpandable(false);
  list->setAllColumnsShowFocus(true);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->header()->setStretchLastSection(true);
  list->setAccessibleName(columns.join(QLatin1String(", ")));
  SetFieldHint(list, hint);
  SetHelpContext(list, helpContext);
  return list;
}

QPushButton* TCaptureDialog::LayOutWithClose(const QList<QWidget*>& widgets,
                                             const QList<QWidget*>& order, const QString& closeHint,
                                             int closeHelp) {
  QPushButton* close = MakeDialogButton(
      this,
      {.Name = "CloseBitBtn", .Caption = "&Close", .Hint = closeHint, .HelpContext = closeHelp});
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(close);
  auto* column = new QVBoxLayout(this);
  for (QWidget* widget : widgets)
    column->addWidget(widget);
  column->addLayout(buttons);
  SetTabOrder(order + QList<QWidget*>{close});
  connect(close, &QPushButton::clicked, this, &TCaptureDialog::CloseClicked);
  return close;
}

void TCaptureDialog::SetTabOrder(const QList<QWidget*>& order) {
  for (int i = 1; i < order.size(); ++i)
    QWidget::setTabOrder(order[i - 1], order[i]);
}

int RunCaptureDialog(QDialog& dialog) {
  return RunModalDialog(dialog);
}
