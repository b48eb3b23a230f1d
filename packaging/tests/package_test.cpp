// The Debian package as a user's machine gets it: built by cpack from the build tree and unpacked
// with dpkg -x into a private root (the fixture in packaging/CMakeLists.txt), then looked at with
// Debian's own tools, and its programs run from that root on a private home.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QMimeDatabase>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include "platform/settingsstore.h"
#include "settings/optionkeys.h"
#include "settings/options.h"

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace {

using namespace OptionKeys;

const QString kPackageDir = QStringLiteral(QM_PACKAGE_DIR);
const QString kAppId = QStringLiteral(QM_APP_ID);
const QString kQuotationType = QStringLiteral("application/x-quillmarsh-quotation");

struct TRun {
  int Status = -1;  // -1: did not start, crashed or timed out
  QString Out;
  QString Errors;
  std::string Describe() const {
    return QStringLiteral("status %1\nstdout:\n%2\nstderr:\n%3")
        .arg(Status)
        .arg(Out, Errors)
        .toStdString();
  }
};

TRun RunProgram(const QString& program, const QStringList& arguments,
                const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
  QProcess process;
  process.setProcessEnvironment(environment);
  process.start(program, arguments);
  TRun run;
  if (!process.waitForFinished(120000)) {
    process.kill();
    process.waitForFinished();
    run.Errors = process.errorString();
    return run;
  }
  if (process.exitStatus() == QProcess::NormalExit)
    run.Status = process.exitCode();
  run.Out = QString::fromUtf8(process.readAllStandardOutput());
  run.Errors = QString::fromUtf8(process.readAllStandardError());
  return run;
}

QStringList Words(const char* list) {
  return QString::fromLatin1(list).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

class DebianPackage : public ::testing::Test {
 protected:
  static QString Deb() { return kPackageDir + QStringLiteral("/package.deb"); }
  // A path inside the unpacked package, "usr/bin/quillmarsh".
  static QString Installed(const QString& path) {
    return kPackageDir + QStringLiteral("/root/") + path;
  }
  static QString DesktopEntry() {
    return Installed(QStringLiteral("usr/share/applications/%1.desktop").arg(kAppId));
  }
  static QString Field(const QString& name) {
    return RunProgram(QStringLiteral("dpkg-deb"), {QStringLiteral("-f"), Deb(), name})
        .Out.trimmed();
  }
  // The keys of the desktop entry's [Desktop Entry] group.
  static QMap<QString, QString> DesktopKeys() {
    QFile file(DesktopEntry());
    QMap<QString, QString> keys;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
      return keys;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
      const int equals = line.indexOf(QLatin1Char('='));
      if (equals > 0)
        keys.insert(line.left(equals), line.mid(equals + 1));
    }
    return keys;
  }
};

// The programs run from the unpacked package as a user with an empty home and no display.
class InstalledPrograms : public DebianPackage {
 protected:
  void SetUp() override {
    ASSERT_TRUE(home_.isValid());
    QDir().mkpath(Home("runtime"));
    environment_ = QProcessEnvironment::systemEnvironment();
    environment_.insert(QStringLiteral("HOME"), home_.path());
    environment_.insert(QStringLiteral("XDG_CONFIG_HOME"), Home("config"));
    environment_.insert(QStringLiteral("XDG_DATA_HOME"), Home("data"));
    environment_.insert(QStringLiteral("XDG_RUNTIME_DIR"), Home("runtime"));
    environment_.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment_.remove(QStringLiteral("DISPLAY"));
    environment_.remove(QStringLiteral("WAYLAND_DISPLAY"));
    // This process reads the same settings the programs write.
    SetSettingsFolder(Home("config"));
  }
  void TearDown() override { SetSettingsFolder(QString()); }

  QString Home(const char* path) const { return home_.filePath(QLatin1String(path)); }
  QString UserFolder() const { return Home("data/Quillmarsh/PrivateMotor"); }
  TRun RunInstalled(const char* program, const QStringList& arguments) const {
    return RunProgram(Installed(QStringLiteral("usr/bin/") + QLatin1String(program)), arguments,
                      environment_);
  }

  QTemporaryDir home_;
  QProcessEnvironment environment_;
  TSettingsStore store_;
};

}  // namespace

TEST_F(DebianPackage, ControlFieldsNameThePackageAndTheLibrariesItNeeds) {
  EXPECT_EQ(Field(QStringLiteral("Package")), QStringLiteral(QM_PACKAGE_NAME));
  EXPECT_EQ(Field(QStringLiteral("Version")), QStringLiteral(QM_PACKAGE_VERSION "-1"));
  EXPECT_EQ(Field(QStringLiteral("Section")), QStringLiteral("misc"));
  EXPECT_TRUE(Field(QStringLiteral("Maintainer")).endsWith(QStringLiteral("@quillmarsh.example>")));
  EXPECT_TRUE(Field(QStringLiteral("Description"))
                  .startsWith(QStringLiteral("motor insurance quotation client\n")));
  // Computed from the binaries by dpkg-shlibdeps.
  const QString depends = Field(QStringLiteral("Depends"));
  for (const char* library :
       {"libc6", "libstdc++6", "libqt6core6", "libqt6gui6", "libqt6widgets6", "libqt6svg6",
        "libqt6keychain1", "libqt6network6"})
    EXPECT_TRUE(depends.contains(
        QRegularExpression(QStringLiteral("(^|, )%1 \\(>= [0-9.]+\\)")
                               .arg(QRegularExpression::escape(QLatin1String(library))))))
        << library << " missing from " << depends.toStdString();
  // The menu, icon and file-type caches are Debian's triggers' work: no maintainer scripts,
  // nothing for apt-get remove to leave behind.
  const TRun info = RunProgram(QStringLiteral("dpkg-deb"), {QStringLiteral("--info"), Deb()});
  ASSERT_EQ(info.Status, 0) << info.Describe();
  for (const char* script : {"preinst", "postinst", "prerm", "postrm", "conffiles"})
    EXPECT_FALSE(info.Out.contains(QLatin1String(script))) << script;
}

TEST_F(DebianPackage, HoldsTheProgramsTheEngineTheDemoAndTheHelpUnderUsr) {
  EXPECT_EQ(QDir(kPackageDir + QStringLiteral("/root"))
                .entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
            QStringList{QStringLiteral("usr")});
  for (const char* program :
       {"usr/bin/quillmarsh", "usr/bin/quillmarsh-cli", "usr/bin/dictc", "usr/bin/dsvdump",
        "usr/bin/qm-install-demo", "usr/libexec/quillmarsh/QuoForm1.pif"})
    EXPECT_TRUE(QFileInfo(Installed(QLatin1String(program))).isExecutable()) << program;
  for (const char* file :
       {"usr/bin/TTHelp.dat", "usr/share/quillmarsh/demo/TTHelp.dat",
        "usr/share/quillmarsh/demo/dictionary/Struct.BIN",
        "usr/share/quillmarsh/demo/dictionary/Lists.BIN",
        "usr/share/quillmarsh/demo/dictionary/Exports.BIN",
        "usr/share/quillmarsh/demo/engine/PlanName.Dat",
        "usr/share/quillmarsh/demo/engine/Choice.Dat",
        "usr/share/quillmarsh/demo/engine/OccupMap.bin",
        "usr/share/quillmarsh/demo/samples/family.PCD", "usr/share/quillmarsh/help/index.html",
        "usr/lib/quillmarsh/plugins/quillmarsh-mail.so",
        "usr/share/doc/" QM_PACKAGE_NAME "/copyright"})
    EXPECT_TRUE(QFileInfo(Installed(QLatin1String(file))).isFile()) << file;
  // Stripped: the build tree's debugging information stays out of the package.
  const TRun file =
      RunProgram(QStringLiteral("file"), {Installed(QStringLiteral("usr/bin/quillmarsh"))});
  EXPECT_TRUE(file.Out.contains(QStringLiteral(", stripped"))) << file.Describe();
}

TEST_F(DebianPackage, TheDesktopEntryIsValidAndStartsTheProgramOnAQuotation) {
  const TRun validate = RunProgram(QStringLiteral("desktop-file-validate"), {DesktopEntry()});
  EXPECT_EQ(validate.Status, 0) << validate.Describe();
  EXPECT_EQ(validate.Out + validate.Errors, QString()) << validate.Describe();

  const QMap<QString, QString> keys = DesktopKeys();
  EXPECT_EQ(keys.value(QStringLiteral("Name")), QStringLiteral("Quillmarsh Motor"));
  EXPECT_FALSE(keys.value(QStringLiteral("GenericName")).isEmpty());
  EXPECT_EQ(keys.value(QStringLiteral("Categories")), QStringLiteral("Office;Finance;"));
  EXPECT_EQ(keys.value(QStringLiteral("Exec")), QStringLiteral("quillmarsh %f"));
  EXPECT_TRUE(
      QFileInfo(Installed(QStringLiteral("usr/bin/") + keys.value(QStringLiteral("TryExec"))))
          .isExecutable());
  EXPECT_EQ(keys.value(QStringLiteral("Icon")), kAppId);
  EXPECT_EQ(keys.value(QStringLiteral("MimeType")), kQuotationType + QLatin1Char(';'));
}

TEST_F(DebianPackage, TheIconIsInTheHicolorThemeAsSvgAndInEveryPngSize) {
  const QString theme = Installed(QStringLiteral("usr/share/icons/hicolor/"));
  EXPECT_TRUE(QFileInfo(theme + QStringLiteral("scalable/apps/%1.svg").arg(kAppId)).isFile());
  const QStringList sizes = Words(QM_ICON_SIZES);
  ASSERT_FALSE(sizes.isEmpty());
  for (const QString& size : sizes) {
    const QString name = theme + QStringLiteral("%1x%1/apps/%2.png").arg(size, kAppId);
    QImage icon(name);
    ASSERT_FALSE(icon.isNull()) << name.toStdString();
    EXPECT_EQ(icon.size(), QSize(size.toInt(), size.toInt())) << name.toStdString();
    // Drawn: the centre is opaque, the corners (outside the rounded square) transparent.
    EXPECT_EQ(qAlpha(icon.pixel(icon.width() / 2, icon.height() / 2)), 255) << size.toStdString();
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << size.toStdString();
  }
}

TEST_F(DebianPackage, TheMetadataIsAcceptedByAppStreamAndNamesThisRelease) {
  const QString metainfo =
      Installed(QStringLiteral("usr/share/metainfo/%1.metainfo.xml").arg(kAppId));
  const TRun validate = RunProgram(QStringLiteral("appstreamcli"),
                                   {QStringLiteral("validate"), QStringLiteral("--no-net"),
                                    QStringLiteral("--explain"), metainfo});
  EXPECT_EQ(validate.Status, 0) << validate.Describe();

  QFile file(metainfo);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QXmlStreamReader xml(&file);
  QString id, launchable, firstRelease;
  QStringList mediaTypes;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement)
      continue;
    if (xml.name() == QLatin1String("id"))
      id = xml.readElementText();
    else if (xml.name() == QLatin1String("launchable"))
      launchable = xml.readElementText();
    else if (xml.name() == QLatin1String("mediatype"))
      mediaTypes << xml.readElementText();
    else if (xml.name() == QLatin1String("release") && firstRelease.isEmpty())
      firstRelease = xml.attributes().value(QLatin1String("version")).toString();
  }
  ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  EXPECT_EQ(id, kAppId);
  EXPECT_EQ(launchable, kAppId + QStringLiteral(".desktop"));
  EXPECT_EQ(mediaTypes, QStringList{kQuotationType});
  // The newest release stands first; a new version of the project needs its entry.
  EXPECT_EQ(firstRelease, QStringLiteral(QM_PACKAGE_VERSION));
}

TEST_F(DebianPackage, QuotationFilesAreInsuranceQuotationsByNameAndByContent) {
  // The package's type beside the system's own (which gives "*.pcd" to Photo CD images), in a
  // database of this test's own.
  QTemporaryDir share;
  ASSERT_TRUE(share.isValid());
  const QString packages = share.filePath(QStringLiteral("mime/packages"));
  ASSERT_TRUE(QDir().mkpath(packages));
  ASSERT_TRUE(
      QFile::copy(Installed(QStringLiteral("usr/share/mime/packages/" QM_PACKAGE_NAME ".xml")),
                  packages + QStringLiteral("/" QM_PACKAGE_NAME ".xml")));
  ASSERT_TRUE(QFile::copy(QStringLiteral("/usr/share/mime/packages/freedesktop.org.xml"),
                          packages + QStringLiteral("/freedesktop.org.xml")));
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("XDG_DATA_DIRS"), share.path());
  environment.insert(QStringLiteral("PKGSYSTEM_ENABLE_FSYNC"),
                     QStringLiteral("0"));  // a scratch copy
  const TRun update =
      RunProgram(QStringLiteral("update-mime-database"),
                 {QStringLiteral("-n"), share.filePath(QStringLiteral("mime"))}, environment);
  ASSERT_EQ(update.Status, 0) << update.Describe();
  EXPECT_EQ(update.Errors, QString()) << update.Describe();

  // Before the first look-up, which reads the database once.
  qputenv("XDG_DATA_DIRS", share.path().toLocal8Bit());
  qputenv("XDG_DATA_HOME", share.filePath(QStringLiteral("none")).toLocal8Bit());
  QMimeDatabase database;
  const QString sample = Installed(QStringLiteral("usr/share/quillmarsh/demo/samples/family.PCD"));
  const QMimeType type = database.mimeTypeForFile(sample);
  EXPECT_EQ(type.name(), kQuotationType);
  EXPECT_EQ(type.comment(), QStringLiteral("Insurance Quotation"));
  EXPECT_TRUE(type.globPatterns().contains(QStringLiteral("*.pcd")));
  // A quotation under another name is still one.
  const QString renamed = share.filePath(QStringLiteral("family"));
  ASSERT_TRUE(QFile::copy(sample, renamed));
  EXPECT_EQ(database.mimeTypeForFile(renamed).name(), kQuotationType);
}

TEST_F(DebianPackage, EveryManualPageRendersWithoutAWarning) {
  for (const QString& page : Words(QM_MAN_PAGES)) {
    const QString file = Installed(QStringLiteral("usr/share/man/man1/%1.1.gz").arg(page));
    ASSERT_TRUE(QFileInfo(file).isFile()) << file.toStdString();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("MANWIDTH"), QStringLiteral("80"));
    environment.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    const TRun man =
        RunProgram(QStringLiteral("man"),
                   {QStringLiteral("--warnings"), QStringLiteral("-l"), file}, environment);
    EXPECT_EQ(man.Status, 0) << man.Describe();
    EXPECT_EQ(man.Errors, QString()) << man.Describe();
    EXPECT_TRUE(man.Out.contains(QStringLiteral("SYNOPSIS"))) << man.Describe();
    EXPECT_TRUE(man.Out.contains(QStringLiteral("Quillmarsh Motor " QM_PACKAGE_VERSION)))
        << man.Describe();
    // mandb's whatis line, which apropos searches: "page - what it does".
    const TRun whatis = RunProgram(QStringLiteral("lexgrog"), {file});
    EXPECT_EQ(whatis.Status, 0) << whatis.Describe();
    EXPECT_TRUE(whatis.Out.contains(QStringLiteral("\"%1 - ").arg(page))) << whatis.Describe();
  }
}

TEST_F(InstalledPrograms, TheCommandLineQuotesTheInstalledDemo) {
  const TRun install = RunInstalled("qm-install-demo", {});
  ASSERT_EQ(install.Status, 0) << install.Describe();
  EXPECT_EQ(store_.ReadText(kDictionary, kDictionaryPath),
            UserFolder() + QStringLiteral("/dictionary"));

  const QString samples = UserFolder() + QStringLiteral("/samples/");
  const TRun quote = RunInstalled(
      "quillmarsh-cli", {QStringLiteral("quote"), samples + QStringLiteral("family.PCD")});
  EXPECT_EQ(quote.Status, 0) << quote.Describe();
  EXPECT_TRUE(quote.Out.contains(QStringLiteral("Harrowgate Mutual"))) << quote.Describe();
  const TRun declined = RunInstalled(
      "quillmarsh-cli", {QStringLiteral("quote"), samples + QStringLiteral("declined-by-all.PCD")});
  EXPECT_EQ(declined.Status, 8) << declined.Describe();

  const TRun dump = RunInstalled(
      "dsvdump", {QStringLiteral("--dictionary"), UserFolder() + QStringLiteral("/dictionary"),
                  samples + QStringLiteral("family.PCD")});
  EXPECT_EQ(dump.Status, 0) << dump.Describe();
  EXPECT_TRUE(dump.Out.contains(QStringLiteral("Tolvane"))) << dump.Describe();
}

TEST_F(InstalledPrograms, TheFirstStartInstallsTheDemoAndOpensTheQuotationGiven) {
  const QString sample = Installed(QStringLiteral("usr/share/quillmarsh/demo/samples/family.PCD"));
  const TRun first = RunInstalled("quillmarsh", {QStringLiteral("--quit-when-idle"), sample});
  // The new user is shown "Getting Started", which the start-up check cannot answer; nothing else
  // stands in the way.
  EXPECT_EQ(first.Status, 2) << first.Describe();
  const QStringList unanswered =
      first.Errors.split(QLatin1Char('\n')).filter(QStringLiteral("unanswered"));
  EXPECT_EQ(unanswered, QStringList{QStringLiteral("quillmarsh: unanswered: form Getting Started")})
      << first.Describe();
  EXPECT_EQ(store_.ReadText(kDictionary, kDictionaryPath),
            UserFolder() + QStringLiteral("/dictionary"));
  EXPECT_EQ(store_.ReadText(kQuoteEngine, kPath), UserFolder() + QStringLiteral("/engine"));
  EXPECT_TRUE(QFileInfo(UserFolder() + QStringLiteral("/engine/QuoForm1.pif")).isExecutable());
  EXPECT_EQ(TOptions().ReadRecentFile(0), sample);

  // The user ticked "Don't show this at startup"; the next start is clean.
  ASSERT_TRUE(store_.WriteText(kHelp, kShowFirstHelp, kNo));
  const TRun second = RunInstalled("quillmarsh", {QStringLiteral("--quit-when-idle")});
  EXPECT_EQ(second.Status, 0) << second.Describe();
}
