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

} // namespace

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
