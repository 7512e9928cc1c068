// Tavelond's wall report: building it after a calculation (every refresh of the
// result windows does it) and printing it to a PDF. Goals: under 5 ms to build,
// under 300 ms to print.
#include "walldesign/calc/wall.h"
#include "walldesign/report/report.h"
#include "walldesign/report/tests/walls.h"

#include "platform/gui/printer.h"

#include <QApplication>
#include <QDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// A calculated anchored head wall of about 12 m (some 50 result rows).
struct TTypicalWall {
    wd::TSection section{nullptr};
    wd::THeadwall* wall = nullptr;
    TTypicalWall()
    {
        wall = section.CreateHeadwall();
        wd::test::TypicalInput(*wall);
        wall->Front.SoilLevel = 8;
        wall->SetModified();
        wall->Update();
    }
};

void BuildReport(benchmark::State& state)
{
    TTypicalWall w;
    for (auto _ : state) {
        std::unique_ptr<wd::TReport> report = w.wall->BuildReport();
        benchmark::DoNotOptimize(report.get());
    }
    state.counters["rows"] = static_cast<double>(w.wall->Results.size());
}
BENCHMARK(BuildReport)->Unit(benchmark::kMillisecond);

void PrintReportToPdf(benchmark::State& state)
{
    TTypicalWall w;
    wd::TReport* report = w.wall->Report();
    if (report == nullptr) {
        state.SkipWithError("the wall was not calculated");
        return;
    }
    report->Title = "Harbour - Headwall - Section 1";
    report->Footnote = "Tavelond";
    std::string path = QDir::tempPath().toStdString() + "/report_bench.pdf";
    for (auto _ : state) {
        auto printer = sps::TQtPrinter::ForPdfFile(path);
        report->Printer->Device = printer.get();
        report->Print();
        report->Printer->Device = nullptr;
    }
    std::remove(path.c_str());
}
BENCHMARK(PrintReportToPdf)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
