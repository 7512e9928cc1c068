// TWall::BuildReport: the nineteen paragraphs of the wall report.
#include "walldesign/calc/units.h"
#include "walldesign/calc/wall.h"
#include "walldesign/report/diagrams.h"
#include "walldesign/report/drawing.h"
#include "walldesign/report/pictures.h"
#include "walldesign/report/report.h"

#include "platform/commatext.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>

namespace wd {

namespace {

// Value cells are always quoted: a decimal comma must not split a number.
std::string Q(const std::string& text) { return sps::QuoteCommaField(text); }
std::string V(double value, float factor) { return Q(FormatReportValue(value, factor)); }

std::string Row(std::initializer_list<std::string> cells)
{
    std::string row;
    bool first = true;
    for (const std::string& c : cells) {
        if (!first)
            row += ',';
        row += c;
        first = false;
    }
    return row;
}

// Labels and headers follow the unit system.
std::string T(const std::string& text) { return TranslateUnitLabels(text); }

double Degrees(float radians) { return static_cast<double>(radians) * 180.0 / 3.14159265358979323846; }

TTable* AddTable(TParagraph* p)
{
    TTable* t = p->AddTable();
    t->HeaderRows = 1;
    t->HeaderCols = 1;
    return t;
}

TDrawing* AddDrawing(TParagraph* p)
{
    TGraphicContainer* g = p->AddGraphic();
    auto drawing = std::make_unique<TDrawing>();
    TDrawing* d = drawing.get();
    g->SetOwnedGraphic(std::move(drawing));
    g->MarginPercent = 10;
    return d;
}

TParagraph* AddParagraph(TReport& report, const std::string& caption, int columns = 1)
{
    TParagraph* p = report.AddParagraph();
    p->Caption = caption;
    p->NewPage = true;
    p->Columns = columns;
    return p;
}

const char* SupportText(uint8_t support)
{
    switch (support) {
    case spFree: return "Free";
    case spFixed: return "Fixed";
    case spCantilever: return "Cantilever";
    default: return "";
    }
}

} // namespace

std::unique_ptr<TReport> TWall::BuildReport()
{
    auto report = std::make_unique<TReport>();
    const bool isHeadwall = dynamic_cast<const THeadwall*>(this) != nullptr;
    const bool isAnchorwall = dynamic_cast<const TAnchorwall*>(this) != nullptr;
    const TSection* section = Section();
    const int strips = std::min(static_cast<int>(Bousqs.size()), kMaxBousqs);

    // 0: cover, filled by the print command.
    {
        TParagraph* p = AddParagraph(*report, "Sheet Pile Design According to Blum-Method");
        p->AddGraphic();
        p->AddTable();
    }

    // 1: geodata and its picture.
    {
        TParagraph* p = AddParagraph(*report, "Geodata", 2);
        TTable* t = AddTable(p);
        t->Rows.push_back(T(",Unit,"));
        auto add = [&](const char* label, const std::string& value) { t->Rows.push_back(Row({Q(T(label)), value})); };
        add("Sheet Pile Top Level [m]", V(PileTop, kLengthFactor));
        add("Sheet Pile Tip Level [m]", V(PileTip, kLengthFactor));
        add("Soil Level in Front [m]", V(Front.SoilLevel, kLengthFactor));
        add("Soil Level behind [m]", V(Behind.SoilLevel, kLengthFactor));
        add("Anchorlevel [m]", V(AnchorLevel, kLengthFactor));
        add("Water Level in Front [m]", V(Front.WaterLevel, kLengthFactor));
        add("Water Level behind [m]", V(Behind.WaterLevel, kLengthFactor));
        add("Soil Surface Inclination in Front [Deg]", V(Degrees(Front.Inclination), kNoFactor));
        add("Soil Surface Inclination behind [Deg]", V(Degrees(Behind.Inclination), kNoFactor));
        add("Caquot Surcharge in Front [kN/m2]", V(Front.CaquotLoad, kPressureFactor));
        add("Caquot Surcharge behind [kN/m2]", V(Behind.CaquotLoad, kPressureFactor));
        add("Anchor Inclination [Deg]", V(Degrees(AnchorInclination), kNoFactor));
        if (isAnchorwall && (section == nullptr || section->HeadWall == nullptr))
            add("Anchor Force*Safty Factor [kN/m]", V(AnchorForce, kForceFactor));
        t->Rows.push_back(Row({Q("Earth Support"), Q(SupportText(Support))}));
        p->AddColumnBreak();
        DrawGeodata(*AddDrawing(p), isHeadwall, IsCantilever(), PileTop, PileTip, Front.SoilLevel, Behind.SoilLevel,
                    Front.WaterLevel, Behind.WaterLevel, Front.Inclination, Behind.Inclination, Front.CaquotLoad,
                    Behind.CaquotLoad, AnchorLevel, AnchorInclination);
    }

    // 2: soil layers of both sides.
    {
        TParagraph* p = AddParagraph(*report, "Soil Layers");
        auto layerTable = [&](const char* caption, const TLayers& layers) {
            TTable* t = AddTable(p);
            t->Caption = caption;
            t->Rows.push_back(T(Row({"", Q("Layer Tip [m]"), Q("Density Moist [kN/m3]"),
                                     Q("Density Submerged [kN/m3]"), Q("Kph"), Q("Phi [Deg]"), Q("Delta [Deg]"),
                                     Q("Cohesion [kN/m2]")})));
            for (size_t i = 0; i < layers.size(); i++) {
                const TLayer& l = layers[i];
                t->Rows.push_back(Row({Q("Layer " + std::to_string(i + 1)), V(l.Tip, kLengthFactor),
                                       V(l.DensityMoist, kUnitWeightFactor), V(l.DensitySubmerged, kUnitWeightFactor),
                                       V(l.K, kNoFactor), V(Degrees(l.Phi), kNoFactor), V(Degrees(l.Delta), kNoFactor),
                                       V(l.Cohesion, kPressureFactor)}));
            }
        };
        layerTable("Layers in Front", FrontLayers);
        layerTable("Layers behind", BehindLayers);
    }

    // 3: Boussinesq strips and their picture.
    {
        TParagraph* p = AddParagraph(*report, "Boussinesq", 2);
        TTable* t = AddTable(p);
        t->Rows.push_back(T(Row({"", Q("Distance Wall [m]"), Q("Width Surcharge [m]"), Q("Depth Surcharge [m]"),
                                 Q("Surcharge [kN/m2]")})));
        for (size_t i = 0; i < Bousqs.size(); i++) {
            const TBousq& b = Bousqs[i];
            t->Rows.push_back(Row({Q("Bousq. " + std::to_string(i + 1)), V(b.Distance, kLengthFactor),
                                   V(b.Width, kLengthFactor), V(b.Depth, kLengthFactor),
                                   V(b.Surcharge, kPressureFactor)}));
        }
        p->AddColumnBreak();
        DrawBoussinesq(*AddDrawing(p), Bousqs, PileTop, PileTip, Front.SoilLevel, Behind.SoilLevel, Front.Inclination,
                       Behind.Inclination);
    }

    // 4: user-defined pressures.
    {
        TParagraph* p = AddParagraph(*report, "Userdefined Pressures");
        TTable* t = AddTable(p);
        t->Rows.push_back(T(Row({"", Q("Pressure Top [kN/m2]"), Q("Pressure Tip [kN/m2]"), Q("Depth Top [m]"),
                                 Q("Depth Tip [m]")})));
        for (size_t i = 0; i < Pressures.size(); i++) {
            const TPressure& s = Pressures[i];
            t->Rows.push_back(Row({Q("Strip " + std::to_string(i + 1)), V(s.PressureTop, kPressureFactor),
                                   V(s.PressureTip, kPressureFactor), V(s.DepthTop, kLengthFactor),
                                   V(s.DepthTip, kLengthFactor)}));
        }
    }

    // 5: concentrated forces and their picture.
    {
        TParagraph* p = AddParagraph(*report, "Concentrated Forces", 2);
        TTable* t = AddTable(p);
        t->Rows.push_back(T(Row({"", Q("Horiz. Component [kN/m]"), Q("Vert. Component [kN/m]"),
                                 Q("Depth Horiz. Comp. [m]")})));
        for (size_t i = 0; i < Forces.size(); i++) {
            const TForce& f = Forces[i];
            t->Rows.push_back(Row({Q("Force " + std::to_string(i + 1)), V(f.Horizontal, kForceFactor),
                                   V(f.Vertical, kForceFactor), V(f.Depth, kLengthFactor)}));
        }
        p->AddColumnBreak();
        DrawForces(*AddDrawing(p), Forces, PileTop, PileTip, Front.SoilLevel, Behind.SoilLevel, Front.Inclination,
                   Behind.Inclination);
    }

    // Section rows shared by paragraphs 6 and 9.
    auto sectionRows = [&](TTable* t) {
        auto add = [&](const char* label, const std::string& value) { t->Rows.push_back(Row({Q(T(label)), value})); };
        add("Name", Q(SectionName));
        add("Inertia [cm4/m]", V(static_cast<double>(SectionInertia) * 1e8, kInertiaFactor));
        add("Modulus [cm3/m]", V(static_cast<double>(SectionModulus) * 1e6, kModulusFactor));
        add("Area [cm2/m]", V(static_cast<double>(SectionArea) * 10000, kAreaFactor));
        add("Mass [kg/m2]", V(SectionMass, kMassFactor));
        add("Steel Grade [N/mm2]", V(GradeValue, kYieldFactor));
    };

    // 6: pile section.
    {
        TParagraph* p = AddParagraph(*report, "Pile Section");
        TTable* t = AddTable(p);
        sectionRows(t);
        t->Rows.push_back(Row({Q(T("Requested Safety")), V(RequiredSafety, kNoFactor)}));
    }

    // 7: every result value at the top and the bottom of every slice.
    {
        TParagraph* p = AddParagraph(*report, "All Values");
        TTable* t = p->AddTable();
        t->Font.Size = 7;
        t->HeaderRows = 1;
        t->HeaderCols = 0;
        std::string header = Row({Q("Depth [m]"), Q("Deflection [m]"), Q("Rotation [Rad]"), Q("Cross Force [kN/m]"),
                                  Q("Moment [kNm/m]"), Q("Total Pressure [kN/m2]"),
                                  Q("Earth Pressure in Front [kN/m2]"), Q("behind [kN/m2]"),
                                  Q("Water Pressure [kN/m2]"), Q("Userdefined Pressure [kN/m2]")});
        for (int j = 0; j < strips; j++)
            header += "," + Q("Bousq. " + std::to_string(j + 1) + " [kN/m2]");
        t->Rows.reserve(2 * Results.size() + 1);
        t->Rows.push_back(T(header));
        for (const TResultRow& r : Results) {
            for (int side = 0; side < 2; side++) {
                auto col = [&](int topColumn) { return r[static_cast<size_t>(topColumn + side)]; };
                std::string row = Row({V(side == 0 ? r[rcTop] : r[rcBottom], kLengthFactor),
                                       V(col(rcDeflectionTop), kLengthFactor), V(col(rcRotationTop), kNoFactor),
                                       V(col(rcCrossTop), kForceFactor), V(col(rcMomentTop), kMomentFactor),
                                       V(col(rcNetTop), kPressureFactor), V(col(rcFrontEarthTop), kPressureFactor),
                                       V(col(rcBehindEarthTop), kPressureFactor), V(col(rcWaterTop), kPressureFactor),
                                       V(col(rcUserTop), kPressureFactor)});
                for (int j = 0; j < strips; j++)
                    row += "," + V(col(rcBousqTop + 2 * j), kPressureFactor);
                t->Rows.push_back(std::move(row));
            }
        }
    }

    // 8: extremal values.
    {
        TParagraph* p = AddParagraph(*report, "Extremal Values");
        TTable* t = AddTable(p);
        t->Rows.push_back(T(Row({"", Q("z Min [m]"), Q("Min"), Q("z Max [m]"), Q("Max")})));
        t->Rows.push_back(Row({Q(T("Deflection [m]")), V(MinValues.DeflectionDepth, kLengthFactor),
                               V(MinValues.Deflection, kLengthFactor), V(MaxValues.DeflectionDepth, kLengthFactor),
                               V(MaxValues.Deflection, kLengthFactor)}));
        t->Rows.push_back(Row({Q(T("Cross Force [kN/m]")), V(MinValues.CrossForceDepth, kLengthFactor),
                               V(MinValues.CrossForce, kForceFactor), V(MaxValues.CrossForceDepth, kLengthFactor),
                               V(MaxValues.CrossForce, kForceFactor)}));
        t->Rows.push_back(Row({Q(T("Moment [kNm/m]")), V(MinValues.MomentDepth, kLengthFactor),
                               V(MinValues.Moment, kMomentFactor), V(MaxValues.MomentDepth, kLengthFactor),
                               V(MaxValues.Moment, kMomentFactor)}));
    }

    // 9: pile check.
    {
        TParagraph* p = AddParagraph(*report, "Pile Check");
        TTable* t = AddTable(p);
        t->Rows.push_back(T(Row({"", "", Q("Depth [m]")})));
        sectionRows(t);
        auto add = [&](const std::string& label, std::initializer_list<std::string> values) {
            std::string row = Q(T(label));
            for (const std::string& v : values)
                row += "," + v;
            t->Rows.push_back(std::move(row));
        };
        const std::string minDepth = V(MinValues.MomentDepth, kLengthFactor);
        const std::string maxDepth = V(MaxValues.MomentDepth, kLengthFactor);
        add("Minimal Moment [kNm/m]", {V(MinValues.Moment, kMomentFactor), minDepth});
        add("Maxmimal Moment [kNm/m]", {V(MaxValues.Moment, kMomentFactor), maxDepth});
        add("Normal Forces at Max. Moment [kN/m]", {V(MaxValues.NormalForce, kForceFactor), maxDepth});
        add("Normal Forces at Min. Moment [kN/m]", {V(MinValues.NormalForce, kForceFactor), minDepth});
        add("Deflection at Min. Moment [m]", {V(MinValues.DeflectionAtMoment, kLengthFactor), minDepth});
        add("Deflection at Max. Moment [m]", {V(MaxValues.DeflectionAtMoment, kLengthFactor), maxDepth});
        add("Min. Stress at Min. Moment [N/mm2]", {V(MinValues.StressAtMinMoment, kYieldFactor), minDepth});
        add("Max. Stress at Min. Moment [N/mm2]", {V(MaxValues.StressAtMinMoment, kYieldFactor), minDepth});
        add("Min. Stress at Max. Moment [N/mm2]", {V(MinValues.StressAtMaxMoment, kYieldFactor), maxDepth});
        add("Max. Stress at Max. Moment [N/mm2]", {V(MaxValues.StressAtMaxMoment, kYieldFactor), maxDepth});
        std::string safety = std::string("Safety ") + (PileSafety > RequiredSafety ? ">" : "<") +
                             " Req. Safety = " + FormatReportValue(RequiredSafety, kNoFactor);
        add(safety, {V(PileSafety, kNoFactor)});
        add("Sheet Pile Top Level [m]", {V(PileTop, kLengthFactor)});
        add("Sheet Pile Tip Level [m]", {V(PileTip, kLengthFactor)});
        add("Sheet Pile Length [m]", {V(double(PileTip) - PileTop, kLengthFactor)});
        add("Included OverLength [m]", {V(OverLength, kLengthFactor)});
        add("Vertical Equilibrium [kN/m]", {V(VerticalBalance, kForceFactor)});
        add("Anchor Force (horiz.) [kN/m]", {V(AnchorForce, kForceFactor)});
    }

    // 10 to 18: the result diagrams.
    struct TDiagramParagraph {
        const char* Caption;
        int First;
        int Last;
    };
    const TDiagramParagraph diagrams[] = {
        {"Earth Pressure Diagram", ciFrontEarth, ciBehindEarth},
        {"Water Pressure Diagram", ciWater, ciWater},
        {"Userdefined Pressure Diagram", ciUser, ciUser},
        {"Boussinesq Diagram", ciBousq, ciBousq - 1 + strips},
        {"Total Pressure Diagram", ciTotal, ciTotal},
        {"Cross Force Diagram", ciCross, ciCross},
        {"Moment Diagram", ciMoment, ciMoment},
        {"Rotation Diagram", ciRotation, ciRotation},
        {"Deflection Diagram", ciDeflection, ciDeflection},
    };
    for (const TDiagramParagraph& d : diagrams) {
        TParagraph* p = AddParagraph(*report, d.Caption);
        BuildResultDiagrams(*AddDrawing(p), d.First, d.Last);
    }
    return report;
}

} // namespace wd
