// A canvas that records every operation with the state it ran in, with fixed
// text metrics (each character half the character height wide, lines one
// character height high), and a printer of such pages. For tests of everything
// that draws or prints.
#pragma once

#include "platform/canvas.h"

#include <string>
#include <vector>

namespace sps {

enum class TCanvasOpKind {
    MoveTo,
    LineTo,
    Polyline,
    Polygon,
    PolyBezier,
    Arc,
    Ellipse,
    Rectangle,
    FillRect,
    TextOut,
    TextRect,
    DrawText,
    StretchDraw,
};

struct TCanvasOp {
    TCanvasOpKind Kind{};
    int Page = 0;               // page number on a recording printer, else 0
    std::vector<TPoint> Points; // coordinates (boxes as two points, arcs as four)
    TRect Rect;                 // FillRect, TextRect, DrawText, StretchDraw
    std::string Text;
    int Flags = 0;              // TextAlign for TextOut/TextRect, dt* flags for DrawText
    TPen Pen;
    TBrush Brush;
    TFont Font;
};

class TRecordingCanvas : public TCanvas {
public:
    explicit TRecordingCanvas(bool printer = false, int pixelsPerInch = 72)
        : printer_(printer), ppi_(pixelsPerInch) {}

    std::vector<TCanvasOp> Ops;
    int Page = 0;

    bool IsPrinter() const override { return printer_; }
    int PixelsPerInch() const override { return ppi_; }

    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Polyline(const std::vector<TPoint>& points) override;
    void Polygon(const std::vector<TPoint>& points) override;
    void PolyBezier(const std::vector<TPoint>& points) override;
    void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
    void Ellipse(int x1, int y1, int x2, int y2) override;
    void Rectangle(int x1, int y1, int x2, int y2) override;
    void FillRect(const TRect& rect) override;
    void TextOut(int x, int y, const std::string& text) override;
    void TextRect(const TRect& rect, int x, int y, const std::string& text) override;
    void DrawText(const TRect& rect, const std::string& text, int flags) override;
    void StretchDraw(const TRect& rect, const TBitmap& bitmap) override;
    using TCanvas::StretchDraw;

    int TextWidth(const std::string& text) override;
    int TextHeight(const std::string& text) override;
    int WrappedTextHeight(int width, const std::string& text) override;

    // The texts written by TextOut, TextRect and DrawText, in order.
    std::vector<std::string> Texts() const;
    // One line per operation, for readable failure messages.
    std::string Dump() const;

private:
    TCanvasOp& Add(TCanvasOpKind kind);
    bool printer_;
    int ppi_;
};

// Pages of fixed size on one recording canvas; operations carry their page number.
class TRecordingPrinter : public TPrinter {
public:
    TRecordingPrinter(int pageWidth, int pageHeight, int pixelsPerInch = 72)
        : canvas_(true, pixelsPerInch), width_(pageWidth), height_(pageHeight) {}

    std::string Date = "01.02.2003";
    // Number of pages ejected and begun, and of documents ended.
    int PageCount = 0;
    int EndDocCount = 0;

    void BeginDoc() override;
    void NewPage() override;
    void EndDoc() override;
    bool Printing() const override { return printing_; }
    int PageNumber() const override { return pageNumber_; }
    int PageWidth() const override { return width_; }
    int PageHeight() const override { return height_; }
    TCanvas& Canvas() override { return canvas_; }
    TRecordingCanvas& Recording() { return canvas_; }
    std::string ShortDate() const override { return Date; }

    // Operations of one page (from 1).
    std::vector<TCanvasOp> PageOps(int page) const;
    std::vector<std::string> PageTexts(int page) const;

private:
    TRecordingCanvas canvas_;
    int width_;
    int height_;
    int pageNumber_ = 0;
    bool printing_ = false;
};

} // namespace sps
