// Tavelond's input dialog: one keystroke in a Geo Data edit parses the edits,
// draws the geometry preview anew and paints it, here into an offscreen image
// of 400 x 300. Goal: under 2 ms.
#include "walldesign/calc/wall.h"
#include "walldesign/ui/inputform.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

void GeodataKeystroke(benchmark::State& state)
{
    wd::TInputForm form(nullptr, SPS_BIN_DIR);
    wd::TSection section(nullptr);
    wd::THeadwall* wall = section.CreateHeadwall();
    wall->AnchorLevel = 1.5f;
    wall->Front.SoilLevel = 7;
    wall->Behind.SoilLevel = 0.5f;
    wall->Front.WaterLevel = 6;
    wall->Behind.WaterLevel = 3;
    wall->Behind.CaquotLoad = 40;
    wall->AnchorInclination = 0.25f;
    form.SetHeadwall(true);
    wall->WriteInput(form);
    form.PaintBox1->resize(400, 300);
    QImage image(400, 300, QImage::Format_RGB32);
    const QString texts[] = {"7.5", "7.25"};
    int i = 0;
    for (auto _ : state) {
        form.Edits[2]->setText(texts[i++ & 1]); // runs GeodataChange
        form.PaintBox1->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(GeodataKeystroke)->Unit(benchmark::kMicrosecond);

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
