#include "walldesign/report/drawing.h"

#include "platform/error.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace wd {

namespace {

void PutI32(uint8_t* p, int32_t v)
{
    uint32_t u = static_cast<uint32_t>(v);
    p[0] = static_cast<uint8_t>(u);
    p[1] = static_cast<uint8_t>(u >> 8);
    p[2] = static_cast<uint8_t>(u >> 16);
    p[3] = static_cast<uint8_t>(u >> 24);
}

void PutF32(uint8_t* p, float v)
{
    uint32_t u;
    std::memcpy(&u, &v, 4);
    PutI32(p, static_cast<int32_t>(u));
}

int32_t GetI32(const uint8_t* p)
{
    return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                                (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24));
}

float GetF32(const uint8_t* p)
{
    uint32_t u = static_cast<uint32_t>(GetI32(p));
    float v;
    std::memcpy(&v, &u, 4);
    return v;
}

// Device coordinate of a scaled world value: halves to even, kept inside the
// int range (damaged data may hold NaN or huge values).
int ToDevice(double v)
{
    v = std::nearbyint(v);
    if (!(v == v))
        return 0;
    constexpr double lim = 1.0e9;
    return static_cast<int>(std::clamp(v, -lim, lim));
}

// Characters from p up to a zero byte or the end.
std::string CharsUpTo(const uint8_t* p, size_t max)
{
    size_t n = 0;
    while (n < max && p[n] != 0)
        n++;
    return std::string(reinterpret_cast<const char*>(p), n);
}

} // namespace

void TDrawingPen::SetColor(sps::TColor color)
{
    value_.Color = color;
    owner_->PenChanged();
}
void TDrawingPen::SetStyle(sps::TPenStyle style)
{
    value_.Style = style;
    owner_->PenChanged();
}
void TDrawingPen::SetWidth(int32_t width)
{
    value_.Width = width;
    owner_->PenChanged();
}
void TDrawingBrush::SetColor(sps::TColor color)
{
    value_.Color = color;
    owner_->BrushChanged();
}
void TDrawingBrush::SetStyle(sps::TBrushStyle style)
{
    value_.Style = style;
    owner_->BrushChanged();
}
void TDrawingFont::SetColor(sps::TColor color)
{
    value_.Color = color;
    owner_->FontChanged();
}
void TDrawingFont::SetStyle(uint8_t style)
{
    value_.Style = style;
    owner_->FontChanged();
}
void TDrawingFont::SetSize(int32_t size)
{
    value_.Size = size;
    owner_->FontChanged();
}
void TDrawingFont::SetName(const std::string& name)
{
    value_.Name = name;
    owner_->FontChanged();
}

TDrawing::TDrawing() : Pen(this), Font(this), Brush(this) { Clear(); }

uint32_t TDrawing::RecordSize(int index) const { return static_cast<uint32_t>(GetI32(RecordData(index))); }

std::vector<uint8_t> TDrawing::RecordBytes(int index) const
{
    const uint8_t* p = RecordData(index);
    return std::vector<uint8_t>(p, p + RecordSize(index));
}

uint8_t* TDrawing::AddRecord(uint8_t kind, uint32_t size)
{
    if (size < 8)
        size = 8;
    size_t offset = data_.size();
    data_.resize(offset + size, 0);
    offsets_.push_back(static_cast<uint32_t>(offset));
    uint8_t* p = data_.data() + offset;
    PutI32(p, static_cast<int32_t>(size));
    p[4] = kind;
    return p;
}

void TDrawing::DropLastOfKind(uint8_t kind)
{
    if (!offsets_.empty() && RecordKind(RecordCount() - 1) == kind) {
        data_.resize(offsets_.back());
        offsets_.pop_back();
    }
}

void TDrawing::PenChanged()
{
    DropLastOfKind(rkPen);
    uint8_t* p = AddRecord(rkPen, 16);
    p[5] = Pen.value_.Style;
    PutI32(p + 8, Pen.value_.Width);
    PutI32(p + 12, static_cast<int32_t>(Pen.value_.Color));
}

void TDrawing::BrushChanged()
{
    DropLastOfKind(rkBrush);
    uint8_t* p = AddRecord(rkBrush, 12);
    p[5] = Brush.value_.Style;
    PutI32(p + 8, static_cast<int32_t>(Brush.value_.Color));
}

void TDrawing::FontChanged()
{
    DropLastOfKind(rkFont);
    const std::string& name = Font.value_.Name;
    uint8_t* p = AddRecord(rkFont, static_cast<uint32_t>(20 + name.size()));
    p[5] = Font.value_.Style;
    PutI32(p + 8, Font.value_.Size);
    PutI32(p + 12, static_cast<int32_t>(Font.value_.Color));
    std::memcpy(p + 16, name.data(), name.size());
}

void TDrawing::ResetRecords()
{
    data_.clear();
    offsets_.clear();
    MinX = MinY = MaxX = MaxY = 0;
}

void TDrawing::Clear()
{
    ResetRecords();
    PenChanged();
    FontChanged();
    BrushChanged();
}

void TDrawing::Assign(const sps::TGraphic& source)
{
    const TDrawing* src = dynamic_cast<const TDrawing*>(&source);
    if (src == nullptr || src == this)
        return;
    Clear();
    MinX = src->MinX;
    MinY = src->MinY;
    MaxX = src->MaxX;
    MaxY = src->MaxY;
    for (int i = 0; i < src->RecordCount(); i++) {
        uint32_t size = src->RecordSize(i);
        uint8_t* p = AddRecord(src->RecordKind(i), size);
        std::memcpy(p, src->RecordData(i), size);
    }
}

void TDrawing::Widen(float x, float y)
{
    MinX = std::min(MinX, x);
    MinY = std::min(MinY, y);
    MaxX = std::max(MaxX, x);
    MaxY = std::max(MaxY, y);
}

int TDrawing::GetWidth() const
{
    double w = static_cast<double>(MaxX) - MinX;
    double h = static_cast<double>(MaxY) - MinY;
    if (w == 0)
        return 0;
    if (h < w)
        return 1000;
    return ToDevice(w * 1000.0 / h);
}

int TDrawing::GetHeight() const
{
    double w = static_cast<double>(MaxX) - MinX;
    double h = static_cast<double>(MaxY) - MinY;
    if (h == 0)
        return 0;
    if (h > w)
        return 1000;
    return ToDevice(h * 1000.0 / w);
}

void TDrawing::MoveTo(float x, float y)
{
    uint8_t* p = AddRecord(rkMoveTo, 16);
    PutF32(p + 8, x);
    PutF32(p + 12, y);
    Widen(x, y);
}

void TDrawing::LineTo(float x, float y)
{
    uint8_t* p = AddRecord(rkLineTo, 16);
    PutF32(p + 8, x);
    PutF32(p + 12, y);
    Widen(x, y);
}

void TDrawing::Line(float x1, float y1, float x2, float y2)
{
    MoveTo(x1, y1);
    LineTo(x2, y2);
}

void TDrawing::Polyline(const std::vector<TPointF>& points)
{
    uint32_t n = static_cast<uint32_t>(points.size());
    uint8_t* p = AddRecord(rkPolyline, 20 + 8 * n);
    PutI32(p + 8, static_cast<int32_t>(n));
    for (uint32_t i = 0; i < n; i++) {
        PutF32(p + 12 + 8 * i, points[i].X);
        PutF32(p + 16 + 8 * i, points[i].Y);
    }
    for (const TPointF& pt : points)
        Widen(pt.X, pt.Y);
}

void TDrawing::TextAt(const std::string& text, int32_t alignment, float x, float y)
{
    uint8_t* p = AddRecord(rkText, static_cast<uint32_t>(24 + text.size()));
    PutF32(p + 8, x);
    PutF32(p + 12, y);
    PutI32(p + 16, alignment);
    std::memcpy(p + 20, text.data(), text.size());
    Widen(x, y);
}

void TDrawing::Arc(float cx, float cy, float r, float start, float sweep)
{
    if (sweep == 0)
        return;
    if (sweep < 0) {
        start = start + sweep;
        sweep = -sweep;
    }
    float x1 = cx - r, y1 = cy - r, x2 = cx + r, y2 = cy + r;
    double a = static_cast<double>(start) + sweep;
    float x3 = static_cast<float>(cx + r * std::cos(a));
    float y3 = static_cast<float>(cy + r * std::sin(a));
    float x4 = static_cast<float>(cx + r * std::cos(static_cast<double>(start)));
    float y4 = static_cast<float>(cy + r * std::sin(static_cast<double>(start)));
    uint8_t* p = AddRecord(rkArc, 40);
    const float v[8] = {x1, y1, x2, y2, x3, y3, x4, y4};
    for (int i = 0; i < 8; i++)
        PutF32(p + 8 + 4 * i, v[i]);
    Widen(x1, y1);
    Widen(x2, y2);
}

void TDrawing::AngleMark(const std::string& text, float cx, float cy, float r, float start, float sweep)
{
    Arc(cx, cy, r / 2, start, sweep);
    double end = static_cast<double>(start) + sweep;
    Line(cx, cy, static_cast<float>(cx + r * std::cos(end)), static_cast<float>(cy + r * std::sin(end)));
    if (!text.empty() && sweep != 0) {
        double mid = static_cast<double>(start) + sweep / 2.0;
        TextAt(text, sps::taCenter | sps::taBaseline, static_cast<float>(cx + (r / 2) * std::cos(mid)),
               static_cast<float>(cy + (r / 2) * std::sin(mid)));
    }
}

namespace {
// Shaft from the tail to the tip, then a closed triangular head of length and
// width |h| whose direction is (hx, hy).
std::vector<TPointF> ArrowPoints(float x, float y, float tx, float ty, float hx, float hy)
{
    return {{x, y},
            {tx, ty},
            {tx - hx - hy / 2, ty - hy + hx / 2},
            {tx - hx + hy / 2, ty - hy - hx / 2},
            {tx, ty}};
}
} // namespace

void TDrawing::Arrow(float x, float y, float length, float angle, float headSize)
{
    double c = std::cos(static_cast<double>(angle));
    double s = std::sin(static_cast<double>(angle));
    float dx = static_cast<float>(length * c);
    float dy = static_cast<float>(length * s);
    float hx = static_cast<float>(headSize * c);
    float hy = static_cast<float>(headSize * s);
    Polyline(ArrowPoints(x, y, x + dx, y + dy, hx, hy));
}

void TDrawing::VectorArrow(float x, float y, float dx, float dy, float headSize)
{
    float l = std::sqrt(dx * dx + dy * dy);
    if (l == 0)
        return;
    float hx = headSize * dx / l;
    float hy = headSize * dy / l;
    Polyline(ArrowPoints(x, y, x + dx, y + dy, hx, hy));
}

void TDrawing::SupportSymbol(uint8_t kind, const std::string& text, float x, float y, float size)
{
    float h = size / 2;
    if (kind == 0) {
        for (int i = 0; i < 3; i++) {
            float half = (0.5f - 0.2f * static_cast<float>(i)) * size;
            float ly = y + 0.25f * static_cast<float>(i) * size;
            Line(x - half, ly, x + half, ly);
        }
        if (!text.empty())
            TextAt(text, sps::taCenter | sps::taBottom, x, y);
    } else if (kind == 1) {
        Polyline({{x, y}, {x + h, y - h}, {x - h, y - h}, {x, y}});
        if (!text.empty())
            TextAt(text, sps::taCenter | sps::taBottom, x, y - h);
    }
}

void TDrawing::SaveToStream(sps::ByteWriter& out) const
{
    out.F32(MinX);
    out.F32(MinY);
    out.F32(MaxX);
    out.F32(MaxY);
    out.Write(data_.data(), data_.size());
}

void TDrawing::LoadFromStream(sps::ByteReader& in)
{
    // Read everything first so that a damaged stream leaves this drawing as it was.
    float bounds[4];
    for (float& b : bounds)
        b = in.F32();
    std::vector<uint8_t> loaded;
    std::vector<uint32_t> offsets;
    while (!in.AtEnd()) {
        in.Require(8);
        uint8_t header[8];
        in.Read(header, 8);
        int32_t size = GetI32(header);
        if (size < 8)
            sps::Raise("Invalid stream format");
        if (static_cast<size_t>(size) - 8 > in.Remaining())
            sps::Raise(sps::kStreamReadError);
        size_t offset = loaded.size();
        offsets.push_back(static_cast<uint32_t>(offset));
        loaded.resize(offset + static_cast<size_t>(size));
        std::memcpy(loaded.data() + offset, header, 8);
        in.Read(loaded.data() + offset + 8, static_cast<size_t>(size) - 8);
    }
    Clear();
    MinX = bounds[0];
    MinY = bounds[1];
    MaxX = bounds[2];
    MaxY = bounds[3];
    size_t base = data_.size();
    data_.insert(data_.end(), loaded.begin(), loaded.end());
    for (uint32_t off : offsets)
        offsets_.push_back(static_cast<uint32_t>(base + off));
}

namespace {

// Restores the canvas state when playback ends, also on an exception.
class TCanvasStateKeeper {
public:
    explicit TCanvasStateKeeper(sps::TCanvas& canvas)
        : canvas_(canvas), pen_(canvas.Pen), brush_(canvas.Brush), font_(canvas.Font), align_(canvas.TextAlign) {}
    ~TCanvasStateKeeper()
    {
        canvas_.Pen = pen_;
        canvas_.Brush = brush_;
        canvas_.Font = font_;
        canvas_.TextAlign = align_;
    }

private:
    sps::TCanvas& canvas_;
    sps::TPen pen_;
    sps::TBrush brush_;
    sps::TFont font_;
    int align_;
};

} // namespace

void TDrawing::Draw(sps::TCanvas& canvas, const sps::TRect& rect) const
{
    TCanvasStateKeeper keep(canvas);
    bool printer = canvas.IsPrinter();
    if (!printer || FillOnPrinter) {
        canvas.Brush.Color = BackgroundColor;
        canvas.Brush.Style = sps::bsSolid;
        canvas.FillRect(rect);
    }
    double wx = static_cast<double>(MaxX) - MinX;
    double wy = static_cast<double>(MaxY) - MinY;
    double scaleX = wx != 0 ? (rect.Right - rect.Left - 1) / wx : 1.0;
    double scaleY = wy != 0 ? (rect.Bottom - rect.Top - 1) / wy : 1.0;
    auto mapX = [&](float x) { return ToDevice((static_cast<double>(x) - MinX) * scaleX) + rect.Left; };
    auto mapY = [&](float y) { return ToDevice((static_cast<double>(y) - MinY) * scaleY) + rect.Top; };
    auto mapPoints = [&](const uint8_t* p, uint32_t size, std::vector<sps::TPoint>& pts) {
        if (size < 12)
            return false;
        int32_t n = GetI32(p + 8);
        if (n < 0 || static_cast<uint64_t>(n) * 8 > size - 12)
            return false;
        pts.resize(static_cast<size_t>(n));
        for (int32_t i = 0; i < n; i++)
            pts[static_cast<size_t>(i)] = {mapX(GetF32(p + 12 + 8 * i)), mapY(GetF32(p + 16 + 8 * i))};
        return true;
    };

    std::vector<sps::TPoint> pts;
    for (int i = 0; i < RecordCount(); i++) {
        const uint8_t* p = RecordData(i);
        uint32_t size = RecordSize(i);
        switch (RecordKind(i)) {
        case rkLineTo:
            if (size >= 16)
                canvas.LineTo(mapX(GetF32(p + 8)), mapY(GetF32(p + 12)));
            break;
        case rkMoveTo:
            if (size >= 16)
                canvas.MoveTo(mapX(GetF32(p + 8)), mapY(GetF32(p + 12)));
            break;
        case rkPolyline:
            if (mapPoints(p, size, pts))
                canvas.Polyline(pts);
            break;
        case rkPolygon:
            if (mapPoints(p, size, pts))
                canvas.Polygon(pts);
            break;
        case rkPolyBezier:
            if (mapPoints(p, size, pts))
                canvas.PolyBezier(pts);
            break;
        case rkArc:
            if (size >= 40)
                canvas.Arc(mapX(GetF32(p + 8)), mapY(GetF32(p + 12)), mapX(GetF32(p + 16)), mapY(GetF32(p + 20)),
                           mapX(GetF32(p + 24)), mapY(GetF32(p + 28)), mapX(GetF32(p + 32)), mapY(GetF32(p + 36)));
            break;
        case rkEllipse:
            if (size >= 24) {
                float cx = GetF32(p + 8), cy = GetF32(p + 12), rx = GetF32(p + 16), ry = GetF32(p + 20);
                canvas.Ellipse(mapX(cx - rx), mapY(cy - ry), mapX(cx + rx), mapY(cy + ry));
            }
            break;
        case rkText:
            if (size >= 20) {
                int oldAlign = canvas.TextAlign;
                canvas.TextAlign = GetI32(p + 16);
                canvas.TextOut(mapX(GetF32(p + 8)), mapY(GetF32(p + 12)), CharsUpTo(p + 20, size - 20));
                canvas.TextAlign = oldAlign;
            }
            break;
        case rkBrush:
            if (size >= 12) {
                canvas.Brush.Style = static_cast<sps::TBrushStyle>(p[5]);
                canvas.Brush.Color = static_cast<sps::TColor>(GetI32(p + 8));
            }
            break;
        case rkPen:
            if (size >= 16) {
                canvas.Pen.Style = static_cast<sps::TPenStyle>(p[5]);
                canvas.Pen.Width = GetI32(p + 8);
                canvas.Pen.Color = printer ? sps::clBlack : static_cast<sps::TColor>(GetI32(p + 12));
            }
            break;
        case rkFont:
            if (size >= 16) {
                canvas.Font.Style = p[5];
                canvas.Font.Size = GetI32(p + 8);
                canvas.Font.Color = printer ? sps::clBlack : static_cast<sps::TColor>(GetI32(p + 12));
                canvas.Font.Name = CharsUpTo(p + 16, size - 16);
            }
            break;
        case rkRectangle:
            if (size >= 24)
                canvas.Rectangle(mapX(GetF32(p + 8)), mapY(GetF32(p + 12)), mapX(GetF32(p + 16)),
                                 mapY(GetF32(p + 20)));
            break;
        default:
            break;
        }
    }
}

} // namespace wd
