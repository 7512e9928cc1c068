// Screenshots of the input dialog for the documentation: every page of a head
// wall and the anchor wall's own pages, grabbed from the screen with the
// window manager's frame. Usage: inputshots <catalogue folder> <output prefix>
#include "walldesign/calc/units.h"
#include "walldesign/calc/wall.h"
#include "walldesign/ui/enhgridview.h"
#include "walldesign/ui/inputform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QThread>

#include <cstdio>

namespace {

using namespace wd;

TLayer Layer(float tip, float gamma, float phiDeg, float cohesion = 0)
{
    TLayer l;
    l.Tip = tip;
    l.DensityMoist = gamma;
    l.DensitySubmerged = gamma - 10;
    l.Phi = phiDeg / RadianFactor;
    l.Delta = phiDeg * 2 / 3 / RadianFactor;
    l.Cohesion = cohesion;
    return l;
}

void Wait(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QApplication::processEvents();
        QThread::msleep(10);
    }
}

void Grab(QWidget& w, const QString& file)
{
    Wait(800);
    QRect r = w.frameGeometry().adjusted(-8, -8, 8, 8);
    QPixmap shot = w.screen()->grabWindow(0, r.x(), r.y(), r.width(), r.height());
    shot.save(file);
    std::printf("%s %dx%d dpi %d\n", qPrintable(file), shot.width(), shot.height(), w.logicalDpiY());
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: inputshots <catalogue folder> <output prefix>\n");
        return 2;
    }
    QString prefix = argv[2];
    TInputForm form(nullptr, argv[1]);
    SetInputDialog(&form);

    TSection section(nullptr);
    section.Index = 1;
    THeadwall* head = section.CreateHeadwall();
    head->PileTop = 0;
    head->AnchorLevel = 1.5f;
    head->Support = spFree;
    head->Front.SoilLevel = 7;
    head->Behind.SoilLevel = 0.5f;
    head->Front.WaterLevel = 6;
    head->Behind.WaterLevel = 3;
    head->Front.Inclination = -0.1f;
    head->Behind.Inclination = 0.15f;
    head->Behind.CaquotLoad = 10;
    head->AnchorInclination = 0.25f;
    head->FrontLayers = {Layer(9, 19, 30), Layer(13, 20, 32.5f, 5), Layer(22, 21, 35)};
    head->BehindLayers = {Layer(4, 18, 27.5f), Layer(9, 19, 30), Layer(13, 20, 32.5f, 5), Layer(22, 21, 35)};
    head->Forces = {TForce{40, 0, 0.5f}, TForce{-20, 30, 4}};
    head->Pressures = {TPressure{10, 20, 1, 3.5f}};
    head->Bousqs = {TBousq{1.5f, 2, 0.5f, 30}, TBousq{5, 6, 1, 15}};
    head->SectionIndex = 5;
    head->GradeIndex = 3;
    head->RequiredSafety = 1.5f;

    const char* pages[] = {"geodata", "layers", "forces", "pressures", "boussinesq", "section"};
    int page = 0;
    form.OnShowModal = [&](TInputForm& f) {
        f.move(40, 40);
        f.show();
        f.PageControl->setCurrentIndex(page);
        Grab(f, prefix + "-" + pages[page] + ".png");
        f.hide();
        return false;
    };
    for (page = 0; page < 6; page++)
        head->Edit(page);

    TAnchorwall* anchor = section.CreateAnchorwall();
    anchor->PileTop = 0.5f;
    anchor->AnchorLevel = 1.5f;
    anchor->Front.SoilLevel = 0.5f;
    anchor->Behind.SoilLevel = 0.5f;
    anchor->Front.WaterLevel = 3;
    anchor->Behind.WaterLevel = 3;
    anchor->AnchorSafety = 1.5f;
    anchor->AnchorInclination = 0.25f;
    anchor->BehindLayers = {Layer(4, 18, 27.5f), Layer(15, 19, 30)};
    for (page = 0; page < 2; page++) {
        form.OnShowModal = [&](TInputForm& f) {
            f.move(40, 40);
        f.show();
            f.PageControl->setCurrentIndex(page);
            if (page == 1)
                f.CopyButton1->click();
            Grab(f, prefix + "-anchorwall-" + pages[page] + ".png");
            f.hide();
            return false;
        };
        anchor->Edit(page);
    }
    return 0;
}
