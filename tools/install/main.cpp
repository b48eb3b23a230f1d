// qm-install-demo: installs the demo installation for the current user.
//
//   qm-install-demo [--force] [--source DIR] [--target DIR] [--program-dir DIR]
//
// --source     the demo files (dictionary/, engine/, TTHelp.dat, samples/); default
//              share/quillmarsh/demo beside this program, else the build tree's demo folder
// --target     the user's folder for them; default the user's data folder
// --program-dir where the program looks for TTHelp.dat; default this program's own folder
// --force      replace an existing installation's settings
//
// Exit status: 0 installed, 1 failed, 3 an installation exists (nothing changed), 64 usage.

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

#include "platform/userdatafolder.h"
#include "tools/install/demoinstaller.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTextStream out(stdout), err(stderr);
  TDemoInstallRequest request;
  request.Today = QDate::currentDate();
  request.ProgramFolder = QCoreApplication::applicationDirPath();
  QString source;
  const QStringList args = app.arguments().mid(1);
  for (int i = 0; i < args.size(); ++i) {
    const QString& arg = args[i];
    bool hasValue = i + 1 < args.size();
    if (arg == QLatin1String("--force"))
      request.Force = true;
    else if (arg == QLatin1String("--source") && hasValue)
      source = args[++i];
    else if (arg == QLatin1String("--target") && hasValue)
      request.Target = args[++i];
    else if (arg == QLatin1String("--program-dir") && hasValue)
      request.ProgramFolder = args[++i];
    else {
      err << "usage: qm-install-demo [--force] [--source DIR] [--target DIR] [--program-dir DIR]\n";
      return 64;
    }
  }
  const QString programFolder = QCoreApplication::applicationDirPath();
  if (!source.isEmpty()) {
    request.Source = source;
    request.EngineProgram = QDir(source).filePath(QStringLiteral("engine/QuoForm1.pif"));
    // A packaged source keeps the engine program under libexec.
    if (!QFileInfo(request.EngineProgram).isFile())
      request.EngineProgram = QDir::cleanPath(
          QDir(programFolder)
              .absoluteFilePath(QStringLiteral("../libexec/quillmarsh/QuoForm1.pif")));
  } else if (!FindDemoSource(programFolder, QStringLiteral(QM_BUILD_DEMO_DIR), request)) {
    err << "qm-install-demo: cannot find the demo files; give --source\n";
    return 1;
  }
  if (request.Target.isEmpty())
    request.Target = UserDataFolder();
  if (request.Target.isEmpty()) {
    err << "qm-install-demo: cannot create the user's data folder\n";
    return 1;
  }

  TDemoInstallResult result = InstallDemo(request);
  QTextStream& report = result.Outcome == TDemoInstallOutcome::Installed ? out : err;
  for (const QString& line : result.Lines)
    report << line << "\n";
  switch (result.Outcome) {
    case TDemoInstallOutcome::Installed:
      return 0;
    case TDemoInstallOutcome::AlreadyInstalled:
      return 3;
    default:
      return 1;
  }
}
