// Calculates a head wall or an anchor wall whose input comes from arbitrary
// bytes: every input must calculate to finite results or raise the system's
// error, never crash, hang or leave a NaN behind.
#include "platform/error.h"
#include "walldesign/calc/wall.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

class Input {
public:
    Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }

    // Mostly a value on a grid of `step` around zero; a raw float when the
    // byte's top bits say so (any bit pattern, NaN and infinity included).
    float Value(float step)
    {
        const uint8_t b = Byte();
        if (b >= 0xF8) {
            float raw = 0;
            uint8_t bytes[4] = {Byte(), Byte(), Byte(), Byte()};
            std::memcpy(&raw, bytes, sizeof raw);
            return raw;
        }
        return (static_cast<int>(b) - 124) * step;
    }
    float Positive(float step) { return static_cast<float>(Byte()) * step; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

void Layers(Input& in, wd::TLayers& layers)
{
    layers.resize(in.Byte() % 5);
    for (wd::TLayer& l : layers) {
        l.Tip = in.Value(0.25f);
        l.DensityMoist = in.Positive(0.1f);
        l.DensitySubmerged = in.Positive(0.05f);
        l.K = in.Value(0.05f);
        l.Phi = in.Value(0.0125f);
        l.Delta = in.Value(0.01f);
        l.Cohesion = in.Positive(0.25f);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Input in(data, size);
    const uint8_t kind = in.Byte();
    std::unique_ptr<wd::TWall> wall;
    if (kind & 1)
        wall = std::make_unique<wd::TAnchorwall>(nullptr);
    else
        wall = std::make_unique<wd::THeadwall>(nullptr);
    wd::TWall& w = *wall;
    w.Support = static_cast<uint8_t>((kind >> 1) % 4);
    w.PileTop = in.Value(0.25f);
    w.AnchorLevel = in.Value(0.25f);
    for (wd::TSide* side : {&w.Front, &w.Behind}) {
        side->SoilLevel = in.Value(0.25f);
        side->WaterLevel = in.Value(0.25f);
        side->Inclination = in.Value(0.01f);
        side->CaquotLoad = in.Positive(0.5f);
        side->AutoCoefficients = in.Byte() & 1;
    }
    Layers(in, w.FrontLayers);
    Layers(in, w.BehindLayers);
    w.Forces.resize(in.Byte() % 4);
    for (wd::TForce& f : w.Forces)
        f = {in.Value(2.0f), in.Value(1.0f), in.Value(0.25f)};
    w.Pressures.resize(in.Byte() % 4);
    for (wd::TPressure& p : w.Pressures)
        p = {in.Value(1.0f), in.Value(1.0f), in.Value(0.25f), in.Value(0.25f)};
    w.Bousqs.resize(in.Byte() % 7);
    for (wd::TBousq& b : w.Bousqs)
        b = {in.Positive(0.05f), in.Positive(0.05f), in.Value(0.25f), in.Positive(0.5f)};
    w.AnchorForce = in.Value(4.0f);
    w.AnchorInclination = in.Value(0.01f);
    w.SectionModulus = in.Positive(2e-5f);
    w.SectionArea = in.Positive(2e-4f);
    w.SectionInertia = in.Positive(4e-6f);
    w.GradeValue = in.Positive(2.0f);

    try {
        w.Calculate();
    } catch (const sps::Exception&) {
        return 0;
    }
    try {
        w.CheckFinite();
    } catch (const sps::Exception&) {
        std::abort(); // a successful calculation must leave finite results
    }
    if (w.Results.empty() || w.ResultSlices.size() != w.Results.size())
        std::abort();
    return 0;
}
