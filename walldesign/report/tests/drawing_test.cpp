#include "walldesign/report/drawing.h"

#include "platform/error.h"
#include "platform/recordingcanvas.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace wd;
using sps::TCanvasOpKind;

namespace {

std::vector<uint8_t> Bytes(std::initializer_list<int> list)
{
    std::vector<uint8_t> v;
    for (int b : list)
        v.push_back(static_cast<uint8_t>(b));
    return v;
}

std::vector<uint8_t> LastRecord(const TDrawing& d) { return d.RecordBytes(d.RecordCount() - 1); }

float F32At(const std::vector<uint8_t>& b, size_t offset)
{
    float v;
    std::memcpy(&v, b.data() + offset, 4);
    return v;
}

int32_t I32At(const std::vector<uint8_t>& b, size_t offset)
{
    int32_t v;
    std::memcpy(&v, b.data() + offset, 4);
    return v;
}

std::string Playback(const TDrawing& d, bool printer, sps::TRect rect = {10, 20, 211, 121})
{
    sps::TRecordingCanvas canvas(printer);
    d.Draw(canvas, rect);
    return canvas.Dump();
}

std::vector<uint8_t> Saved(const TDrawing& d)
{
    sps::ByteWriter w;
    d.SaveToStream(w);
    return w.Bytes();
}

} // namespace

TEST(Drawing, NewAndClearedDrawingsHoldOnlyTheThreeStateRecords)
{
    TDrawing d;
    ASSERT_EQ(d.RecordCount(), 3);
    EXPECT_EQ(d.RecordKind(0), rkPen);
    EXPECT_EQ(d.RecordKind(1), rkFont);
    EXPECT_EQ(d.RecordKind(2), rkBrush);
    EXPECT_TRUE(d.GetEmpty());
    EXPECT_EQ(d.Resolution, 1440000);
    EXPECT_EQ(d.BackgroundColor, 0u);
    EXPECT_FALSE(d.FillOnPrinter);
    // Pen: solid, width 1, black. Brush: solid, white. Font: 8 points, black, "Arial".
    EXPECT_EQ(d.RecordBytes(0), Bytes({16, 0, 0, 0, 10, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(d.RecordBytes(2), Bytes({12, 0, 0, 0, 9, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0}));
    EXPECT_EQ(d.RecordBytes(1), Bytes({25, 0, 0, 0, 11, 0, 0, 0, 8, 0, 0, 0, 0, 0, 0, 0, 'A', 'r', 'i', 'a', 'l', 0,
                                       0, 0, 0}));

    d.Line(-3, -4, 7, 9);
    EXPECT_FALSE(d.GetEmpty());
    d.Clear();
    EXPECT_EQ(d.RecordCount(), 3);
    EXPECT_TRUE(d.GetEmpty());
    EXPECT_EQ(d.MinX, 0);
    EXPECT_EQ(d.MinY, 0);
    EXPECT_EQ(d.MaxX, 0);
    EXPECT_EQ(d.MaxY, 0);
}

TEST(Drawing, RecordBytes)
{
    TDrawing d;
    d.LineTo(5, 3);
    EXPECT_EQ(LastRecord(d), Bytes({0x10, 0, 0, 0, 0x01, 0, 0, 0, 0, 0, 0xA0, 0x40, 0, 0, 0x40, 0x40}));
    d.MoveTo(1, -2);
    EXPECT_EQ(LastRecord(d), Bytes({0x10, 0, 0, 0, 0x02, 0, 0, 0, 0, 0, 0x80, 0x3F, 0, 0, 0, 0xC0}));

    d.Polyline({{1, 2}, {3, 4}});
    std::vector<uint8_t> poly = LastRecord(d);
    ASSERT_EQ(poly.size(), 36u);
    EXPECT_EQ(poly[4], rkPolyline);
    EXPECT_EQ(I32At(poly, 8), 2);
    EXPECT_EQ(F32At(poly, 12), 1.0f);
    EXPECT_EQ(F32At(poly, 16), 2.0f);
    EXPECT_EQ(F32At(poly, 20), 3.0f);
    EXPECT_EQ(F32At(poly, 24), 4.0f);
    EXPECT_EQ(std::vector<uint8_t>(poly.begin() + 28, poly.end()), std::vector<uint8_t>(8, 0));

    d.TextAt("AB", 26, 1.5f, 2.5f);
    EXPECT_EQ(LastRecord(d), Bytes({26, 0, 0, 0, 8, 0, 0, 0, 0, 0, 0xC0, 0x3F, 0, 0, 0x20, 0x40, 26, 0, 0, 0, 'A', 'B',
                                    0, 0, 0, 0}));

    d.Pen.SetStyle(sps::psDot);
    d.Pen.SetWidth(2);
    d.Pen.SetColor(0x00026080);
    EXPECT_EQ(LastRecord(d), Bytes({16, 0, 0, 0, 10, 2, 0, 0, 2, 0, 0, 0, 0x80, 0x60, 0x02, 0}));
    d.Brush.SetStyle(sps::bsClear);
    d.Brush.SetColor(0x00FF0000);
    EXPECT_EQ(LastRecord(d), Bytes({12, 0, 0, 0, 9, 1, 0, 0, 0, 0, 0xFF, 0}));
    d.Font.SetName("Sans");
    d.Font.SetSize(12);
    d.Font.SetStyle(sps::fsBold | sps::fsItalic);
    d.Font.SetColor(0x000000FF);
    EXPECT_EQ(LastRecord(d), Bytes({24, 0, 0, 0, 11, 3, 0, 0, 12, 0, 0, 0, 0xFF, 0, 0, 0, 'S', 'a', 'n', 's', 0, 0, 0,
                                    0}));
}

TEST(Drawing, StateChangesWithoutDrawingBetweenThemMerge)
{
    TDrawing d;
    d.Line(0, 0, 1, 1);
    int before = d.RecordCount();
    d.Pen.SetColor(sps::clRed);
    d.Pen.SetWidth(3);
    d.Pen.SetStyle(sps::psDash);
    EXPECT_EQ(d.RecordCount(), before + 1);
    std::vector<uint8_t> pen = LastRecord(d);
    EXPECT_EQ(pen[5], sps::psDash);
    EXPECT_EQ(I32At(pen, 8), 3);
    EXPECT_EQ(static_cast<uint32_t>(I32At(pen, 12)), sps::clRed);

    // A font change between two pen changes keeps both pen records.
    d.Pen.SetColor(sps::clBlue);
    d.Font.SetColor(sps::clBlue);
    d.Pen.SetWidth(1);
    EXPECT_EQ(d.RecordCount(), before + 3);
    EXPECT_EQ(d.RecordKind(d.RecordCount() - 3), rkPen);
    EXPECT_EQ(d.RecordKind(d.RecordCount() - 2), rkFont);
    EXPECT_EQ(d.RecordKind(d.RecordCount() - 1), rkPen);

    // A new drawing: the brush record of Clear is the last, a brush change replaces it.
    TDrawing e;
    e.Brush.SetStyle(sps::bsClear);
    EXPECT_EQ(e.RecordCount(), 3);
    EXPECT_TRUE(e.GetEmpty());
}

TEST(Drawing, BoundsWidthAndHeight)
{
    TDrawing d;
    d.LineTo(5, 3);
    EXPECT_EQ(d.MinX, 0);
    EXPECT_EQ(d.MinY, 0);
    EXPECT_EQ(d.MaxX, 5);
    EXPECT_EQ(d.MaxY, 3);
    EXPECT_EQ(d.GetWidth(), 1000);
    EXPECT_EQ(d.GetHeight(), 600);

    TDrawing tall;
    tall.MoveTo(0, -2);
    tall.LineTo(0, 6);
    EXPECT_EQ(tall.GetWidth(), 0);
    EXPECT_EQ(tall.GetHeight(), 1000);

    TDrawing square;
    square.LineTo(-4, 4);
    EXPECT_EQ(square.GetWidth(), 1000);
    EXPECT_EQ(square.GetHeight(), 1000);

    // w x 1000 / h = 2.5 x 1000 / 8 = 312.5: halves to even.
    TDrawing tie;
    tie.LineTo(2.5f, 8);
    EXPECT_EQ(tie.GetWidth(), 312);
    TDrawing tie2;
    tie2.LineTo(3.5f, 8); // 437.5
    EXPECT_EQ(tie2.GetWidth(), 438);

    // Text widens by its point only; an arc by its box.
    TDrawing t;
    t.TextAt("a long text", 0, 2, 1);
    EXPECT_EQ(t.MaxX, 2);
    EXPECT_EQ(t.MaxY, 1);
    TDrawing a;
    a.Arc(10, 10, 2, 0, 0.1f);
    EXPECT_EQ(a.MinX, 0);
    EXPECT_EQ(a.MinY, 0);
    EXPECT_EQ(a.MaxX, 12);
    EXPECT_EQ(a.MaxY, 12);
    a.Polyline({{-1, 15}, {3, -7}});
    EXPECT_EQ(a.MinX, -1);
    EXPECT_EQ(a.MinY, -7);
    EXPECT_EQ(a.MaxY, 15);
}

TEST(Drawing, ArcsAndNegativeSweeps)
{
    TDrawing d;
    d.Arc(0, 0, 1, 0, 0);
    EXPECT_EQ(d.RecordCount(), 3);

    const float pi = 3.14159265f;
    d.Arc(2, 3, 1, 0, pi / 2);
    std::vector<uint8_t> arc = LastRecord(d);
    ASSERT_EQ(arc.size(), 40u);
    EXPECT_EQ(arc[4], rkArc);
    EXPECT_EQ(F32At(arc, 8), 1.0f);
    EXPECT_EQ(F32At(arc, 12), 2.0f);
    EXPECT_EQ(F32At(arc, 16), 3.0f);
    EXPECT_EQ(F32At(arc, 20), 4.0f);
    // Start point at Start + Sweep, end point at Start.
    EXPECT_NEAR(F32At(arc, 24), 2.0f, 1e-6);
    EXPECT_NEAR(F32At(arc, 28), 4.0f, 1e-6);
    EXPECT_NEAR(F32At(arc, 32), 3.0f, 1e-6);
    EXPECT_NEAR(F32At(arc, 36), 3.0f, 1e-6);

    TDrawing pos, neg;
    pos.Arc(1, 1, 2, 0.25f, 0.5f);
    neg.Arc(1, 1, 2, 0.75f, -0.5f);
    EXPECT_EQ(LastRecord(pos), LastRecord(neg));
}

TEST(Drawing, AngleMarkArrowsAndSupportSymbols)
{
    TDrawing d;
    d.AngleMark("30", 0, 0, 2, 0, 0.5f);
    ASSERT_EQ(d.RecordCount(), 3 + 4); // arc, move, line, text
    EXPECT_EQ(d.RecordKind(3), rkArc);
    std::vector<uint8_t> arc = d.RecordBytes(3);
    EXPECT_EQ(F32At(arc, 8), -1.0f); // radius R / 2
    std::vector<uint8_t> text = d.RecordBytes(6);
    EXPECT_EQ(text[4], rkText);
    EXPECT_EQ(I32At(text, 16), 30);
    EXPECT_NEAR(F32At(text, 8), std::cos(0.25f), 1e-6);

    TDrawing noText;
    noText.AngleMark("x", 0, 0, 2, 0, 0);
    EXPECT_EQ(noText.RecordCount(), 3 + 2); // no arc, the line, no text

    TDrawing v;
    v.VectorArrow(1, 1, 0, 0, 0.5f);
    EXPECT_EQ(v.RecordCount(), 3);
    v.VectorArrow(0, 0, 4, 0, 1);
    std::vector<uint8_t> arrow = LastRecord(v);
    ASSERT_EQ(I32At(arrow, 8), 5);
    const float expect[10] = {0, 0, 4, 0, 3, 0.5f, 3, -0.5f, 4, 0};
    for (int i = 0; i < 10; i++)
        EXPECT_FLOAT_EQ(F32At(arrow, 12 + 4 * static_cast<size_t>(i)), expect[i]) << i;

    TDrawing a;
    a.Arrow(2, 3, 0, 1.5707964f, 1);
    std::vector<uint8_t> head = LastRecord(a);
    ASSERT_EQ(I32At(head, 8), 5);
    EXPECT_FLOAT_EQ(F32At(head, 12), 2);
    EXPECT_FLOAT_EQ(F32At(head, 16), 3);
    EXPECT_FLOAT_EQ(F32At(head, 20), 2);
    EXPECT_FLOAT_EQ(F32At(head, 24), 3);
    EXPECT_NEAR(F32At(head, 28), 1.5f, 1e-6); // head points down onto (2, 3)
    EXPECT_NEAR(F32At(head, 36), 2.5f, 1e-6);
    EXPECT_NEAR(F32At(head, 32), 2.0f, 1e-6);

    TDrawing s;
    s.SupportSymbol(0, "W", 0, 0, 1);
    ASSERT_EQ(s.RecordCount(), 3 + 7);
    EXPECT_EQ(F32At(s.RecordBytes(3), 8), -0.5f);
    EXPECT_NEAR(F32At(s.RecordBytes(5), 8), -0.3f, 1e-6);
    EXPECT_NEAR(F32At(s.RecordBytes(5), 12), 0.25f, 1e-6);
    EXPECT_NEAR(F32At(s.RecordBytes(8), 8), 0.1f, 1e-6);
    EXPECT_NEAR(F32At(s.RecordBytes(8), 12), 0.5f, 1e-6);
    EXPECT_EQ(I32At(s.RecordBytes(9), 16), 14);
    s.Clear();
    s.SupportSymbol(1, "", 0, 0, 2);
    ASSERT_EQ(s.RecordCount(), 4);
    std::vector<uint8_t> tri = LastRecord(s);
    EXPECT_EQ(I32At(tri, 8), 4);
    EXPECT_FLOAT_EQ(F32At(tri, 20), 1);
    EXPECT_FLOAT_EQ(F32At(tri, 24), -1);
    s.SupportSymbol(7, "x", 0, 0, 2);
    EXPECT_EQ(s.RecordCount(), 4);
}

TEST(Drawing, PlaybackMapsIntoTheRectangleHalvesToEven)
{
    TDrawing d;
    d.MoveTo(4, 8);
    d.MoveTo(1, 0);
    d.LineTo(3, 4);
    sps::TRecordingCanvas canvas;
    // Bounds 0..4 x 0..8. Scale (3 - 1) / 4 = 0.5 in X: 1 -> 0.5 -> 0, 3 -> 1.5 -> 2;
    // (9 - 1) / 8 = 1 in Y.
    d.Draw(canvas, {100, 200, 103, 209});
    ASSERT_EQ(canvas.Ops.size(), 4u);
    EXPECT_EQ(canvas.Ops[2].Kind, TCanvasOpKind::MoveTo);
    EXPECT_EQ(canvas.Ops[2].Points[0], (sps::TPoint{100, 200}));
    EXPECT_EQ(canvas.Ops[3].Points[1], (sps::TPoint{102, 204}));

    // World width 0: scale 1.0 in X.
    TDrawing flat;
    flat.MoveTo(0, 0);
    flat.LineTo(0, 10);
    sps::TRecordingCanvas c2;
    flat.Draw(c2, {5, 5, 55, 16});
    EXPECT_EQ(c2.Ops.back().Points[1], (sps::TPoint{5, 15}));
}

TEST(Drawing, PlaybackOnPrintersIsBlackWithoutBackground)
{
    TDrawing d;
    d.BackgroundColor = 0x00123456;
    d.Pen.SetColor(sps::clRed);
    d.Font.SetColor(sps::clBlue);
    d.Font.SetSize(11);
    d.Brush.SetColor(0x00C0FFEE);
    d.Line(0, 0, 10, 10);
    d.TextAt("T", 26, 5, 5);

    sps::TRecordingCanvas screen(false);
    screen.Pen.Color = 0x00ABCDEF;
    screen.TextAlign = 2;
    d.Draw(screen, {0, 0, 101, 101});
    ASSERT_EQ(screen.Ops[0].Kind, TCanvasOpKind::FillRect);
    EXPECT_EQ(screen.Ops[0].Brush.Color, 0x00123456u);
    EXPECT_EQ(screen.Ops[0].Rect, (sps::TRect{0, 0, 101, 101}));
    const sps::TCanvasOp& line = screen.Ops[2];
    EXPECT_EQ(line.Kind, TCanvasOpKind::LineTo);
    EXPECT_EQ(line.Pen.Color, sps::clRed);
    EXPECT_EQ(line.Brush.Color, 0x00C0FFEEu);
    const sps::TCanvasOp& text = screen.Ops[3];
    EXPECT_EQ(text.Kind, TCanvasOpKind::TextOut);
    EXPECT_EQ(text.Font.Color, sps::clBlue);
    EXPECT_EQ(text.Font.Size, 11);
    EXPECT_EQ(text.Flags, 26);
    EXPECT_EQ(text.Points[0], (sps::TPoint{50, 50}));
    // The canvas state is back as it was.
    EXPECT_EQ(screen.Pen.Color, 0x00ABCDEFu);
    EXPECT_EQ(screen.TextAlign, 2);
    EXPECT_EQ(screen.Brush.Color, sps::clWhite);

    sps::TRecordingCanvas printer(true);
    d.Draw(printer, {0, 0, 101, 101});
    ASSERT_EQ(printer.Ops.size(), 3u); // no background fill
    EXPECT_EQ(printer.Ops[1].Pen.Color, sps::clBlack);
    EXPECT_EQ(printer.Ops[1].Brush.Color, 0x00C0FFEEu);
    EXPECT_EQ(printer.Ops[2].Font.Color, sps::clBlack);

    d.FillOnPrinter = true;
    sps::TRecordingCanvas printer2(true);
    d.Draw(printer2, {0, 0, 101, 101});
    EXPECT_EQ(printer2.Ops[0].Kind, TCanvasOpKind::FillRect);
}

TEST(Drawing, SaveAndLoadPlayBackTheSamePicture)
{
    TDrawing d;
    d.Pen.SetColor(sps::clRed);
    d.Line(-1, -2, 3, 4);
    d.Font.SetStyle(sps::fsBold);
    d.TextAt("Label", 8, 1, 1);
    d.Arc(0, 0, 2, 0.5f, -1);
    d.Arrow(0, 0, 3, 0.3f, 0.5f);
    d.Brush.SetStyle(sps::bsClear);
    std::vector<uint8_t> stream = Saved(d);

    // 16 bytes of bounds, then the records whole.
    size_t total = 16;
    for (int i = 0; i < d.RecordCount(); i++)
        total += d.RecordSize(i);
    ASSERT_EQ(stream.size(), total);
    EXPECT_EQ(F32At(stream, 0), -2.0f); // the arc's box
    EXPECT_EQ(F32At(stream, 4), -2.0f);
    EXPECT_EQ(F32At(stream, 12), 4.0f);

    TDrawing loaded;
    sps::ByteReader in(stream);
    loaded.LoadFromStream(in);
    EXPECT_EQ(loaded.RecordCount(), d.RecordCount() + 3);
    EXPECT_EQ(loaded.MinX, d.MinX);
    EXPECT_EQ(loaded.MaxY, d.MaxY);
    EXPECT_EQ(Playback(loaded, false), Playback(d, false));
    EXPECT_EQ(Playback(loaded, true), Playback(d, true));

    TDrawing copy;
    copy.Assign(d);
    EXPECT_EQ(copy.RecordCount(), d.RecordCount() + 3);
    EXPECT_EQ(Playback(copy, false), Playback(d, false));
    TDrawing untouched;
    untouched.Line(0, 0, 1, 1);
    untouched.Assign(sps::TBitmap(1, 1, {0}));
    EXPECT_EQ(untouched.RecordCount(), 5);
}

TEST(Drawing, DamagedStreamsRaiseAndKeepTheDrawing)
{
    TDrawing d;
    d.Line(0, 0, 2, 2);
    d.TextAt("abc", 0, 1, 1);
    std::vector<uint8_t> good = Saved(d);

    auto expectError = [&](std::vector<uint8_t> bytes, const char* message) {
        TDrawing target;
        target.LineTo(7, 7);
        int before = target.RecordCount();
        sps::ByteReader in(bytes);
        try {
            target.LoadFromStream(in);
            ADD_FAILURE() << "no error for " << bytes.size() << " bytes";
        } catch (const sps::Exception& e) {
            EXPECT_EQ(e.Message(), message);
        }
        EXPECT_EQ(target.RecordCount(), before);
        EXPECT_EQ(target.MaxX, 7);
    };

    // A record size below 8 (0 would never advance).
    std::vector<uint8_t> zero = good;
    zero[16] = 0;
    expectError(zero, "Invalid stream format");
    std::vector<uint8_t> negative = good;
    negative[16 + 3] = 0x80;
    expectError(negative, "Invalid stream format");
    // A record size past the end of the stream.
    std::vector<uint8_t> huge = good;
    huge[16 + 2] = 0x7F;
    expectError(huge, "Stream read error");
    expectError(std::vector<uint8_t>(good.begin(), good.begin() + 10), "Stream read error");

    // Cut at every length: either loads the whole records or raises.
    for (size_t n = 0; n <= good.size(); n++) {
        std::vector<uint8_t> cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n));
        TDrawing t;
        sps::ByteReader in(cut);
        try {
            t.LoadFromStream(in);
        } catch (const sps::Exception&) {
            continue;
        }
        sps::TRecordingCanvas canvas;
        t.Draw(canvas, {0, 0, 100, 100});
    }

    // Records too short for their kind are skipped on playback.
    sps::ByteWriter w;
    for (int i = 0; i < 4; i++)
        w.F32(0);
    const uint8_t kinds[] = {rkLineTo, rkMoveTo, rkPolyline, rkPolygon, rkPolyBezier, rkArc, rkEllipse,
                             rkText,   rkBrush,  rkPen,      rkFont,    rkRectangle,  0,     200};
    for (uint8_t k : kinds) {
        w.I32(8);
        w.U8(k);
        w.U8(0);
        w.U16(0);
    }
    w.I32(20); // a polyline claiming a million points
    w.U8(rkPolyline);
    w.U8(0);
    w.U16(0);
    w.I32(1000000);
    w.I32(0);
    w.I32(0);
    TDrawing shortRecords;
    sps::ByteReader in(w.Bytes());
    shortRecords.LoadFromStream(in);
    sps::TRecordingCanvas canvas;
    shortRecords.Draw(canvas, {0, 0, 10, 10});
    EXPECT_EQ(canvas.Ops.size(), 1u); // the background only
}
