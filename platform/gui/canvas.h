// The canvas over a QPainter: screen widgets, images and printers.
#pragma once

#include "platform/canvas.h"

#include <QFont>
#include <QPen>

class QPainter;
class QPaintDevice;

namespace sps {

class TQtCanvas : public TCanvas {
public:
    // The painter must be active on its device while the canvas draws.
    explicit TQtCanvas(QPainter* painter = nullptr, bool printer = false);

    void SetPainter(QPainter* painter, bool printer);
    QPainter* Painter() const { return painter_; }

    bool IsPrinter() const override { return printer_; }
    int PixelsPerInch() const override;

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

    // The Qt objects for the current state (exposed for tests).
    QFont QtFont();
    QPen QtPen() const;

private:
    void UsePen();
    void UseBrush();
    void UseNoBrush();
    QPaintDevice* Device() const;
    // Left edge and baseline of a text placed at (x, y) by TextAlign.
    void PlaceText(int x, int y, const QString& text, int& left, int& baseline, int& width);

    QPainter* painter_;
    bool printer_;
    TFont cachedFont_;
    QFont qfont_;
    bool fontValid_ = false;
    int fontPpi_ = 0;
};

// Qt colour of a 0x00BBGGRR colour value.
QColor ToQColor(TColor color);
TColor FromQColor(const QColor& color);

} // namespace sps
