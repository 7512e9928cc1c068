// TDrawing: a picture of recorded drawing commands in floating-point world
// coordinates (Y grows downwards), played back stretched into any rectangle.
// The records are variable-size byte blocks, held in memory exactly as they
// are streamed.
#pragma once

#include "platform/bytes.h"
#include "platform/canvas.h"

#include <cstdint>
#include <string>
#include <vector>

namespace wd {

enum TDrawingRecordKind : uint8_t {
    rkNone = 0,
    rkLineTo = 1,
    rkMoveTo = 2,
    rkPolyline = 3,
    rkPolygon = 4,
    rkPolyBezier = 5,
    rkArc = 6,
    rkEllipse = 7,
    rkText = 8,
    rkBrush = 9,
    rkPen = 10,
    rkFont = 11,
    rkRectangle = 12,
};

struct TPointF {
    float X = 0;
    float Y = 0;
};

class TDrawing;

// Pen, font and brush of a drawing: every change records a state record.
class TDrawingPen {
public:
    const sps::TPen& Value() const { return value_; }
    sps::TColor Color() const { return value_.Color; }
    sps::TPenStyle Style() const { return value_.Style; }
    int32_t Width() const { return value_.Width; }
    void SetColor(sps::TColor color);
    void SetStyle(sps::TPenStyle style);
    void SetWidth(int32_t width);

private:
    friend class TDrawing;
    explicit TDrawingPen(TDrawing* owner) : owner_(owner) {}
    TDrawing* owner_;
    sps::TPen value_;
};

class TDrawingBrush {
public:
    const sps::TBrush& Value() const { return value_; }
    sps::TColor Color() const { return value_.Color; }
    sps::TBrushStyle Style() const { return value_.Style; }
    void SetColor(sps::TColor color);
    void SetStyle(sps::TBrushStyle style);

private:
    friend class TDrawing;
    explicit TDrawingBrush(TDrawing* owner) : owner_(owner) {}
    TDrawing* owner_;
    sps::TBrush value_;
};

class TDrawingFont {
public:
    const sps::TFont& Value() const { return value_; }
    sps::TColor Color() const { return value_.Color; }
    uint8_t Style() const { return value_.Style; }
    int32_t Size() const { return value_.Size; }
    const std::string& Name() const { return value_.Name; }
    void SetColor(sps::TColor color);
    void SetStyle(uint8_t style);
    void SetSize(int32_t size);
    void SetName(const std::string& name);

private:
    friend class TDrawing;
    explicit TDrawingFont(TDrawing* owner) : owner_(owner) {}
    TDrawing* owner_;
    sps::TFont value_;
};

class TDrawing : public sps::TGraphic {
public:
    TDrawing();
    TDrawing(const TDrawing&) = delete;
    TDrawing& operator=(const TDrawing&) = delete;

    // World bounds of everything recorded; they always contain the origin.
    float MinX = 0;
    float MinY = 0;
    float MaxX = 0;
    float MaxY = 0;
    int32_t Resolution = 1440000;
    // Fill the background on printers too.
    bool FillOnPrinter = false;
    sps::TColor BackgroundColor = 0;

    TDrawingPen Pen;
    TDrawingFont Font;
    TDrawingBrush Brush;

    // Records: kind, size and bytes.
    int RecordCount() const { return static_cast<int>(offsets_.size()); }
    uint8_t RecordKind(int index) const { return data_[offsets_[static_cast<size_t>(index)] + 4]; }
    uint32_t RecordSize(int index) const;
    const uint8_t* RecordData(int index) const { return data_.data() + offsets_[static_cast<size_t>(index)]; }
    std::vector<uint8_t> RecordBytes(int index) const;

    // Frees every record, resets the bounds, records pen, font and brush.
    void Clear();
    // Copies another drawing; any other graphic is ignored.
    void Assign(const sps::TGraphic& source);

    bool GetEmpty() const override { return RecordCount() < 4; }
    int GetWidth() const override;
    int GetHeight() const override;
    void Draw(sps::TCanvas& canvas, const sps::TRect& rect) const override;

    // Bounds (16 bytes), then every record whole.
    void SaveToStream(sps::ByteWriter& out) const;
    // Replaces the content; on a damaged stream raises and keeps the old content.
    void LoadFromStream(sps::ByteReader& in);

    // Appends a record of `size` bytes (at least 8) of `kind`, zero-filled;
    // the pointer is valid until the next record is added.
    uint8_t* AddRecord(uint8_t kind, uint32_t size);

    void MoveTo(float x, float y);
    void LineTo(float x, float y);
    void Line(float x1, float y1, float x2, float y2);
    void Polyline(const std::vector<TPointF>& points);
    void TextAt(const std::string& text, int32_t alignment, float x, float y);
    // Arc of radius r around (cx, cy) from angle start over sweep (radians; Y down).
    void Arc(float cx, float cy, float r, float start, float sweep);
    void AngleMark(const std::string& text, float cx, float cy, float r, float start, float sweep);
    void Arrow(float x, float y, float length, float angle, float headSize);
    void VectorArrow(float x, float y, float dx, float dy, float headSize);
    // Kind 0: water-level mark; kind 1: triangle with its apex on the point.
    void SupportSymbol(uint8_t kind, const std::string& text, float x, float y, float size);

private:
    friend class TDrawingPen;
    friend class TDrawingFont;
    friend class TDrawingBrush;
    void PenChanged();
    void FontChanged();
    void BrushChanged();
    void DropLastOfKind(uint8_t kind);
    void Widen(float x, float y);
    void ResetRecords();

    std::vector<uint8_t> data_;
    std::vector<uint32_t> offsets_;
};

} // namespace wd
