// The byte form in which the calculation fuzz target (wall_calculation.cpp)
// takes a wall's input: its fields in the target's order, with a reader and
// the writer of the seeds that the build makes from the seed projects.
//
// Kind byte (bit 0: anchor wall, bits 1-2: support), then the fields. A value
// is one byte b on a grid of `step` around zero ((b - 124) x step), or 0xF8 and
// the four bytes of a raw single (any bit pattern); a positive value is one
// byte on its grid; a count is one byte modulo its bound.
#pragma once

#include "walldesign/calc/wall.h"

#include "platform/bytes.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace wdfuzz {

inline constexpr uint8_t kRawValue = 0xF8;

inline uint8_t KindByte(const wd::TWall& w, bool anchorwall)
{
    return static_cast<uint8_t>((anchorwall ? 1 : 0) | ((w.Support % 4) << 1));
}

template <class IO> void Layers(IO& io, wd::TLayers& layers)
{
    const size_t n = io.Count(layers, 5);
    for (size_t i = 0; i < n; i++) {
        wd::TLayer& l = layers[i];
        io.Value(l.Tip, 0.25f);
        io.Positive(l.DensityMoist, 0.1f);
        io.Positive(l.DensitySubmerged, 0.05f);
        io.Value(l.K, 0.05f);
        io.Value(l.Phi, 0.0125f);
        io.Value(l.Delta, 0.01f);
        io.Positive(l.Cohesion, 0.25f);
    }
}

// Every field after the kind byte, in stream order.
template <class IO> void WallFields(IO& io, wd::TWall& w)
{
    io.Value(w.PileTop, 0.25f);
    io.Value(w.AnchorLevel, 0.25f);
    for (wd::TSide* side : {&w.Front, &w.Behind}) {
        io.Value(side->SoilLevel, 0.25f);
        io.Value(side->WaterLevel, 0.25f);
        io.Value(side->Inclination, 0.01f);
        io.Positive(side->CaquotLoad, 0.5f);
        io.Flag(side->AutoCoefficients);
    }
    Layers(io, w.FrontLayers);
    Layers(io, w.BehindLayers);
    size_t n = io.Count(w.Forces, 4);
    for (size_t i = 0; i < n; i++) {
        io.Value(w.Forces[i].Horizontal, 2.0f);
        io.Value(w.Forces[i].Vertical, 1.0f);
        io.Value(w.Forces[i].Depth, 0.25f);
    }
    n = io.Count(w.Pressures, 4);
    for (size_t i = 0; i < n; i++) {
        wd::TPressure& p = w.Pressures[i];
        io.Value(p.PressureTop, 1.0f);
        io.Value(p.PressureTip, 1.0f);
        io.Value(p.DepthTop, 0.25f);
        io.Value(p.DepthTip, 0.25f);
    }
    n = io.Count(w.Bousqs, 7);
    for (size_t i = 0; i < n; i++) {
        wd::TBousq& b = w.Bousqs[i];
        io.Positive(b.Distance, 0.05f);
        io.Positive(b.Width, 0.05f);
        io.Value(b.Depth, 0.25f);
        io.Positive(b.Surcharge, 0.5f);
    }
    io.Value(w.AnchorForce, 4.0f);
    io.Value(w.AnchorInclination, 0.01f);
    io.Positive(w.SectionModulus, 2e-5f);
    io.Positive(w.SectionArea, 2e-4f);
    io.Positive(w.SectionInertia, 4e-6f);
    io.Positive(w.GradeValue, 2.0f);
}

// Reads the fields from arbitrary bytes; past the end every byte is 0.
class TWallBytesReader {
public:
    TWallBytesReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }

    void Value(float& v, float step)
    {
        const uint8_t b = Byte();
        if (b >= kRawValue) {
            uint8_t bytes[4] = {Byte(), Byte(), Byte(), Byte()};
            std::memcpy(&v, bytes, sizeof v);
            return;
        }
        v = (static_cast<int>(b) - 124) * step;
    }
    void Positive(float& v, float step) { v = static_cast<float>(Byte()) * step; }
    void Flag(uint8_t& v) { v = Byte() & 1; }
    template <class T> size_t Count(std::vector<T>& items, size_t bound)
    {
        items.resize(Byte() % bound);
        return items.size();
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

// Writes the fields of a wall: values exactly (raw when off their grid),
// positive values rounded to their grid below 0xF8, at most bound - 1 items
// of a list.
class TWallBytesWriter {
public:
    sps::ByteWriter Out;

    void Value(float& v, float step)
    {
        const float grid = std::nearbyint(v / step);
        if (grid >= -124 && grid < kRawValue - 124 && (grid * step == v)) {
            Out.U8(static_cast<uint8_t>(grid + 124));
            return;
        }
        Out.U8(kRawValue);
        Out.F32(v);
    }
    void Positive(float& v, float step)
    {
        const float grid = std::nearbyint(v / step);
        const float top = kRawValue - 1;
        Out.U8(static_cast<uint8_t>(grid < 0 ? 0 : grid > top ? top : grid));
    }
    void Flag(uint8_t& v) { Out.U8(v != 0 ? 1 : 0); }
    template <class T> size_t Count(std::vector<T>& items, size_t bound)
    {
        const size_t n = items.size() < bound ? items.size() : bound - 1;
        Out.U8(static_cast<uint8_t>(n));
        return n;
    }
};

} // namespace wdfuzz
