// Opens a project file from arbitrary bytes, calculates every wall, builds its
// report and prints it on a recording printer, as the print command does: no
// printed text may show a number that is not finite ("NAN", "INF", "-INF").
#include "platform/commatext.h"
#include "platform/error.h"
#include "platform/recordingcanvas.h"
#include "walldesign/calc/calcmodule.h"
#include "walldesign/calc/units.h"
#include "walldesign/calc/wall.h"
#include "walldesign/files/project.h"
#include "walldesign/report/report.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Texts from the file print as they are: without the letter n none of them
// can spell NAN or INF, so that only a number can.
void Scrub(std::string& text)
{
    for (char& c : text)
        if (c == 'n' || c == 'N')
            c = '_';
}

bool ShowsNonFinite(const std::string& text)
{
    std::string lower = text;
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lower.find("nan") != std::string::npos || lower.find("inf") != std::string::npos;
}

// Checks and forgets each page's texts when the page ends, so that a report
// of many pages stays small.
class TCheckingPrinter : public sps::TRecordingPrinter {
public:
    // A4 at 150 dots per inch.
    TCheckingPrinter() : sps::TRecordingPrinter(1240, 1754, 150) {}
    std::string What;

    void NewPage() override
    {
        Check();
        sps::TRecordingPrinter::NewPage();
    }
    void EndDoc() override
    {
        Check();
        sps::TRecordingPrinter::EndDoc();
    }

private:
    void Check()
    {
        for (const sps::TCanvasOp& op : Recording().Ops)
            if (ShowsNonFinite(op.Text)) {
                std::fprintf(stderr, "%s prints \"%s\" on page %d\n", What.c_str(), op.Text.c_str(), op.Page);
                std::abort();
            }
        Recording().Ops.clear();
    }
};

// In the order of the project tree.
std::vector<wd::TWall*> WallsOf(const wd::TSection& section)
{
    std::vector<wd::TWall*> walls;
    if (section.HeadWall)
        walls.push_back(section.HeadWall);
    if (section.AnchorWall)
        walls.push_back(section.AnchorWall);
    return walls;
}

void PrintWall(wd::TWall& wall, const wd::TProject& project, const sps::TBitmap& cover)
{
    wd::TReport* report = nullptr;
    try {
        report = wall.GetReport();
    } catch (const sps::Exception&) {
        return;
    }
    if (report == nullptr || report->Paragraphs.Count() == 0)
        std::abort(); // a calculation that did not raise must leave a report
    TCheckingPrinter printer;
    printer.What = wall.GetName() + " of " + (wall.Section() ? wall.Section()->GetName() : std::string("no section"));
    report->Printer->Device = &printer;
    report->Title = project.Name + " - " + printer.What;
    report->Footnote = "Tavelond";
    wd::TParagraph* first = report->Paragraphs.Paragraph(0);
    if (first->Objects.Count() > 1) {
        if (auto* picture = dynamic_cast<wd::TGraphicContainer*>(first->Objects.ReportObject(0))) {
            picture->SetOwnedGraphic(nullptr);
            picture->Graphic = const_cast<sps::TBitmap*>(&cover);
            picture->OwnsGraphic = false;
        }
        if (auto* table = dynamic_cast<wd::TTable*>(first->Objects.ReportObject(1)))
            table->Rows = {sps::JoinQuotedCommaText({"Project Name:", project.Name}),
                           sps::JoinQuotedCommaText({"Author:", project.Author}),
                           sps::JoinQuotedCommaText({"Comment:", project.Comment})};
    }
    report->Print();
    report->Printer->Device = nullptr;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool registered = (wd::RegisterWallClasses(), true);
    (void)registered;
    static const sps::TBitmap cover(2, 2, {sps::clRed, sps::clWhite, sps::clBlue, sps::clBlack});
    wd::UnitSystem = wd::kMetric;

    wd::TProjectOwner owner;
    wd::TProject project{&owner};
    try {
        wd::ReadProjectBytes(std::vector<uint8_t>(data, data + size), project, "fuzz.spc");
    } catch (const sps::Exception&) {
        // The sections before the fault stay and are printed.
    }
    for (std::string* text : {&project.Author, &project.Name, &project.Comment})
        Scrub(*text);
    for (wd::TSection* section : wd::ProjectSections(&owner))
        for (wd::TWall* wall : WallsOf(*section)) {
            Scrub(wall->SectionName);
            Scrub(wall->GradeName);
        }
    // An anchor wall brings its head wall up to date first.
    for (wd::TSection* section : wd::ProjectSections(&owner))
        for (wd::TWall* wall : WallsOf(*section))
            PrintWall(*wall, project, cover);
    return 0;
}
