#include "app/gettingstarted.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "controls/modaldialog.h"
#include "settings/options.h"

const QStringList TInitialHelpForm::kHeadings = {
    QStringLiteral("Welcome to Quillmarsh"), QStringLiteral("  Getting a Quotation"),
    QStringLiteral("  Getting Help"),        QStringLiteral("  Saving and Opening a Quotation"),
    QStringLiteral("  Taking Out a Policy"),
};

namespace {

// The text under each heading, in the order of the headings.
const QStringList kBodies = {
    QStringLiteral(
        "This program finds you a quotation for private motor insurance from the insurers on "
        "the Quillmarsh panel. You enter your details once, and every insurer quotes on the "
        "same details, so you can compare like with like. Quillmarsh is an independent "
        "insurance broker; for help and advice call us on 01632 960123."),
    QStringLiteral(
        "Fill in the Proposer page and the Vehicle page, and a page for each additional driver "
        "if you named any under driving restrictions. Press Tab to go from question to question; "
        "tabbing forward out of the last page, the Quote button or Quote on the File menu asks "
        "the insurers. Any answer still missing is listed first, and you are taken to each "
        "one in turn. Each insurer's premium and excess are then listed side by side."),
    QStringLiteral(
        "The yellow hint window below each question tells you what it asks; turn it on or off "
        "with Display Hints on the Help menu or the Hints button. The status bar shows a line "
        "about the question you are on. Press F1 on a question for its help, and choose "
        "Contents on the Help menu for the whole guide."),
    QStringLiteral(
        "Choose Save on the File menu to keep your details in a quotation file, so that you can "
        "come back to them later: Open loads them again, and the files you used last are listed "
        "at the foot of the File menu. You are asked before unsaved changes would be lost."),
    QStringLiteral(
        "When you have chosen a quotation press Proceed in the results. The Acceptance Wizard "
        "asks for your address and telephone numbers and sends your proposal to Quillmarsh by "
        "e-mail. We will call you back to confirm your cover and take payment; nothing is "
        "charged before you have spoken to us."),
};

QString PageHtml() {
  QString html = QStringLiteral("<html><body>");
  for (qsizetype i = 0; i < TInitialHelpForm::kHeadings.size(); ++i) {
    html += QStringLiteral("<h%1 style=\"white-space:pre\">%2</h%1><p>%3</p>")
                .arg(i == 0 ? 2 : 3)
                .arg(TInitialHelpForm::kHeadings[i].toHtmlEscaped(), kBodies[i].toHtmlEscaped());
  }
  return html + QStringLiteral("</body></html>");
}

}  // namespace

TInitialHelpForm::TInitialHelpForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TInitialHelpForm"));
  setWindowTitle(QStringLiteral("Getting Started"));
  auto* column = new QVBoxLayout(this);
  page_ = new QTextBrowser(this);
  page_->setObjectName(QStringLiteral("HelpRichEdit"));
  page_->setHtml(PageHtml());
  column->addWidget(page_);
  dontShow_ = new QCheckBox(QStringLiteral("Don't show this at startup"), this);
  dontShow_->setObjectName(QStringLiteral("DontShowCheckBox"));
  TOptions* options = Options();
  dontShow_->setChecked(options != nullptr && !options->GetShowFirstHelp());
  connect(dontShow_, &QCheckBox::clicked, this, &TInitialHelpForm::DontShowCheckBoxClick);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* close = buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::RejectRole);
  close->setObjectName(QStringLiteral("CloseButton"));
  close->setDefault(true);
  auto* row = new QHBoxLayout;
  row->addWidget(dontShow_);
  row->addStretch(1);
  row->addWidget(buttons);
  column->addLayout(row);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  resize(520, 420);
  // At the first start the form opens before the window manager has placed the main window, so
  // it follows the main window to where it is put.
  if (parent != nullptr)
    parent->window()->installEventFilter(this);
}

void TInitialHelpForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOnOwner();
}

bool TInitialHelpForm::eventFilter(QObject* watched, QEvent* event) {
  if (isVisible() && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
    CentreOnOwner();
  return QDialog::eventFilter(watched, event);
}

void TInitialHelpForm::CentreOnOwner() {
  if (parentWidget() == nullptr)
    return;
  QRect placed = frameGeometry();
  placed.moveCenter(parentWidget()->window()->frameGeometry().center());
  move(placed.topLeft());
}

void TInitialHelpForm::DontShowCheckBoxClick() {
  if (TOptions* options = Options())
    options->SetShowFirstHelp(!dontShow_->isChecked());
}

void ShowGettingStarted(QWidget* parent) {
  TInitialHelpForm form(parent);
  RunModalDialog(form);
}
