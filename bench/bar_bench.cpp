// The bar build with 1000 entries over files of many types, and the rebuild after deleting
// entry 1 of 1000. Runs on the offscreen platform; every iteration starts with a cold icon cache.
#include "kit/bevel.h"
#include "kit/classicstyle.h"
#include "main/main.h"
#include "settings/inidocument.h"
#include "settings/launchlist.h"
#include "shell/fileicons.h"
#include "shell/opener.h"
#include "shell/shell.h"

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <fstream>
#include <memory>

namespace {

class ColdShell : public shell::TShell {
  public:
    QImage SmallIcon(const QString& path) override { return icons_.SmallIcon(path); }
    bool Open(const QString&) override { return true; }

  private:
    shell::TFileIcons icons_;
};

struct Fixture {
    QTemporaryDir dir;
    std::string ini;
    std::string bytes;

    Fixture() {
        const char* kinds[] = {".txt", ".png", ".pdf", ".html", ".mp3",     ".zip",
                               ".c",   ".odt", ".sh",  "",      ".desktop", "/"};
        settings::IniDocument doc;
        doc.WriteInteger("BUTTON", "count", 1000);
        for (int n = 1; n <= 1000; ++n) {
            const char* kind = kinds[n % 12];
            QString path = dir.filePath(QStringLiteral("entry-%1%2").arg(n).arg(kind));
            const bool folder = QString::fromLatin1(kind) == QLatin1String("/");
            if (folder) {
                path.chop(1);
                QDir().mkpath(path);
            } else if (n % 37 != 0) {  // a few targets are missing
                QFile f(path);
                f.open(QIODevice::WriteOnly);
                if (QString::fromLatin1(kind) == QLatin1String(".desktop")) {
                    f.write(
                        "[Desktop "
                        "Entry]\nType=Application\nName=x\nExec=true\nIcon=x-office-calendar\n");
                }
                if (QString::fromLatin1(kind) == QLatin1String(".sh")) {
                    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
                }
            }
            const std::string p = path.toStdString();
            doc.WriteString("OnClick", settings::EntryKey(n), p);
            doc.WriteString("Button_Name", settings::EntryKey(n), settings::EntryName(p, !folder));
        }
        bytes = doc.Serialize();
        ini = dir.filePath(QStringLiteral("Hopscoot.ini")).toStdString();
    }
    void Reset() const { std::ofstream(ini, std::ios::binary | std::ios::trunc) << bytes; }
};

Fixture& Files() {
    static Fixture f;
    return f;
}

void BM_BarBuild1000(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        Files().Reset();
        auto shell = std::make_unique<ColdShell>();
        state.ResumeTiming();
        auto bar = std::make_unique<TF_main>(Files().ini, shell.get());
        benchmark::DoNotOptimize(bar->Buttons().size());
        state.PauseTiming();
        bar.reset();
        state.ResumeTiming();
    }
}

void BM_RebuildAfterDeleting1Of1000(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        Files().Reset();
        auto shell = std::make_unique<ColdShell>();
        auto bar = std::make_unique<TF_main>(Files().ini, shell.get());
        QAction* first = bar->Delete1->menu()->actions().constFirst();
        state.ResumeTiming();
        bar->ButtonDelete(first);
        benchmark::DoNotOptimize(bar->Buttons().size());
        state.PauseTiming();
        bar.reset();
        state.ResumeTiming();
    }
}

BENCHMARK(BM_BarBuild1000)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(5);
BENCHMARK(BM_RebuildAfterDeleting1Of1000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Repetitions(5);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setStyle(new kit::TClassicStyle);
    QApplication::setPalette(kit::ClassicPalette());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
