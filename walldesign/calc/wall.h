// The wall model: stored input, working arrays, results and the calculation
// operations of head walls and anchor walls.
#pragma once

#include "walldesign/calc/calcmodule.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace wd {

class TDrawing;
class TInputDialog;

enum TSupport : uint8_t { spFree = 0, spFixed = 1, spCantilever = 2 };

// Soil surface and its sums on one side of the wall (28 bytes when streamed).
struct TSide {
    float SoilLevel = 0;
    float WaterLevel = 0;
    float Inclination = 0;
    float CaquotLoad = 0;
    float SumHorizontal = 0;
    float SumVertical = 0;
    uint8_t AutoCoefficients = 0;
};

// Soil layer (input: first seven) or depth slice (all fourteen); 56 bytes.
struct TLayer {
    float Tip = 0;
    float DensityMoist = 0;
    float DensitySubmerged = 0;
    float K = 0;
    float Phi = 0;
    float Delta = 0;
    float Cohesion = 0;
    float Top = 0;
    float PressureTop = 0;
    float PressureBottom = 0;
    float VerticalForce = 0;
    float HorizontalForce = 0;
    float VerticalStress = 0;
    float Thickness = 0;
};
using TLayers = std::vector<TLayer>;

// Concentrated force, 12 bytes.
struct TForce {
    float Horizontal = 0;
    float Vertical = 0;
    float Depth = 0;
};
using TForces = std::vector<TForce>;

// User-defined pressure strip, 16 bytes.
struct TPressure {
    float PressureTop = 0;
    float PressureTip = 0;
    float DepthTop = 0;
    float DepthTip = 0;
};
using TPressures = std::vector<TPressure>;

// Boussinesq strip load, 16 bytes.
struct TBousq {
    float Distance = 0;
    float Width = 0;
    float Depth = 0;
    float Surcharge = 0;
};
using TBousqs = std::vector<TBousq>;

inline constexpr int kMaxBousqs = 5;
// Levels the depth grid of a calculation holds at most; no record count of a
// wall (layers, forces, pressures) may exceed it.
inline constexpr int kMaxDepthLevels = 10000;

// Result row columns (31 singles per depth slice).
enum TResultColumn : int {
    rcBottom = 0,
    rcTop = 1,
    rcThickness = 2,
    rcFrontEarthTop = 3,
    rcFrontEarthBottom = 4,
    rcBehindEarthTop = 5,
    rcBehindEarthBottom = 6,
    rcWaterTop = 7,
    rcWaterBottom = 8,
    rcUserTop = 9,
    rcUserBottom = 10,
    rcBousqTop = 11, // strip j: 11 + 2j (top), 12 + 2j (bottom)
    rcNetTop = 21,
    rcNetBottom = 22,
    rcCrossTop = 23,
    rcCrossBottom = 24,
    rcMomentTop = 25,
    rcMomentBottom = 26,
    rcRotationTop = 27,
    rcRotationBottom = 28,
    rcDeflectionTop = 29,
    rcDeflectionBottom = 30,
    rcCount = 31,
};
using TResultRow = std::array<float, rcCount>;
using TResults = std::vector<TResultRow>;

// Extreme values (MinValues / MaxValues), ten singles each.
struct TExtremes {
    float CrossForceDepth = 0;
    float MomentDepth = 0;
    float DeflectionDepth = 0;
    float StressAtMinMoment = 0;
    float StressAtMaxMoment = 0;
    float NormalForce = 0;
    float CrossForce = 0;
    float Moment = 0;
    float Deflection = 0;
    float DeflectionAtMoment = 0;
};

// A result window of a wall (tables or diagrams); implemented by the UI.
class TWallView {
public:
    virtual ~TWallView() = default;
    // Show the wall's current report again (may recalculate through GetReport).
    virtual void Refill() = 0;
    // Close the window; the wall forgets it.
    virtual void CloseView() = 0;
};

class TWall : public TCalculationModule {
public:
    explicit TWall(sps::TComponent* owner);
    ~TWall() override;
    std::string ClassName() const override { return "TWall"; }

    // Result windows (not owned here).
    TWallView* TablesWindow = nullptr;
    TWallView* DiagramsWindow = nullptr;

    // Scalar block.
    float PileTop = 0;
    float AnchorLevel = 0;
    uint8_t Support = spFree;
    TSide Front;
    TSide Behind;
    float PileTip = 0;
    float Embedment = 0;
    float AnchorForce = 0;
    float AnchorInclination = 0;
    float AnchorSafety = 0;

    // Steel block.
    int32_t GradeIndex = 0;
    float GradeValue = 0;
    float RequiredSafety = 0;
    std::string GradeName; // at most 20 characters

    // Pile section block.
    int32_t SectionIndex = 0;
    float SectionArea = 0;
    float SectionMass = 0;
    float SectionInertia = 0;
    float SectionModulus = 0;
    float SectionReserved = 0;
    std::string SectionName; // at most 20 characters

    // Calculated scalars.
    TExtremes MinValues;
    TExtremes MaxValues;
    float VerticalBalance = 0;
    float PileSafety = 0;
    float OverLength = 0;

    TLayers FrontLayers;
    TLayers BehindLayers;
    TLayers FrontSlices;
    TLayers BehindSlices;
    TForces Forces;
    TPressures Pressures;
    TBousqs Bousqs;
    TResults Results;

    bool IsCantilever() const { return Support == spCantilever; }
    // The section that owns this wall, or nullptr.
    TSection* Section() const;

    // Life cycle and views.
    void CloseViews() override;
    void Calculate() override {}
    std::unique_ptr<TReport> BuildReport() override;
    // Draws result components first..last over depth (walldesign/report/diagrams.cpp).
    void BuildResultDiagrams(TDrawing& drawing, int first, int last) const;
    void SetModified() override;
    void RefreshViews() override;
    void RefillResultTables();
    void RefillResultDiagrams();
    // Called by a view when it closes itself.
    void ViewClosed(TWallView* view);

    // Input dialog (wallinput.cpp). Edit fills the registered dialog, shows
    // it on page 0 to 5 and, on OK, stores its content and marks the wall
    // modified; true when OK was chosen (the input is stored then). It raises
    // what ReadInput raises, and the wall is left as it was. An error while
    // the open result windows are refilled afterwards is shown through the
    // dialog and does not change the answer.
    bool Edit(int page);
    virtual void WriteInput(TInputDialog& dialog);
    // Reads the whole dialog first and stores it only when every part of it
    // was read. With no section, grade or support chosen the stored one stays.
    virtual void ReadInput(TInputDialog& dialog);

    // Streaming of the "Data" property.
    void WriteProperties(sps::TWriter& writer) override;
    bool ReadProperty(const std::string& name, sps::TReader& reader) override;
    void WriteData(sps::TWriter& writer) const;
    void ReadData(sps::TReader& reader);

    // Calculation (earth pressure, depth grid, integration, extremes, pile check).
    // Slice index of every result row (the two halves of a split row share one).
    std::vector<int32_t> ResultSlices;

    virtual void Prepare();
    void BuildSlices(const TLayers& layers, TLayers& slices, const std::vector<float>& levels);
    void SlicePressures(TLayers& slices, const TSide& side, bool passive);
    void LayerPressures();
    void FillResults();
    void ShortenRow(int row, float x);
    void SplitRow(float z);
    // Blum's additional embedment below row `row` at x; returns dt, sets cv.
    float AdditionalEmbedment(int row, float x, float c, float& cv);
    void FindExtremalValues();
    void PileCheck();
    // Abstract here: a plain TWall raises "Abstract Error".
    virtual void CheckVerticalEquilibrium(float cv);
    // Raises when a result is NaN or infinite.
    void CheckFinite() const;
    // Cross force and moment at x below the top of an integrated row.
    static double CrossAt(const TResultRow& row, double x);
    static double MomentAt(const TResultRow& row, double x);

protected:
    // The "Data" property's content, put back when a calculation raises.
    std::function<void()> KeepInput() override;
    // Raises when the input cannot be calculated, before anything is indexed.
    void ValidateInput() const;
    // EI in kNm2/m; `fallback` stands in when no inertia is given. Raises when
    // it leaves the single range.
    float BendingStiffness(float fallback) const;
    // Row integration: concentrated forces (and the anchor force at its level)
    // at the row top, then cross force and moment of the row.
    void IntegrateRow(int row, float& v, float& m, bool withAnchor);
    // Removes the rows below `row`.
    void TruncateRows(int row);
    // The tip at x below the top of `row` plus Blum's additional embedment for
    // the replacement force c: sets Embedment, PileTip and OverLength (cv from
    // AdditionalEmbedment) and shortens the row to x.
    void PlaceTipBelow(int row, float x, float c, float& cv);
    // Rotation (columns 27, 28) and deflection (29, 30) of the rows from `first`
    // on: the elastic line EI w'' = -M, the moment in each row being the cubic of
    // its row integration. w is zero at the depth `zeroDeflection` and, at the
    // depth `second`, w' when `secondIsRotation` is set, else w. The rotation
    // columns hold -w' in the rows before `plainFrom` and w' from it on.
    void ElasticLine(size_t first, double ei, float zeroDeflection, float second, bool secondIsRotation,
                     size_t plainFrom);
    // Vertical balance of both walls; the anchor wall counts only rows from the pile top.
    void SumVerticalForces(float cv, bool fromPileTop);
    [[noreturn]] static void RaiseEquilibriumFailure();

private:
    void CheckDepths() const;
    float BehindPassiveCoefficient(int slice) const;
    // Force indices sorted by depth (stable), for the row integration.
    std::vector<int32_t> forceOrder_;
};

class THeadwall : public TWall {
public:
    explicit THeadwall(sps::TComponent* owner);
    std::string ClassName() const override { return "THeadwall"; }
    std::string GetName() const override { return "Headwall"; }

    void Prepare() override;
    void Calculate() override;
    void CheckVerticalEquilibrium(float cv) override;
    void WriteInput(TInputDialog& dialog) override;

    void FreeSupport();
    void RefineFreeTip(int row);
    void FreeDeflection();
    float FixedSupport();
    void RefineFixedTip(int row, float wa, float& cv);
    void FixedDeflection();
    float CantileverSupport();
    void RefineCantileverTip(int row, float& cv);
    void CantileverDeflection();

};

class TAnchorwall : public TWall {
public:
    explicit TAnchorwall(sps::TComponent* owner);
    std::string ClassName() const override { return "TAnchorwall"; }
    std::string GetName() const override { return "Anchorwall"; }

    void Calculate() override;
    void CheckVerticalEquilibrium(float cv) override;
    void WriteInput(TInputDialog& dialog) override;
    void ReadInput(TInputDialog& dialog) override;
    // Grid1 takes the front layers of the section's head wall.
    void CopyFromHeadwall(TInputDialog& dialog);

    void FreeSupport();
    void RefineFreeTip(int row);
    float FixedSupport();
    void RefineFixedTip(int row, float& cv);
    void Deflection();

private:
    // Raises unless the anchor level found lies within the wall.
    void CheckAnchorLevel() const;
};

} // namespace wd
