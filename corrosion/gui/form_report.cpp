// The report of the current check on the printer and in a text file.
#include "calcframe/gui/aboutbox.h"
#include "calcframe/gui/frame.h"
#include "calcframe/gui/radiogroup.h"
#include "corrosion/gui/form.h"
#include "corrosion/gui/formdata.h"
#include "corrosion/report.h"
#include "platform/gui/printer.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace rv {

namespace {

std::string S(const QString& s) { return s.toStdString(); }

} // namespace

cr::ReportState TForm1::CurrentReportState() const
{
    const RovandelData& d = *data_;
    cr::ReportState st;
    st.metric = metric_;
    st.section = d.section;
    st.totalLoss = d.losses.total;
    st.totalLossMils = d.totalLossMils;
    st.gradeText = S(CB_SteelGrades->currentText());
    st.fyk = d.fyk;
    st.loads = d.loads;
    st.sf = d.sf;
    st.pairs = d.quantities.pairs;
    st.pileLength = d.pileLength;
    st.realWallLength = d.quantities.realWallLength;
    st.totalMass = d.quantities.totalMass;
    st.serviceLifeEnabled = cf::OwnEnabled(CB_ServiceLife);
    st.serviceLife = S(CB_ServiceLife->currentText());
    st.protectionFront = S(CB_Protection_Front->currentText());
    st.protectionBack = S(CB_Protection_Back->currentText());
    st.frontDescription = S(Lbl_Summary_Front4->text());
    st.backDescription = S(Lbl_Summary_Back4->text());
    st.projectSource = source_ == Source::Project;
    st.frontDescrEdit = S(Edit_Front_Descr->text());
    st.backDescrEdit = S(Edit_Back_Descr->text());
    st.frontLossLabel = S(Lbl_Summary_Front2->text());
    st.backLossLabel = S(Lbl_Summary_Back2->text());
    st.a690Enabled = cf::OwnEnabled(RG_A690);
    st.a690Item = RG_A690->ItemIndex();
    st.a690ItemText = S(RG_A690->SelectedText());
    st.listHasItems = LB_SSP->count() > 0;
    st.versionLine = aboutBox_ ? S(aboutBox_->Version->text()) : std::string(kVersionLine);
    st.date = sps::ShortDateText();
    st.time = cf::LongTimeText();
    return st;
}

void TForm1::PrintReport(const std::string& target, sps::TPrinter* printer)
{
    if (target == "Printer") {
        if (printer)
            cr::PrintReport(*printer, CurrentReportState());
        return;
    }
    const std::string path = cf::AskTextReportPath(cr::kReportTitle);
    if (path.empty())
        return;
    cr::WriteTextReport(path, CurrentReportState());
}

void TForm1::MenuPrintClick()
{
    cf::RunPrintDialog(this, "Rovandel", [this](sps::TPrinter& printer) { PrintReport("Printer", &printer); });
}

void TForm1::MenuPrintToFileClick() { PrintReport("File"); }

} // namespace rv
