#pragma once
// Quotation tests on the demo installation: the stand-in engines of the engine-run tests put in
// place of the demo engine, prepared results for them, and a script for the modal forms of a
// quotation (each form is answered by a handler for its class; the progress dialog runs its own
// modal loop until the engine answers, unless a test answers it otherwise).

#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <functional>
#include <utility>

#include "app/tests/appfixture.h"
#include "controls/modaldialog.h"
#include "controls/today.h"
#include "motor/tests/enginefiles.h"

inline const QString kTestEngines = QStringLiteral(QM_TEST_ENGINES_DIR);

// Answers every modal form by its class name; records the forms in the order they were run.
class TFormScript {
 public:
  using Handler = std::function<int(QDialog& dialog)>;

  TFormScript()
      : previous_(std::exchange(TControlsSeams::Current().modalDialog,
                                [this](QDialog& dialog) { return Run(dialog); })) {}
  ~TFormScript() { TControlsSeams::Current().modalDialog = previous_; }
  TFormScript(const TFormScript&) = delete;
  TFormScript& operator=(const TFormScript&) = delete;

  void On(const QString& form, Handler handler) { handlers_[form] = std::move(handler); }
  template <class Form>
  void On(std::function<int(Form&)> handler) {
    On(QString::fromLatin1(Form::staticMetaObject.className()),
       [handler](QDialog& dialog) { return handler(static_cast<Form&>(dialog)); });
  }
  const QStringList& Shown() const { return shown_; }
  int Count(const QString& form) const { return static_cast<int>(shown_.count(form)); }

 private:
  int Run(QDialog& dialog) {
    const QString name = QString::fromLatin1(dialog.metaObject()->className());
    shown_.append(name);
    if (handlers_.contains(name))
      return handlers_[name](dialog);
    if (name == QLatin1String("TProgressDlg"))
      return dialog.exec();  // until the engine has answered
    ADD_FAILURE() << "unexpected form " << name.toStdString();
    return QDialog::Rejected;
  }

  QMap<QString, Handler> handlers_;
  QStringList shown_;
  ModalDialogRunner previous_;
};

// Fixes the program's "today" for its lifetime.
class TFixedTodayForQuote {
 public:
  explicit TFixedTodayForQuote(const QDate& date)
      : previous_(std::exchange(TControlsSeams::Current().today, [date] { return date; })) {}
  ~TFixedTodayForQuote() { TControlsSeams::Current().today = previous_; }

 private:
  TodayProvider previous_;
};

class QuoteTest : public AppTest {
 protected:
  QString EngineFolder() const { return QFileInfo(Options()->EngineProgramFile()).absolutePath(); }
  QString EngineFile(const char* name) const {
    return EngineFolder() + QLatin1Char('/') + QLatin1String(name);
  }

  // Puts one of the engine-run tests' stand-in engines in place of the demo engine.
  void InstallTestEngine(const char* script, bool executable = true) {
    const QString program = Options()->EngineProgramFile();
    QFile::remove(program);
    ASSERT_TRUE(QFile::copy(kTestEngines + QLatin1Char('/') + QLatin1String(script), program));
    QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner;
    if (executable)
      permissions |= QFile::ExeOwner;
    QFile::setPermissions(program, permissions);
  }

  // The results the copying engine hands back.
  void PrepareResults(const QList<TTestQuote>& quotes) {
    WriteTestFile(EngineFile("Prepared.001"), ResultsText(quotes));
  }

  static TTestQuote Quote(const QString& plan, const QString& pence, const QString& note = {}) {
    TTestQuote quote;
    quote.plan = plan;
    quote.premium = pence;
    if (!note.isEmpty())
      quote.notes = {{note, QStringLiteral("Reason ") + note}};
    return quote;
  }

  // The process ids the sleeping engine writes down (0 until it has).
  qint64 PidIn(const char* file) const {
    QFile in(EngineFile(file));
    return in.open(QIODevice::ReadOnly) ? in.readAll().trimmed().toLongLong() : 0;
  }
  static bool ProcessGone(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
      return true;
    // A zombie has ended; it only waits for its parent.
    const QList<QByteArray> fields = stat.readAll().split(' ');
    return fields.size() > 2 && fields[2] == "Z";
  }
};
