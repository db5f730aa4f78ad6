// Crash safety and concurrency of the settings file, with real processes and real kills.
#include "settings/launchlist.h"
#include "settings/settingsstore.h"
#include "testutil.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <random>
#include <set>

using settings::LaunchList;
using settings::SettingsStore;

namespace {

// Appends and removes forever; stands in for a user clicking while the machine dies.
[[noreturn]] void Churn(const std::string& path, unsigned seed) {
    SettingsStore store(path);
    LaunchList list(store);
    std::mt19937 rng(seed);
    for (unsigned i = 0;; ++i) {
        int count = list.Load(0).count;
        if (count < 12 || rng() % 3 != 0) {
            list.Append("/t/e" + std::to_string(seed) + "-" + std::to_string(i), true);
        } else {
            list.Remove(static_cast<int>(rng() % static_cast<unsigned>(count)) + 1);
        }
    }
}

// A complete state: every counted entry fully written, nothing half-shifted above the count.
::testing::AssertionResult IsCompleteState(const std::string& path) {
    auto doc = SettingsStore(path).Read();
    auto loaded = settings::LoadEntries(doc, 1 << 20);
    if (loaded.count < 0) return ::testing::AssertionFailure() << "negative count";
    for (const auto& e : loaded.entries) {
        if (e.target.rfind("/t/e", 0) != 0 || e.name != settings::EntryName(e.target, true)) {
            return ::testing::AssertionFailure()
                   << e.key << " is '" << e.target << "'/'" << e.name << "'";
        }
    }
    std::string above = settings::EntryKey(loaded.count + 1);
    if (!doc.ReadString("OnClick", above).empty() || !doc.ReadString("Button_Name", above).empty())
        return ::testing::AssertionFailure() << above << " holds a value above the count";
    return ::testing::AssertionSuccess();
}

TEST(Durability, KilledWritersAlwaysLeaveACompleteFile) {
    testutil::TempDir dir;
    std::string path = dir.File("Hopscoot.ini");
    std::mt19937 rng(20261211);
    int sawEntries = 0, most = 0;
    for (int round = 0; round < 200; ++round) {
        pid_t pid = ::fork();
        if (pid == 0) Churn(path, static_cast<unsigned>(round));
        ::usleep(static_cast<useconds_t>(rng() % 4000));
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        ASSERT_TRUE(IsCompleteState(path)) << "after kill " << round;
        int count = SettingsStore(path).Read().ReadInteger("BUTTON", "count");
        // The churn only removes at 12 or more, so a shorter list means a lost or emptied file.
        if (most >= 12) {
            ASSERT_GE(count, 11) << "after kill " << round;
        }
        most = std::max(most, count);
        sawEntries += count > 0;
    }
    EXPECT_GT(sawEntries, 100);  // the kills really landed in the middle of work
}

TEST(Durability, TwoCopiesAppendingAtOnceLoseNothing) {
    testutil::TempDir dir;
    std::string path = dir.File("Hopscoot.ini");
    int go[2];
    ASSERT_EQ(::pipe(go), 0);
    pid_t children[2];
    for (int c = 0; c < 2; ++c) {
        children[c] = ::fork();
        if (children[c] == 0) {
            char byte;
            ::close(go[1]);
            if (::read(go[0], &byte, 1) != 0) ::_exit(2);  // wait until both are ready
            SettingsStore store(path);
            LaunchList list(store);
            for (int i = 0; i < 200; ++i)
                list.Append("/p" + std::to_string(c) + "/e" + std::to_string(i), true);
            ::_exit(0);
        }
    }
    ::close(go[0]);
    ::close(go[1]);  // both start now
    for (pid_t pid : children) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    SettingsStore store(path);
    auto loaded = LaunchList(store).Load(1000);
    EXPECT_EQ(loaded.count, 400);
    std::set<std::string> targets;
    for (const auto& e : loaded.entries)
        targets.insert(e.target);
    EXPECT_EQ(targets.size(), 400u);
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < 200; ++i)
            EXPECT_TRUE(targets.count("/p" + std::to_string(c) + "/e" + std::to_string(i)));
}

}  // namespace
