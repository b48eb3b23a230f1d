#include "capture/recordlistdialog.h"

#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>

#include "capture/fieldvalues.h"
#include "controls/kwcomboedit.h"
#include "controls/pendingclick.h"
#include "platform/prompt.h"

TRecordListDialog::TRecordListDialog(QWidget* owner, TTexts texts)
    : TCaptureDialog(owner), texts_(std::move(texts)) {}

QFormLayout* TRecordListDialog::BuildFrame(const TListHelp& help) {
  list_ = MakeListView(help.ListName, help.Columns, help.ListHint, help.ListHelp);
  list_->setUniformRowHeights(true);
  // The number column holds a row number only.
  list_->header()->resizeSection(
      0, list_->fontMetrics().horizontalAdvance(QStringLiteral("No  ")) + 12);
  details_ = new QGroupBox(this);
  details_->setObjectName(QLatin1String(help.GroupName));
  auto* form = new QFormLayout(details_);
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  add_ = MakeDialogButton(
      this,
      {.Name = "AddBitBtn", .Caption = "&Add", .Hint = help.AddHint, .HelpContext = help.AddHelp});
  remove_ = MakeDialogButton(this, {.Name = "RemoveBitBtn",
                                    .Caption = "&Remove",
                                    .Hint = help.RemoveHint,
                                    .HelpContext = help.RemoveHelp});
  close_ = MakeDialogButton(this, {.Name = "CloseBitBtn",
                                   .Caption = "&Close",
                                   .Hint = help.CloseHint,
                                   .HelpContext = help.CloseHelp});
  return form;
}

void TRecordListDialog::Open(TKwComboEdit* key, const QList<QWidget*>& fields) {
  key_ = key;
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  for (QPushButton* button : {add_, remove_, close_})
    buttons->addWidget(button);
  auto* column = new QVBoxLayout(this);
  column->addWidget(list_, 1);
  column->addWidget(details_);
  column->addLayout(buttons);
  SetTabOrder(QList<QWidget*>{list_} + fields + QList<QWidget*>{add_, remove_, close_});

  connect(list_, &QTreeWidget::currentItemChanged, this, [this] { ShowRow(false); });
  connect(list_, &QTreeWidget::itemClicked, this, [this] { ListViewClick(); });
  if (key_ != nullptr) {
    connect(key_, &TKwComboEdit::exited, this, &TRecordListDialog::KeyLeft);
    pendingClick_ = new TPendingClick(key_, this);
  }
  connect(add_, &QPushButton::clicked, this, &TRecordListDialog::AddBitBtnClick);
  connect(remove_, &QPushButton::clicked, this, &TRecordListDialog::RemoveBitBtnClick);
  connect(close_, &QPushButton::clicked, this, &TRecordListDialog::CloseClicked);
}

void TRecordListDialog::ShowFirstRecord() {
  if (!listReady_)
    return;
  RefreshList();
  if (list_->topLevelItemCount() == 0)
    AddRecord();
  list_->setCurrentItem(list_->topLevelItem(0));
  ShowRow(true);
}

int TRecordListDialog::RowCount() const {
  return list_->topLevelItemCount();
}

int TRecordListDialog::SelectedRow() const {
  QTreeWidgetItem* item = list_->currentItem();
  return item == nullptr ? -1 : list_->indexOfTopLevelItem(item);
}

void TRecordListDialog::SelectRow(int row) {
  QTreeWidgetItem* item = row >= 0 ? list_->topLevelItem(row) : nullptr;
  {
    const QSignalBlocker quiet(list_);
    list_->setCurrentItem(item);
    if (item == nullptr)
      list_->clearSelection();
  }
  if (item != nullptr)
    ShowRow(false);
}

QString TRecordListDialog::RowText(int row, int column) const {
  const QTreeWidgetItem* item = list_->topLevelItem(row);
  return item != nullptr ? item->text(column) : QString();
}

void TRecordListDialog::RefreshList() {
  const QSignalBlocker quiet(list_);
  list_->clear();
  const int count = StoredCount();
  for (int row = 0; row < count; ++row) {
    new QTreeWidgetItem(list_);
    WriteRow(row);
  }
  details_->setEnabled(count > 0);
  if (count == 0)
    ResetDetails();
}

void TRecordListDialog::ShowRow(bool focus) {
  const int row = SelectedRow();
  if (row < 0)
    return;
  details_->setTitle(texts_.DetailsCaption.arg(row + 1));
  ShowRecord(row);
  if (focus)
    FocusDetails();
}

void TRecordListDialog::ShowNewRow() {
  auto* item = new QTreeWidgetItem(list_);
  WriteRow(list_->topLevelItemCount() - 1);
  list_->setCurrentItem(item);
  ShowRow(true);
}

QWidget* TRecordListDialog::FirstDetail() const {
  return key_;
}

void TRecordListDialog::FocusDetails() {
  if (QWidget* detail = FirstDetail(); detail != nullptr && detail->isEnabled())
    detail->setFocus(Qt::OtherFocusReason);
}

void TRecordListDialog::ListViewClick() {
  ShowRow(true);
}

void TRecordListDialog::KeyLeft() {
  const int row = SelectedRow();
  if (row < 0)
    return;
  if (key_->ItemIndex() < 0)
    SelectCode(key_, 0);  // an empty key is no key chosen
  const std::int32_t code = key_->SelectedCode();
  // The focus has already moved on to the control that is taking it.
  QWidget* taking = QApplication::focusWidget();
  if (code != 0 || taking == remove_) {
    StoreKey(row, code);
    return;
  }
  if (!closing_ && taking != close_) {
    const QString question = texts_.NoDescription.arg(row + 1).arg(QStringLiteral("\r"));
    const bool yes =
        Ask(PromptKind::Confirmation, PromptButtons::YesNo, question) == PromptAnswer::Yes;
    // Add, when the mouse pressed it, acts once after Yes and not at all after No, whether or
    // not the press's own click would follow the box.
    if (taking == add_)
      pendingClick_->TakeOver(add_, yes ? std::function<void()>([this] { AddRecord(); }) : nullptr);
    if (!yes) {
      key_->setFocus(Qt::OtherFocusReason);
      return;
    }
  }
  RemoveAt(row, false);
}

void TRecordListDialog::AddBitBtnClick() {
  // From the keyboard (a mnemonic, Space) the field being edited has not been left yet.
  if (StoreEditedField(add_))
    AddRecord();
}

void TRecordListDialog::RemoveAt(int row, bool focus) {
  if (row < 0 || row >= list_->topLevelItemCount())
    return;
  if (!RemoveRecord(row))
    return;
  RefreshList();
  SelectRow(qMin(row, list_->topLevelItemCount() - 1));
  if (focus)
    FocusDetails();
}

void TRecordListDialog::RemoveBitBtnClick() {
  if (StoreEditedField(remove_))
    RemoveClicked();
}

void TRecordListDialog::RemoveClicked() {
  const int row = SelectedRow();
  if (row < 0)
    return;
  const QString question = texts_.Remove.arg(row + 1).arg(key_->Text());
  if (Ask(PromptKind::Confirmation, PromptButtons::YesNo, question) == PromptAnswer::Yes)
    RemoveAt(row, true);
}

void TRecordListDialog::CloseClicked() {
  closing_ = true;
  const bool left = StoreEditedField(close_);
  closing_ = false;
  if (left)
    Closing();
}

void TRecordListDialog::Closing() {
  done(list_->topLevelItemCount() > 0 ? mrOk : mrCancel);
}
