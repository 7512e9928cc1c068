// The wall report printed through the Qt printer into a PDF, read back with
// pdfinfo and pdftotext.
#include "walldesign/calc/units.h"
#include "walldesign/calc/wall.h"
#include "walldesign/report/report.h"
#include "walldesign/report/tests/walls.h"

#include "platform/gui/printer.h"
#include "platform/gui/testsupport/pdftools.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace wd;
using namespace wd::test;
using sps::test::PdfPages;
using sps::test::PdfPageTexts;

namespace {

bool Has(const std::string& page, const std::string& text) { return page.find(text) != std::string::npos; }

int PageWith(const std::vector<std::string>& pages, const std::string& text)
{
    for (size_t i = 0; i < pages.size(); i++)
        if (Has(pages[i], text))
            return static_cast<int>(i);
    return -1;
}

// The cover rows the print command appends.
void FillCover(TReport& report)
{
    auto* cover = dynamic_cast<TTable*>(report.Paragraphs.Paragraph(0)->Objects.ReportObject(1));
    ASSERT_NE(cover, nullptr);
    cover->Lines = false;
    cover->Rows = {"\"Project Name:\",\"Harbour\"", "\"Date:\",\"08.12.2026\"", "\"Author:\",\"A. Engineer\"",
                   "\"Company:\",\"Quay Works\"", "\"Comment:\",\"North quay, section 1\""};
}

void PrintToPdf(TReport& report, const std::string& path, const std::string& title)
{
    auto printer = sps::TQtPrinter::ForPdfFile(path);
    report.Printer->Device = printer.get();
    report.Title = title;
    report.Footnote = "Tavelond";
    report.Print();
    report.Printer->Device = nullptr;
}

void CheckPrintedReport(TWall& wall, const std::string& path, const std::string& title, bool longTable)
{
    TReport* report = wall.GetReport();
    ASSERT_NE(report, nullptr);
    FillCover(*report);
    PrintToPdf(*report, path, title);

    int pages = PdfPages(path);
    std::vector<std::string> texts = PdfPageTexts(path);
    ASSERT_EQ(static_cast<int>(texts.size()), pages);
    // Nineteen chapters on pages of their own; a long "All Values" runs over two.
    EXPECT_EQ(pages, longTable ? 20 : 19);
    for (int i = 0; i < pages; i++) {
        EXPECT_TRUE(Has(texts[static_cast<size_t>(i)], "Page " + std::to_string(i + 1))) << i;
        EXPECT_TRUE(Has(texts[static_cast<size_t>(i)], title)) << i;
        EXPECT_TRUE(Has(texts[static_cast<size_t>(i)], "Tavelond")) << i;
        EXPECT_TRUE(Has(texts[static_cast<size_t>(i)], "Date: ")) << i;
    }
    int last = -1;
    for (const char* caption : kCaptions) {
        int page = PageWith(texts, caption);
        EXPECT_GT(page, last) << caption;
        last = page;
    }
    EXPECT_EQ(last, pages - 1);
    EXPECT_TRUE(Has(texts[0], "Project Name:"));
    EXPECT_TRUE(Has(texts[0], "North quay, section 1"));

    // "All Values" runs over pages with its header row repeated.
    int all = PageWith(texts, "All Values");
    ASSERT_GE(all, 0);
    if (longTable) {
    EXPECT_TRUE(Has(texts[static_cast<size_t>(all)], "Cross Force"));
    EXPECT_TRUE(Has(texts[static_cast<size_t>(all) + 1], "Cross Force"));
    EXPECT_FALSE(Has(texts[static_cast<size_t>(all) + 1], "All Values"));
    EXPECT_FALSE(Has(texts[static_cast<size_t>(all) + 1], "Extremal Values"));
    }
    // The deepest level closes the table, the tip appears in the pile check.
    std::string tip = FormatValue(wall.PileTip, kLengthFactor);
    EXPECT_TRUE(Has(texts[static_cast<size_t>(PageWith(texts, "Pile Check"))], tip));
    EXPECT_TRUE(Has(texts[static_cast<size_t>(PageWith(texts, "Pile Check"))], "Safety "));
    EXPECT_TRUE(Has(texts[static_cast<size_t>(PageWith(texts, "Geodata"))], "Soil 1"));
    EXPECT_TRUE(Has(texts[static_cast<size_t>(PageWith(texts, "Moment Diagram"))], "[kNm/m]"));
}

// The lines of a page without its header and footer.
std::vector<std::string> BodyLines(const std::string& page)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < page.size()) {
        size_t end = page.find('\n', start);
        if (end == std::string::npos)
            end = page.size();
        std::string line = page.substr(start, end - start);
        start = end + 1;
        if (line.find_first_not_of(" \f\r") == std::string::npos || Has(line, "Date: ") || Has(line, "Page "))
            continue;
        lines.push_back(line);
    }
    return lines;
}

// Every level of the wall `dz` deeper.
void Deepen(TWall& w, float dz)
{
    for (float* z : {&w.PileTop, &w.AnchorLevel, &w.Front.SoilLevel, &w.Behind.SoilLevel, &w.Front.WaterLevel,
                     &w.Behind.WaterLevel})
        *z += dz;
    for (TLayers* layers : {&w.FrontLayers, &w.BehindLayers})
        for (TLayer& l : *layers)
            l.Tip += dz;
    for (TForce& f : w.Forces)
        f.Depth += dz;
    for (TPressure& p : w.Pressures) {
        p.DepthTop += dz;
        p.DepthTip += dz;
    }
    for (TBousq& b : w.Bousqs)
        b.Depth += dz;
}

} // namespace

TEST(ReportPdf, DiagramsOfADeepWallAreScaledToThePage)
{
    // The pile top 10 m below level 0, which every drawing contains: the
    // diagrams are far taller than wide and are scaled down to the page,
    // each below its caption.
    QTemporaryDir dir;
    THeadwall wall(nullptr);
    TypicalInput(wall);
    Deepen(wall, 10);
    wall.SetModified();
    TReport* report = wall.GetReport();
    ASSERT_NE(report, nullptr);
    FillCover(*report);
    std::string path = dir.filePath("deep.pdf").toStdString();
    PrintToPdf(*report, path, "Harbour - Headwall - Section 1");
    std::vector<std::string> texts = PdfPageTexts(path);
    EXPECT_EQ(static_cast<int>(texts.size()), 19);

    const std::string top = FormatValue(10, kLengthFactor) + " [m]";
    const std::string tip = FormatValue(wall.Results.back()[rcBottom], kLengthFactor) + " [m]";
    for (int i = 10; i < 19; i++) {
        int page = PageWith(texts, kCaptions[i]);
        ASSERT_GE(page, 0) << kCaptions[i];
        const std::string& text = texts[static_cast<size_t>(page)];
        EXPECT_TRUE(Has(text, top)) << kCaptions[i];
        EXPECT_TRUE(Has(text, tip)) << kCaptions[i];
    }
    EXPECT_TRUE(Has(texts[static_cast<size_t>(PageWith(texts, "Deflection Diagram"))], "[m]"));
    EXPECT_TRUE(Has(texts[static_cast<size_t>(PageWith(texts, "Rotation Diagram"))], "[Rad]"));
    // No page holds a caption alone.
    for (size_t i = 0; i < texts.size(); i++)
        EXPECT_GT(BodyLines(texts[i]).size(), 1u) << "page " << i + 1;
    if (const char* keep = std::getenv("SPS_KEEP_REPORT_PDF"))
        QFile::copy(dir.filePath("deep.pdf"), QString::fromLocal8Bit(keep) + "/deep.pdf");
}

TEST(ReportPdf, HeadWallAndAnchorWall)
{
    QTemporaryDir dir;
    TSection section(nullptr);
    THeadwall* head = section.CreateHeadwall();
    TypicalInput(*head);
    head->Front.SoilLevel = 8; // deep enough for "All Values" to run over two pages
    TAnchorwall* anchor = section.CreateAnchorwall();
    TypicalInput(*anchor, spFixed);
    anchor->AnchorSafety = 1.5f;
    anchor->FrontLayers = {SoilLayer(20, 32.5f, -15)};
    anchor->BehindLayers = {SoilLayer(20, 30, 20)};
    anchor->Front.SoilLevel = 1;
    anchor->Front.WaterLevel = 20;
    anchor->Behind.WaterLevel = 20;
    anchor->AnchorLevel = 0.5f;
    anchor->Forces.clear();
    anchor->Pressures.clear();
    head->SetModified();
    anchor->SetModified();

    CheckPrintedReport(*head, dir.filePath("head.pdf").toStdString(), "Harbour - Headwall - Section 1", true);
    CheckPrintedReport(*anchor, dir.filePath("anchor.pdf").toStdString(), "Harbour - Anchorwall - Section 1",
                       false);
    if (const char* keep = std::getenv("SPS_KEEP_REPORT_PDF")) {
        QFile::copy(dir.filePath("head.pdf"), QString::fromLocal8Bit(keep) + "/head.pdf");
        QFile::copy(dir.filePath("anchor.pdf"), QString::fromLocal8Bit(keep) + "/anchor.pdf");
    }
}

TEST(ReportPdf, UnprintedChaptersAndTheCoverTable)
{
    QTemporaryDir dir;
    TSection section(nullptr);
    THeadwall* head = section.CreateHeadwall();
    TypicalInput(*head);
    head->SetModified();
    TReport* report = head->GetReport();
    ASSERT_NE(report, nullptr);
    for (int i = 0; i < report->Paragraphs.Count(); i++)
        report->Paragraphs.Paragraph(i)->Printed = i == 0 || i == 9;
    auto* cover = dynamic_cast<TTable*>(report->Paragraphs.Paragraph(0)->Objects.ReportObject(1));
    ASSERT_NE(cover, nullptr);
    cover->Lines = false;
    cover->Rows.push_back("\"Project Name:\",\"Harbour\"");
    cover->Rows.push_back("\"Comment:\",\"Quay wall, north side\"");
    std::string path = dir.filePath("two.pdf").toStdString();
    PrintToPdf(*report, path, "Harbour");
    EXPECT_EQ(PdfPages(path), 2);
    std::vector<std::string> pages = PdfPageTexts(path);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_TRUE(Has(pages[0], "Quay wall, north side"));
    EXPECT_TRUE(Has(pages[1], "Pile Check"));
    EXPECT_FALSE(Has(pages[1], "Geodata"));
}
