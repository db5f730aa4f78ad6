// The launch entry list: naming, append, remove and load, against real files.
#include "settings/launchlist.h"

#include "settings/errors.h"
#include "testutil.h"

#include <gtest/gtest.h>

using settings::EntryName;
using settings::LaunchList;
using settings::SettingsStore;

namespace {

TEST(EntryName, Table) {
    struct Case {
        const char* path;
        bool isFile;
        const char* name;
    };
    const Case cases[] = {
        {"/home/me/Tools/edit.sh", true, "edit.sh"},
        {"/home/me/Photos", false, "[Photos]"},
        {"/", false, "[/]"},
        {"/home/me/Photos/", false, "[/home/me/Photos/]"},
        {"report.txt", true, "report.txt"},
        {"/data/a\\b:c.txt", true, "a\\b:c.txt"},  // '\' and ':' are ordinary characters here
        {"/home/me/ソフト/表.txt", true, "表.txt"},
        {"/home/me/デスクトップ", false, "[デスクトップ]"},
        {"", true, ""},
        {"", false, "[]"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EntryName(c.path, c.isFile), c.name) << c.path;
}

class LaunchListTest : public ::testing::Test {
  protected:
    void SetUp() override { store_ = std::make_unique<SettingsStore>(dir_.File("Hopscoot.ini")); }
    std::string File() const { return testutil::ReadFile(store_->Path()); }
    void Seed(const std::string& bytes) { testutil::WriteFile(store_->Path(), bytes); }

    testutil::TempDir dir_;
    std::unique_ptr<SettingsStore> store_;
};

const char kThree[] =
    "[BUTTON]\ncount=3\n"
    "[OnClick]\nBTN1=/a/one\nBTN2=/a/two\nBTN3=/a/three\n"
    "[Button_Name]\nBTN1=one\nBTN2=two\nBTN3=three\n";

TEST_F(LaunchListTest, FirstRunGivesTheExpectedFile) {
    LaunchList list(*store_);
    settings::PositionSave(*store_, 120, 300);
    auto first = list.Append("/home/me/Tools/edit.sh", true);
    settings::PositionSave(*store_, 120, 300);
    auto second = list.Append("/home/me/Photos", false);
    EXPECT_EQ(first.number, 1);
    EXPECT_EQ(first.name, "edit.sh");
    EXPECT_EQ(second.number, 2);
    EXPECT_EQ(second.name, "[Photos]");
    EXPECT_EQ(File(), testutil::Fixture("first-run.ini"));
}

TEST_F(LaunchListTest, AppendToEmpty) {
    LaunchList(*store_).Append("/x/y.txt", true);
    EXPECT_EQ(File(), "[BUTTON]\ncount=1\n[OnClick]\nBTN1=/x/y.txt\n[Button_Name]\nBTN1=y.txt\n");
}

TEST_F(LaunchListTest, AppendTreatsANegativeCountAsEmpty) {
    Seed("[BUTTON]\ncount=-5\n");
    auto added = LaunchList(*store_).Append("/x/y.txt", true);
    EXPECT_EQ(added.number, 1);
    EXPECT_EQ(LaunchList(*store_).Load(1000).count, 1);
}

TEST_F(LaunchListTest, RemoveCases) {
    struct Case {
        const char* name;
        const char* before;
        int k;
        const char* after;
    };
    const Case cases[] = {
        {"second of three", kThree, 2,
         "[BUTTON]\ncount=2\n"
         "[OnClick]\nBTN1=/a/one\nBTN2=/a/three\nBTN3=\n"
         "[Button_Name]\nBTN1=one\nBTN2=three\nBTN3=\n"},
        {"last of three", kThree, 3,
         "[BUTTON]\ncount=2\n"
         "[OnClick]\nBTN1=/a/one\nBTN2=/a/two\nBTN3=\n"
         "[Button_Name]\nBTN1=one\nBTN2=two\nBTN3=\n"},
        {"only one", "[BUTTON]\ncount=1\n[OnClick]\nBTN1=/a\n[Button_Name]\nBTN1=[a]\n", 1,
         "[BUTTON]\ncount=0\n[OnClick]\nBTN1=\n[Button_Name]\nBTN1=\n"},
        {"beyond the count changes nothing", kThree, 4, kThree},
        {"zero changes nothing", kThree, 0, kThree},
        {"count larger than the keys", "[BUTTON]\ncount=4\n[OnClick]\nBTN1=/a\nBTN2=/b\n", 1,
         "[BUTTON]\ncount=3\n[OnClick]\nBTN1=/b\nBTN2=\n[Button_Name]\nBTN1=\nBTN2=\n"},
    };
    for (const Case& c : cases) {
        Seed(c.before);
        LaunchList(*store_).Remove(c.k);
        EXPECT_EQ(File(), c.after) << c.name;
    }
}

TEST_F(LaunchListTest, RemoveWithAnAbsurdCountStopsAtTheKeysPresent) {
    Seed(
        "[BUTTON]\ncount=2147483647\n[OnClick]\nBTN1=/a\nBTN2=/b\n[Button_Name]\nBTN1=a\nBTN2=b\n");
    LaunchList(*store_).Remove(1);  // would run for hours if it walked up to the count
    EXPECT_EQ(File(),
              "[BUTTON]\ncount=2147483646\n[OnClick]\nBTN1=/b\nBTN2=\n[Button_Name]\nBTN1=b\n"
              "BTN2=\n");
}

TEST_F(LaunchListTest, LoadListsUpToTheLimit) {
    Seed(kThree);
    auto all = LaunchList(*store_).Load(1000);
    ASSERT_EQ(all.entries.size(), 3u);
    EXPECT_EQ(all.entries[2].key, "BTN3");
    EXPECT_EQ(all.entries[2].target, "/a/three");
    EXPECT_EQ(all.entries[2].name, "three");
    auto two = LaunchList(*store_).Load(2);
    EXPECT_EQ(two.count, 3);
    EXPECT_EQ(two.entries.size(), 2u);

    Seed("[BUTTON]\ncount=2147483647\n");
    EXPECT_EQ(LaunchList(*store_).Load(1000).entries.size(), 1000u);
    Seed("[BUTTON]\ncount=-3\n");
    EXPECT_TRUE(LaunchList(*store_).Load(1000).entries.empty());
}

TEST_F(LaunchListTest, TargetOfFollowsHandEdits) {
    Seed(kThree);
    LaunchList list(*store_);
    EXPECT_EQ(list.TargetOf("BTN2"), "/a/two");
    Seed("[OnClick]\nbtn2=/edited\n");
    EXPECT_EQ(list.TargetOf("BTN2"), "/edited");
    EXPECT_EQ(list.TargetOf("BTN9"), "");
}

TEST_F(LaunchListTest, AnUnstorablePathIsRefusedAndWritesNothing) {
    Seed(kThree);
    LaunchList list(*store_);
    try {
        list.Append("/tmp/evil\n[BUTTON]\ncount=999", true);
        FAIL() << "no error";
    } catch (const settings::WriteError& e) {
        EXPECT_EQ(std::string(e.what()), store_->Path() + " に書き込めません");
    }
    EXPECT_EQ(File(), kThree);
}

}  // namespace
