// Tavelond's main window: start-up to the window built (without the splash
// wait) with the resident memory after it, and a project of 100 sections of
// the example (a head wall and an anchor wall each) opened through the Open
// command with every wall calculated, and saved. Goals: start-up under
// 150 ms, under 60 MB resident, open and calculate under 100 ms, save under
// 20 ms.
#include "walldesign/calc/calcmodule.h"
#include "walldesign/calc/wall.h"
#include "walldesign/files/project.h"
#include "walldesign/ui/mainform.h"
#include "walldesign/ui/startup.h"

#include "platform/bytes.h"
#include "platform/error.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

using namespace wd;

const QString kBin = QStringLiteral(SPS_BIN_DIR);

wd::TMainFormPaths Paths(const QTemporaryDir& dir)
{
    return {kBin, dir.filePath(QStringLiteral("Tavelond.ini"))};
}

double ResidentMegabytes()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// The example's section a hundred times, numbered 1 to 100.
std::string HundredSections(const QTemporaryDir& dir)
{
    std::string example = QDir(kBin).filePath(QStringLiteral("Example Quay.spc")).toStdString();
    std::vector<uint8_t> bytes = sps::ReadFileBytes(example);
    TProjectOwner owner;
    TProject project(&owner);
    for (int i = 1; i <= 100; i++) {
        ReadProjectBytes(bytes, project, example);
        ProjectSections(&owner).back()->Index = i;
    }
    std::string path = dir.filePath(QStringLiteral("hundred.spc")).toStdString();
    SaveProject(path, project);
    return path;
}

void StartUp(benchmark::State& state)
{
    QTemporaryDir dir;
    for (auto _ : state) {
        std::unique_ptr<TMainForm> form = BuildMainWindow(Paths(dir), nullptr);
        benchmark::DoNotOptimize(form.get());
        state.PauseTiming();
        form.reset();
        state.ResumeTiming();
    }
    std::unique_ptr<TMainForm> form = BuildMainWindow(Paths(dir), nullptr);
    form->show();
    QApplication::processEvents();
    state.counters["resident_MB"] = ResidentMegabytes();
}
BENCHMARK(StartUp)->Unit(benchmark::kMillisecond);

void OpenAndCalculateHundredSections(benchmark::State& state)
{
    QTemporaryDir dir;
    std::string path = HundredSections(dir);
    std::unique_ptr<TMainForm> form = BuildMainWindow(Paths(dir), nullptr);
    int walls = 0;
    for (auto _ : state) {
        form->OpenProject(path);
        walls = 0;
        for (TSection* section : form->SectionList())
            for (TWall* wall : {static_cast<TWall*>(section->HeadWall), static_cast<TWall*>(section->AnchorWall)})
                if (wall && wall->GetReport())
                    walls++;
    }
    if (walls != 200)
        state.SkipWithError("not every wall calculated");
    state.counters["walls"] = walls;
}
BENCHMARK(OpenAndCalculateHundredSections)->Unit(benchmark::kMillisecond);

void SaveHundredSections(benchmark::State& state)
{
    QTemporaryDir dir;
    std::string path = HundredSections(dir);
    std::unique_ptr<TMainForm> form = BuildMainWindow(Paths(dir), nullptr);
    form->OpenProject(path);
    form->MakeBackup = false;
    form->FileName = dir.filePath(QStringLiteral("saved.spc")).toStdString();
    for (auto _ : state)
        form->SaveItemClick();
    state.counters["bytes"] = static_cast<double>(sps::ReadFileBytes(form->FileName).size());
}
BENCHMARK(SaveHundredSections)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    RegisterWallClasses();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
