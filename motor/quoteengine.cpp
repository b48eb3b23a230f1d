// The quote engine's data side (the Data Server with its companions), the engine presence
// check, and starting a program.

#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "dataserver/dsv.h"
#include "motor/getmotordsv.h"
#include "platform/prompt.h"

namespace {

QByteArray FileArgument(const QString& fileName) {
  return QFile::encodeName(fileName);
}

void ShowOpenError(const QString& text) {
  Ask(PromptKind::Error, PromptButtons::Ok, text);
}

// The offset of the third character of the second line: the first line runs to its first CR or
// LF, any run of CR and LF follows, then come the second line's characters. -1 when the file
// ends before that character or cannot be read.
qint64 StampOffset(QFile& file) {
  char c = 0;
  do {
    if (!file.getChar(&c))
      return -1;
  } while (c != '\r' && c != '\n');
  do {
    if (!file.getChar(&c))
      return -1;
  } while (c == '\r' || c == '\n');
  // c is the second line's first character; the second must follow, and the third must exist.
  if (!file.getChar(&c))
    return -1;
  qint64 offset = file.pos();
  if (!file.getChar(&c))
    return -1;
  return offset;
}

// Overwrites the one byte in place: the file is opened without truncation, so a failure leaves
// every other byte as it was.
bool StampChoiceFile(const QString& choiceFile) {
  QFile file(choiceFile);
  if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
    return false;
  qint64 offset = StampOffset(file);
  if (offset < 0)
    return false;
  // The engine expects the drive letter of its folder here. A path on this system has no drive
  // letter; the first character of the upper-cased full name is still what is written ('/'), so
  // the stamp keeps its place and size.
  QString fullName = QFileInfo(choiceFile).absoluteFilePath().toUpper();
  char stamp = fullName.isEmpty() ? '?' : fullName.at(0).toLatin1();
  if (!file.seek(offset) || !file.putChar(stamp) || !file.flush())
    return false;
  file.close();
  return file.error() == QFileDevice::NoError;
}

}  // namespace

DsvStatus OpenQuoteEngine(const TQuoteEngineFiles& files) {
  DsvStatus status = DsvOpen(
      files.applicationNumber, files.dictionaryVersion, FileArgument(files.listsFile).constData(),
      FileArgument(files.structFile).constData(), FileArgument(files.messageFile).constData());
  if (status != 0) {
    ShowOpenError(QStringLiteral("ERROR - Opening Corvane Data Server"));
    return status;
  }
  status = RiOpen(0);
  if (status != 0) {
    ShowOpenError(QStringLiteral("ERROR - Opening Corvane Rules Interpreter"));
    return status;
  }
  // The interchange component's result does not decide whether the program runs.
  if (EdiOpen(files.applicationNumber, files.dictionaryVersion,
              FileArgument(files.ediDefFile).constData(),
              FileArgument(files.ediMapFile).constData()) == 0)
    EdiSetTempFile("~EDITEMP.$$$");
  return status;
}

void CloseQuoteEngine() {
  RiClose();
  DsvClose();
}

bool CheckQuoteEngine(const QString& choiceFile) {
  if (StampChoiceFile(choiceFile))
    return true;
  Ask(PromptKind::Information, PromptButtons::Ok,
      QStringLiteral("The Quote engine cound not be found\rPlease Reinstall the software"));
  // Only this quotation is abandoned: the program, its window and the proposal stay.
  return false;
}

bool RunProgram(const QString& commandLine) {
  QStringList arguments = QProcess::splitCommand(commandLine);
  if (arguments.isEmpty())
    return false;
  QString program = arguments.takeFirst();
  return QProcess::startDetached(program, arguments);
}
