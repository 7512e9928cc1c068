#include "platform/recordingcanvas.h"

#include "platform/error.h"

#include <sstream>

namespace sps {

TCanvasOp& TRecordingCanvas::Add(TCanvasOpKind kind)
{
    TCanvasOp& op = Ops.emplace_back();
    op.Kind = kind;
    op.Page = Page;
    op.Pen = Pen;
    op.Brush = Brush;
    op.Font = Font;
    return op;
}

void TRecordingCanvas::MoveTo(int x, int y)
{
    Add(TCanvasOpKind::MoveTo).Points = {{x, y}};
    penPos_ = {x, y};
}

void TRecordingCanvas::LineTo(int x, int y)
{
    Add(TCanvasOpKind::LineTo).Points = {penPos_, {x, y}};
    penPos_ = {x, y};
    Changed();
}

void TRecordingCanvas::Polyline(const std::vector<TPoint>& points)
{
    Add(TCanvasOpKind::Polyline).Points = points;
    Changed();
}

void TRecordingCanvas::Polygon(const std::vector<TPoint>& points)
{
    Add(TCanvasOpKind::Polygon).Points = points;
    Changed();
}

void TRecordingCanvas::PolyBezier(const std::vector<TPoint>& points)
{
    Add(TCanvasOpKind::PolyBezier).Points = points;
    Changed();
}

void TRecordingCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    Add(TCanvasOpKind::Arc).Points = {{x1, y1}, {x2, y2}, {x3, y3}, {x4, y4}};
    Changed();
}

void TRecordingCanvas::Ellipse(int x1, int y1, int x2, int y2)
{
    Add(TCanvasOpKind::Ellipse).Points = {{x1, y1}, {x2, y2}};
    Changed();
}

void TRecordingCanvas::Rectangle(int x1, int y1, int x2, int y2)
{
    TCanvasOp& op = Add(TCanvasOpKind::Rectangle);
    op.Points = {{x1, y1}, {x2, y2}};
    op.Rect = {x1, y1, x2, y2};
    Changed();
}

void TRecordingCanvas::FillRect(const TRect& rect)
{
    Add(TCanvasOpKind::FillRect).Rect = rect;
    Changed();
}

void TRecordingCanvas::TextOut(int x, int y, const std::string& text)
{
    TCanvasOp& op = Add(TCanvasOpKind::TextOut);
    op.Points = {{x, y}};
    op.Text = text;
    op.Flags = TextAlign;
    Changed();
}

void TRecordingCanvas::TextRect(const TRect& rect, int x, int y, const std::string& text)
{
    TCanvasOp& op = Add(TCanvasOpKind::TextRect);
    op.Rect = rect;
    op.Points = {{x, y}};
    op.Text = text;
    op.Flags = TextAlign;
    Changed();
}

void TRecordingCanvas::DrawText(const TRect& rect, const std::string& text, int flags)
{
    TCanvasOp& op = Add(TCanvasOpKind::DrawText);
    op.Rect = rect;
    op.Text = text;
    op.Flags = flags;
    Changed();
}

void TRecordingCanvas::StretchDraw(const TRect& rect, const TBitmap& bitmap)
{
    TCanvasOp& op = Add(TCanvasOpKind::StretchDraw);
    op.Rect = rect;
    op.Points = {{bitmap.GetWidth(), bitmap.GetHeight()}};
    Changed();
}

int TRecordingCanvas::TextWidth(const std::string& text)
{
    return static_cast<int>(text.size()) * (CharHeight() / 2);
}

int TRecordingCanvas::TextHeight(const std::string&) { return CharHeight(); }

int TRecordingCanvas::WrappedTextHeight(int width, const std::string& text)
{
    // Greedy wrapping at blanks; a word wider than the width keeps a line of its own.
    int cw = CharHeight() / 2;
    int lines = 0;
    int lineWidth = -1; // -1: no line begun
    std::istringstream words(text);
    std::string word;
    while (words >> word) {
        int w = static_cast<int>(word.size()) * cw;
        if (lineWidth < 0) {
            lines++;
            lineWidth = w;
        } else if (lineWidth + cw + w <= width) {
            lineWidth += cw + w;
        } else {
            lines++;
            lineWidth = w;
        }
    }
    return lines * CharHeight();
}

std::vector<std::string> TRecordingCanvas::Texts() const
{
    std::vector<std::string> texts;
    for (const TCanvasOp& op : Ops)
        if (op.Kind == TCanvasOpKind::TextOut || op.Kind == TCanvasOpKind::TextRect ||
            op.Kind == TCanvasOpKind::DrawText)
            texts.push_back(op.Text);
    return texts;
}

std::string TRecordingCanvas::Dump() const
{
    static const char* const names[] = {"MoveTo",  "LineTo",    "Polyline", "Polygon",  "PolyBezier",
                                        "Arc",     "Ellipse",   "Rectangle", "FillRect", "TextOut",
                                        "TextRect", "DrawText", "StretchDraw"};
    std::ostringstream out;
    for (const TCanvasOp& op : Ops) {
        out << "p" << op.Page << " " << names[static_cast<int>(op.Kind)];
        for (const TPoint& p : op.Points)
            out << " (" << p.X << "," << p.Y << ")";
        if (op.Kind == TCanvasOpKind::FillRect || op.Kind == TCanvasOpKind::DrawText ||
            op.Kind == TCanvasOpKind::TextRect || op.Kind == TCanvasOpKind::StretchDraw)
            out << " [" << op.Rect.Left << "," << op.Rect.Top << "," << op.Rect.Right << "," << op.Rect.Bottom << "]";
        if (!op.Text.empty())
            out << " \"" << op.Text << "\" f" << op.Flags;
        out << "\n";
    }
    return out.str();
}

void TRecordingPrinter::BeginDoc()
{
    if (printing_)
        Raise("Printing in progress");
    printing_ = true;
    pageNumber_ = 1;
    PageCount = 1;
    canvas_.Page = 1;
    canvas_.Pen = TPen();
    canvas_.Brush = TBrush();
    canvas_.Font = TFont();
    canvas_.TextAlign = taLeft | taTop;
}

void TRecordingPrinter::NewPage()
{
    if (!printing_)
        Raise("Printer is not currently printing");
    pageNumber_++;
    PageCount++;
    canvas_.Page = pageNumber_;
}

void TRecordingPrinter::EndDoc()
{
    if (!printing_)
        Raise("Printer is not currently printing");
    printing_ = false;
    EndDocCount++;
}

std::vector<TCanvasOp> TRecordingPrinter::PageOps(int page) const
{
    std::vector<TCanvasOp> ops;
    for (const TCanvasOp& op : canvas_.Ops)
        if (op.Page == page)
            ops.push_back(op);
    return ops;
}

std::vector<std::string> TRecordingPrinter::PageTexts(int page) const
{
    std::vector<std::string> texts;
    for (const TCanvasOp& op : PageOps(page))
        if (op.Kind == TCanvasOpKind::TextOut || op.Kind == TCanvasOpKind::TextRect ||
            op.Kind == TCanvasOpKind::DrawText)
            texts.push_back(op.Text);
    return texts;
}

} // namespace sps
