// Settings-file costs at 1000 entries, beside a baseline that parses and rewrites the whole file
// for every single key read or write, as a per-key profile API without a cache does.
#include "settings/inidocument.h"
#include "settings/launchlist.h"
#include "settings/settingsstore.h"

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using settings::IniDocument;

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void Spill(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// The benchmark's files live beside the binary, on the disk a settings file would use, unless
// HOPSCOOT_BENCH_DIR names another folder.
const std::string& Folder() {
    static const std::string folder = [] {
        const char* env = std::getenv("HOPSCOOT_BENCH_DIR");
        std::string base = env ? env : std::filesystem::current_path().string();
        std::string dir = base + "/settings-bench";
        std::filesystem::create_directories(dir);
        return dir;
    }();
    return folder;
}

const std::string& ThousandEntries() {
    static const std::string bytes = [] {
        IniDocument doc;
        doc.WriteInteger("POSITION", "top", 120);
        doc.WriteInteger("POSITION", "left", 300);
        doc.WriteInteger("BUTTON", "count", 1000);
        for (int n = 1; n <= 1000; ++n) {
            std::string path = "/home/me/Documents/projects/entry-" + std::to_string(n) + ".txt";
            doc.WriteString("OnClick", settings::EntryKey(n), path);
            doc.WriteString("Button_Name", settings::EntryKey(n), settings::EntryName(path, true));
        }
        return doc.Serialize();
    }();
    return bytes;
}

std::string Prepared() {
    std::string path = Folder() + "/Hopscoot.ini";
    Spill(path, ThousandEntries());
    return path;
}

// --- this engine ---------------------------------------------------------------------------

void BM_Load1000(benchmark::State& state) {
    settings::SettingsStore store(Prepared());
    for (auto _ : state) {
        auto list = settings::LaunchList(store).Load(1000);
        benchmark::DoNotOptimize(list);
    }
}

void BM_Append1000(benchmark::State& state) {
    settings::SettingsStore store(Prepared());
    for (auto _ : state) {
        state.PauseTiming();
        Spill(store.Path(), ThousandEntries());
        state.ResumeTiming();
        settings::LaunchList(store).Append("/home/me/new file.txt", true);
    }
}

void BM_Remove1Of1000(benchmark::State& state) {
    settings::SettingsStore store(Prepared());
    for (auto _ : state) {
        state.PauseTiming();
        Spill(store.Path(), ThousandEntries());
        state.ResumeTiming();
        settings::LaunchList(store).Remove(1);
    }
}

// --- the baseline: every key read or write goes through the whole file ----------------------

std::string BaselineRead(const std::string& path, const char* section, const std::string& key) {
    return IniDocument::Parse(Slurp(path)).ReadString(section, key);
}

void BaselineWrite(const std::string& path, const char* section, const std::string& key,
                   const std::string& value) {
    auto doc = IniDocument::Parse(Slurp(path));
    doc.WriteString(section, key, value);
    Spill(path, doc.Serialize());
}

void BM_BaselineLoad1000(benchmark::State& state) {
    std::string path = Prepared();
    for (auto _ : state) {
        int count = settings::ParseInteger(BaselineRead(path, "BUTTON", "count"));
        for (int n = 1; n <= count; ++n) {
            benchmark::DoNotOptimize(BaselineRead(path, "Button_Name", settings::EntryKey(n)));
            benchmark::DoNotOptimize(BaselineRead(path, "OnClick", settings::EntryKey(n)));
        }
    }
}

void BM_BaselineRemove1Of1000(benchmark::State& state) {
    std::string path = Prepared();
    for (auto _ : state) {
        state.PauseTiming();
        Spill(path, ThousandEntries());
        state.ResumeTiming();
        int count = settings::ParseInteger(BaselineRead(path, "BUTTON", "count"));
        for (int j = 1; j <= count; ++j) {
            std::string key = settings::EntryKey(j), above = settings::EntryKey(j + 1);
            BaselineWrite(path, "OnClick", key, BaselineRead(path, "OnClick", above));
            BaselineWrite(path, "Button_Name", key, BaselineRead(path, "Button_Name", above));
        }
        BaselineWrite(path, "BUTTON", "count", std::to_string(count - 1));
    }
}

constexpr int kRepetitions = 5;

BENCHMARK(BM_Load1000)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions);
BENCHMARK(BM_Append1000)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions);
BENCHMARK(BM_Remove1Of1000)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions);
BENCHMARK(BM_BaselineLoad1000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(kRepetitions)
    ->Iterations(3);
BENCHMARK(BM_BaselineRemove1Of1000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(kRepetitions)
    ->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
