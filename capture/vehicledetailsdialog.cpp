#include "capture/vehicledetailsdialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "controls/dialogbutton.h"
#include "controls/editedfield.h"
#include "controls/fieldhelp.h"

TVehicleDetailsDialog::TVehicleDetailsDialog(const TNames& names, QWidget* parent)
    : QDialog(parent),
      listView_(new QTreeWidget(this)),
      group_(new QGroupBox(this)),
      groupLayout_(new QVBoxLayout(group_)),
      add_(MakeDialogButton(this, {.Name = "AddBitBtn",
                                   .Caption = "&Add",
                                   .Hint = names.AddHint,
                                   .HelpContext = names.AddHelp})),
      remove_(MakeDialogButton(this, {.Name = "RemoveBitBtn",
                                      .Caption = "&Remove",
                                      .Hint = names.RemoveHint,
                                      .HelpContext = names.RemoveHelp})),
      close_(MakeDialogButton(this, {.Name = "CloseBitBtn",
                                     .Caption = "&Close",
                                     .Hint = names.CloseHint,
                                     .HelpContext = names.CloseHelp})) {
  setObjectName(QLatin1String(names.Form));
  setWindowTitle(names.Caption);
  listView_->setObjectName(QLatin1String(names.ListView));
  listView_->setColumnCount(static_cast<int>(names.Columns.size()));
  listView_->setHeaderLabels(names.Columns);
  listView_->setRootIsDecorated(false);
  listView_->setItemsExpandable(false);
  listView_->setUniformRowHeights(true);
  listView_->setAllColumnsShowFocus(true);
  listView_->setSelectionMode(QAbstractItemView::SingleSelection);
  listView_->header()->setStretchLastSection(true);
  listView_->header()->resizeSection(
      0, listView_->fontMetrics().horizontalAdvance(QStringLiteral("No  ")) + 12);
  SetFieldHint(listView_, names.ListHint);
  SetHelpContext(listView_, names.ListHelp);
  group_->setObjectName(QLatin1String(names.Group));

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* button : {add_, remove_, close_})
    buttons->addWidget(button);
  auto* column = new QVBoxLayout(this);
  column->addWidget(listView_, 1);
  column->addWidget(group_);
  column->addLayout(buttons);

  connect(listView_, &QTreeWidget::currentItemChanged, this, [this] {
    if (!selecting_ && SelectedRow() >= 0)
      ShowRow(SelectedRow());
  });
  connect(listView_, &QTreeWidget::itemClicked, this, [this] { FocusDetails(); });
  connect(add_, &QPushButton::clicked, this,
          [this] { Pressed(add_, &TVehicleDetailsDialog::AddClicked); });
  connect(remove_, &QPushButton::clicked, this,
          [this] { Pressed(remove_, &TVehicleDetailsDialog::RemoveClicked); });
  connect(close_, &QPushButton::clicked, this,
          [this] { Pressed(close_, &TVehicleDetailsDialog::CloseClicked); });
}

void TVehicleDetailsDialog::ArrangeTabOrder(std::initializer_list<QWidget*> groupControls) {
  QWidget* previous = listView_;
  for (QWidget* next : groupControls) {
    setTabOrder(previous, next);
    previous = next;
  }
  for (QWidget* next : {static_cast<QWidget*>(add_), static_cast<QWidget*>(remove_),
                        static_cast<QWidget*>(close_)}) {
    setTabOrder(previous, next);
    previous = next;
  }
}

int TVehicleDetailsDialog::RowCount() const {
  return listView_->topLevelItemCount();
}

int TVehicleDetailsDialog::SelectedRow() const {
  QTreeWidgetItem* item = listView_->currentItem();
  return item != nullptr ? listView_->indexOfTopLevelItem(item) : -1;
}

void TVehicleDetailsDialog::SelectRow(int row) {
  selecting_ = true;
  QTreeWidgetItem* item = row >= 0 ? listView_->topLevelItem(row) : nullptr;
  listView_->setCurrentItem(item);
  if (item == nullptr)
    listView_->clearSelection();
  selecting_ = false;
  if (item != nullptr)
    ShowRow(row);
}

void TVehicleDetailsDialog::ClearRows() {
  selecting_ = true;
  listView_->clear();
  selecting_ = false;
}

void TVehicleDetailsDialog::AppendRow(const QStringList& texts) {
  selecting_ = true;
  listView_->addTopLevelItem(new QTreeWidgetItem(texts));
  selecting_ = false;
}

void TVehicleDetailsDialog::SetRowTexts(int row, const QStringList& texts) {
  QTreeWidgetItem* item = listView_->topLevelItem(row);
  if (item == nullptr)
    return;
  for (int column = 0; column < texts.size(); ++column)
    item->setText(column, texts.at(column));
}

QString TVehicleDetailsDialog::RowText(int row, int column) const {
  const QTreeWidgetItem* item = listView_->topLevelItem(row);
  return item != nullptr ? item->text(column) : QString();
}

void TVehicleDetailsDialog::FocusDetails() {
  if (QWidget* detail = FirstDetail(); detail != nullptr && detail->isEnabled())
    detail->setFocus(Qt::OtherFocusReason);
}

void TVehicleDetailsDialog::reject() {
  Pressed(close_, &TVehicleDetailsDialog::CloseClicked);
}

void TVehicleDetailsDialog::Pressed(QPushButton* button, void (TVehicleDetailsDialog::*action)()) {
  if (StoreEditedField(button))
    (this->*action)();
}
