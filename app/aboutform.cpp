#include "app/aboutform.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "app/resourceimages.h"
#include "controls/modaldialog.h"

const QString TAboutForm::kProductLine = QStringLiteral("Private Motor Insurance Quotation System");
const QString TAboutForm::kRelease = QStringLiteral("Release 3.12");

namespace {

QLabel* Text(QWidget* parent, const QString& name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

}  // namespace

TAboutForm::TAboutForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TAboutForm"));
  setWindowTitle(QStringLiteral("About Quillmarsh"));
  auto* grid = new QGridLayout(this);
  auto* image = new QLabel(this);
  image->setObjectName(QStringLiteral("ProgramIcon"));
  image->setPixmap(ImagePixmap(QStringLiteral("quillmarsh"), QSize(64, 64)));
  image->setAlignment(Qt::AlignTop);
  grid->addWidget(image, 0, 0, 4, 1);

  QLabel* product = Text(this, QStringLiteral("ProductName"), kProductLine);
  QFont bold = product->font();
  bold.setBold(true);
  product->setFont(bold);
  grid->addWidget(product, 0, 1);
  grid->addWidget(Text(this, QStringLiteral("Version"), kRelease), 1, 1);
  grid->addWidget(Text(this, QStringLiteral("Maker"),
                       QStringLiteral("Written by Fenwick Software Ltd\n"
                                      "Unit 4, Reedbed Business Park, Quillmarsh Lane\n"
                                      "Norwich NR9 4QM\n"
                                      "Telephone 01632 960450")),
                  2, 1);
  grid->addWidget(Text(this, QStringLiteral("Broker"),
                       QStringLiteral("Published by Quillmarsh Insurance Services Ltd\n"
                                      "12 Staithe Road, Quillmarsh\n"
                                      "Norwich NR9 4QB\n"
                                      "For help and advice call 01632 960123")),
                  3, 1);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* close = buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::RejectRole);
  close->setObjectName(QStringLiteral("CloseButton"));
  close->setDefault(true);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  grid->addWidget(buttons, 4, 0, 1, 2);
  grid->setSizeConstraint(QLayout::SetFixedSize);
}

void ShowAbout(QWidget* parent) {
  TAboutForm form(parent);
  RunModalDialog(form);
}
