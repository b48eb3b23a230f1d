#include "app/missingdataform.h"

#include <QApplication>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>

#include "app/mainwindow.h"
#include "app/pagetabcontrol.h"
#include "app/quotehook.h"
#include "capture/drivingpage.h"
#include "capture/proposerpage.h"
#include "capture/vehiclepage.h"
#include "controls/fieldhelp.h"
#include "motor/getmotordsv.h"
#include "settings/options.h"

const QString TMissingDataForm::kCaption = QStringLiteral("Missing Details");
const QString TMissingDataForm::kText = QStringLiteral(
    "The following details have not been entered.  This information must be entered to obtain "
    "an accurate quotation.");

namespace {

constexpr int kGap = 5;

QPointer<TMissingDataForm>& CurrentForm() {
  static QPointer<TMissingDataForm> form;
  return form;
}

// The field being edited in the main window stores its value when it is left; while another
// window is active it has not been left yet, so it is told as if it had been.
void SendExitNotification(QWidget* control) {
  if (control == nullptr || control == QApplication::focusWidget())
    return;
  QFocusEvent exit(QEvent::FocusOut, Qt::OtherFocusReason);
  QApplication::sendEvent(control, &exit);
}

}  // namespace

QPoint MissingDataFormPosition(const QRect& field, const QSize& form, const QRect& screen) {
  const int fieldBottom = field.y() + field.height();
  QPoint at(field.x(), fieldBottom + kGap);
  // Near the bottom of the screen the form goes above the field.
  if (at.y() + form.height() > screen.y() + screen.height())
    at.setY(field.y() - kGap - form.height());
  const int screenRight = screen.x() + screen.width();
  if (screenRight - (at.x() + form.width()) < kGap)
    at.setX(screenRight - kGap - form.width());
  return at;
}

TMissingDataForm* TMissingDataForm::Current() {
  return CurrentForm();
}

bool TMissingDataForm::CheckMissingData(TTolvaneForm* window, bool openedByQuote) {
  TMissingDataForm* form = CurrentForm();
  const bool created = form == nullptr;
  if (created)
    form = new TMissingDataForm(window);
  if (form->Refresh() == 0) {
    if (created) {
      delete form;
    } else {
      form->openedByQuote_ = false;  // the quotation goes on from here already
      form->close();
    }
    return true;
  }
  form->openedByQuote_ = openedByQuote;
  form->lastText_.clear();
  form->lastIndex_ = 0;
  if (created) {
    CurrentForm() = form;
    form->savedHints_ = Options() != nullptr && Options()->GetHintsActive();
    window->SetHints(false);
  }
  form->show();
  form->raise();
  // After the command that asked has given the focus back.
  QTimer::singleShot(0, form, &TMissingDataForm::MoveNext);
  return false;
}

TMissingDataForm::TMissingDataForm(TTolvaneForm* window)
    : QDialog(window, Qt::Tool), window_(window) {
  setObjectName(QStringLiteral("TMissingDataForm"));
  setWindowTitle(kCaption);
  setAttribute(Qt::WA_DeleteOnClose);
  setModal(false);

  auto* text = new QLabel(kText, this);
  text->setObjectName(QStringLiteral("Label1"));
  text->setWordWrap(true);
  missingDataListBox_ = new QListWidget(this);
  missingDataListBox_->setObjectName(QStringLiteral("MissingDataListBox"));
  text->setBuddy(missingDataListBox_);
  nextBitBtn_ = new QPushButton(QStringLiteral("Next"), this);
  nextBitBtn_->setObjectName(QStringLiteral("NextBitBtn"));
  nextBitBtn_->setDefault(true);
  SetHelpContext(nextBitBtn_, kNextHelpContext);
  closeBitBtn_ = new QPushButton(QStringLiteral("Close"), this);
  closeBitBtn_->setObjectName(QStringLiteral("CloseBitBtn"));
  closeBitBtn_->setAutoDefault(false);
  SetHelpContext(closeBitBtn_, kCloseHelpContext);

  auto* column = new QVBoxLayout(this);
  column->addWidget(text);
  column->addWidget(missingDataListBox_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(nextBitBtn_);
  buttons->addWidget(closeBitBtn_);
  column->addLayout(buttons);
  resize(360, 260);

  connect(nextBitBtn_, &QPushButton::clicked, this, &TMissingDataForm::NextBitBtnClick);
  connect(closeBitBtn_, &QPushButton::clicked, this, &QDialog::close);
  connect(missingDataListBox_, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) { ShowItem(missingDataListBox_->row(item)); });
  // Wherever the focus goes in the main window, the form goes beside it.
  connect(window_, &TTolvaneForm::focusedControlChanged, this, [this](QWidget* control) {
    if (control != nullptr && control->window() == window_)
      PlaceBeside(control);
  });
}

TMissingDataForm::~TMissingDataForm() {
  // Released with the main window: the hints setting is put back all the same.
  if (!closing_ && CurrentForm() == this && Options() != nullptr)
    Options()->SetHintsActive(savedHints_);
}

int TMissingDataForm::Refresh() {
  SendExitNotification(window_->focusWidget());
  items_ = FindMissingData(qMax(0, window_->PageTabCount() - 2));
  fields_.clear();
  missingDataListBox_->clear();
  for (const TMissingItem& item : items_) {
    missingDataListBox_->addItem(item.Message);
    fields_.append(FieldFor(item));
  }
  return static_cast<int>(items_.size());
}

QWidget* TMissingDataForm::FieldFor(const TMissingItem& item) const {
  QWidget* page = item.Page == 0   ? static_cast<QWidget*>(window_->ProposerPage())
                  : item.Page == 1 ? static_cast<QWidget*>(window_->VehiclePage())
                                   : static_cast<QWidget*>(window_->DrivingPage());
  return page != nullptr ? page->findChild<QWidget*>(item.Field) : nullptr;
}

void TMissingDataForm::NextBitBtnClick() {
  if (Refresh() == 0) {
    close();
    return;
  }
  MoveNext();
}

void TMissingDataForm::MoveNext() {
  const int count = static_cast<int>(items_.size());
  if (count == 0)
    return;
  int selected = -1;
  for (int i = 0; i < count; ++i) {
    if (items_[i].Message == lastText_ && !lastText_.isEmpty())
      selected = i;
  }
  if (selected < 0) {
    // The item last moved to is gone: start from the one before its place.
    selected = lastIndex_ - 1;
    if (selected >= count)
      selected = -1;
  }
  missingDataListBox_->setCurrentRow(selected);
  int index = selected;
  for (int step = 0; step < count; ++step) {
    index = (index + 1) % count;
    QWidget* field = fields_[index];
    // A page without the field still shows; a disabled field is passed over.
    if (field == nullptr || field->isEnabled()) {
      lastText_ = items_[index].Message;
      lastIndex_ = index;
      ShowItem(index);
      return;
    }
  }
}

void TMissingDataForm::ShowItem(int index) {
  if (index < 0 || index >= items_.size())
    return;
  missingDataListBox_->setCurrentRow(index);
  SelectMainTab(items_[index].Page);
  QWidget* field = fields_[index];
  PlaceBeside(field != nullptr ? field : window_->PagesTabControl()->TabBar());
  if (field != nullptr && field->isEnabled()) {
    // The user answers at once: the main window takes the keyboard, the form stays on top.
    window_->activateWindow();
    field->setFocus(Qt::OtherFocusReason);
  }
}

void TMissingDataForm::PlaceBeside(QWidget* control) {
  if (control == nullptr || !isVisible())
    return;
  const QRect field(control->mapToGlobal(QPoint(0, 0)), control->size());
  const QScreen* screen = control->screen();
  const QRect area = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  // Until the window manager has framed the form (its first placement), its frame is taken to
  // be the main window's, so that a form put above the field never reaches down over it.
  QSize framed = frameGeometry().size();
  if (framed == size()) {
    const QRect outer = window_->frameGeometry();
    const QRect inner = window_->geometry();
    framed += QSize(outer.width() - inner.width(), outer.height() - inner.height());
  }
  move(MissingDataFormPosition(field, framed, area));
}

void TMissingDataForm::done(int result) {
  if (!closing_) {
    closing_ = true;
    if (CurrentForm() == this)
      CurrentForm() = nullptr;
    window_->SetHints(savedHints_);
    // Everything was answered: the quotation goes on, without the check, once the form is gone.
    if (openedByQuote_ && items_.isEmpty()) {
      TTolvaneForm* window = window_;
      QTimer::singleShot(0, window,
                         [window] { window->RunCommand([] { return StartQuote(false); }); });
    }
  }
  QDialog::done(result);
  deleteLater();
}
