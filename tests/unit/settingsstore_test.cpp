// The settings file on disk: creation and its errors, refused writes, what a replacement keeps.
#include "settings/settingsstore.h"

#include "settings/errors.h"
#include "settings/launchlist.h"
#include "testutil.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>

using settings::SettingsStore;
namespace fs = std::filesystem;

namespace {

TEST(SettingsPath, IsBesideTheExecutable) {
    std::string exe = fs::read_symlink("/proc/self/exe").string();
    std::string folder = exe.substr(0, exe.rfind('/') + 1);
    EXPECT_EQ(settings::SettingsPath(), folder + "Hopscoot.ini");
}

TEST(EnsureExists, CreatesAnEmptyFileAndKeepsAnExistingOne) {
    testutil::TempDir dir;
    SettingsStore store(dir.File("Hopscoot.ini"));
    store.EnsureExists();
    EXPECT_TRUE(fs::is_regular_file(store.Path()));
    EXPECT_EQ(fs::file_size(store.Path()), 0u);
    testutil::WriteFile(store.Path(), "[BUTTON]\ncount=1\n");
    store.EnsureExists();
    EXPECT_EQ(testutil::ReadFile(store.Path()), "[BUTTON]\ncount=1\n");
}

// What the user reads for each reason the empty file cannot be made.
std::string CreationFailure(const std::function<void(const testutil::TempDir&)>& arrange,
                            const std::string& name, bool asNobody = false, int fileLimit = 0) {
    testutil::TempDir dir;
    arrange(dir);
    std::string path = dir.File(name);
    std::string out = dir.File("message");
    int code = testutil::RunInChild([&] {
        if (asNobody && !testutil::DropRoot()) return 3;
        if (fileLimit) {
            rlimit lim{static_cast<rlim_t>(fileLimit), static_cast<rlim_t>(fileLimit)};
            ::setrlimit(RLIMIT_NOFILE, &lim);
        }
        try {
            SettingsStore(path).EnsureExists();
        } catch (const settings::CreateError& e) {
            std::string text = e.what();
            // The message goes back through a pipe-free channel: the exit code indexes it.
            if (text == "ファイルが見つかりません") return 12;
            if (text == "不正なファイル名です") return 13;
            if (text == "オープンしたファイルが多すぎます") return 14;
            if (text == "ファイルへのアクセスが拒否されました") return 15;
            return 20;
        }
        return 0;
    });
    switch (code) {
        case 12:
            return "ファイルが見つかりません";
        case 13:
            return "不正なファイル名です";
        case 14:
            return "オープンしたファイルが多すぎます";
        case 15:
            return "ファイルへのアクセスが拒否されました";
        case 0:
            return "created";
        default:
            return "exit " + std::to_string(code);
    }
}

TEST(EnsureExists, EachCauseGivesItsText) {
    auto nothing = [](const testutil::TempDir&) {};
    EXPECT_EQ(CreationFailure(nothing, "Hopscoot.ini"), "created");
    EXPECT_EQ(CreationFailure(nothing, "missing/Hopscoot.ini"), "不正なファイル名です");
    EXPECT_EQ(CreationFailure(
                  [](const testutil::TempDir& d) {
                      fs::create_symlink(d.File("gone/elsewhere.ini"), d.File("Hopscoot.ini"));
                  },
                  "Hopscoot.ini"),
              "ファイルが見つかりません");
    EXPECT_EQ(CreationFailure(
                  [](const testutil::TempDir& d) { fs::create_directory(d.File("Hopscoot.ini")); },
                  "Hopscoot.ini"),
              "ファイルへのアクセスが拒否されました");
    EXPECT_EQ(CreationFailure(
                  [](const testutil::TempDir& d) { fs::permissions(d.path(), fs::perms(0555)); },
                  "Hopscoot.ini", /*asNobody=*/true),
              "ファイルへのアクセスが拒否されました");
#ifndef __SANITIZE_ADDRESS__  // the sanitizer runtime itself needs free descriptors
    EXPECT_EQ(CreationFailure(nothing, "Hopscoot.ini", false, /*fileLimit=*/3),
              "オープンしたファイルが多すぎます");
#endif
}

TEST(EnsureExists, ErrnoMapsToTheClassicCodes) {
    struct Case {
        int err, code;
        const char* text;
    };
    const Case cases[] = {
        {ENOENT, 3, "不正なファイル名です"},
        {ENAMETOOLONG, 3, "不正なファイル名です"},
        {EMFILE, 4, "オープンしたファイルが多すぎます"},
        {ENFILE, 4, "オープンしたファイルが多すぎます"},
        {EACCES, 5, "ファイルへのアクセスが拒否されました"},
        {EROFS, 5, "ファイルへのアクセスが拒否されました"},
        {EIO, EIO, "I/O エラー (5)"},
        {ENOSPC, ENOSPC, "I/O エラー (28)"},
    };
    for (const Case& c : cases) {
        auto e = settings::CreateError::FromErrno(c.err);
        EXPECT_EQ(e.code(), c.code) << c.err;
        EXPECT_STREQ(e.what(), c.text) << c.err;
    }
}

const char kTwo[] =
    "[BUTTON]\ncount=2\n[OnClick]\nBTN1=/a\nBTN2=/b\n[Button_Name]\nBTN1=a\nBTN2=b\n";

// Runs an append in a child that cannot write, and reports the error text it got.
std::string RefusedAppend(const testutil::TempDir& dir,
                          const std::function<bool()>& restrictChild) {
    std::string path = dir.File("Hopscoot.ini");
    int code = testutil::RunInChild([&] {
        if (!restrictChild()) return 3;
        SettingsStore store(path);
        try {
            settings::LaunchList(store).Append("/c", true);
        } catch (const settings::WriteError& e) {
            return std::string(e.what()) == path + " に書き込めません" ? 10 : 11;
        }
        return 0;
    });
    return code == 10 ? "refused" : "exit " + std::to_string(code);
}

TEST(Update, ARefusedWriteRaisesTheWriteErrorAndKeepsTheFile) {
    struct Case {
        const char* name;
        mode_t folderMode, fileMode;
        bool limitFileSize;
    };
    const Case cases[] = {
        {"read-only folder", 0555, 0666, false},
        {"read-only file", 0777, 0444, false},
        {"disk full", 0777, 0666, true},
    };
    for (const Case& c : cases) {
        testutil::TempDir dir;
        std::string path = dir.File("Hopscoot.ini");
        testutil::WriteFile(path, kTwo);
        fs::permissions(path, fs::perms(c.fileMode));
        fs::permissions(dir.path(), fs::perms(c.folderMode));
        std::string result = RefusedAppend(dir, [&] {
            if (c.limitFileSize) {
                std::signal(SIGXFSZ, SIG_IGN);
                rlimit lim{16, 16};  // any file write past 16 bytes fails as on a full disk
                return ::setrlimit(RLIMIT_FSIZE, &lim) == 0;
            }
            return testutil::DropRoot();
        });
        EXPECT_EQ(result, "refused") << c.name;
        fs::permissions(dir.path(), fs::perms(0777));
        EXPECT_EQ(testutil::ReadFile(path), kTwo) << c.name;
        int leftovers = 0;
        for (auto& e : fs::directory_iterator(dir.path()))
            leftovers += e.path() != path;
        EXPECT_EQ(leftovers, 0) << c.name;
    }
}

TEST(Update, KeepsPermissionBitsLinksAndSweepsStaleTemporaries) {
    testutil::TempDir dir;
    std::string real = dir.File("real.ini");
    std::string link = dir.File("Hopscoot.ini");
    testutil::WriteFile(real, kTwo);
    fs::permissions(real, fs::perms(0640));
    fs::create_symlink(real, link);
    testutil::WriteFile(dir.File(".real.ini.tmp-abcdef"), "left by a killed writer");

    SettingsStore store(link);
    settings::PositionSave(store, 7, 8);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::status(real).permissions(), fs::perms(0640));
    EXPECT_EQ(store.Read().ReadInteger("POSITION", "left"), 8);
    EXPECT_FALSE(fs::exists(dir.File(".real.ini.tmp-abcdef")));
}

TEST(Update, AnUnchangedDocumentIsNotRewritten) {
    testutil::TempDir dir;
    SettingsStore store(dir.File("Hopscoot.ini"));
    settings::PositionSave(store, 1, 2);
    auto before = fs::last_write_time(store.Path());
    struct stat st1 {};
    ::stat(store.Path().c_str(), &st1);
    settings::PositionSave(store, 1, 2);
    struct stat st2 {};
    ::stat(store.Path().c_str(), &st2);
    EXPECT_EQ(st1.st_ino, st2.st_ino);  // a rewrite would have renamed a new inode in
    EXPECT_EQ(before, fs::last_write_time(store.Path()));
}

TEST(Read, AMissingOrUnreadableFileReadsAsDefaults) {
    testutil::TempDir dir;
    EXPECT_EQ(SettingsStore(dir.File("none.ini")).Read().ReadInteger("BUTTON", "count"), 0);
    fs::create_directory(dir.File("Hopscoot.ini"));
    EXPECT_EQ(SettingsStore(dir.File("Hopscoot.ini")).Read().ReadString("POSITION", "top"), "");
}

}  // namespace
