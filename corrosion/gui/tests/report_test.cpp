// Rovandel's report through the form: the text file through the save dialog,
// the printout through the print dialog (read back from a PDF), and a data
// file whose family filter has fewer families than items.
#include "form_fixture.h"

#include "corrosion/report.h"
#include "corrosion/tests/helpers.h"
#include "platform/gui/printdialog.h"
#include "platform/gui/printer.h"
#include "platform/gui/testsupport/pdftools.h"

#include <fstream>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using rvtest::Rovandel;

// A check with every block of the report: grade, loads, code losses with
// protection, a wall.
void FullCheck(Rovandel& r)
{
    rv::TForm1& f = *r.form;
    r.CodeLosses(60, 10, cr::kSoil, 1, cr::kWater, 3);
    r.Choose(f.CB_SteelGrades, 3);
    r.TypeAndLeave(f.Edit_Moment, QStringLiteral("300"));
    r.TypeAndLeave(f.Edit_Load, QStringLiteral("100"));
    r.TypeAndLeave(f.Edit_Deflection, QStringLiteral("2"));
    r.SelectSection(QStringLiteral("KX 18"));
    r.TypeAndLeave(f.Edit_WallLength, QStringLiteral("100"));
    r.TypeAndLeave(f.Edit_SSPLength, QStringLiteral("12"));
}

// label "%-38s", value "%10s", a blank and the unit.
QString Row(const QString& label, const QString& value, const QString& unit = QString())
{
    return label.leftJustified(38) + value.rightJustified(10) + QStringLiteral(" ") + unit;
}

QStringList FileLines(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
}

TEST(RovandelReportForm, TextFileThroughTheSaveDialog)
{
    Rovandel r;
    rv::TForm1& f = *r.form;
    FullCheck(r);
    f.MenuPrintToFile->trigger(); // cancelled: nothing written
    ASSERT_EQ(r.platform.files->calls.size(), 1u);
    const sps::TFileDialogParams& p = r.platform.files->calls[0].params;
    EXPECT_TRUE(r.platform.files->calls[0].save);
    EXPECT_EQ(p.defaultExt, "txt");
    EXPECT_EQ(p.filter, "Text files (*.txt)|*.txt");

    const QString path = r.dir.filePath(QStringLiteral("report.txt"));
    r.platform.files->answers.push_back(path.toStdString());
    f.MenuPrintToFile->trigger();
    const QStringList lines = FileLines(path);
    const std::vector<std::string> expected = cr::TextReportLines(f.CurrentReportState());
    ASSERT_EQ(static_cast<size_t>(lines.size()), expected.size() + 1); // the last line end
    for (size_t i = 0; i < expected.size(); ++i) {
        if (i != 2) { // the date line
            EXPECT_EQ(lines[static_cast<int>(i)].toStdString(), expected[i]) << i;
        }
    }
    // What the form shows is what the report says.
    EXPECT_EQ(lines[0], QStringLiteral(" Rovandel.   Beta Version 1.0.3,  October 2004    "));
    for (const QString& line :
         {Row(QStringLiteral(" Section : "), QStringLiteral("KX 18")),
          Row(QStringLiteral(" Steel grade : "), QStringLiteral(" S 355 GP  ")),
          Row(QStringLiteral("     loss of steel : "), QStringLiteral("1.50"), QStringLiteral("mm")),
          Row(QStringLiteral("     loss of steel : "), QStringLiteral("2.09"), QStringLiteral("mm")),
          Row(QStringLiteral(" Total loss of steel thickness: "), QStringLiteral("3.59"), QStringLiteral("mm")),
          Row(QStringLiteral(" Safety factor Sf,red: "), f.Lbl_SFRedResult->text()),
          Row(QStringLiteral(" Number of pairs of ssp: "), f.Lbl_SSP_Result->text()),
          Row(QStringLiteral("     surface protected for : "), QStringLiteral("10"), QStringLiteral("years"))})
        EXPECT_TRUE(lines.contains(line)) << line.toStdString();

    // A file that cannot be written shows a message; a FIFO is refused at once
    // (opening it would wait for a reader for ever).
    const std::string fifo = r.dir.filePath(QStringLiteral("pipe.txt")).toStdString();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    r.platform.files->answers = {r.dir.filePath(QStringLiteral("no folder/report.txt")).toStdString(), fifo};
    ::alarm(20);
    f.MenuPrintToFile->trigger();
    f.MenuPrintToFile->trigger();
    ::alarm(0);
    ASSERT_EQ(r.platform.messages->calls.size(), 2u);
    EXPECT_NE(r.platform.messages->calls[0].text.find("Cannot create a file in folder"), std::string::npos);
    EXPECT_EQ(r.platform.messages->calls[1].text, "Cannot write file \"" + fifo + "\". It is not a regular file.");
}

TEST(RovandelReportForm, PrintsOnePageThroughTheDialog)
{
    Rovandel r;
    rv::TForm1& f = *r.form;
    FullCheck(r);
    const std::string pdf = r.dir.filePath(QStringLiteral("report.pdf")).toStdString();
    int shown = 0;
    bool cancel = true;
    sps::TPrintDialogOverride dialog([&](const sps::TPrintDialogParams& p) -> std::unique_ptr<sps::TPrinter> {
        ++shown;
        EXPECT_EQ(p.copies, 1);
        if (cancel)
            return nullptr;
        return sps::TQtPrinter::ForPdfFile(pdf);
    });
    f.MenuPrint->trigger();
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(pdf)));

    cancel = false;
    f.MenuPrint->trigger();
    ASSERT_EQ(sps::test::PdfPages(pdf), 1) << sps::test::PdfInfo(pdf);
    const std::string text = sps::test::PdfText(pdf);
    for (const char* part : {"ROVANDEL", "Section :", "KX 18", "Reduced moment of inertia Ix,red :", "S 355 GP",
                             "Total ssp quantities:", "metric t", "NOTES :", "Polluted natural soils",
                             "surface protected for :", "3.59", "Beta Version 1.0.3", cr::kReportNotice})
        EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
    EXPECT_TRUE(r.platform.messages->calls.empty());
}

TEST(RovandelReportForm, AFamilyWithoutRowsListsNothingAndCannotBePrinted)
{
    // A data file with two families: the filter's third family has no range.
    QTemporaryDir data;
    const std::vector<uint8_t> bytes = cr::WriteCatalogue(crtest::Small());
    {
        std::ofstream out(data.filePath(QString::fromLatin1(cr::kCatalogueFileName)).toStdString(),
                          std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    Rovandel r(rvtest::kMetricSettings, data.path());
    rv::TForm1& f = *r.form;
    EXPECT_EQ(f.LB_SSP->count(), 2);
    r.Click(f.RG_SSP, 3);
    EXPECT_TRUE(f.ListedSections().empty());
    EXPECT_EQ(r.Lines().first(), QStringLiteral(" No match found."));
    EXPECT_FALSE(f.LB_SSP->isEnabled());
    EXPECT_FALSE(f.MenuPrint->isEnabled());
    EXPECT_FALSE(f.MenuPrintToFile->isEnabled());
    EXPECT_EQ(f.Lbl_Sf_Result->text(), QStringLiteral("N/A"));
    EXPECT_EQ(f.Lbl_Red_Ax2->text(), QStringLiteral(" N/A "));
    EXPECT_EQ(f.Lbl_Total_Result->text(), QStringLiteral(" N/A "));

    // A unit switch while the advice lines show selects nothing.
    f.MenuImperial->trigger();
    EXPECT_EQ(f.LB_SSP->currentRow(), -1);
    EXPECT_EQ(f.Lbl_Weight_Result->text(), QStringLiteral(" N/A "));
    // Leaving another tab does not make the report printable.
    r.ClickTab(f.TabSheetRates);
    r.ClickTab(f.TabSheetInput);
    EXPECT_FALSE(f.MenuPrint->isEnabled());
    EXPECT_TRUE(r.platform.messages->calls.empty());

    r.Click(f.RG_SSP, 2);
    EXPECT_EQ(f.ListedSections(), (std::vector<int32_t>{1}));
    EXPECT_TRUE(f.MenuPrint->isEnabled());
}

} // namespace
