// A wall's input through the input dialog: Edit, WriteInput, ReadInput and the
// anchor wall's copy of the head wall's front layers.
#include "platform/error.h"
#include "walldesign/calc/inputdialog.h"
#include "walldesign/calc/units.h"
#include "walldesign/calc/wall.h"

#include <cmath>
#include <exception>

namespace wd {

namespace {

constexpr size_t kNameChars = 20;
constexpr float kDefaultSafety = 1.5f;

// The Geo Data edits with their factors.
struct TGeoEdit {
    const char* Name;
    float Factor;
};
constexpr TGeoEdit kPileTop{"Edit1", kLengthFactor};
constexpr TGeoEdit kFrontSoil{"Edit2", kLengthFactor};
constexpr TGeoEdit kBehindSoil{"Edit3", kLengthFactor};
constexpr TGeoEdit kAnchorLevel{"Edit4", kLengthFactor};
constexpr TGeoEdit kFrontWater{"Edit5", kLengthFactor};
constexpr TGeoEdit kBehindWater{"Edit6", kLengthFactor};
constexpr TGeoEdit kFrontInclination{"Edit7", RadianFactor};
constexpr TGeoEdit kBehindInclination{"Edit8", RadianFactor};
constexpr TGeoEdit kFrontCaquot{"Edit9", kPressureFactor};
constexpr TGeoEdit kBehindCaquot{"Edit10", kPressureFactor};
constexpr TGeoEdit kAnchorInclination{"Edit11", RadianFactor};
constexpr TGeoEdit kRequiredSafety{"Edit12", kNoFactor};
constexpr TGeoEdit kAnchorForce{"Edit13", kForceFactor};
constexpr TGeoEdit kAnchorSafety{"Edit14", kNoFactor};

void Put(TInputDialog& d, const TGeoEdit& e, float value)
{
    d.SetText(e.Name, FormatValue(value, e.Factor));
}

// The edit's value; `shown` is the value WriteInput put there.
float Get(TInputDialog& d, const TGeoEdit& e, float shown)
{
    return EditValue(d, e.Name, e.Factor, shown);
}

float ShownSafety(float requiredSafety)
{
    return requiredSafety != 0 ? requiredSafety : kDefaultSafety;
}

// Row count of a grid := `count`; rows without a record are emptied, so
// nothing of the wall shown before remains.
void SizeGrid(TInputDialog& d, int grid, int count)
{
    d.SetRowCount(grid, count);
    for (int r = count; r < d.RowCount(grid); r++)
        ClearGridRow(d, grid, r);
}

void WriteLayers(TInputDialog& d, int grid, const TLayers& layers)
{
    SizeGrid(d, grid, static_cast<int>(layers.size()));
    for (size_t i = 0; i < layers.size(); i++) {
        const TLayer& l = layers[i];
        ValuesToGridRow({l.Tip, l.DensityMoist, l.DensitySubmerged, l.K, l.Phi, l.Delta, l.Cohesion}, d, grid,
                        static_cast<int>(i), LayerFactors());
    }
}

void ReadLayers(TInputDialog& d, int grid, TLayers& layers)
{
    layers.resize(static_cast<size_t>(d.RowCount(grid)));
    for (size_t i = 0; i < layers.size(); i++) {
        std::vector<float> v = GridRowToValues(d, grid, static_cast<int>(i), LayerFactors());
        TLayer& l = layers[i];
        l.Tip = v[0];
        l.DensityMoist = v[1];
        l.DensitySubmerged = v[2];
        l.K = v[3];
        l.Phi = v[4];
        l.Delta = v[5];
        l.Cohesion = v[6];
    }
}

// Records of grids 3 to 5 sit in the rows after the hidden first row.
size_t RecordCount(const TInputDialog& d, int grid)
{
    return static_cast<size_t>(std::max(0, d.RowCount(grid) - 1));
}

std::string Cut(const std::string& name)
{
    return name.substr(0, kNameChars);
}

// Whether a list row is the one the wall took its values from.
bool StoredRow(int row, int32_t storedIndex, std::string text, const std::string& storedName)
{
    return row == storedIndex && Cut(SplitTabField(text)) == storedName;
}

// The row shown chosen: the stored one while it still holds the stored name,
// else none (the wall keeps its values).
int ShownRow(const TInputDialog& d, int list, int32_t storedIndex, const std::string& storedName)
{
    return StoredRow(storedIndex, storedIndex, d.ListItem(list, storedIndex), storedName) ? storedIndex : -1;
}

// A check box's flag: the stored byte while the box shows it.
uint8_t Flag(bool checked, uint8_t stored)
{
    return checked == (stored != 0) ? stored : static_cast<uint8_t>(checked ? 1 : 0);
}

} // namespace

bool TWall::Edit(int page)
{
    TInputDialog* dialog = InputDialog();
    if (!dialog)
        sps::Raise("The input dialog is not available");
    WriteInput(*dialog);
    dialog->ActivatePage("TabSheet" + std::to_string(page + 1));
    dialog->SetHeadwall(dynamic_cast<THeadwall*>(this) != nullptr);
    // Input that cannot be read keeps the dialog open and the wall as it was.
    if (!dialog->ShowModal([this, dialog] { ReadInput(*dialog); }))
        return false;
    // The input is stored: a failing refill of an open result window must not
    // hide that from the caller.
    try {
        SetModified();
    } catch (const std::exception& e) {
        dialog->ShowError(e.what());
    }
    return true;
}

void TWall::WriteInput(TInputDialog& d)
{
    TSection* section = Section();
    d.SetCaption(sps::Format("Input of %s - %s", GetName().c_str(), section ? section->GetName().c_str() : ""));

    Put(d, kPileTop, PileTop);
    Put(d, kAnchorLevel, AnchorLevel);
    Put(d, kFrontSoil, Front.SoilLevel);
    Put(d, kBehindSoil, Behind.SoilLevel);
    Put(d, kFrontWater, Front.WaterLevel);
    Put(d, kBehindWater, Behind.WaterLevel);
    Put(d, kFrontInclination, Front.Inclination);
    Put(d, kBehindInclination, Behind.Inclination);
    Put(d, kFrontCaquot, Front.CaquotLoad);
    Put(d, kBehindCaquot, Behind.CaquotLoad);
    Put(d, kAnchorInclination, AnchorInclination);
    Put(d, kAnchorForce, AnchorForce);
    Put(d, kAnchorSafety, AnchorSafety);
    // The wall's own requested safety, not the one of the wall shown before.
    Put(d, kRequiredSafety, ShownSafety(RequiredSafety));

    std::vector<std::string> supports = {"Free", "Fixed"};
    if (!(section && section->AnchorWall))
        supports.push_back("Cantilever");
    d.SetSupportItems(supports);
    d.SetSupportIndex(Support < supports.size() ? Support : -1);
    d.SetChecked("CheckBox1", Front.AutoCoefficients != 0);
    d.SetChecked("CheckBox2", Behind.AutoCoefficients != 0);
    d.SetVisible("CopyButton1", false);
    d.SetCopyFromHeadwall(nullptr);

    WriteLayers(d, kFrontLayerGrid, FrontLayers);
    WriteLayers(d, kBehindLayerGrid, BehindLayers);
    SizeGrid(d, kForceGrid, static_cast<int>(Forces.size()) + 1);
    for (size_t i = 0; i < Forces.size(); i++) {
        const TForce& f = Forces[i];
        ValuesToGridRow({f.Horizontal, f.Vertical, f.Depth}, d, kForceGrid, static_cast<int>(i) + 1, ForceFactors());
    }
    SizeGrid(d, kPressureGrid, static_cast<int>(Pressures.size()) + 1);
    for (size_t i = 0; i < Pressures.size(); i++) {
        const TPressure& p = Pressures[i];
        ValuesToGridRow({p.PressureTop, p.PressureTip, p.DepthTop, p.DepthTip}, d, kPressureGrid,
                        static_cast<int>(i) + 1, PressureFactors());
    }
    SizeGrid(d, kBousqGrid, static_cast<int>(Bousqs.size()) + 1);
    for (size_t i = 0; i < Bousqs.size(); i++) {
        const TBousq& b = Bousqs[i];
        ValuesToGridRow({b.Distance, b.Width, b.Depth, b.Surcharge}, d, kBousqGrid, static_cast<int>(i) + 1,
                        BousqFactors());
    }
    // Clear the first rows too: they hold no data.
    for (int grid : {kForceGrid, kPressureGrid, kBousqGrid})
        ClearGridRow(d, grid, 0);

    d.SetListIndex(kSheetPileList, ShownRow(d, kSheetPileList, SectionIndex, SectionName));
    d.SetListIndex(kSteelGradeList, ShownRow(d, kSteelGradeList, GradeIndex, GradeName));
}

void THeadwall::WriteInput(TInputDialog& d)
{
    for (const char* control : {"Label13", "Label14", "Edit13", "Edit14"})
        d.SetVisible(control, false);
    TWall::WriteInput(d);
}

void TWall::ReadInput(TInputDialog& d)
{
    // Everything is read into copies first; the wall takes them over only
    // when the whole dialog was read.
    TSide front = Front;
    TSide behind = Behind;
    float pileTop = Get(d, kPileTop, PileTop);
    float anchorLevel = Get(d, kAnchorLevel, AnchorLevel);
    front.SoilLevel = Get(d, kFrontSoil, Front.SoilLevel);
    behind.SoilLevel = Get(d, kBehindSoil, Behind.SoilLevel);
    front.WaterLevel = Get(d, kFrontWater, Front.WaterLevel);
    behind.WaterLevel = Get(d, kBehindWater, Behind.WaterLevel);
    front.Inclination = Get(d, kFrontInclination, Front.Inclination);
    behind.Inclination = Get(d, kBehindInclination, Behind.Inclination);
    front.CaquotLoad = Get(d, kFrontCaquot, Front.CaquotLoad);
    behind.CaquotLoad = Get(d, kBehindCaquot, Behind.CaquotLoad);
    float anchorInclination = Get(d, kAnchorInclination, AnchorInclination);
    float anchorForce = std::fabs(Get(d, kAnchorForce, AnchorForce));
    int supportIndex = d.SupportIndex();
    uint8_t support = supportIndex >= spFree && supportIndex <= spCantilever ? static_cast<uint8_t>(supportIndex)
                                                                             : Support;
    front.AutoCoefficients = Flag(d.Checked("CheckBox1"), Front.AutoCoefficients);
    behind.AutoCoefficients = Flag(d.Checked("CheckBox2"), Behind.AutoCoefficients);

    TLayers frontLayers = FrontLayers;
    TLayers behindLayers = BehindLayers;
    ReadLayers(d, kFrontLayerGrid, frontLayers);
    ReadLayers(d, kBehindLayerGrid, behindLayers);

    TForces forces(RecordCount(d, kForceGrid));
    for (size_t i = 0; i < forces.size(); i++) {
        std::vector<float> v = GridRowToValues(d, kForceGrid, static_cast<int>(i) + 1, ForceFactors());
        forces[i] = TForce{v[0], v[1], v[2]};
    }
    TPressures pressures(RecordCount(d, kPressureGrid));
    for (size_t i = 0; i < pressures.size(); i++) {
        std::vector<float> v = GridRowToValues(d, kPressureGrid, static_cast<int>(i) + 1, PressureFactors());
        pressures[i] = TPressure{v[0], v[1], v[2], v[3]};
    }
    size_t bousqCount = RecordCount(d, kBousqGrid);
    if (bousqCount > static_cast<size_t>(kMaxBousqs))
        sps::RaiseFmt("Invalid number of Boussinesq strips (%d)", static_cast<int>(bousqCount));
    TBousqs bousqs(bousqCount);
    for (size_t i = 0; i < bousqs.size(); i++) {
        std::vector<float> v = GridRowToValues(d, kBousqGrid, static_cast<int>(i) + 1, BousqFactors());
        bousqs[i] = TBousq{v[0], v[1], v[2], v[3]};
    }

    int32_t sectionIndex = SectionIndex;
    float sectionArea = SectionArea;
    float sectionMass = SectionMass;
    float sectionInertia = SectionInertia;
    float sectionModulus = SectionModulus;
    std::string sectionName = SectionName;
    // A list row is taken when it is another than the stored one; the stored
    // row keeps its values as they were taken.
    int row = d.ListIndex(kSheetPileList);
    std::string text = d.ListItem(kSheetPileList, row);
    if (row >= 0 && row < d.ListCount(kSheetPileList) && !StoredRow(row, SectionIndex, text, SectionName)) {
        sectionName = Cut(SplitTabField(text));
        sectionArea = static_cast<float>(static_cast<double>(NextTabValue(text)) * 0.0001);
        sectionMass = NextTabValue(text);
        sectionInertia = static_cast<float>(static_cast<double>(NextTabValue(text)) * 1e-8);
        sectionModulus = static_cast<float>(static_cast<double>(NextTabValue(text)) * 1e-6);
        sectionIndex = row;
    }

    int32_t gradeIndex = GradeIndex;
    float gradeValue = GradeValue;
    std::string gradeName = GradeName;
    row = d.ListIndex(kSteelGradeList);
    text = d.ListItem(kSteelGradeList, row);
    if (row >= 0 && row < d.ListCount(kSteelGradeList) && !StoredRow(row, GradeIndex, text, GradeName)) {
        gradeName = Cut(SplitTabField(text));
        gradeValue = NextTabValue(text);
        gradeIndex = row;
    }
    float requiredSafety = Get(d, kRequiredSafety, ShownSafety(RequiredSafety));

    PileTip = 0;
    PileTop = pileTop;
    AnchorLevel = anchorLevel;
    Front = front;
    Behind = behind;
    AnchorInclination = anchorInclination;
    AnchorForce = anchorForce;
    Support = support;
    FrontLayers = std::move(frontLayers);
    BehindLayers = std::move(behindLayers);
    Forces = std::move(forces);
    Pressures = std::move(pressures);
    Bousqs = std::move(bousqs);
    SectionIndex = sectionIndex;
    SectionArea = sectionArea;
    SectionMass = sectionMass;
    SectionInertia = sectionInertia;
    SectionModulus = sectionModulus;
    SectionName = std::move(sectionName);
    GradeIndex = gradeIndex;
    GradeValue = gradeValue;
    GradeName = std::move(gradeName);
    RequiredSafety = requiredSafety;
}

void TAnchorwall::WriteInput(TInputDialog& d)
{
    TWall::WriteInput(d);
    TSection* section = Section();
    bool withHeadwall = section && section->HeadWall;
    d.SetVisible("Label14", withHeadwall);
    d.SetVisible("Edit14", withHeadwall);
    d.SetVisible("Label13", !withHeadwall);
    d.SetVisible("Edit13", !withHeadwall);
    d.SetVisible("CopyButton1", withHeadwall);
    if (withHeadwall)
        d.SetCopyFromHeadwall([this, &d] { CopyFromHeadwall(d); });
}

void TAnchorwall::ReadInput(TInputDialog& d)
{
    TSection* section = Section();
    bool withHeadwall = section && section->HeadWall;
    float safety = withHeadwall ? Get(d, kAnchorSafety, AnchorSafety) : AnchorSafety;
    TWall::ReadInput(d);
    AnchorSafety = safety;
}

void TAnchorwall::CopyFromHeadwall(TInputDialog& d)
{
    TSection* section = Section();
    if (!section || !section->HeadWall)
        return;
    WriteLayers(d, kFrontLayerGrid, section->HeadWall->FrontLayers);
}

} // namespace wd
