// The command line and the first start: a file named on the command line opens through Open,
// and a user without an installation gets the demo installation packaged beside the program,
// once, with a word in the status bar.

#include <QDir>
#include <QFile>
#include <QLabel>

#include "app/launch.h"
#include "app/tests/appfixture.h"

using namespace OptionKeys;

namespace {

// Copies a folder tree.
bool CopyTree(const QString& from, const QString& to) {
  QDir source(from);
  if (!QDir().mkpath(to))
    return false;
  for (const QFileInfo& entry :
       source.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
    const QString target = to + QLatin1Char('/') + entry.fileName();
    if (entry.isDir() ? !CopyTree(entry.filePath(), target)
                      : !QFile::copy(entry.filePath(), target))
      return false;
  }
  return true;
}

}  // namespace

TEST(ProgramArguments, AFileTheCheckOrBothAndNothingElse) {
  EXPECT_TRUE(ParseProgramArguments({}).has_value());
  EXPECT_TRUE(ParseProgramArguments({})->FileName.isEmpty());

  const auto file = ParseProgramArguments({QStringLiteral("quotes/family.PCD")});
  ASSERT_TRUE(file.has_value());
  EXPECT_FALSE(file->QuitWhenIdle);
  EXPECT_EQ(file->FileName, QDir::current().absoluteFilePath(QStringLiteral("quotes/family.PCD")));

  const auto both =
      ParseProgramArguments({QStringLiteral("/tmp/a.PCD"), QStringLiteral("--quit-when-idle")});
  ASSERT_TRUE(both.has_value());
  EXPECT_TRUE(both->QuitWhenIdle);
  EXPECT_EQ(both->FileName, QStringLiteral("/tmp/a.PCD"));

  const auto dashed = ParseProgramArguments({QStringLiteral("--"), QStringLiteral("-odd.PCD")});
  ASSERT_TRUE(dashed.has_value());
  EXPECT_EQ(dashed->FileName, QDir::current().absoluteFilePath(QStringLiteral("-odd.PCD")));

  EXPECT_FALSE(ParseProgramArguments({QStringLiteral("--frobnicate")}));
  EXPECT_FALSE(ParseProgramArguments({QStringLiteral("a.PCD"), QStringLiteral("b.PCD")}));
  EXPECT_FALSE(ParseProgramArguments({QString()}));
}

class FirstStart : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    // A user who has never run the program: no installation in the settings.
    ASSERT_TRUE(store_.DeleteKey(kDictionary));
    ASSERT_TRUE(store_.DeleteKey(kQuoteEngine));
    ASSERT_TRUE(store_.DeleteKey(kHelp));
    // The program as the package installs it: bin/, share/quillmarsh/demo, libexec/quillmarsh.
    ASSERT_TRUE(QDir().mkpath(Bin()));
    ASSERT_TRUE(CopyTree(kDemoFolder, Path("usr/share/quillmarsh/demo")));
    ASSERT_TRUE(QFile::remove(Path("usr/share/quillmarsh/demo/engine/QuoForm1.pif")));
    ASSERT_TRUE(QDir().mkpath(Path("usr/libexec/quillmarsh")));
    ASSERT_TRUE(QFile::copy(kDemoFolder + QStringLiteral("/engine/QuoForm1.pif"),
                            Path("usr/libexec/quillmarsh/QuoForm1.pif")));
  }
  QString Bin() const { return Path("usr/bin"); }
};

TEST_F(FirstStart, InstallsThePackagedDemoOnceAndTheProgramThenStartsOnIt) {
  const QDate today(2026, 3, 14);
  const TFirstStart first = InstallDemoOnFirstStart(Bin(), today);
  EXPECT_FALSE(first.Failed);
  EXPECT_EQ(first.StatusMessage,
            QStringLiteral("The demo installation is ready: sample quotations are in %1")
                .arg(Path("user/samples")));
  EXPECT_TRUE(prompter_->Prompts().isEmpty());
  EXPECT_EQ(store_.ReadText(kDictionary, kDictionaryPath), Path("user/dictionary"));
  EXPECT_EQ(store_.ReadText(kQuoteEngine, kPath), Path("user/engine"));
  EXPECT_EQ(store_.ReadInteger(kQuoteEngine, kExpiryDate), DayNumber(today.addYears(1)));
  EXPECT_TRUE(QFileInfo(Path("user/engine/QuoForm1.pif")).isExecutable());
  EXPECT_TRUE(QFileInfo::exists(Path("user/samples/family.PCD")));

  // Once: the next start finds the installation and says nothing.
  const TFirstStart second = InstallDemoOnFirstStart(Bin(), today.addDays(1));
  EXPECT_FALSE(second.Failed);
  EXPECT_TRUE(second.StatusMessage.isEmpty());
  EXPECT_EQ(store_.ReadInteger(kQuoteEngine, kExpiryDate), DayNumber(today.addYears(1)));

  // The installation it wrote is one the program starts on.
  StartProgramUnits();
}

TEST_F(FirstStart, LeavesAnInstallationAndAProgramWithoutADemoAlone) {
  // A program in a build tree has nothing beside it to install: it starts as before.
  ASSERT_TRUE(QDir().mkpath(Path("build/app")));
  const TFirstStart nothing = InstallDemoOnFirstStart(Path("build/app"), QDate(2026, 3, 14));
  EXPECT_FALSE(nothing.Failed);
  EXPECT_TRUE(nothing.StatusMessage.isEmpty());
  EXPECT_FALSE(store_.ReadText(kDictionary, kDictionaryPath).has_value());

  // A user whose settings name an installation keeps it, even a broken one.
  ASSERT_TRUE(store_.CreateKey(kDictionary));
  ASSERT_TRUE(store_.WriteText(kDictionary, kDictionaryPath, Path("elsewhere")));
  const TFirstStart kept = InstallDemoOnFirstStart(Bin(), QDate(2026, 3, 14));
  EXPECT_FALSE(kept.Failed);
  EXPECT_TRUE(kept.StatusMessage.isEmpty());
  EXPECT_EQ(store_.ReadText(kDictionary, kDictionaryPath), Path("elsewhere"));
  EXPECT_FALSE(QFileInfo::exists(Path("user/dictionary")));
  EXPECT_TRUE(prompter_->Prompts().isEmpty());
}

TEST_F(FirstStart, ADamagedDemoIsReportedAndNothingIsNamed) {
  ASSERT_TRUE(QFile::remove(Path("usr/share/quillmarsh/demo/engine/Choice.Dat")));
  const TFirstStart failed = InstallDemoOnFirstStart(Bin(), QDate(2026, 3, 14));
  EXPECT_TRUE(failed.Failed);
  EXPECT_TRUE(failed.StatusMessage.isEmpty());
  ASSERT_EQ(prompter_->Prompts().size(), 1);
  EXPECT_EQ(prompter_->Prompts()[0].kind, PromptKind::Error);
  EXPECT_EQ(prompter_->Prompts()[0].text,
            QStringLiteral("The demo installation could not be installed for you:\rthe demo "
                           "installation lacks %1")
                .arg(Path("usr/share/quillmarsh/demo/engine/Choice.Dat")));
  EXPECT_FALSE(store_.ReadText(kDictionary, kDictionaryPath).has_value());
}

class StartWithFile : public AppTest {};

TEST_F(StartWithFile, OpensTheFileAsOpenWouldAndThenShowsTheWelcome) {
  StartWindow();
  const QString sample = Sample("family");
  TProgramArguments arguments;
  arguments.FileName = sample;
  FinishStart(*window_, arguments, QStringLiteral("Welcome"));
  EXPECT_EQ(window_->CurrentFileName(), sample);
  EXPECT_EQ(window_->findChild<QLabel*>(QStringLiteral("FileNameStatusPanel"))->text(),
            QStringLiteral("family"));
  EXPECT_EQ(Options()->ReadRecentFile(0), sample);
  EXPECT_EQ(window_->findChild<QLabel*>(QStringLiteral("HintStatusPanel"))->text(),
            QStringLiteral("Welcome"));
  EXPECT_TRUE(prompter_->Prompts().isEmpty());

  // A file that is not a quotation is refused as Open refuses it; the window stays as it was.
  arguments.FileName = Path("missing.PCD");
  FinishStart(*window_, arguments, QString());
  EXPECT_EQ(prompter_->Texts(),
            QStringList{QStringLiteral("Unable to open test case file with errorcode : 1020\r%1: "
                                       "the file does not exist")
                            .arg(QDir::toNativeSeparators(Path("missing.PCD")))});
  EXPECT_EQ(window_->CurrentFileName(), sample);
}
