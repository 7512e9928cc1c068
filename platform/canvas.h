// The drawing surface every report, picture and printout draws on: pen, brush
// and font state in the encodings the stored drawings use, shapes, aligned and wrapped
// text, text measuring, and a change notification. Implementations: the Qt
// canvas over QPainter (platform/gui/canvas.h) and the recording canvas
// (platform/recordingcanvas.h) for tests.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace sps {

// 32-bit colour, 0x00BBGGRR for a colour given by red, green and blue.
using TColor = uint32_t;

constexpr TColor RGB(unsigned r, unsigned g, unsigned b)
{
    return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
}
constexpr unsigned RedOf(TColor c) { return c & 0xFF; }
constexpr unsigned GreenOf(TColor c) { return (c >> 8) & 0xFF; }
constexpr unsigned BlueOf(TColor c) { return (c >> 16) & 0xFF; }

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;

enum TPenStyle : uint8_t {
    psSolid = 0,
    psDash = 1,
    psDot = 2,
    psDashDot = 3,
    psDashDotDot = 4,
    psClear = 5,
    psInsideFrame = 6,
};

enum TBrushStyle : uint8_t {
    bsSolid = 0,
    bsClear = 1,
    bsHorizontal = 2,
    bsVertical = 3,
    bsFDiagonal = 4,
    bsBDiagonal = 5,
    bsCross = 6,
    bsDiagCross = 7,
};

// Font style bits.
enum : uint8_t {
    fsBold = 1,
    fsItalic = 2,
    fsUnderline = 4,
    fsStrikeOut = 8,
};

// Text alignment flags of TextOut (horizontal and vertical bits combined).
enum : int {
    taLeft = 0,
    taRight = 2,
    taCenter = 6,
    taTop = 0,
    taBottom = 8,
    taBaseline = 24,
};

// Flags of DrawText (text in a rectangle).
enum : int {
    dtLeft = 0,
    dtRight = 1,
    dtCenter = 2,
    dtWordBreak = 4,
};

inline constexpr int kDefaultFontSize = 8;
inline constexpr const char* kDefaultFontName = "Arial";

struct TPen {
    TPenStyle Style = psSolid;
    int32_t Width = 1; // device pixels
    TColor Color = clBlack;
    bool operator==(const TPen&) const = default;
};

struct TBrush {
    TBrushStyle Style = bsSolid;
    TColor Color = clWhite;
    bool operator==(const TBrush&) const = default;
};

struct TFont {
    std::string Name = kDefaultFontName;
    int32_t Size = kDefaultFontSize; // points
    TColor Color = clBlack;
    uint8_t Style = 0; // fsBold | fsItalic | ...
    bool operator==(const TFont&) const = default;
};

struct TPoint {
    int32_t X = 0;
    int32_t Y = 0;
    bool operator==(const TPoint&) const = default;
};

struct TRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
    int32_t Width() const { return Right - Left; }
    int32_t Height() const { return Bottom - Top; }
    bool operator==(const TRect&) const = default;
};

inline TRect Bounds(int32_t left, int32_t top, int32_t width, int32_t height)
{
    return TRect{left, top, left + width, top + height};
}

class TCanvas;

// A picture that draws itself stretched into a rectangle of a canvas.
class TGraphic {
public:
    virtual ~TGraphic() = default;
    virtual void Draw(TCanvas& canvas, const TRect& rect) const = 0;
    virtual bool GetEmpty() const = 0;
    virtual int GetWidth() const = 0;
    virtual int GetHeight() const = 0;
};

// A raster picture: Width x Height pixels, rows top down, each pixel a TColor.
class TBitmap : public TGraphic {
public:
    TBitmap() = default;
    TBitmap(int width, int height, std::vector<TColor> pixels);

    void Draw(TCanvas& canvas, const TRect& rect) const override;
    bool GetEmpty() const override { return width_ <= 0 || height_ <= 0; }
    int GetWidth() const override { return width_; }
    int GetHeight() const override { return height_; }
    const std::vector<TColor>& Pixels() const { return pixels_; }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<TColor> pixels_;
};

class TCanvas {
public:
    virtual ~TCanvas() = default;

    // Drawing state, read by every drawing operation. Assign freely.
    TPen Pen;
    TBrush Brush;
    TFont Font;
    int TextAlign = taLeft | taTop;

    // True on printers and plotters (pictures draw black, without background).
    virtual bool IsPrinter() const = 0;
    // Logical pixels per inch of the device (font sizes in points scale with it).
    virtual int PixelsPerInch() const = 0;

    // Character height of the current font in device units: the point size
    // scaled to the device, rounded halves to even.
    int CharHeight() const;
    int CharHeightOf(const TFont& font) const;

    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;
    TPoint PenPos() const { return penPos_; }
    virtual void Polyline(const std::vector<TPoint>& points) = 0;
    // Closed and filled with the brush.
    virtual void Polygon(const std::vector<TPoint>& points) = 0;
    // Cubic Bezier segments: 1 + 3k points.
    virtual void PolyBezier(const std::vector<TPoint>& points) = 0;
    // Arc of the ellipse in the box (x1, y1)-(x2, y2), counter-clockwise on the
    // device from the ray through (x3, y3) to the ray through (x4, y4).
    virtual void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) = 0;
    virtual void Ellipse(int x1, int y1, int x2, int y2) = 0;
    // Filled with the brush and outlined with the pen; right and bottom exclusive.
    virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
    // Filled with the brush, no outline.
    virtual void FillRect(const TRect& rect) = 0;
    // Text at (x, y) placed by TextAlign. With a solid brush the text's cell
    // is filled with the brush colour first.
    virtual void TextOut(int x, int y, const std::string& text) = 0;
    // Text at (x, y) placed by TextAlign, clipped to the rectangle.
    virtual void TextRect(const TRect& rect, int x, int y, const std::string& text) = 0;
    // Text inside the rectangle, top-aligned, by dt* flags (wrapped with dtWordBreak).
    virtual void DrawText(const TRect& rect, const std::string& text, int flags) = 0;
    // Stretches pixels into the rectangle.
    virtual void StretchDraw(const TRect& rect, const TBitmap& bitmap) = 0;
    void StretchDraw(const TRect& rect, const TGraphic& graphic) { graphic.Draw(*this, rect); }

    virtual int TextWidth(const std::string& text) = 0;
    virtual int TextHeight(const std::string& text) = 0;
    // Height of the text wrapped at words into `width`.
    virtual int WrappedTextHeight(int width, const std::string& text) = 0;

    // Called after every operation that puts something on the surface (not
    // after state changes, moves or measuring).
    std::function<void()> OnChange;

protected:
    void Changed()
    {
        if (OnChange)
            OnChange();
    }
    TPoint penPos_;
};

// A printing device: a print job of pages on one canvas.
class TPrinter {
public:
    virtual ~TPrinter() = default;

    // Title of the print job.
    std::string Title;

    virtual void BeginDoc() = 0;
    // Ejects the current page and starts the next one.
    virtual void NewPage() = 0;
    virtual void EndDoc() = 0;
    virtual bool Printing() const = 0;
    // Number of the current page, from 1.
    virtual int PageNumber() const = 0;
    // Page size in device units.
    virtual int PageWidth() const = 0;
    virtual int PageHeight() const = 0;
    virtual TCanvas& Canvas() = 0;
    // Today's date in the platform's short date format.
    virtual std::string ShortDate() const;
};

} // namespace sps
