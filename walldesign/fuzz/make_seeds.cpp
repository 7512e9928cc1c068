// Writes seeds for the fuzz targets of the wall calculation and of the drawing
// reader from project files: each wall's input in the calculation target's
// byte form, and the pictures and diagrams of its report as stored drawings.
//
//   make_seeds <wall seed folder> <drawing seed folder> <project.spc>...
#include "platform/bytes.h"
#include "platform/error.h"
#include "walldesign/calc/calcmodule.h"
#include "walldesign/calc/fuzz/wall_bytes.h"
#include "walldesign/calc/units.h"
#include "walldesign/calc/wall.h"
#include "walldesign/files/project.h"
#include "walldesign/report/drawing.h"
#include "walldesign/report/report.h"

#include <cmath>
#include <filesystem>
#include <iostream>
#include <string>

namespace {

using namespace wd;

// The pictures of the input and the moment diagram; drawings larger than the
// fuzz runs read are left out.
constexpr int kDrawingParagraphs[] = {1, 3, 5, 16};
constexpr size_t kMaxDrawingBytes = 4096;

void WriteWall(TWall& wall, const std::string& path)
{
    const bool anchorwall = dynamic_cast<TAnchorwall*>(&wall) != nullptr;
    const float given = wall.AnchorForce;
    // What an anchor wall takes from its head wall, given as its own force.
    if (anchorwall && wall.Section() && wall.Section()->HeadWall) {
        TWall* head = wall.Section()->HeadWall;
        head->Update();
        wall.AnchorForce = static_cast<float>(std::fabs(double(head->AnchorForce) * wall.AnchorSafety));
    }
    wdfuzz::TWallBytesWriter out;
    out.Out.U8(wdfuzz::KindByte(wall, anchorwall));
    wdfuzz::WallFields(out, wall);
    wall.AnchorForce = given;
    sps::WriteFileAtomic(path, out.Out.Bytes());
}

void WriteDrawings(TWall& wall, const std::string& stem)
{
    TReport* report = wall.GetReport();
    for (int p : kDrawingParagraphs) {
        if (!report || p >= report->Paragraphs.Count())
            continue;
        const TReportObjects& objects = report->Paragraphs.Paragraph(p)->Objects;
        for (int i = 0; i < objects.Count(); i++) {
            auto* container = dynamic_cast<TGraphicContainer*>(objects.ReportObject(i));
            auto* drawing = container ? dynamic_cast<TDrawing*>(container->Graphic) : nullptr;
            if (!drawing || drawing->GetEmpty())
                continue;
            sps::ByteWriter out;
            drawing->SaveToStream(out);
            if (out.Size() <= kMaxDrawingBytes)
                sps::WriteFileAtomic(stem + "-" + std::to_string(p) + ".drw", out.Bytes());
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::cerr << "usage: make_seeds <wall seed folder> <drawing seed folder> <project.spc>...\n";
        return 2;
    }
    try {
        UnitSystem = kMetric;
        for (int a = 3; a < argc; a++) {
            TProjectOwner owner;
            TProject project(&owner);
            LoadProject(argv[a], project);
            const std::string stem = std::filesystem::path(argv[a]).stem().string();
            for (TSection* section : ProjectSections(&owner))
                for (TWall* wall : {static_cast<TWall*>(section->HeadWall), static_cast<TWall*>(section->AnchorWall)}) {
                    if (!wall)
                        continue;
                    const std::string name = stem + "-" + std::to_string(section->Index) + "-" + wall->GetName();
                    WriteWall(*wall, std::string(argv[1]) + "/" + name + ".bin");
                    WriteDrawings(*wall, std::string(argv[2]) + "/" + name);
                }
        }
    } catch (const std::exception& e) {
        std::cerr << "make_seeds: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
