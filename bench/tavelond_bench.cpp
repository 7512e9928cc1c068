// Tavelond's main window: start-up to the window built (without the splash
// wait) with the resident memory after it, and a project of 100 sections of
// the example (a head wall and an anchor wall each) opened through the Open
// command with every wall calculated, and saved. Goals: start-up under
// 150 ms, under 60 MB resident, open and calculate under 100 ms, save under
// 20 ms. A project of 5,000 such sections: opened to the tree shown under 1 s,
// closed (File, New) under 200 ms.
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
#include <QTreeWidget>

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

// The example's section `count` times, numbered 1 to `count`.
std::string ExampleSections(const QTemporaryDir& dir, int count)
{
    std::string example = QDir(kBin).filePath(QStringLiteral("Example Quay.spc")).toStdString();
    std::vector<uint8_t> bytes = sps::ReadFileBytes(example);
    TProjectOwner owner;
    TProject project(&owner);
    for (int i = 1; i <= count; i++) {
        ReadProjectBytes(bytes, project, example);
        static_cast<TSection*>(owner.Components(owner.ComponentCount() - 1))->Index = i;
    }
    std::string path = dir.filePath(QStringLiteral("sections-%1.spc").arg(count)).toStdString();
    SaveProject(path, project);
    return path;
}

std::string HundredSections(const QTemporaryDir& dir) { return ExampleSections(dir, 100); }

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

// Open through the command to the tree laid out and painted.
void OpenProjectToTheTreeShown(benchmark::State& state)
{
    QTemporaryDir dir;
    const int count = static_cast<int>(state.range(0));
    std::string path = ExampleSections(dir, count);
    std::unique_ptr<TMainForm> form = BuildMainWindow(Paths(dir), nullptr);
    form->show();
    QApplication::processEvents();
    for (auto _ : state) {
        form->OpenProject(path);
        form->TreeView->repaint();
        QApplication::processEvents();
        state.PauseTiming();
        if (form->TreeView->topLevelItemCount() != count)
            state.SkipWithError("not every section in the tree");
        form->NewItemClick();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["sections"] = count;
}
BENCHMARK(OpenProjectToTheTreeShown)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(3);

// File, New after opening the project: every section and node freed.
void NewAfterOpeningProject(benchmark::State& state)
{
    QTemporaryDir dir;
    const int count = static_cast<int>(state.range(0));
    std::string path = ExampleSections(dir, count);
    std::unique_ptr<TMainForm> form = BuildMainWindow(Paths(dir), nullptr);
    form->show();
    for (auto _ : state) {
        state.PauseTiming();
        form->OpenProject(path);
        QApplication::processEvents();
        state.ResumeTiming();
        form->NewItemClick();
        form->TreeView->repaint();
        QApplication::processEvents();
    }
    if (form->TreeView->topLevelItemCount() != 0 || !form->SectionList().empty())
        state.SkipWithError("the project was not closed");
    state.counters["sections"] = count;
}
BENCHMARK(NewAfterOpeningProject)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(3);

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
