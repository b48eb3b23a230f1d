// quillmarsh-test-session: the real program, its whole start-up order included, driven from
// inside by the crash-recovery tests as a user at the keyboard would drive it:
//
//   quillmarsh-test-session type REPORT [quillmarsh arguments]
//       types answers into the proposer page once the start-up has run, writes "typed" and the
//       boxes asked so far to REPORT, and runs on (the test kills it)
//   quillmarsh-test-session recover REPORT [quillmarsh arguments]
//       answers Yes to the recovery offer, writes what the proposer page and the status bar show
//       to REPORT, then closes the window and answers No to saving
//
// REPORT holds "name=value" lines; a box's "\r" line breaks are written as "|".

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <memory>

#include "app/mainwindow.h"
#include "app/startup.h"
#include "capture/driverdetailspage.h"
#include "capture/proposerpage.h"
#include "controls/kwcomboedit.h"
#include "controls/kwdate.h"
#include "controls/kwedit.h"
#include "controls/numericedit.h"
#include "motor/fieldnames.h"
#include "platform/scriptedprompter.h"
#include "platform/seams.h"

namespace {

template <class Control>
Control* In(QWidget* form, const char* name) {
  return form->findChild<Control*>(QLatin1String(name));
}

void TypeAndTab(QWidget* field, const QString& keys) {
  field->setFocus(Qt::TabFocusReason);
  QTest::keyClicks(field, keys);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
}

void Report(const QString& fileName, const QStringList& lines) {
  QFile file(fileName);
  if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
    file.write((lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
}

QStringList Boxes(const TScriptedPrompter& prompter) {
  QStringList lines;
  for (const QString& text : prompter.Texts())
    lines << QStringLiteral("box=") + QString(text).replace(QLatin1Char('\r'), QLatin1Char('|'));
  return lines;
}

void Type(TTolvaneForm& window) {
  QWidget* page = window.ProposerPage();
  TypeAndTab(In<TKwDate>(page, FieldName::DOBKwDate), QStringLiteral("15061980"));
  TypeAndTab(In<TKwEdit>(page, FieldName::ProposerPostCodeKwEdit), QStringLiteral("bs66ar"));
  TypeAndTab(In<TNumericEdit>(page, DriverField::LicenceYearsNumericEdit), QStringLiteral("10"));
  // The second marital status, typed over the field's text as the user picks it.
  auto* marital = In<TKwComboEdit>(page, FieldName::MaritalStatusKwComboEdit);
  marital->setFocus(Qt::TabFocusReason);
  QTest::keyClick(marital, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(marital, marital->ItemText(1));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
}

QString Marital(QWidget* page) {
  auto* marital = In<TKwComboEdit>(page, FieldName::MaritalStatusKwComboEdit);
  return marital->ItemIndex() < 0 ? QString() : marital->ItemText(marital->ItemIndex());
}

QStringList Shown(TTolvaneForm& window) {
  QWidget* page = window.ProposerPage();
  return {
      QStringLiteral("dob=") + In<TKwDate>(page, FieldName::DOBKwDate)->AsString(),
      QStringLiteral("postcode=") + In<TKwEdit>(page, FieldName::ProposerPostCodeKwEdit)->Text(),
      QStringLiteral("licenceyears=") +
          QString::number(
              In<TNumericEdit>(page, DriverField::LicenceYearsNumericEdit)->AsInteger()),
      QStringLiteral("marital=") + Marital(page),
      QStringLiteral("modified=") +
          window.findChild<QLabel*>(QStringLiteral("ModifiedStatusPanel"))->text(),
      QStringLiteral("file=") +
          window.findChild<QLabel*>(QStringLiteral("FileNameStatusPanel"))->text(),
  };
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3)
    return 64;
  const QString mode = QString::fromLocal8Bit(argv[1]);
  const QString report = QString::fromLocal8Bit(argv[2]);
  // The program sees its own name and the arguments after REPORT.
  std::vector<char*> arguments{argv[0]};
  for (int i = 3; i < argc; ++i)
    arguments.push_back(argv[i]);
  int count = static_cast<int>(arguments.size());
  arguments.push_back(nullptr);

  auto prompter = std::make_shared<TScriptedPrompter>();
  return RunQuillmarsh(count, arguments.data(), [&](TTolvaneForm& window) {
    // After the program's own prompter, so that this one answers.
    TPlatformSeams::Current().prompter = prompter;
    if (mode == QLatin1String("recover")) {
      prompter->QueueAnswer(PromptAnswer::Yes);  // recover
      prompter->QueueAnswer(PromptAnswer::No);   // do not save at the end
    }
    QObject::connect(
        &window, &TTolvaneForm::firstShowFinished, &window, [&window, mode, report, prompter] {
          QTimer::singleShot(0, &window, [&window, mode, report, prompter] {
            QApplication::setActiveWindow(&window);
            (void)QTest::qWaitForWindowActive(&window);
            if (mode == QLatin1String("type")) {
              Type(window);
              Report(report,
                     QStringList{QStringLiteral("typed"),
                                 QStringLiteral("marital=") + Marital(window.ProposerPage())} +
                         Boxes(*prompter));
            } else {
              Report(report, Shown(window) + Boxes(*prompter));
              window.close();
            }
          });
        });
  });
}
