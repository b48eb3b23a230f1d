#include "app/hintwindow.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <utility>

#include "app/resourceimages.h"
#include "controls/fieldhelp.h"
#include "controls/popupplacement.h"
#include "platform/prompt.h"
#include "settings/options.h"

const QString TTvHintWindow::kHintsDisabledMessage = QStringLiteral(
    "Hints have been disabled.\r\rTo enable the hints again select the 'Display Hints'\roption "
    "from the Help menu.");

namespace {

const QColor kHintColour(255, 255, 225);
constexpr int kGapBelowControl = 5;

}  // namespace

TTvHintWindow::TTvHintWindow()
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
  setObjectName(QStringLiteral("TTvHintWindow"));
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFocusPolicy(Qt::NoFocus);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, kHintColour);
  colours.setColor(QPalette::WindowText, Qt::black);
  setPalette(colours);
  setAutoFillBackground(true);

  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(6, 4, 6, 4);
  column->setSpacing(2);
  text_ = new QLabel(this);
  text_->setObjectName(QStringLiteral("HintText"));
  text_->setTextFormat(Qt::PlainText);
  column->addWidget(text_);
  auto* links = new QHBoxLayout;
  links->setSpacing(3);
  links->addStretch(1);
  links->addWidget(AddLink(QStringLiteral("Hide"), QStringLiteral("Hide"), QStringLiteral("hide"),
                           &TTvHintWindow::HideClick));
  links->addSpacing(8);
  links->addWidget(AddLink(QStringLiteral("DontShow"), QStringLiteral("Don't show again"),
                           QStringLiteral("dontshow"), &TTvHintWindow::DontShowAgainClick));
  column->addLayout(links);
}

QWidget* TTvHintWindow::AddLink(const QString& name, const QString& caption, const QString& glyph,
                                void (TTvHintWindow::*action)()) {
  auto* box = new QWidget(this);
  auto* row = new QHBoxLayout(box);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(3);
  auto* button = new QToolButton(box);
  button->setObjectName(name + QStringLiteral("Button"));
  button->setIcon(ImageIcon(glyph));
  button->setIconSize(QSize(11, 11));
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::NoFocus);
  button->setAccessibleName(caption);  // a glyph alone says nothing to a reader
  auto* link = new QLabel(box);
  linkTexts_.append({link, QStringLiteral("<a href=\"#\" style=\"color:#0000ff\">%1</a>")
                               .arg(caption.toHtmlEscaped())});
  link->setObjectName(name + QStringLiteral("Link"));
  link->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
  link->setFocusPolicy(Qt::NoFocus);
  connect(button, &QToolButton::clicked, this, action);
  connect(link, &QLabel::linkActivated, this, action);
  row->addWidget(button);
  row->addWidget(link);
  return box;
}

bool TTvHintWindow::LoadHintFile(const QString& fileName) {
  hintFile_ = THintFile::Open(fileName);
  return hintFile_.has_value();
}

void TTvHintWindow::ShowHintFor(QWidget* control) {
  TOptions* options = Options();
  const int context = control != nullptr ? HelpContext(control) : 0;
  if (!hintFile_ || options == nullptr || context == 0 || !options->GetHintsActive()) {
    hide();
    return;
  }
  workList_ = hintFile_->KeyNames(context);
  if (workList_.isEmpty()) {
    hide();
    return;
  }
  lines_.clear();
  for (const QString& key : workList_)
    lines_.append(hintFile_->Value(context, key));
  text_->setText(lines_.join(QLatin1Char('\n')));
  ShowLinkTexts();
  adjustSize();
  move(PlaceHintWindow(HintAnchorRect(control), size(), ScreenGeometryOf(control)));
  show();
  raise();
}

void TTvHintWindow::setVisible(bool visible) {
  if (visible)
    ShowLinkTexts();
  QWidget::setVisible(visible);
}

void TTvHintWindow::ShowLinkTexts() {
  for (const auto& [link, text] : std::exchange(linkTexts_, {}))
    link->setText(text);
}

void TTvHintWindow::HideClick() {
  hide();
}

void TTvHintWindow::DontShowAgainClick() {
  QWidget* focused = QApplication::focusWidget();
  Ask(PromptKind::Information, PromptButtons::Ok, kHintsDisabledMessage);
  hide();
  if (isSignalConnected(QMetaMethod::fromSignal(&TTvHintWindow::hintsOffRequested)))
    emit hintsOffRequested();
  else if (TOptions* options = Options())
    options->SetHintsActive(false);
  if (focused != nullptr)
    focused->setFocus(Qt::OtherFocusReason);
}

void TTvHintWindow::mousePressEvent(QMouseEvent* event) {
  // A click anywhere in the window hides it.
  event->accept();
  hide();
}

QPoint PlaceHintWindow(const QRect& control, const QSize& hint, const QRect& screen) {
  const int screenRight = screen.x() + screen.width();
  const int screenBottom = screen.y() + screen.height();
  int x = control.x();
  int y = control.y() + control.height() + kGapBelowControl;
  if (y + hint.height() > screenBottom)
    y = control.y() - kGapBelowControl - hint.height();
  if (x + hint.width() > screenRight)
    x = screenRight - hint.width();
  return QPoint(qMax(x, screen.x()), y);
}

QRect HintAnchorRect(const QWidget* control) {
  if (const auto* tabs = qobject_cast<const QTabBar*>(control)) {
    if (tabs->currentIndex() >= 0) {
      const QRect tab = tabs->tabRect(tabs->currentIndex());
      return QRect(tabs->mapToGlobal(tab.topLeft()), tab.size());
    }
  }
  return GlobalRectOf(control);
}
