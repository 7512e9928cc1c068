// Rovandel's main form offscreen: one keystroke in the bending moment field
// (goal: under 1 ms, with the list searched again in the Sfmin mode), the Sf
// summary grid computed again, and the start-up to the main form built,
// without the splash window (goal: under 150 ms).
#include "corrosion/gui/form.h"
#include "platform/gui/fakes.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

std::unique_ptr<rv::TForm1> NewForm(const QTemporaryDir& dir)
{
    auto form = std::make_unique<rv::TForm1>(
        rv::FormPaths{QStringLiteral(SPS_BIN_DIR), dir.filePath(QStringLiteral("Rovandel.INI"))});
    form->FormCreate();
    return form;
}

void Keystroke(benchmark::State& state, bool search)
{
    sps::FakePlatform platform;
    QTemporaryDir dir;
    std::unique_ptr<rv::TForm1> form = NewForm(dir);
    form->MenuMetric->trigger();
    form->Edit_Load->setText(QStringLiteral("100"));
    form->Edit_Deflection->setText(QStringLiteral("2"));
    if (search) {
        form->Edit_Sfmin->setText(QStringLiteral("1.50"));
        form->Edit_SfMax->setText(QStringLiteral("3.00"));
        form->MenuSelectSfminClick();
    }
    bool odd = false;
    for (auto _ : state) {
        form->Edit_Moment->setText(odd ? QStringLiteral("300") : QStringLiteral("301"));
        odd = !odd;
    }
}

void BM_KeystrokeListAll(benchmark::State& state) { Keystroke(state, false); }
void BM_KeystrokeSfminSearch(benchmark::State& state) { Keystroke(state, true); }

void BM_SummaryGridShown(benchmark::State& state)
{
    sps::FakePlatform platform;
    QTemporaryDir dir;
    std::unique_ptr<rv::TForm1> form = NewForm(dir);
    form->Edit_Moment->setText(QStringLiteral("300"));
    for (auto _ : state)
        form->TabSheetSFTableShow();
}

void BM_StartupToMainForm(benchmark::State& state)
{
    sps::FakePlatform platform;
    QTemporaryDir dir;
    for (auto _ : state) {
        std::unique_ptr<rv::TForm1> form = NewForm(dir);
        benchmark::DoNotOptimize(form.get());
    }
}

} // namespace

BENCHMARK(BM_KeystrokeListAll)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KeystrokeSfminSearch)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SummaryGridShown)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StartupToMainForm)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
