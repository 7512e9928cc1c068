// The report's rows: which ones a state shows, their texts in both unit
// systems, and the text file's lines.
#include "corrosion/report.h"

#include "corrosion/text.h"
#include "platform/error.h"
#include "platform/recordingcanvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

// A section with reduced properties, a grade, loads, a wall and code losses.
cr::ReportState Full()
{
    cr::ReportState st;
    st.section = {"KX 18", 1800, 1555, 150.2, 130.44, 1.26, 148.5, 34670, 5.91, 6.91};
    st.totalLoss = 3.59;
    st.totalLossMils = 141;
    st.gradeText = " S 355 GP       355        ";
    st.fyk = 355;
    st.loads = {300, 100, 2};
    st.sf = {1.23, 1.05};
    st.pairs = 79;
    st.pileLength = 12;
    st.realWallLength = 99.54;
    st.totalMass = 79 * 148.5 * 12;
    st.serviceLife = " 60";
    st.protectionFront = " 10";
    st.protectionBack = " 0";
    st.frontDescription = "Polluted natural soils and industrial sites";
    st.backDescription = "Sea water";
    st.frontLossLabel = "1.50";
    st.backLossLabel = "2.09";
    st.a690ItemText = " 0";
    st.versionLine = "Beta Version 1.0.3,  October 2004";
    st.date = "09/12/26";
    return st;
}

// label "%-38s", value "%10s", a blank and the unit.
std::string Row(const std::string& label, const std::string& value, const std::string& unit)
{
    const std::string pad = value.size() < 10 ? std::string(10 - value.size(), ' ') : std::string();
    const std::string labelPad = label.size() < 38 ? std::string(38 - label.size(), ' ') : std::string();
    return label + labelPad + pad + value + " " + unit;
}

// The labels of the rows that are output, in order.
std::vector<std::string> Labels(const cr::ReportState& st)
{
    std::vector<std::string> labels;
    for (const cr::ReportRow& r : cr::BuildReportRows(st))
        if (!r.value.empty())
            labels.push_back(r.label);
    return labels;
}

bool Has(const std::vector<std::string>& v, const std::string& s)
{
    return std::find(v.begin(), v.end(), s) != v.end();
}

TEST(RovandelReport, TextFileLinesOfAFullMetricCheck)
{
    const std::vector<std::string> lines = cr::TextReportLines(Full());
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines[0], " Rovandel.   Beta Version 1.0.3,  October 2004    "); // the year whole
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], std::string(cr::kReportNotice) + "            09/12/26");
    EXPECT_EQ(lines[3], std::string(73, '_'));
    EXPECT_EQ(lines[4], "");
    EXPECT_EQ(lines[5], "");
    const std::vector<std::string> rows{
        Row(" Section : ", "KX 18", ""),
        Row(" Section modulus Sx,ini  : ", "1800", "cm³/m"),
        Row(" Steel area Ax,ini : ", "150.2", "cm²/m"),
        Row(" Reduced section modulus Sx,red  : ", "1555", "cm³/m"),
        Row(" Reduced steel area Ax,red : ", "130.4", "cm²/m"),
        Row(" Reduced moment of inertia Ix,red : ", "34670", "cm4/m"),
        Row(" Reduced flange thickness tf,red : ", "6.91", "mm"),
        Row(" Reduced web thickness tw,red : ", "5.91", "mm"),
        Row(" Steel grade : ", " S 355 GP  ", ""),
        Row(" Yield point: ", "355", "MPa"),
        Row(" Bending moment M: ", "300.0", "kNm/m"),
        Row(" Compression load N: ", "100.0", "kN/m"),
        Row(" Deflection f: ", "2.0", "cm"),
        Row(" Safety factor Sf,ini: ", "1.23", ""),
        Row(" Safety factor Sf,red: ", "1.05", ""),
        Row(" Weight: ", "117.9", "kg/m²"),
        Row(" Number of pairs of ssp: ", "79", ""),
        Row(" Length of ssp: ", "12.00", "m"),
        Row(" Total wall length: ", "99.5", "m"),
        Row(" Total ssp quantities: ", "140.8", "metric t"),
        Row("NOTES :", " ", ""),
        Row(" Service life : ", "60", "years"),
        Row(" Front : ", " ", ""),
        Row("     environment : ", "Polluted natural soils and industrial sites", ""),
        Row("     surface protected for : ", "10", "years"),
        Row("     loss of steel : ", "1.50", "mm"),
        Row(" Back : ", " ", ""),
        Row("     environment : ", "Sea water", ""),
        Row("     surface protected for : ", "0", "years"),
        Row("     loss of steel : ", "2.09", "mm"),
        Row(" Total loss of steel thickness: ", "3.59", "mm"),
        Row(" Results not valid for 'class 4' sections according to EN 1993 - Part 5", " ", ""),
    };
    ASSERT_EQ(lines.size(), 6 + 2 * rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(lines[6 + 2 * i], rows[i]) << i;
        EXPECT_EQ(lines[7 + 2 * i], "") << i;
    }
}

TEST(RovandelReport, ImperialRowsConvertAtOutput)
{
    cr::ReportState st = Full();
    st.metric = false;
    st.fyk = 50 * 6.89714; // a 50 ksi grade
    st.frontLossLabel = "59";
    st.backLossLabel = "82";
    const cr::ReportRows r = cr::BuildReportRows(st);
    EXPECT_EQ(r[1].value, "   33.48");
    EXPECT_EQ(r[1].unit, "in³/ft");
    EXPECT_EQ(r[6].value, "   0.272");
    EXPECT_EQ(r[9].value, "    50.0"); // rounded to 0.01 first: no 49.9
    EXPECT_EQ(r[9].unit, "ksi");
    EXPECT_EQ(r[10].value, "    67.4");
    EXPECT_EQ(r[10].unit, "kips*ft/ft");
    // The report divides the weight by 4.882445 (the form by 4.88245).
    EXPECT_EQ(r[15].value, cr::Fixed(148.5 / 1.26 / 4.882445, 1, 8));
    cr::ReportState light = st;
    light.section.b = 1;
    light.section.mass = 117.9111; // 24.150013 lb/ft² here, 24.149988 with the form's 4.88245
    EXPECT_EQ(cr::BuildReportRows(light)[15].value, "    24.2");
    EXPECT_EQ(r[17].value, "   39.37");
    EXPECT_EQ(r[19].value, cr::Fixed(79 * 148.5 * 12 / 1000.0 * 1.102311, 1, 8));
    EXPECT_EQ(r[19].unit, "net t");
    EXPECT_EQ(r[25].value, "      59");
    EXPECT_EQ(r[25].unit, "mils");
    EXPECT_EQ(r[30].value, "     141");
}

TEST(RovandelReport, BlocksDropOutWithTheirValues)
{
    // Zero loss: no reduced rows, no Sf,red row, no notes.
    {
        cr::ReportState st = Full();
        st.totalLoss = 0;
        st.section.sxRed = st.section.sxIni;
        const std::vector<std::string> l = Labels(st);
        EXPECT_FALSE(Has(l, " Reduced section modulus Sx,red  : "));
        EXPECT_FALSE(Has(l, " Safety factor Sf,red: "));
        EXPECT_FALSE(Has(l, "NOTES :"));
        EXPECT_TRUE(Has(l, " Safety factor Sf,ini: "));
    }
    // Beyond the tables: no reduced rows, and Sf,red says why.
    {
        cr::ReportState st = Full();
        st.section.sxRed = 0;
        st.sf.red = 0;
        const cr::ReportRows r = cr::BuildReportRows(st);
        for (int row = 3; row <= 7; ++row)
            EXPECT_TRUE(r[row].value.empty()) << row;
        EXPECT_EQ(r[14].value, cr::kNoReducedValues);
    }
    // No load: no loads and no safety factors, the notes stay.
    {
        cr::ReportState st = Full();
        st.sf = {0, 0};
        const std::vector<std::string> l = Labels(st);
        EXPECT_FALSE(Has(l, " Bending moment M: "));
        EXPECT_FALSE(Has(l, " Safety factor Sf,red: "));
        EXPECT_TRUE(Has(l, "NOTES :"));
    }
    // No wall (no steel mass): no quantities, not even the number of pairs.
    {
        cr::ReportState st = Full();
        st.totalMass = 0;
        st.pileLength = 0;
        const std::vector<std::string> l = Labels(st);
        EXPECT_FALSE(Has(l, " Number of pairs of ssp: "));
        EXPECT_FALSE(Has(l, " Total ssp quantities: "));
        EXPECT_TRUE(Has(l, " Weight: "));
    }
    // No protection on either face: no protection rows.
    {
        cr::ReportState st = Full();
        st.protectionFront = " 0";
        EXPECT_FALSE(Has(Labels(st), "     surface protected for : "));
    }
}

TEST(RovandelReport, ProjectTotalsAndSplashZoneNotes)
{
    cr::ReportState st = Full();
    st.serviceLifeEnabled = false; // totals mode
    st.projectSource = true;
    st.frontDescrEdit = "describe_environment_front ";
    st.backDescrEdit = "Harbour basin, north quay";
    cr::ReportRows r = cr::BuildReportRows(st);
    EXPECT_TRUE(r[21].value.empty());
    EXPECT_TRUE(r[24].value.empty());
    EXPECT_EQ(r[23].value, "user defined ");
    EXPECT_EQ(r[27].value, "Harbour basin, north quay");
    EXPECT_TRUE(r[31].value.empty());

    st = Full();
    st.a690Enabled = true;
    st.a690Item = 1;
    st.a690ItemText = " 2";
    r = cr::BuildReportRows(st);
    EXPECT_EQ(r[31].label, "      A 690: reduction factor for corrosion loss on front face =  2");
    EXPECT_EQ(r[31].value, " ");

    // A face label that shows no number is reported as it reads.
    st = Full();
    st.frontLossLabel = " N/A ";
    EXPECT_EQ(cr::BuildReportRows(st)[25].value, "     N/A");
}

TEST(RovandelReport, AFileThatCannotBeWrittenRaises)
{
    EXPECT_THROW(cr::WriteTextReport("/nonexistent-folder/report.txt", Full()), sps::Exception);
    const std::string path = testing::TempDir() + "rovandel-report.txt";
    cr::WriteTextReport(path, Full());
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::string expected;
    for (const std::string& line : cr::TextReportLines(Full()))
        expected += line + "\n";
    EXPECT_EQ(text.str(), expected);
    std::remove(path.c_str());
}

TEST(RovandelReport, PrintedValuesStayInsideTheFrame)
{
    // An A4 page at 300 pixels per inch; the longest description of the data.
    cr::ReportState st = Full();
    st.backDescription =
        "Very polluted fresh water (sewage, industrial effluent, ...) in the zone of high attack (water line)";
    sps::TRecordingPrinter printer(2480, 3508, 300);
    cr::PrintReport(printer, st);
    EXPECT_EQ(printer.Title, cr::kReportTitle);
    EXPECT_EQ(printer.EndDocCount, 1);
    const int lm = 207; // page width / 12
    std::string all;
    sps::TRecordingCanvas& cv = printer.Recording();
    for (const sps::TCanvasOp& op : printer.PageOps(1)) {
        if (op.Kind != sps::TCanvasOpKind::TextOut)
            continue;
        cv.Font = op.Font;
        EXPECT_LE(op.Points[0].X + cv.TextWidth(op.Text), 2480 - lm) << op.Text;
        all += op.Text + " ";
    }
    for (const char* words : {"Very polluted fresh water", "(water line)", "ROVANDEL", "Sea water" /* not there */})
        EXPECT_EQ(all.find(words) != std::string::npos, std::string(words) != "Sea water") << words;

    // A list without any line: an empty document.
    st.listHasItems = false;
    sps::TRecordingPrinter empty(2480, 3508, 300);
    cr::PrintReport(empty, st);
    EXPECT_TRUE(empty.PageTexts(1).empty());
    EXPECT_EQ(empty.EndDocCount, 1);
}

} // namespace
