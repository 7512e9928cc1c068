// The wall model: life cycle, result views and the stored input (the "Data"
// property). The calculation lives in the earth*, headwall*, anchorwall* and
// extremes* files.
#include "walldesign/calc/wall.h"

#include "platform/error.h"
#include "platform/stream.h"
#include "walldesign/report/report.h"

#include <exception>
#include <functional>
#include <limits>
#include <utility>

namespace wd {

namespace {

constexpr size_t kNameChars = 20;
constexpr size_t kLayerBytes = 56;
constexpr size_t kForceBytes = 12;
constexpr size_t kPressureBytes = 16;
constexpr size_t kBousqBytes = 16;

constexpr const char* kFrontLayersText = "soil layers in front";
constexpr const char* kBehindLayersText = "soil layers behind";
constexpr const char* kForcesText = "concentrated forces";
constexpr const char* kPressuresText = "userdefined pressures";
constexpr const char* kBousqsText = "Boussinesq strips";

void WriteZeros(sps::ByteWriter& out, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        out.U8(0);
}

// Length byte, the characters, zero filled to 20 characters.
void WriteName(sps::ByteWriter& out, const std::string& name)
{
    size_t n = std::min(name.size(), kNameChars);
    out.U8(static_cast<uint8_t>(n));
    out.Write(name.data(), n);
    WriteZeros(out, kNameChars - n);
}

std::string ReadName(sps::ByteReader& in)
{
    uint8_t n = in.U8();
    if (n > kNameChars)
        sps::RaiseFmt("Invalid name length %d", static_cast<int>(n));
    std::string name = in.Chars(n);
    in.Skip(kNameChars - n);
    return name;
}

void WriteSide(sps::ByteWriter& out, const TSide& side)
{
    out.F32(side.SoilLevel);
    out.F32(side.WaterLevel);
    out.F32(side.Inclination);
    out.F32(side.CaquotLoad);
    out.F32(side.SumHorizontal);
    out.F32(side.SumVertical);
    out.U8(side.AutoCoefficients);
    WriteZeros(out, 3);
}

TSide ReadSide(sps::ByteReader& in)
{
    TSide side;
    side.SoilLevel = in.F32();
    side.WaterLevel = in.F32();
    side.Inclination = in.F32();
    side.CaquotLoad = in.F32();
    side.SumHorizontal = in.F32();
    side.SumVertical = in.F32();
    side.AutoCoefficients = in.U8();
    in.Skip(3);
    return side;
}

// Every record count is bounded: the depth grid holds at most
// kMaxDepthLevels levels, and a wall at most kMaxBousqs strips.
constexpr size_t kMaxRecords = static_cast<size_t>(kMaxDepthLevels);

// What could not be read back is refused: a saved project must load again.
void WriteCount(sps::TWriter& writer, size_t count, size_t maxCount, const char* what)
{
    if (count > maxCount)
        sps::RaiseFmt("Invalid number of %s (%zu)", what, count);
    writer.WriteInteger(static_cast<int32_t>(count));
}

// A count is valid when it is neither negative nor above its bound; its
// records must lie in the bytes that remain, else the data ends early (the
// reader's own error). Only then is an array sized from it.
size_t ReadCount(sps::TReader& reader, size_t recordBytes, size_t maxCount, const char* what)
{
    int32_t count = reader.ReadInteger();
    if (count < 0 || static_cast<size_t>(count) > maxCount)
        sps::RaiseFmt("Invalid number of %s (%d)", what, count);
    reader.In().Require(static_cast<size_t>(count) * recordBytes);
    return static_cast<size_t>(count);
}

void WriteLayer(sps::ByteWriter& out, const TLayer& l)
{
    for (float v : {l.Tip, l.DensityMoist, l.DensitySubmerged, l.K, l.Phi, l.Delta, l.Cohesion, l.Top, l.PressureTop,
                    l.PressureBottom, l.VerticalForce, l.HorizontalForce, l.VerticalStress, l.Thickness})
        out.F32(v);
}

TLayer ReadLayer(sps::ByteReader& in)
{
    TLayer l;
    for (float* v : {&l.Tip, &l.DensityMoist, &l.DensitySubmerged, &l.K, &l.Phi, &l.Delta, &l.Cohesion, &l.Top,
                     &l.PressureTop, &l.PressureBottom, &l.VerticalForce, &l.HorizontalForce, &l.VerticalStress,
                     &l.Thickness})
        *v = in.F32();
    return l;
}

// Everything the "Data" property stores: read completely before the wall
// takes it over, and kept while the wall calculates.
struct StoredInput {
    float PileTop = 0;
    float AnchorLevel = 0;
    uint8_t Support = 0;
    TSide Front;
    TSide Behind;
    float PileTip = 0;
    float Embedment = 0;
    float AnchorForce = 0;
    float AnchorInclination = 0;
    float AnchorSafety = 0;
    TLayers FrontLayers;
    TLayers BehindLayers;
    TForces Forces;
    TPressures Pressures;
    TBousqs Bousqs;
    int32_t SectionIndex = 0;
    float SectionArea = 0;
    float SectionMass = 0;
    float SectionInertia = 0;
    float SectionModulus = 0;
    float SectionReserved = 0;
    std::string SectionName;
    int32_t GradeIndex = 0;
    float GradeValue = 0;
    float RequiredSafety = 0;
    std::string GradeName;
};

StoredInput ReadStoredInput(sps::TReader& reader)
{
    sps::ByteReader& in = reader.In();
    StoredInput s;

    // Scalar block, 88 bytes.
    s.PileTop = in.F32();
    s.AnchorLevel = in.F32();
    s.Support = in.U8();
    if (s.Support > spCantilever)
        sps::RaiseFmt("Invalid earth support %d", static_cast<int>(s.Support));
    in.Skip(3);
    s.Front = ReadSide(in);
    s.Behind = ReadSide(in);
    s.PileTip = in.F32();
    s.Embedment = in.F32();
    s.AnchorForce = in.F32();
    s.AnchorInclination = in.F32();
    s.AnchorSafety = in.F32();

    s.FrontLayers.resize(ReadCount(reader, kLayerBytes, kMaxRecords, kFrontLayersText));
    for (TLayer& l : s.FrontLayers)
        l = ReadLayer(in);
    s.BehindLayers.resize(ReadCount(reader, kLayerBytes, kMaxRecords, kBehindLayersText));
    for (TLayer& l : s.BehindLayers)
        l = ReadLayer(in);
    s.Forces.resize(ReadCount(reader, kForceBytes, kMaxRecords, kForcesText));
    for (TForce& f : s.Forces) {
        f.Horizontal = in.F32();
        f.Vertical = in.F32();
        f.Depth = in.F32();
    }
    s.Pressures.resize(ReadCount(reader, kPressureBytes, kMaxRecords, kPressuresText));
    for (TPressure& p : s.Pressures) {
        p.PressureTop = in.F32();
        p.PressureTip = in.F32();
        p.DepthTop = in.F32();
        p.DepthTip = in.F32();
    }
    s.Bousqs.resize(ReadCount(reader, kBousqBytes, static_cast<size_t>(kMaxBousqs), kBousqsText));
    for (TBousq& b : s.Bousqs) {
        b.Distance = in.F32();
        b.Width = in.F32();
        b.Depth = in.F32();
        b.Surcharge = in.F32();
    }

    // Pile section block, 48 bytes.
    s.SectionIndex = in.I32();
    s.SectionArea = in.F32();
    s.SectionMass = in.F32();
    s.SectionInertia = in.F32();
    s.SectionModulus = in.F32();
    s.SectionReserved = in.F32();
    s.SectionName = ReadName(in);
    in.Skip(3);

    // Steel block, 36 bytes.
    s.GradeIndex = in.I32();
    s.GradeValue = in.F32();
    s.RequiredSafety = in.F32();
    s.GradeName = ReadName(in);
    in.Skip(3);
    return s;
}

// Calls f(field of the wall, field of the stored input) for every field.
template <class Wall, class Stored, class F>
void ForEachStoredField(Wall& w, Stored& s, F f)
{
    f(w.PileTop, s.PileTop);
    f(w.AnchorLevel, s.AnchorLevel);
    f(w.Support, s.Support);
    f(w.Front, s.Front);
    f(w.Behind, s.Behind);
    f(w.PileTip, s.PileTip);
    f(w.Embedment, s.Embedment);
    f(w.AnchorForce, s.AnchorForce);
    f(w.AnchorInclination, s.AnchorInclination);
    f(w.AnchorSafety, s.AnchorSafety);
    f(w.FrontLayers, s.FrontLayers);
    f(w.BehindLayers, s.BehindLayers);
    f(w.Forces, s.Forces);
    f(w.Pressures, s.Pressures);
    f(w.Bousqs, s.Bousqs);
    f(w.SectionIndex, s.SectionIndex);
    f(w.SectionArea, s.SectionArea);
    f(w.SectionMass, s.SectionMass);
    f(w.SectionInertia, s.SectionInertia);
    f(w.SectionModulus, s.SectionModulus);
    f(w.SectionReserved, s.SectionReserved);
    f(w.SectionName, s.SectionName);
    f(w.GradeIndex, s.GradeIndex);
    f(w.GradeValue, s.GradeValue);
    f(w.RequiredSafety, s.RequiredSafety);
    f(w.GradeName, s.GradeName);
}

StoredInput StoredInputOf(const TWall& w)
{
    StoredInput s;
    ForEachStoredField(w, s, [](const auto& from, auto& to) { to = from; });
    return s;
}

void SetStoredInput(TWall& w, StoredInput s)
{
    ForEachStoredField(w, s, [](auto& to, auto& from) { to = std::move(from); });
}

} // namespace

// ---------------------------------------------------------------- life cycle

TWall::TWall(sps::TComponent* owner) : TCalculationModule(owner)
{
    SetName(ClassName().substr(1));
}

TWall::~TWall()
{
    Destroying();
    // The windows go with the wall; nothing may leave a destructor.
    try {
        CloseViews();
    } catch (...) {
    }
}

THeadwall::THeadwall(sps::TComponent* owner) : TWall(owner)
{
    SetName(ClassName().substr(1));
}

TAnchorwall::TAnchorwall(sps::TComponent* owner) : TWall(owner)
{
    SetName(ClassName().substr(1));
}

TSection* TWall::Section() const
{
    return dynamic_cast<TSection*>(Owner());
}

void TWall::CheckVerticalEquilibrium(float cv)
{
    sps::Raise("Abstract Error");
}

void TWall::CloseViews()
{
    TCalculationModule::CloseViews();
    // Forget each window before closing it: a window that reports its closing
    // through ViewClosed finds nothing left to forget.
    if (TWallView* view = TablesWindow) {
        TablesWindow = nullptr;
        view->CloseView();
    }
    if (TWallView* view = DiagramsWindow) {
        DiagramsWindow = nullptr;
        view->CloseView();
    }
}

void TWall::ViewClosed(TWallView* view)
{
    if (!view)
        return;
    if (TablesWindow == view)
        TablesWindow = nullptr;
    if (DiagramsWindow == view)
        DiagramsWindow = nullptr;
}

void TWall::RefillResultTables()
{
    if (TablesWindow)
        TablesWindow->Refill();
}

void TWall::RefillResultDiagrams()
{
    if (DiagramsWindow)
        DiagramsWindow->Refill();
}

void TWall::SetModified()
{
    TCalculationModule::SetModified();
    TSection* section = Section();
    // The anchor wall takes its load from the head wall of its section, so a
    // head wall change makes the anchor wall's results stale as well.
    TWall* dependent = nullptr;
    if (section && dynamic_cast<THeadwall*>(this) && section->AnchorWall && section->AnchorWall != this)
        dependent = section->AnchorWall;

    // Mark everything first: a refill below may recalculate and raise, and the
    // marks must not depend on it.
    if (dependent)
        dependent->TCalculationModule::SetModified();
    if (section)
        section->SetModified();

    // Refill the open windows, the anchor wall's after the head wall's; every
    // refill is attempted and the first error is passed on.
    std::exception_ptr error;
    auto attempt = [&error](TWall* wall, void (TWall::*refill)()) {
        try {
            (wall->*refill)();
        } catch (...) {
            if (!error)
                error = std::current_exception();
        }
    };
    attempt(this, &TWall::RefillResultTables);
    attempt(this, &TWall::RefillResultDiagrams);
    if (dependent) {
        attempt(dependent, &TWall::RefillResultTables);
        attempt(dependent, &TWall::RefillResultDiagrams);
    }
    if (error)
        std::rethrow_exception(error);
}

void TWall::RefreshViews()
{
    TCalculationModule::RefreshViews();
    RefillResultTables();
    RefillResultDiagrams();
}

// ---------------------------------------------------------------- "Data" property

void TWall::WriteProperties(sps::TWriter& writer)
{
    TCalculationModule::WriteProperties(writer);
    writer.WritePropName("Data");
    WriteData(writer);
}

bool TWall::ReadProperty(const std::string& name, sps::TReader& reader)
{
    if (sps::SameText(name, "Data")) {
        ReadData(reader);
        return true;
    }
    return TCalculationModule::ReadProperty(name, reader);
}

void TWall::WriteData(sps::TWriter& writer) const
{
    // Refuse what could not be read back: a saved project must load again.
    if (Support > spCantilever)
        sps::RaiseFmt("Invalid earth support %d", static_cast<int>(Support));

    sps::ByteWriter& out = writer.Out();

    // Scalar block, 88 bytes.
    out.F32(PileTop);
    out.F32(AnchorLevel);
    out.U8(Support);
    WriteZeros(out, 3);
    WriteSide(out, Front);
    WriteSide(out, Behind);
    out.F32(PileTip);
    out.F32(Embedment);
    out.F32(AnchorForce);
    out.F32(AnchorInclination);
    out.F32(AnchorSafety);

    WriteCount(writer, FrontLayers.size(), kMaxRecords, kFrontLayersText);
    for (const TLayer& l : FrontLayers)
        WriteLayer(out, l);
    WriteCount(writer, BehindLayers.size(), kMaxRecords, kBehindLayersText);
    for (const TLayer& l : BehindLayers)
        WriteLayer(out, l);
    WriteCount(writer, Forces.size(), kMaxRecords, kForcesText);
    for (const TForce& f : Forces) {
        out.F32(f.Horizontal);
        out.F32(f.Vertical);
        out.F32(f.Depth);
    }
    WriteCount(writer, Pressures.size(), kMaxRecords, kPressuresText);
    for (const TPressure& p : Pressures) {
        out.F32(p.PressureTop);
        out.F32(p.PressureTip);
        out.F32(p.DepthTop);
        out.F32(p.DepthTip);
    }
    WriteCount(writer, Bousqs.size(), static_cast<size_t>(kMaxBousqs), kBousqsText);
    for (const TBousq& b : Bousqs) {
        out.F32(b.Distance);
        out.F32(b.Width);
        out.F32(b.Depth);
        out.F32(b.Surcharge);
    }

    // Pile section block, 48 bytes.
    out.I32(SectionIndex);
    out.F32(SectionArea);
    out.F32(SectionMass);
    out.F32(SectionInertia);
    out.F32(SectionModulus);
    out.F32(SectionReserved);
    WriteName(out, SectionName);
    WriteZeros(out, 3);

    // Steel block, 36 bytes.
    out.I32(GradeIndex);
    out.F32(GradeValue);
    out.F32(RequiredSafety);
    WriteName(out, GradeName);
    WriteZeros(out, 3);
}

void TWall::ReadData(sps::TReader& reader)
{
    SetStoredInput(*this, ReadStoredInput(reader));
}

std::function<void()> TWall::KeepInput()
{
    return [this, kept = StoredInputOf(*this)] { SetStoredInput(*this, kept); };
}

} // namespace wd
