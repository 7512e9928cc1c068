#include "walldesign/report/report.h"

#include "platform/commatext.h"
#include "platform/error.h"
#include "platform/numtext.h"

#include <algorithm>

namespace wd {

namespace {

constexpr sps::TColor kShadeColor = 0xCCCCCC;

// Puts back the canvas font when the header or footer painter ends, also on an exception.
class TFontKeeper {
public:
    explicit TFontKeeper(sps::TCanvas& canvas) : canvas_(canvas), font_(canvas.Font) {}
    ~TFontKeeper() { canvas_.Font = font_; }

private:
    sps::TCanvas& canvas_;
    sps::TFont font_;
};

// A caption in the canvas font, in a space two character heights high whose top is at `top`.
void DrawCaption(sps::TCanvas& canvas, int left, int top, const std::string& caption)
{
    canvas.TextAlign = sps::taLeft | sps::taTop;
    canvas.TextOut(left, top + canvas.CharHeight() / 2, caption);
}

void WriteCaption(TReportPrinter& printer, const std::string& caption)
{
    sps::TRect r = printer.ReserveSpace(2 * printer.Canvas().CharHeight(), 0);
    DrawCaption(printer.Canvas(), r.Left, r.Top, caption);
}

} // namespace

bool IsNumericText(const std::string& text)
{
    double v;
    return text == "Infinite" || sps::TryParseFloat(text, v);
}

// ---------------------------------------------------------------------------
// Printer object

sps::TPrinter& TReportPrinter::Dev() const
{
    if (Device == nullptr)
        sps::Raise("No printer selected");
    return *Device;
}

sps::TCanvas& TReportPrinter::Canvas() { return Dev().Canvas(); }
int TReportPrinter::PageWidth() const { return Dev().PageWidth(); }
int TReportPrinter::PageHeight() const { return Dev().PageHeight(); }
int TReportPrinter::PageNumber() const { return Dev().PageNumber(); }
void TReportPrinter::SetTitle(const std::string& title) { Dev().Title = title; }

int TReportPrinter::PrintableHeight() const { return PageHeight() - TopMargin - BottomMargin; }
int TReportPrinter::PrintableWidth() const { return PageWidth() - LeftMargin - RightMargin; }
int TReportPrinter::ColumnWidth() const { return PrintableWidth() / std::max(1, ColumnCount); }

void TReportPrinter::BeginDoc()
{
    Dev().BeginDoc();
    ColumnCount = 1;
    PageHasContent = false;
    holding_ = false;
    savedOnChange_ = Canvas().OnChange;
    Canvas().OnChange = [this] { PageHasContent = true; };
}

void TReportPrinter::EndDoc()
{
    Canvas().OnChange = std::move(savedOnChange_);
    savedOnChange_ = nullptr;
    Dev().EndDoc();
}

void TReportPrinter::AbortDoc()
{
    if (Device == nullptr || !Device->Printing())
        return;
    Device->Canvas().OnChange = std::move(savedOnChange_);
    savedOnChange_ = nullptr;
    try {
        Device->EndDoc();
    } catch (...) {
    }
}

void TReportPrinter::NewPage()
{
    if (PageHasContent)
        Dev().NewPage();
    LineUnit = PageWidth() / 116;
    TopMargin = 0;
    LeftMargin = 10 * LineUnit;
    BottomMargin = 0;
    RightMargin = 2 * LineUnit;
    {
        TFontKeeper keep(Canvas());
        if (OnHeader) {
            sps::TRect r = sps::Bounds(LeftMargin, TopMargin, PrintableWidth(), PrintableHeight());
            OnHeader(*this, r);
            TopMargin = r.Bottom - r.Top + LineUnit;
        }
        if (OnFooter) {
            sps::TRect r = sps::Bounds(LeftMargin, TopMargin, PrintableWidth(), PrintableHeight());
            OnFooter(*this, r);
            BottomMargin = r.Bottom - r.Top + LineUnit;
        }
    }
    Column = ColumnX = CurrentY = ColumnTop = LowestY = 0;
    PageHasContent = false;
}

void TReportPrinter::SetColumns(int n)
{
    Column = 0;
    ColumnX = 0;
    ColumnTop = LowestY;
    CurrentY = LowestY;
    ColumnCount = std::max(1, n);
}

void TReportPrinter::NextColumn()
{
    ColumnX += ColumnWidth();
    Column++;
    if (Column >= ColumnCount) {
        Column = 0;
        ColumnX = 0;
        ColumnTop = LowestY;
    }
    CurrentY = ColumnTop;
}

void TReportPrinter::AddSpacing()
{
    // Below a held caption the gap is owed: it moves with the caption.
    if (holding_)
        heldHeight_ += LineUnit;
    else if (CurrentY > ColumnTop)
        CurrentY += LineUnit;
}

sps::TRect TReportPrinter::ReserveSpace(int h, int hAfterBreak, bool* broke)
{
    bool didBreak = false;
    int height = h;
    const int lead = HeldCaptionHeight();
    if (ColumnCount > 1 && PrintableHeight() < CurrentY + lead + h) {
        NextColumn();
        if (hAfterBreak > 0)
            height = hAfterBreak;
        didBreak = true;
    }
    if (PrintableHeight() < CurrentY + lead + height) {
        NewPage();
        if (hAfterBreak > 0)
            height = hAfterBreak;
        didBreak = true;
    }
    if (holding_) {
        holding_ = false;
        TFontKeeper keep(Canvas());
        Canvas().Font = heldFont_;
        DrawCaption(Canvas(), ColumnX + LeftMargin, CurrentY + TopMargin, heldCaption_);
        CurrentY += lead;
    }
    sps::TRect r = sps::Bounds(ColumnX + LeftMargin, CurrentY + TopMargin, ColumnWidth(), height);
    CurrentY += height;
    LowestY = std::max(LowestY, CurrentY + LineUnit);
    if (broke != nullptr)
        *broke = didBreak;
    return r;
}

void TReportPrinter::HoldCaption(const std::string& caption, const sps::TFont& font)
{
    TFontKeeper keep(Canvas());
    Canvas().Font = font;
    heldHeight_ = 2 * Canvas().CharHeight();
    heldCaption_ = caption;
    heldFont_ = font;
    holding_ = true;
}

void TReportPrinter::WriteHeldCaption()
{
    if (!holding_)
        return;
    holding_ = false;
    Canvas().Font = heldFont_;
    WriteCaption(*this, heldCaption_);
}

// ---------------------------------------------------------------------------
// Report objects

void TColumnBreak::Print(TReportPrinter& printer)
{
    printer.WriteHeldCaption();
    printer.NextColumn();
}

TGraphicContainer::~TGraphicContainer()
{
    if (OwnsGraphic)
        delete Graphic;
}

void TGraphicContainer::SetOwnedGraphic(std::unique_ptr<sps::TGraphic> graphic)
{
    if (OwnsGraphic)
        delete Graphic;
    Graphic = graphic.release();
    OwnsGraphic = true;
}

void TGraphicContainer::Print(TReportPrinter& printer)
{
    if (Graphic == nullptr)
        return;
    int cw = printer.ColumnWidth();
    int m = cw * MarginPercent / 100;
    int w = cw - 2 * m;
    int gw = Graphic->GetWidth();
    int height = gw != 0 ? static_cast<int>(static_cast<int64_t>(Graphic->GetHeight()) * w / gw) + 2 * m : cw;
    // Taller than a page (below its caption): scaled down to fit, centred in the column.
    int limit = printer.PrintableHeight() - printer.HeldCaptionHeight();
    int width = w;
    if (height > limit) {
        if (limit - 2 * m <= 0 || height - 2 * m <= 0)
            return;
        width = static_cast<int>(static_cast<int64_t>(w) * (limit - 2 * m) / (height - 2 * m));
        height = limit;
    }
    sps::TRect r = printer.ReserveSpace(height, 0);
    int left = r.Left + m + (w - width) / 2;
    sps::TRect inner{left, r.Top + m, left + width, r.Bottom - m};
    printer.Canvas().StretchDraw(inner, *Graphic);
}

void TTable::Print(TReportPrinter& printer)
{
    sps::TCanvas& canvas = printer.Canvas();
    canvas.Font = Font;
    int ch = canvas.CharHeight();
    int rowH = (3 * ch) / 2;
    int pad = rowH / 3;

    std::vector<std::vector<std::string>> cells(Rows.size());
    size_t colCount = 0;
    for (size_t r = 0; r < Rows.size(); r++) {
        cells[r] = sps::SplitCommaText(Rows[r]);
        colCount = std::max(colCount, cells[r].size());
    }
    std::vector<int> width(colCount, 0);
    std::vector<int> height(Rows.size(), rowH);
    for (const auto& row : cells)
        for (size_t c = 0; c < row.size(); c++)
            width[c] = std::max(width[c], canvas.TextWidth(row[c]) + 2 * pad);
    int64_t total = 0;
    for (int w : width)
        total += w;
    int cw = printer.ColumnWidth();
    if (colCount > 0 && total > cw) {
        for (int& w : width)
            w = cw / static_cast<int>(colCount);
        for (size_t r = 0; r < cells.size(); r++)
            for (size_t c = 0; c < cells[r].size(); c++)
                height[r] = std::max(height[r], canvas.WrappedTextHeight(width[c] - 2 * pad, cells[r][c]) + ch / 3);
    }

    if (!Caption.empty())
        WriteCaption(printer, Caption);

    auto printRow = [&](size_t r, int top, int left) {
        int x = left;
        for (size_t c = 0; c < cells[r].size(); c++) {
            bool shaded = c < HeaderCols || r < HeaderRows;
            canvas.Brush.Style = sps::bsSolid;
            canvas.Brush.Color = shaded ? kShadeColor : sps::clWhite;
            canvas.Pen.Style = Lines ? sps::psSolid : sps::psClear;
            canvas.Rectangle(x, top, x + width[c], top + height[r]);
            sps::TRect tr{x + pad, top + ch / 6, x + width[c] - pad, top + height[r] - ch / 6};
            const std::string& text = cells[r][c];
            canvas.DrawText(tr, text, sps::dtWordBreak | (IsNumericText(text) ? sps::dtRight : sps::dtLeft));
            x += width[c];
            canvas.Brush.Color = sps::clWhite;
        }
    };

    for (size_t r = 0; r < cells.size(); r++) {
        sps::TRect rect;
        if (HeaderRows != 0) {
            bool broke = false;
            rect = printer.ReserveSpace(height[r], height[0], &broke);
            if (broke && r > 0) {
                printRow(0, rect.Top, rect.Left);
                rect = printer.ReserveSpace(height[r], 0);
            }
        } else {
            rect = printer.ReserveSpace(height[r], 0);
        }
        printRow(r, rect.Top, rect.Left);
    }
}

void TTable::FillGrid(TReportGrid& grid) const
{
    grid.SetDefaultColWidth(10);
    grid.SetRowCount(static_cast<int>(Rows.size()));
    grid.SetColCount(2);
    for (size_t r = 0; r < Rows.size(); r++) {
        std::vector<std::string> cells = sps::SplitCommaText(Rows[r]);
        if (static_cast<int>(cells.size()) > grid.ColCount())
            grid.SetColCount(static_cast<int>(cells.size()));
        for (size_t c = 0; c < cells.size(); c++) {
            int col = static_cast<int>(c);
            grid.SetColWidth(col, std::max(grid.ColWidth(col), grid.TextWidth(cells[c]) + 10));
        }
        grid.SetRow(static_cast<int>(r), cells);
    }
    grid.SetHeight((grid.DefaultRowHeight() + 1) * static_cast<int>(Rows.size()) + 3);
}

// ---------------------------------------------------------------------------
// Paragraphs and the report

TParagraph::TParagraph() { CaptionFont.Size = kReportFontSize * 3 / 2; }

void TParagraph::Print(TReportPrinter& printer)
{
    if (!Printed)
        return;
    if (NewPage)
        printer.NewPage();
    printer.SetColumns(Columns);
    // The caption goes with the first object that takes space.
    if (!Caption.empty())
        printer.HoldCaption(Caption, CaptionFont);
    for (int i = 0; i < Objects.Count(); i++) {
        Objects.ReportObject(i)->Print(printer);
        printer.AddSpacing();
    }
    printer.WriteHeldCaption();
}

TReport::TReport() : Printer(std::make_unique<TReportPrinter>())
{
    Printer->OnHeader = [this](TReportPrinter& p, sps::TRect& r) { PrintHeader(p, r); };
    Printer->OnFooter = [this](TReportPrinter& p, sps::TRect& r) { PrintFooter(p, r); };
}

void TReport::Print()
{
    Printer->SetTitle(Title);
    Printer->BeginDoc();
    try {
        Printer->NewPage();
        for (int i = 0; i < Paragraphs.Count(); i++)
            Paragraphs.Paragraph(i)->Print(*Printer);
    } catch (...) {
        Printer->AbortDoc();
        throw;
    }
    Printer->EndDoc();
}

void TReport::PrintHeader(TReportPrinter& printer, sps::TRect& rect)
{
    sps::TCanvas& canvas = printer.Canvas();
    int y = rect.Top + printer.LineUnit;
    canvas.Font = Font;
    canvas.TextAlign = sps::taRight | sps::taTop;
    canvas.TextOut(rect.Right, y, "Date: " + printer.Device->ShortDate());
    canvas.TextAlign = sps::taLeft | sps::taTop;
    canvas.TextOut(rect.Left, y, Title);
    int y2 = y + canvas.TextHeight(Title + "Date: ") + printer.LineUnit;
    canvas.Pen.Color = sps::clBlack;
    canvas.Pen.Style = sps::psSolid;
    canvas.MoveTo(rect.Left, y2);
    canvas.LineTo(rect.Right, y2);
    rect.Bottom = y2;
}

void TReport::PrintFooter(TReportPrinter& printer, sps::TRect& rect)
{
    sps::TCanvas& canvas = printer.Canvas();
    canvas.Font = Font;
    int y = rect.Bottom - canvas.TextHeight(Footnote);
    canvas.TextAlign = sps::taRight | sps::taTop;
    canvas.TextOut(rect.Right, y, "Page " + std::to_string(printer.PageNumber()));
    canvas.TextAlign = sps::taLeft | sps::taTop;
    canvas.TextOut(rect.Left, y, Footnote);
    int y2 = y - printer.LineUnit;
    canvas.MoveTo(rect.Left, y2);
    canvas.LineTo(rect.Right, y2);
    rect.Top = y2;
}

} // namespace wd
