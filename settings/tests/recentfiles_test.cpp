// The recent-file list of up to four slots lettered "a" to "d".

#include "settings/tests/optionsfixture.h"

namespace {

class RecentFilesTest : public OptionsTest {
 protected:
  QStringList Listed() {
    QStringList names;
    for (int i = 0;; ++i) {
      QString name = options().ReadRecentFile(i);
      if (name.isEmpty())
        return names;
      names.append(name);
    }
  }
  QString Header() { return store_.ReadText("\\MRUList", "Header").value_or("<none>"); }
};

TEST_F(RecentFilesTest, SlotsAreFilledFromAOnwardsMostRecentFirst) {
  options().StoreRecentFile("/q/one.PCD");
  EXPECT_EQ(Header(), "a");
  options().StoreRecentFile("/q/two.PCD");
  options().StoreRecentFile("/q/three.PCD");
  options().StoreRecentFile("/q/four.PCD");
  EXPECT_EQ(Header(), "dcba");
  EXPECT_EQ(store_.ReadText("\\MRUList", "a"), QString("/q/one.PCD"));
  EXPECT_EQ(store_.ReadText("\\MRUList", "d"), QString("/q/four.PCD"));
  EXPECT_EQ(Listed(), QStringList({"/q/four.PCD", "/q/three.PCD", "/q/two.PCD", "/q/one.PCD"}));
}

TEST_F(RecentFilesTest, AFifthFileReusesTheSlotOfTheLeastRecent) {
  for (const char* name : {"/q/1.PCD", "/q/2.PCD", "/q/3.PCD", "/q/4.PCD", "/q/5.PCD"})
    options().StoreRecentFile(name);
  EXPECT_EQ(Header(), "adcb");
  EXPECT_EQ(store_.ReadText("\\MRUList", "a"), QString("/q/5.PCD"));
  EXPECT_EQ(Listed(), QStringList({"/q/5.PCD", "/q/4.PCD", "/q/3.PCD", "/q/2.PCD"}));
  options().StoreRecentFile("/q/6.PCD");
  EXPECT_EQ(Header(), "badc");
  EXPECT_EQ(Listed(), QStringList({"/q/6.PCD", "/q/5.PCD", "/q/4.PCD", "/q/3.PCD"}));
}

TEST_F(RecentFilesTest, AFileAlreadyListedOnlyMovesToTheFront) {
  for (const char* name : {"/q/1.PCD", "/q/2.PCD", "/q/3.PCD"})
    options().StoreRecentFile(name);
  EXPECT_EQ(Header(), "cba");
  options().StoreRecentFile("/q/2.PCD");
  EXPECT_EQ(Header(), "bca");
  EXPECT_EQ(Listed(), QStringList({"/q/2.PCD", "/q/3.PCD", "/q/1.PCD"}));
  EXPECT_EQ(store_.ValueNames("\\MRUList").size(), 4);  // Header and three slots
}

TEST_F(RecentFilesTest, NamesAreComparedWithRegardToCase) {
  options().StoreRecentFile("/q/Quote.PCD");
  options().StoreRecentFile("/q/quote.pcd");
  EXPECT_EQ(Listed(), QStringList({"/q/quote.pcd", "/q/Quote.PCD"}));
}

TEST_F(RecentFilesTest, IndexesAtOrBeyondTheHeaderGiveEmpty) {
  options().StoreRecentFile("/q/1.PCD");
  options().StoreRecentFile("/q/2.PCD");
  EXPECT_EQ(options().ReadRecentFile(1), "/q/1.PCD");
  EXPECT_EQ(options().ReadRecentFile(2), "");
  EXPECT_EQ(options().ReadRecentFile(7), "");
  EXPECT_EQ(options().ReadRecentFile(-1), "");
}

TEST_F(RecentFilesTest, AnUnreadableSlotIsSkippedWhenLookingForTheName) {
  InstallText("\\MRUList", "Header", "ba");
  InstallText("\\MRUList", "a", "/q/1.PCD");
  InstallInteger("\\MRUList", "b", 3);
  options().StoreRecentFile("/q/1.PCD");
  EXPECT_EQ(Header(), "ab");
  EXPECT_EQ(options().ReadRecentFile(0), "/q/1.PCD");
  EXPECT_EQ(options().ReadRecentFile(1), "");
}

}  // namespace
