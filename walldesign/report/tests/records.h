// Decoded drawing records for tests.
#pragma once

#include "walldesign/report/drawing.h"

#include <cstring>
#include <string>
#include <vector>

namespace wd::test {

struct TRec {
    uint8_t Kind = 0;
    uint8_t Style = 0;
    std::vector<float> F; // coordinates (points of polylines flattened)
    int32_t I = 0;        // text flags, pen width, font size, point count
    uint32_t Color = 0;
    std::string Text;     // text or font name
};

inline std::vector<TRec> Decode(const TDrawing& d)
{
    std::vector<TRec> out;
    for (int i = 0; i < d.RecordCount(); i++) {
        std::vector<uint8_t> b = d.RecordBytes(i);
        auto f32 = [&](size_t o) {
            float v;
            std::memcpy(&v, b.data() + o, 4);
            return v;
        };
        auto i32 = [&](size_t o) {
            int32_t v;
            std::memcpy(&v, b.data() + o, 4);
            return v;
        };
        TRec r;
        r.Kind = b[4];
        r.Style = b[5];
        switch (r.Kind) {
        case rkLineTo:
        case rkMoveTo: r.F = {f32(8), f32(12)}; break;
        case rkPolyline:
            r.I = i32(8);
            for (int k = 0; k < 2 * r.I; k++)
                r.F.push_back(f32(12 + 4 * static_cast<size_t>(k)));
            break;
        case rkArc:
            for (int k = 0; k < 8; k++)
                r.F.push_back(f32(8 + 4 * static_cast<size_t>(k)));
            break;
        case rkText:
            r.F = {f32(8), f32(12)};
            r.I = i32(16);
            r.Text = reinterpret_cast<const char*>(b.data() + 20);
            break;
        case rkPen:
            r.I = i32(8);
            r.Color = static_cast<uint32_t>(i32(12));
            break;
        case rkBrush: r.Color = static_cast<uint32_t>(i32(8)); break;
        case rkFont:
            r.I = i32(8);
            r.Color = static_cast<uint32_t>(i32(12));
            r.Text = reinterpret_cast<const char*>(b.data() + 16);
            break;
        default: break;
        }
        out.push_back(r);
    }
    return out;
}

inline std::vector<std::string> TextsOf(const TDrawing& d)
{
    std::vector<std::string> texts;
    for (const TRec& r : Decode(d))
        if (r.Kind == rkText)
            texts.push_back(r.Text);
    return texts;
}

inline const TRec* FindTextRec(const std::vector<TRec>& recs, const std::string& text)
{
    for (const TRec& r : recs)
        if (r.Kind == rkText && r.Text == text)
            return &r;
    return nullptr;
}

// The pen record in force at record `index`.
inline const TRec* PenAt(const std::vector<TRec>& recs, size_t index)
{
    for (size_t i = index + 1; i-- > 0;)
        if (recs[i].Kind == rkPen)
            return &recs[i];
    return nullptr;
}

} // namespace wd::test
