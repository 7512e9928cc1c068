#include "platform/gui/canvas.h"

#include <QFontInfo>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>

using namespace sps;

namespace {

// A white image at `dpi` with a painter and a canvas on it.
struct TImageCanvas {
    QImage image;
    QPainter painter;
    TQtCanvas canvas;
    explicit TImageCanvas(int w = 400, int h = 300, int dpi = 96) : image(w, h, QImage::Format_RGB32)
    {
        int dpm = static_cast<int>(std::lround(dpi / 0.0254));
        image.setDotsPerMeterX(dpm);
        image.setDotsPerMeterY(dpm);
        image.fill(Qt::white);
        painter.begin(&image);
        canvas.SetPainter(&painter, false);
    }
    QImage Done()
    {
        painter.end();
        return image;
    }
};

bool IsWhite(QRgb p) { return qRed(p) > 240 && qGreen(p) > 240 && qBlue(p) > 240; }

// Bounding box of the non-white pixels.
QRect Ink(const QImage& img)
{
    QRect box;
    for (int y = 0; y < img.height(); y++)
        for (int x = 0; x < img.width(); x++)
            if (!IsWhite(img.pixel(x, y)))
                box = box.united(QRect(x, y, 1, 1));
    return box;
}

} // namespace

TEST(QtCanvas, ColoursAreBlueGreenRed)
{
    QColor c = ToQColor(0x00026080);
    EXPECT_EQ(c.red(), 128);
    EXPECT_EQ(c.green(), 96);
    EXPECT_EQ(c.blue(), 2);
    EXPECT_EQ(FromQColor(QColor(1, 2, 3)), RGB(1, 2, 3));
    EXPECT_EQ(RGB(1, 2, 3), 0x00030201u);
}

TEST(QtCanvas, CharacterHeightFollowsTheDevice)
{
    TImageCanvas hi(10, 10, 1200);
    hi.canvas.Font.Size = 10;
    EXPECT_EQ(hi.canvas.PixelsPerInch(), 1200);
    EXPECT_EQ(hi.canvas.CharHeight(), 167); // 166.67
    hi.canvas.Font.Size = 8;
    EXPECT_EQ(hi.canvas.CharHeight(), 133);
    EXPECT_EQ(hi.canvas.QtFont().pixelSize(), 133);
    // Arial is served by its metric-compatible substitute.
    EXPECT_EQ(QFontInfo(hi.canvas.QtFont()).family().contains("Liberation Sans") ||
                  QFontInfo(hi.canvas.QtFont()).family() == "Arial",
              true);
    TImageCanvas lo(10, 10, 96);
    lo.canvas.Font.Size = 9;
    EXPECT_EQ(lo.canvas.CharHeight(), 12);
}

TEST(QtCanvas, LinesRectanglesAndPens)
{
    TImageCanvas t;
    t.canvas.Pen.Color = clRed;
    t.canvas.MoveTo(10, 10);
    t.canvas.LineTo(100, 10);
    t.canvas.Pen.Style = psClear;
    t.canvas.Brush.Color = clBlue;
    t.canvas.Rectangle(10, 50, 30, 70); // filled, no outline
    t.canvas.Pen.Style = psSolid;
    t.canvas.Pen.Color = clBlack;
    t.canvas.Brush.Style = bsClear;
    t.canvas.Rectangle(50, 50, 70, 70); // outline only, right and bottom exclusive
    QImage img = t.Done();
    EXPECT_EQ(img.pixel(50, 10), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(20, 60), qRgb(0, 0, 255));
    EXPECT_EQ(img.pixel(10, 50), qRgb(0, 0, 255));
    EXPECT_TRUE(IsWhite(img.pixel(30, 60)));
    EXPECT_EQ(img.pixel(50, 60), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(69, 60), qRgb(0, 0, 0));
    EXPECT_TRUE(IsWhite(img.pixel(70, 60)));
    EXPECT_TRUE(IsWhite(img.pixel(60, 60)));
}

TEST(QtCanvas, ArcsRunCounterClockwiseFromStartToEnd)
{
    // Box around (100, 100), radius 50: from the right point to the top point is
    // the upper right quarter.
    TImageCanvas t;
    t.canvas.Arc(50, 50, 150, 150, 150, 100, 100, 50);
    QRect ink = Ink(t.Done());
    EXPECT_GE(ink.left(), 98);
    EXPECT_LE(ink.bottom(), 102);
    EXPECT_GE(ink.right(), 148);
    EXPECT_LE(ink.top(), 52);

    // From the top point to the right point: the other three quarters.
    TImageCanvas u;
    u.canvas.Arc(50, 50, 150, 150, 100, 50, 150, 100);
    QImage img = u.Done();
    QRect all = Ink(img);
    EXPECT_LE(all.left(), 52);
    EXPECT_GE(all.bottom(), 148);
    EXPECT_TRUE(IsWhite(img.pixel(135, 65))); // the upper right quarter stays empty
}

TEST(QtCanvas, TextAlignment)
{
    auto inkOf = [](int align) {
        TImageCanvas t;
        t.canvas.Font.Size = 20;
        t.canvas.Brush.Style = bsClear;
        t.canvas.TextAlign = align;
        t.canvas.TextOut(200, 150, "HHHH");
        return Ink(t.Done());
    };
    QRect left = inkOf(taLeft | taTop);
    QRect right = inkOf(taRight | taTop);
    QRect centre = inkOf(taCenter | taBaseline);
    QRect bottom = inkOf(taLeft | taBottom);
    EXPECT_GE(left.left(), 200);
    EXPECT_LE(left.left(), 205);
    EXPECT_GT(left.top(), 150);
    EXPECT_LE(right.right(), 200);
    EXPECT_GE(right.right(), 194);
    EXPECT_NEAR((centre.left() + centre.right()) / 2.0, 200, 3);
    EXPECT_EQ(centre.bottom(), 149); // capitals stand on the baseline
    EXPECT_LT(bottom.bottom(), 150);
}

TEST(QtCanvas, TextMeasuringAndWrapping)
{
    TImageCanvas t(10, 10, 1200);
    t.canvas.Font.Size = 8;
    int w = t.canvas.TextWidth("Sheet Pile Top Level [m]");
    EXPECT_GT(w, 1200);
    EXPECT_LT(w, 1800);
    int h = t.canvas.TextHeight("Mg");
    EXPECT_GE(h, 133);
    EXPECT_LT(h, 170);
    std::string text = "Earth Pressure in Front [kN/m2]";
    EXPECT_NEAR(t.canvas.WrappedTextHeight(10000, text), h, 2);
    EXPECT_GE(t.canvas.WrappedTextHeight(700, text), 3 * h);
    EXPECT_EQ(t.canvas.WrappedTextHeight(700, ""), 0);
    t.canvas.Font.Style = fsBold;
    EXPECT_GT(t.canvas.TextWidth("Sheet Pile Top Level [m]"), w);
}

TEST(QtCanvas, ChangeNotificationOnlyForInk)
{
    TImageCanvas t;
    int changes = 0;
    t.canvas.OnChange = [&] { changes++; };
    t.canvas.Pen.Color = clRed;
    t.canvas.Font.Size = 12;
    t.canvas.MoveTo(1, 1);
    t.canvas.TextWidth("abc");
    t.canvas.WrappedTextHeight(20, "abc def");
    EXPECT_EQ(changes, 0);
    t.canvas.LineTo(5, 5);
    t.canvas.TextOut(5, 5, "x");
    t.canvas.DrawText({0, 0, 50, 50}, "y", dtWordBreak);
    t.canvas.FillRect({0, 0, 2, 2});
    t.canvas.Polyline({{0, 0}, {3, 3}});
    t.canvas.Polygon({{0, 0}, {3, 3}, {0, 3}});
    t.canvas.PolyBezier({{0, 0}, {1, 1}, {2, 2}, {3, 3}});
    t.canvas.Ellipse(0, 0, 9, 9);
    t.canvas.TextRect({0, 0, 9, 9}, 0, 0, "z");
    EXPECT_EQ(changes, 9);
    t.Done();
}

TEST(QtCanvas, WrappedTextAndClippedText)
{
    TImageCanvas t;
    t.canvas.Font.Size = 10;
    t.canvas.DrawText({300, 10, 390, 200}, "12.500", dtRight | dtWordBreak);
    t.canvas.Brush.Style = bsClear;
    t.canvas.TextRect({10, 100, 30, 140}, 10, 100, "WWWWWWWWWWWW");
    QImage img = t.Done();
    QRect right = Ink(img.copy(300, 0, 100, 90));
    EXPECT_LE(right.right(), 90);
    EXPECT_GE(right.right(), 80);
    QRect clipped = Ink(img.copy(0, 90, 200, 60));
    EXPECT_LT(clipped.right(), 30);
}

TEST(QtCanvas, StretchDrawsBitmaps)
{
    TImageCanvas t;
    TBitmap bmp(2, 1, {clRed, clBlue});
    t.canvas.StretchDraw(TRect{0, 0, 100, 50}, static_cast<const TGraphic&>(bmp));
    QImage img = t.Done();
    EXPECT_EQ(img.pixel(10, 25), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(90, 25), qRgb(0, 0, 255));
    EXPECT_TRUE(TBitmap(2, 2, {clRed}).GetEmpty()); // pixel count does not match
}

TEST(QtCanvas, TextOutWithSolidBrushFillsItsCell)
{
    TImageCanvas t;
    t.canvas.Font.Size = 12;
    t.canvas.Brush.Color = RGB(0, 255, 0);
    t.canvas.TextOut(20, 20, "..");
    QImage img = t.Done();
    EXPECT_EQ(img.pixel(21, 21), qRgb(0, 255, 0));
}
