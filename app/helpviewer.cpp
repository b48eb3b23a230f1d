#include "app/helpviewer.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "app/hints.h"
#include "app/hintwindow.h"
#include "controls/popupplacement.h"
#include "platform/prompt.h"

namespace {

QString& HelpFileSetting() {
  static QString file;
  return file;
}

QPointer<THelpWindow>& Window() {
  static QPointer<THelpWindow> window;
  return window;
}

QPointer<QLabel>& Popup() {
  static QPointer<QLabel> popup;
  return popup;
}

QUrl UrlOf(const QString& file) {
  if (file.startsWith(QLatin1String(":/")))
    return QUrl(QStringLiteral("qrc") + file);
  return QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath());
}

QString ReadText(const QString& file) {
  QFile in(file);
  return in.open(QIODevice::ReadOnly) ? QString::fromUtf8(in.readAll()) : QString();
}

QString PopupBlock(int context) {
  const QString popups =
      QFileInfo(ApplicationHelpFile()).dir().filePath(QStringLiteral("popups.html"));
  static const QRegularExpression block(
      QStringLiteral("<div class=\"popup\" id=\"ctx(\\d+)\">(.*?)</div>"),
      QRegularExpression::DotMatchesEverythingOption);
  const QString text = ReadText(popups);
  for (auto match = block.globalMatch(text); match.hasNext();) {
    const QRegularExpressionMatch found = match.next();
    if (found.captured(1).toInt() == context)
      return found.captured(2).trimmed();
  }
  return QString();
}

}  // namespace

THelpWindow::THelpWindow() {
  setObjectName(QStringLiteral("THelpWindow"));
  setWindowTitle(QStringLiteral("Quillmarsh - Motor Help"));
  setAttribute(Qt::WA_DeleteOnClose);
  setAttribute(Qt::WA_QuitOnClose, false);  // the program ends with its main window
  auto* column = new QVBoxLayout(this);
  auto* buttons = new QHBoxLayout;
  auto* contents = new QPushButton(QStringLiteral("&Contents"), this);
  contents->setObjectName(QStringLiteral("ContentsButton"));
  auto* back = new QPushButton(QStringLiteral("&Back"), this);
  back->setObjectName(QStringLiteral("BackButton"));
  auto* close = new QPushButton(QStringLiteral("Close"), this);
  close->setObjectName(QStringLiteral("CloseButton"));
  buttons->addWidget(contents);
  buttons->addWidget(back);
  buttons->addStretch(1);
  buttons->addWidget(close);
  browser_ = new QTextBrowser(this);
  browser_->setObjectName(QStringLiteral("HelpTextBrowser"));
  browser_->setOpenExternalLinks(true);
  column->addLayout(buttons);
  column->addWidget(browser_);
  connect(contents, &QPushButton::clicked, this, [this] { browser_->setSource(UrlOf(contents_)); });
  connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
  connect(close, &QPushButton::clicked, this, &QWidget::close);
  back->setEnabled(false);
  resize(640, 520);
}

void THelpWindow::ShowContents(const QString& helpFile) {
  contents_ = helpFile;
  browser_->setSource(UrlOf(helpFile));
}

QString DefaultHelpFile() {
  const QString installed = QDir(QCoreApplication::applicationDirPath())
                                .filePath(QStringLiteral("../share/quillmarsh/help/index.html"));
  if (QFileInfo(installed).isFile())
    return QDir::cleanPath(installed);
  return QStringLiteral(":/help/index.html");
}

void SetApplicationHelpFile(const QString& helpFile) {
  HelpFileSetting() = helpFile;
}

QString ApplicationHelpFile() {
  return HelpFileSetting().isEmpty() ? DefaultHelpFile() : HelpFileSetting();
}

void ShowHelpContents() {
  const QString file = ApplicationHelpFile();
  if (!QFileInfo(file).isFile()) {
    Ask(PromptKind::Error, PromptButtons::Ok,
        QStringLiteral("Unable to open the help file \"%1\".").arg(file));
    return;
  }
  if (!Window())
    Window() = new THelpWindow;
  Window()->ShowContents(file);
  Window()->show();
  Window()->raise();
  Window()->activateWindow();
}

QString HelpPopupText(int context) {
  QString text = PopupBlock(context);
  if (!text.isEmpty())
    return text;
  // The hint lines say what the question wants; better than no help at all.
  QStringList lines;
  if (TTvHintWindow* hints = HintWindow())
    lines = hints->LinesFor(context);
  for (QString& line : lines)
    line = line.toHtmlEscaped();
  return lines.join(QStringLiteral("<br>"));
}

void ShowHelpPopup(int context, const QPoint& globalPosition) {
  const QString text = HelpPopupText(context);
  if (!Popup()) {
    Popup() = new QLabel(nullptr, Qt::Popup | Qt::FramelessWindowHint);
    Popup()->setObjectName(QStringLiteral("HelpPopup"));
    Popup()->setAttribute(Qt::WA_DeleteOnClose);
    Popup()->setWordWrap(true);
    Popup()->setTextFormat(Qt::RichText);
    Popup()->setMargin(8);
    Popup()->setFrameShape(QFrame::Box);
    QPalette colours = Popup()->palette();
    colours.setColor(QPalette::Window, QColor(255, 255, 225));
    Popup()->setPalette(colours);
    Popup()->setAutoFillBackground(true);
  }
  Popup()->setText(text.isEmpty() ? QStringLiteral("No help is available for this item.") : text);
  Popup()->setFixedWidth(360);
  Popup()->adjustSize();
  const QRect screen = ScreenGeometryOf(QApplication::activeWindow());
  Popup()->move(PlaceCalendarPopup(QRect(globalPosition, QSize(0, 0)), Popup()->size(), screen));
  Popup()->show();
}

void QuitHelp() {
  if (Popup())
    Popup()->close();
  if (Window())
    Window()->close();
}

THelpWindow* ExistingHelpWindow() {
  return Window();
}

QLabel* ExistingHelpPopup() {
  return Popup();
}
