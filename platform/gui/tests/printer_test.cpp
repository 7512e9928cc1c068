#include "platform/gui/printer.h"

#include "platform/error.h"

#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/gui/testsupport/pdftools.h"

#include <cstdio>
#include <cstdlib>
#include <string>

using namespace sps;

namespace {

} // namespace

TEST(QtPrinter, PrintsPagesIntoAPdf)
{
    QTemporaryDir dir;
    std::string path = dir.filePath("out.pdf").toStdString();
    auto printer = TQtPrinter::ForPdfFile(path);
    printer->Title = "Job Title";
    EXPECT_FALSE(printer->Printing());
    printer->BeginDoc();
    EXPECT_TRUE(printer->Printing());
    EXPECT_EQ(printer->PageNumber(), 1);
    // A4 at 1200 pixels per inch.
    EXPECT_NEAR(printer->PageWidth(), 9917, 600);
    EXPECT_NEAR(printer->PageHeight(), 14033, 900);
    TCanvas& c = printer->Canvas();
    EXPECT_TRUE(c.IsPrinter());
    EXPECT_EQ(c.PixelsPerInch(), 1200);
    c.Font.Size = 12;
    c.TextOut(1000, 1000, "First page text");
    printer->NewPage();
    EXPECT_EQ(printer->PageNumber(), 2);
    c.TextOut(1000, 1000, "Second page text");
    c.MoveTo(0, 2000);
    c.LineTo(5000, 2000);
    printer->EndDoc();
    EXPECT_FALSE(printer->Printing());

    std::string info = test::PdfInfo(path);
    EXPECT_EQ(test::PdfPages(path), 2) << info;
    EXPECT_NE(info.find("Job Title"), std::string::npos) << info;
    std::string text = test::PdfText(path);
    size_t first = text.find("First page text");
    size_t formFeed = text.find('\f');
    size_t second = text.find("Second page text");
    EXPECT_NE(first, std::string::npos);
    EXPECT_NE(second, std::string::npos);
    EXPECT_LT(first, formFeed);
    EXPECT_GT(second, formFeed);
}

TEST(QtPrinter, JobStateErrors)
{
    QTemporaryDir dir;
    auto printer = TQtPrinter::ForPdfFile(dir.filePath("x.pdf").toStdString());
    EXPECT_THROW(printer->NewPage(), Exception);
    EXPECT_THROW(printer->EndDoc(), Exception);
    printer->BeginDoc();
    EXPECT_THROW(printer->BeginDoc(), Exception);
    int changes = 0;
    printer->Canvas().OnChange = [&] { changes++; };
    printer->Canvas().TextOut(0, 0, "x");
    EXPECT_EQ(changes, 1);
    printer->EndDoc();
    // A second document on the same printer starts with a fresh canvas state.
    printer->Canvas().Font.Size = 30;
    printer->BeginDoc();
    EXPECT_EQ(printer->Canvas().Font.Size, kDefaultFontSize);
    EXPECT_EQ(printer->PageNumber(), 1);
    printer->EndDoc();
    EXPECT_FALSE(ShortDateText().empty());
}
