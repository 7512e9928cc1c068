// The wall input dialog with real walls: filling, reading back, the previews'
// reactions, the copy buttons, and input that must leave a wall untouched.
#include "walldesign/ui/inputform.h"

#include "platform/error.h"
#include "platform/gui/fakes.h"
#include "platform/numtext.h"
#include "platform/stream.h"
#include "walldesign/calc/units.h"
#include "walldesign/calc/wall.h"
#include "walldesign/report/tests/records.h"
#include "walldesign/ui/enhgridview.h"
#include "walldesign/ui/mainform.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace wd {
namespace {

std::vector<uint8_t> DataOf(const TWall& wall)
{
    sps::ByteWriter out;
    sps::TWriter writer(out);
    wall.WriteData(writer);
    return out.Bytes();
}

TLayer Layer(float tip, float gamma, float phiDeg)
{
    TLayer l;
    l.Tip = tip;
    l.DensityMoist = gamma;
    l.DensitySubmerged = gamma - 10;
    l.K = 0;
    l.Phi = phiDeg / RadianFactor;
    l.Delta = phiDeg / 2 / RadianFactor;
    l.Cohesion = 0;
    return l;
}

// A head wall with three layers in front, two behind, two forces, one
// pressure strip and two Boussinesq strips.
void FillHeadwall(TWall& w)
{
    w.PileTop = 0;
    w.AnchorLevel = 1.5f;
    w.Front.SoilLevel = 6;
    w.Behind.SoilLevel = 0.5f;
    w.Front.WaterLevel = 5;
    w.Behind.WaterLevel = 3;
    w.Front.Inclination = 0.1f;
    w.Behind.CaquotLoad = 10;
    w.AnchorInclination = 0.2f;
    w.FrontLayers = {Layer(8, 19, 30), Layer(12, 20, 32.5f), Layer(20, 21, 35)};
    w.BehindLayers = {Layer(9, 18, 27.5f), Layer(20, 20, 30)};
    w.Forces = {TForce{20, 0, 0}, TForce{-5, 10, 2}};
    w.Pressures = {TPressure{10, 20, 0.5f, 3}};
    w.Bousqs = {TBousq{1, 2, 0.5f, 30}, TBousq{4, 6, 0.5f, 15}};
    w.SectionIndex = 3;
    w.SectionName = "ZS 13";
    w.GradeIndex = 1;
    w.GradeName = "S 270 GP";
    w.RequiredSafety = 1.75f;
}

class InputForm : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedUnits_ = UnitSystem;
        UnitSystem = kMetric;
        form = std::make_unique<TInputForm>(nullptr, ".");
        SetInputDialog(form.get());
        platform.messages->calls.clear();
        sps::CurrentPlatform().showError = &TMainForm::ShowErrorBox; // as the program shows errors
        head = section.CreateHeadwall();
        FillHeadwall(*head);
    }
    void TearDown() override
    {
        form.reset();
        UnitSystem = savedUnits_;
        sps::SetDecimalSeparator('.');
    }

    // Edit with a scripted user: `user` changes the dialog; `ok` closes it.
    bool EditWith(TWall& wall, int page, const std::function<void(TInputForm&)>& user, bool ok = true)
    {
        form->OnShowModal = [&](TInputForm& f) {
            user(f);
            return ok;
        };
        return wall.Edit(page);
    }

    sps::FakePlatform platform;
    TSection section{nullptr};
    THeadwall* head = nullptr;
    std::unique_ptr<TInputForm> form;

private:
    uint8_t savedUnits_ = kMetric;
};

TEST_F(InputForm, OpensOnTheWallsRowsAndPage)
{
    head->BehindLayers.resize(2);
    head->Forces.clear();
    EditWith(*head, 2, [](TInputForm& f) {
        EXPECT_EQ(f.PageControl->currentWidget(), f.TabSheet3);
        EXPECT_EQ(f.windowTitle(), "Input of Headwall - Section 0");
        TEnhGrid& g1 = f.Grid1->Grid();
        ASSERT_EQ(g1.RowCount(), 3);
        EXPECT_EQ(g1.GetEditText(0, 0), "Layer 1");
        EXPECT_EQ(g1.GetEditText(0, 2), "Layer 3");
        EXPECT_EQ(g1.GetEditText(1, 1), "12.000");
        EXPECT_EQ(g1.GetEditText(5, 1), "32.500");
        TEnhGrid& g2 = f.Grid2->Grid();
        EXPECT_EQ(g2.RowCount(), 2);
        // No forces: only the hidden first row.
        TEnhGrid& g3 = f.Grid3->Grid();
        EXPECT_EQ(g3.RowCount(), 1);
        EXPECT_TRUE(f.Grid3->isRowHidden(0));
        // Strips are numbered from the first shown row.
        TEnhGrid& g5 = f.Grid5->Grid();
        ASSERT_EQ(g5.RowCount(), 3);
        EXPECT_EQ(g5.GetEditText(0, 1), "Bousq. 1");
        EXPECT_EQ(g5.GetEditText(4, 2), "15.000");
        EXPECT_EQ(f.Edits[1]->text(), "0.000");
        EXPECT_EQ(f.Edits[12]->text(), "1.750");
        EXPECT_EQ(f.ListBox1->currentRow(), 3);
        EXPECT_EQ(f.ListBox2->currentRow(), 1);
        EXPECT_EQ(f.ComboBox1->count(), 3);
        EXPECT_TRUE(f.Edits[13]->isHidden());
        EXPECT_TRUE(f.Edits[14]->isHidden());
        EXPECT_TRUE(f.CopyButton1->isHidden());
    }, false);
}

TEST_F(InputForm, CantileverDisablesTheAnchorLevelAndRedraws)
{
    form->SetHeadwall(true);
    head->WriteInput(*form);
    auto anchors = [&] {
        std::vector<std::string> texts = test::TextsOf(form->GeometryDrawing);
        return std::count(texts.begin(), texts.end(), "Anchor");
    };
    EXPECT_EQ(anchors(), 1);
    form->ComboBox1->setCurrentIndex(spCantilever);
    EXPECT_FALSE(form->Edits[4]->isEnabled());
    EXPECT_FALSE(form->Labels[2]->isEnabled());
    EXPECT_EQ(anchors(), 0);
    form->ComboBox1->setCurrentIndex(spFixed);
    EXPECT_TRUE(form->Edits[4]->isEnabled());
    EXPECT_EQ(anchors(), 1);
}

TEST_F(InputForm, AnchorWallsOfferFreeAndFixedAndTheirAnchorForceRow)
{
    TAnchorwall* anchor = section.CreateAnchorwall();
    anchor->AnchorSafety = 1.25f;
    anchor->WriteInput(*form);
    EXPECT_EQ(form->ComboBox1->count(), 2);
    EXPECT_FALSE(form->Edits[14]->isHidden());
    EXPECT_FALSE(form->Labels[14]->isHidden());
    EXPECT_TRUE(form->Edits[13]->isHidden());
    EXPECT_FALSE(form->CopyButton1->isHidden());
    EXPECT_EQ(form->Edits[14]->text(), "1.250");
    head->WriteInput(*form); // the head wall of a section with an anchor wall
    EXPECT_EQ(form->ComboBox1->count(), 2);
    EXPECT_TRUE(form->CopyButton1->isHidden());

    TSection alone(nullptr);
    TAnchorwall* single = alone.CreateAnchorwall();
    single->AnchorForce = 150;
    EXPECT_TRUE(EditWith(*single, 0, [](TInputForm& f) {
        EXPECT_FALSE(f.Edits[13]->isHidden());
        EXPECT_TRUE(f.Edits[14]->isHidden());
        EXPECT_TRUE(f.CopyButton1->isHidden());
        EXPECT_EQ(f.Edits[13]->text(), "150.000");
        f.Edits[13]->setText("-120.5");
        f.Edits[14]->setText("9");
    }));
    EXPECT_FLOAT_EQ(single->AnchorForce, 120.5f);
    EXPECT_FLOAT_EQ(single->AnchorSafety, 0); // Edit14 is not read without a head wall
    EXPECT_TRUE(single->Modified);
    EXPECT_TRUE(alone.Modified);
}

TEST_F(InputForm, ImperialInputIsStoredMetric)
{
    UnitSystem = kImperial;
    EXPECT_TRUE(EditWith(*head, 0, [](TInputForm& f) {
        EXPECT_TRUE(f.Labels[1]->text().endsWith("[ft]"));
        EXPECT_EQ(f.Grid1->Grid().Columns()[2].Title().Caption(), "Density Moist [kip/ft3]");
        f.Edits[1]->setText("10");
    }));
    EXPECT_EQ(head->PileTop, 10.0f / 3.280864f);
    EXPECT_FLOAT_EQ(head->PileTop, 3.0479777f);
    head->WriteInput(*form);
    EXPECT_EQ(form->Edits[1]->text(), "10.000");
    UnitSystem = kMetric;
    form->TranslateUnitLabels();
    EXPECT_TRUE(form->Labels[1]->text().endsWith("[m]"));
}

TEST_F(InputForm, CopyButtons)
{
    TAnchorwall* anchor = section.CreateAnchorwall();
    head->FrontLayers.push_back(Layer(25, 22, 37.5f));
    head->FrontLayers.push_back(Layer(30, 22, 40));
    anchor->WriteInput(*form);
    ASSERT_EQ(form->Grid2->Grid().RowCount(), 1);
    QTest::mouseClick(form->CopyButton1, Qt::LeftButton);
    ASSERT_EQ(form->Grid1->Grid().RowCount(), 5);
    EXPECT_EQ(form->Grid1->Grid().Cell(1, 4), "30.000");
    EXPECT_EQ(form->Grid1->Grid().Cell(5, 4), "40.000");

    form->Grid2->Grid().SetRowCount(2);
    form->Grid2->Grid().SetCell(1, 1, "99");
    QTest::mouseClick(form->CopyButton2, Qt::LeftButton);
    form->OnShowModal = [](TInputForm&) { return true; };
    anchor->ReadInput(*form);
    ASSERT_EQ(anchor->BehindLayers.size(), 5u);
    for (size_t i = 0; i < 5; i++) {
        EXPECT_EQ(anchor->BehindLayers[i].Tip, anchor->FrontLayers[i].Tip);
        EXPECT_EQ(anchor->BehindLayers[i].Phi, anchor->FrontLayers[i].Phi);
    }
    EXPECT_FLOAT_EQ(anchor->FrontLayers[4].Phi * RadianFactor, 40);
}

TEST_F(InputForm, CancelAndFailedReadingLeaveTheWallUntouched)
{
    std::vector<uint8_t> before = DataOf(*head);
    auto typeEverything = [](TInputForm& f) {
        for (int n : {1, 2, 4, 9, 12, 13})
            f.Edits[static_cast<size_t>(n)]->setText("7");
        f.Grid1->Grid().SetCell(1, 0, "3");
        f.Grid3->Grid().SetRowCount(1);
        f.ComboBox1->setCurrentIndex(spCantilever);
        f.CheckBox2->setChecked(true);
        f.ListBox1->setCurrentRow(0);
    };
    EXPECT_FALSE(EditWith(*head, 0, typeEverything, false));
    EXPECT_EQ(DataOf(*head), before);
    EXPECT_FALSE(head->Modified);

    // A catalogue row that is no number stops the reading before anything is
    // stored; the dialog stays open until the user cancels.
    form->ListBox2->addItem("S 999\tx");
    int bad = form->ListBox2->count() - 1;
    int turns = 0;
    form->OnShowModal = [&](TInputForm& f) {
        if (turns++ > 0)
            return false;
        typeEverything(f);
        f.ListBox2->setCurrentRow(bad);
        return true;
    };
    EXPECT_FALSE(head->Edit(0));
    EXPECT_EQ(turns, 2);
    ASSERT_EQ(platform.messages->calls.size(), 1u);
    EXPECT_NE(platform.messages->calls[0].text.find("'x' is not a valid floating point value"), std::string::npos);
    EXPECT_EQ(DataOf(*head), before);
    EXPECT_FALSE(head->Modified);
    try {
        head->ReadInput(*form);
    } catch (const sps::Exception& e) {
        EXPECT_EQ(e.Message(), "'x' is not a valid floating point value");
    }
}

TEST_F(InputForm, NothingChosenKeepsTheStoredChoice)
{
    // A stored row that is no longer in the list, or holds another name.
    head->SectionIndex = 9999;
    head->SectionName = "OLD 1";
    head->SectionArea = 0.0125f;
    head->GradeIndex = 1;
    head->GradeName = "OLD GRADE";
    head->GradeValue = 300;
    TAnchorwall* anchor = section.CreateAnchorwall();
    anchor->Support = spCantilever;
    EXPECT_TRUE(EditWith(*head, 5, [](TInputForm& f) {
        EXPECT_EQ(f.ListBox1->currentRow(), -1);
        EXPECT_EQ(f.ListBox2->currentRow(), -1);
    }));
    EXPECT_EQ(head->SectionIndex, 9999);
    EXPECT_EQ(head->SectionName, "OLD 1");
    EXPECT_EQ(head->SectionArea, 0.0125f);
    EXPECT_EQ(head->GradeIndex, 1);
    EXPECT_EQ(head->GradeName, "OLD GRADE");
    EXPECT_EQ(head->GradeValue, 300);
    EXPECT_TRUE(EditWith(*anchor, 0, [](TInputForm& f) { EXPECT_EQ(f.ComboBox1->currentIndex(), -1); }));
    EXPECT_EQ(anchor->Support, spCantilever);

    // The requested safety shown is the wall's own, or 1.5 for a new wall.
    anchor->WriteInput(*form);
    EXPECT_EQ(form->Edit12->text(), "1.500");
    head->WriteInput(*form);
    EXPECT_EQ(form->Edit12->text(), "1.750");
}

TEST_F(InputForm, ChosenCatalogueRowsAreStored)
{
    EXPECT_TRUE(EditWith(*head, 5, [](TInputForm& f) {
        f.ListBox1->setCurrentRow(0);
        f.ListBox2->setCurrentRow(2);
    }));
    std::string row = form->ListBox1->item(0)->text().toStdString();
    std::string name = SplitTabField(row);
    EXPECT_EQ(head->SectionName, name);
    EXPECT_EQ(head->SectionIndex, 0);
    EXPECT_FLOAT_EQ(head->SectionArea, NextTabValue(row) * 0.0001f);
    EXPECT_FLOAT_EQ(head->SectionMass, NextTabValue(row));
    EXPECT_FLOAT_EQ(head->SectionInertia, NextTabValue(row) * 1e-8f);
    EXPECT_FLOAT_EQ(head->SectionModulus, NextTabValue(row) * 1e-6f);
    EXPECT_EQ(head->GradeIndex, 2);
    EXPECT_EQ(head->GradeName, "S 320 GP");
    EXPECT_EQ(head->GradeValue, 320);
    EXPECT_EQ(head->PileTip, 0);
}

TEST_F(InputForm, GermanDecimalComma)
{
    sps::SetDecimalSeparator(',');
    head->FrontLayers[0].Tip = 8.25f;
    EXPECT_TRUE(EditWith(*head, 0, [](TInputForm& f) {
        EXPECT_EQ(f.Edits[5]->text(), "5,000");
        EXPECT_EQ(f.Grid1->Grid().GetEditText(1, 0), "8,250");
        EXPECT_EQ(f.Grid3->Grid().GetEditText(2, 1), "0,000");
        f.Edits[1]->setText("-0,5");
        f.Grid1->Grid().SetCell(1, 0, "8,5");
        f.ListBox1->setCurrentRow(4);
        f.ListBox2->setCurrentRow(3);
        f.Edit12->setText("1,6");
    }));
    EXPECT_EQ(head->PileTop, -0.5f);
    EXPECT_EQ(head->FrontLayers[0].Tip, 8.5f);
    EXPECT_FLOAT_EQ(head->FrontLayers[1].Phi * RadianFactor, 32.5f);
    EXPECT_EQ(head->GradeValue, 355);
    EXPECT_EQ(head->RequiredSafety, 1.6f);
    EXPECT_GT(head->SectionModulus, 0);
}

TEST_F(InputForm, RowButtonsAndTheLastStrip)
{
    head->WriteInput(*form);
    QPushButton* add5 = form->findChild<QPushButton*>("AddRowButton5");
    for (int i = 0; i < 6; i++)
        QTest::mouseClick(add5, Qt::LeftButton);
    EXPECT_EQ(form->Grid5->Grid().RowCount(), 6); // five strips at most
    std::vector<std::string> texts = test::TextsOf(form->BousqDrawing);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "B. 5"), 1);

    // The last force and the last pressure strip can be deleted.
    QPushButton* del4 = form->findChild<QPushButton*>("DeleteRowButton4");
    QTest::mouseClick(del4, Qt::LeftButton);
    EXPECT_EQ(form->Grid4->Grid().RowCount(), 1);
    QTest::mouseClick(del4, Qt::LeftButton);
    EXPECT_EQ(form->Grid4->Grid().RowCount(), 1);
    QPushButton* del3 = form->findChild<QPushButton*>("DeleteRowButton3");
    QTest::mouseClick(del3, Qt::LeftButton);
    QTest::mouseClick(del3, Qt::LeftButton);
    EXPECT_EQ(form->Grid3->Grid().RowCount(), 1);
    texts = test::TextsOf(form->ForcesDrawing);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Force 1"), 0);
    head->ReadInput(*form);
    EXPECT_TRUE(head->Forces.empty());
    EXPECT_TRUE(head->Pressures.empty());
    EXPECT_EQ(head->Bousqs.size(), 5u);
}

TEST_F(InputForm, AnEmptyGridShowsNothingOfTheWallBefore)
{
    head->WriteInput(*form);
    TSection other(nullptr);
    THeadwall* fresh = other.CreateHeadwall();
    fresh->WriteInput(*form);
    EXPECT_EQ(form->Grid1->Grid().RowCount(), 1);
    EXPECT_EQ(form->Grid1->Grid().Cell(1, 0), "");
    EXPECT_EQ(form->Grid1->Grid().GetEditText(1, 0), "0.000");
    fresh->ReadInput(*form);
    ASSERT_EQ(fresh->FrontLayers.size(), 1u);
    EXPECT_EQ(fresh->FrontLayers[0].Tip, 0);
}

// A field of the dialog with its caption in messages.
struct TBadField {
    TInputField Field;
    const char* Caption;
};

TEST_F(InputForm, TextThatIsNoNumberIsRefusedNamingTheFieldAndLeavesTheWall)
{
    const TBadField fields[] = {
        {{"Edit4"}, "Anchorlevel [m]"},
        {{"Edit12"}, "Requested Safety"},
        {{{}, kFrontLayerGrid, 2, 1}, "Layers in Front, Layer 2, Density Moist [kN/m3]"},
        {{{}, kBehindLayerGrid, 7, 0}, "Layers behind, Layer 1, Cohesion [kN/m2]"},
        {{{}, kForceGrid, 1, 2}, "Concentrated Forces, Force 2, Horiz. Component [kN/m]"},
        {{{}, kPressureGrid, 4, 1}, "Userdefined Pressures, Strip 1, Depth Tip [m]"},
        {{{}, kBousqGrid, 3, 2}, "Boussinesq, Bousq. 2, Depth Surcharge [m]"},
    };
    const char* texts[] = {"abc", "2O", "nan", "inf", "1e999", "1,000.5", "1.2.3", "--1", "", " "};
    form->show();
    std::vector<uint8_t> before = DataOf(*head);
    for (const TBadField& bad : fields) {
        for (const char* text : texts) {
            bool edit = !bad.Field.Edit.empty();
            if (!edit && std::string(text).find_first_not_of(' ') == std::string::npos)
                continue; // an empty cell is 0
            SCOPED_TRACE(std::string(bad.Caption) + " <- \"" + text + "\"");
            platform.messages->calls.clear();
            int turns = 0;
            QWidget* focus = nullptr;
            QWidget* page = nullptr;
            form->OnShowModal = [&](TInputForm& f) {
                if (turns++ > 0) {
                    focus = f.focusWidget();
                    page = f.PageControl->currentWidget();
                    return false;
                }
                f.Edits[1]->setText("7"); // read, but not stored
                if (edit)
                    f.SetText(bad.Field.Edit, text);
                else
                    f.SetCell(bad.Field.Grid, bad.Field.Col, bad.Field.Row, text);
                return true;
            };
            EXPECT_FALSE(head->Edit(0));
            EXPECT_EQ(turns, 2);
            ASSERT_EQ(platform.messages->calls.size(), 1u);
            EXPECT_EQ(platform.messages->calls[0].text,
                      "\"" + std::string(text) + "\" is not a valid number: " + bad.Caption);
            if (edit) {
                QWidget* field = form->findChild<QLineEdit*>(QString::fromStdString(bad.Field.Edit));
                EXPECT_EQ(focus, field);
                EXPECT_TRUE(page->isAncestorOf(field));
            } else {
                TEnhGridView* view = form->GridView(bad.Field.Grid);
                EXPECT_EQ(focus, view);
                EXPECT_TRUE(page->isAncestorOf(view));
                EXPECT_EQ(view->Grid().Col(), bad.Field.Col);
                EXPECT_EQ(view->Grid().Row(), bad.Field.Row);
            }
            EXPECT_EQ(DataOf(*head), before);
            EXPECT_FALSE(head->Modified);
        }
    }
    // The caption is the label as shown, in the unit system shown.
    UnitSystem = kImperial;
    platform.messages->calls.clear();
    int turns = 0;
    form->OnShowModal = [&](TInputForm& f) {
        f.Edits[4]->setText("x");
        return turns++ == 0;
    };
    head->Edit(0);
    ASSERT_EQ(platform.messages->calls.size(), 1u);
    EXPECT_EQ(platform.messages->calls[0].text, "\"x\" is not a valid number: Anchorlevel [ft]");
}

TEST_F(InputForm, EitherSeparatorReadsAndEmptyCellsAreZero)
{
    for (char separator : {'.', ','}) {
        SCOPED_TRACE(separator);
        sps::SetDecimalSeparator(separator);
        EXPECT_TRUE(EditWith(*head, 0, [](TInputForm& f) {
            f.Edits[1]->setText("1,5");
            f.Edits[2]->setText("6.25");
            f.Grid1->Grid().SetCell(2, 0, "18,5");
            f.Grid1->Grid().SetCell(3, 0, "8.5");
            f.Grid1->Grid().SetCell(7, 1, "");
            f.Grid2->Grid().SetCell(1, 1, "  ");
            QTest::mouseClick(f.findChild<QPushButton*>("AddRowButton3"), Qt::LeftButton); // a new row, empty
        }));
        EXPECT_EQ(head->PileTop, 1.5f);
        EXPECT_EQ(head->Front.SoilLevel, 6.25f);
        EXPECT_EQ(head->FrontLayers[0].DensityMoist, 18.5f);
        EXPECT_EQ(head->FrontLayers[0].DensitySubmerged, 8.5f);
        EXPECT_EQ(head->FrontLayers[1].Cohesion, 0);
        EXPECT_EQ(head->BehindLayers[1].Tip, 0);
        ASSERT_EQ(head->Forces.size(), 3u);
        EXPECT_EQ(head->Forces[0].Horizontal, 0);
        // Shown again with the program's separator.
        head->WriteInput(*form);
        EXPECT_EQ(form->Edits[1]->text(), separator == ',' ? "1,500" : "1.500");
        FillHeadwall(*head);
    }
}

TEST_F(InputForm, UntouchedFieldsKeepTheirValuesWhereverTheirRowsMove)
{
    UnitSystem = kImperial;
    head->FrontLayers[1].DensityMoist = 18; // 0.115 kip/ft3 when shown
    head->Behind.CaquotLoad = 10;
    TLayers front = head->FrontLayers;
    TForces forces = head->Forces;
    TBousqs strips = head->Bousqs;
    EXPECT_TRUE(EditWith(*head, 0, [](TInputForm& f) {
        f.Grid1->Grid().SetCurrent(1, 0);
        QTest::mouseClick(f.findChild<QPushButton*>("DeleteRowButton1"), Qt::LeftButton);
        f.Grid3->Grid().SetCurrent(1, 1);
        QTest::mouseClick(f.findChild<QPushButton*>("AddRowButton3"), Qt::LeftButton);
        QTest::mouseClick(f.CopyButton2, Qt::LeftButton);
        f.Grid5->Grid().SetCell(1, 2, "13.124"); // 4 m typed in feet
    }));
    auto input = [](const TLayer& l) {
        return std::vector<float>{l.Tip, l.DensityMoist, l.DensitySubmerged, l.K, l.Phi, l.Delta, l.Cohesion};
    };
    ASSERT_EQ(head->FrontLayers.size(), 2u);
    ASSERT_EQ(head->BehindLayers.size(), 2u);
    for (size_t i = 0; i < 2; i++) {
        EXPECT_EQ(input(head->FrontLayers[i]), input(front[i + 1]));
        EXPECT_EQ(input(head->BehindLayers[i]), input(front[i + 1]));
    }
    EXPECT_EQ(head->Behind.CaquotLoad, 10);
    ASSERT_EQ(head->Forces.size(), 3u);
    EXPECT_EQ(head->Forces[0].Horizontal, 0);
    EXPECT_EQ(head->Forces[1].Horizontal, forces[0].Horizontal);
    EXPECT_EQ(head->Forces[2].Depth, forces[1].Depth);
    EXPECT_EQ(head->Bousqs[1].Distance, 13.124f / kLengthFactor);
    EXPECT_EQ(head->Bousqs[1].Width, strips[1].Width);
}

TEST_F(InputForm, PageKeysSwitchPagesFromEveryControlAndChangeNoValue)
{
    head->WriteInput(*form);
    ASSERT_EQ(form->ComboBox1->currentIndex(), spFree);
    form->show();
    QApplication::processEvents();
    struct TKey {
        QWidget* From;
        int Page;
        Qt::Key Key;
        Qt::KeyboardModifiers Mods;
        int Expected;
    };
    const TKey keys[] = {
        {form->ComboBox1, 0, Qt::Key_PageDown, Qt::ControlModifier, 1},
        {form->ComboBox1, 0, Qt::Key_Tab, Qt::ControlModifier, 1},
        {form->ComboBox1, 0, Qt::Key_PageUp, Qt::ControlModifier, 5},
        {form->ComboBox1, 0, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 5},
        {form->Edits[1], 0, Qt::Key_PageDown, Qt::ControlModifier, 1},
        {form->Grid1, 1, Qt::Key_PageDown, Qt::ControlModifier, 2},
        {form->Grid3, 2, Qt::Key_PageUp, Qt::ControlModifier, 1},
        {form->CheckBox1, 1, Qt::Key_Tab, Qt::ControlModifier, 2},
        {form->ListBox1, 5, Qt::Key_PageDown, Qt::ControlModifier, 0},
        {form->Edit12, 5, Qt::Key_PageUp, Qt::ControlModifier, 4},
    };
    for (const TKey& k : keys) {
        SCOPED_TRACE(k.From->objectName().toStdString() + " " + std::to_string(k.Key));
        form->PageControl->setCurrentIndex(k.Page);
        k.From->setFocus();
        QWidget* target = k.From;
        if (auto* view = dynamic_cast<TEnhGridView*>(k.From)) {
            view->Grid().SetCurrent(1, view->Grid().RowCount() - 1);
            view->ShowEditor();
            ASSERT_NE(view->Editor(), nullptr);
            target = view->Editor();
        }
        int rows1 = form->Grid1->Grid().RowCount();
        int listRow = form->ListBox1->currentRow();
        QTest::keyClick(target, k.Key, k.Mods);
        EXPECT_EQ(form->PageControl->currentIndex(), k.Expected);
        EXPECT_EQ(form->ComboBox1->currentIndex(), spFree);
        EXPECT_EQ(form->ListBox1->currentRow(), listRow);
        EXPECT_EQ(form->Grid1->Grid().RowCount(), rows1);
        QWidget* focus = form->focusWidget();
        EXPECT_TRUE(focus && form->PageControl->currentWidget()->isAncestorOf(focus));
    }
    // From the open list of the earth support too: it closes unchanged.
    form->PageControl->setCurrentIndex(0);
    form->ComboBox1->showPopup();
    ASSERT_TRUE(form->ComboBox1->view()->isVisible());
    QTest::keyClick(form->ComboBox1->view(), Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(form->PageControl->currentIndex(), 1);
    EXPECT_FALSE(form->ComboBox1->view()->isVisible());
    EXPECT_EQ(form->ComboBox1->currentIndex(), spFree);
}

// A result window whose refill fails after the input was stored.
struct TFailingView : TWallView {
    void Refill() override { sps::Raise("Equilibrium failure."); }
    void CloseView() override {}
};

TEST_F(InputForm, AFailingRefillAfterOkStillReportsTheStoredInput)
{
    TFailingView view;
    head->TablesWindow = &view;
    EXPECT_TRUE(EditWith(*head, 0, [](TInputForm& f) { f.Edits[1]->setText("0.25"); }));
    EXPECT_EQ(head->PileTop, 0.25f);
    EXPECT_TRUE(section.Modified);
    ASSERT_EQ(platform.messages->calls.size(), 1u);
    EXPECT_NE(platform.messages->calls[0].text.find("Equilibrium failure."), std::string::npos);
    head->TablesWindow = nullptr;
}

TEST_F(InputForm, ListRowsThatCannotBeReadAreDrawnAsTheyStand)
{
    form->ListBox1->addItem("BROKEN\t12\tabc");
    QImage image(400, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    form->ListBox1->DrawItem(painter, form->ListBox1->count() - 1, QRect(0, 0, 400, 20), false);
    form->ListBox1->DrawItem(painter, 0, QRect(0, 0, 400, 20), false);
    painter.end();
    EXPECT_TRUE(platform.messages->calls.empty());
}

} // namespace
} // namespace wd
