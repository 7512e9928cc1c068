// The report model: a printable document of paragraphs holding tables,
// graphics and column breaks, and the printer object that lays it out on pages
// in lines and columns, in the device units of the printer.
#pragma once

#include "platform/canvas.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace wd {

class TReportPrinter;

// Default font size of report fonts, in points; captions are half as large again.
inline constexpr int kReportFontSize = sps::kDefaultFontSize;

class TReportObject {
public:
    TReportObject() = default;
    virtual ~TReportObject() = default;
    TReportObject(const TReportObject&) = delete;
    TReportObject& operator=(const TReportObject&) = delete;

    sps::TFont Font;

    virtual void Print(TReportPrinter& printer) = 0;
};

// The string grid a table is copied into (the result tables window).
class TReportGrid {
public:
    virtual ~TReportGrid() = default;
    // Sets the default column width; every column goes back to it.
    virtual void SetDefaultColWidth(int width) = 0;
    virtual void SetRowCount(int count) = 0;
    virtual int ColCount() const = 0;
    virtual void SetColCount(int count) = 0;
    virtual int ColWidth(int col) const = 0;
    virtual void SetColWidth(int col, int width) = 0;
    // Width of the text on the grid's canvas.
    virtual int TextWidth(const std::string& text) = 0;
    // Row `row` holds exactly these cells; the cells after them are emptied.
    virtual void SetRow(int row, const std::vector<std::string>& cells) = 0;
    virtual int DefaultRowHeight() const = 0;
    virtual void SetHeight(int height) = 0;
};

class TTable : public TReportObject {
public:
    // Cell borders are drawn.
    bool Lines = true;
    // Rows below it are shaded; row 0 is repeated after a column or page break.
    uint8_t HeaderRows = 0;
    // Columns below it are shaded.
    uint8_t HeaderCols = 0;
    std::string Caption;
    // One comma text per table row.
    std::vector<std::string> Rows;

    void Print(TReportPrinter& printer) override;
    void FillGrid(TReportGrid& grid) const;
};

class TColumnBreak : public TReportObject {
public:
    void Print(TReportPrinter& printer) override;
};

class TGraphicContainer : public TReportObject {
public:
    ~TGraphicContainer() override;

    // The picture to print; freed with the container when OwnsGraphic is set.
    sps::TGraphic* Graphic = nullptr;
    bool OwnsGraphic = true;
    // Margin around the picture in per cent of the column width.
    int32_t MarginPercent = 0;

    // Takes ownership of `graphic` (freeing an owned previous one).
    void SetOwnedGraphic(std::unique_ptr<sps::TGraphic> graphic);
    void Print(TReportPrinter& printer) override;
};

class TReportObjects {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    TReportObject* ReportObject(int index) const { return items_.at(static_cast<size_t>(index)).get(); }
    template <class T> T* Add()
    {
        items_.push_back(std::make_unique<T>());
        return static_cast<T*>(items_.back().get());
    }

private:
    std::vector<std::unique_ptr<TReportObject>> items_;
};

class TParagraph {
public:
    TParagraph();

    TReportObjects Objects;
    bool NewPage = false;
    bool Printed = true;
    std::string Caption;
    int32_t Columns = 1;
    sps::TFont CaptionFont;

    TTable* AddTable() { return Objects.Add<TTable>(); }
    TGraphicContainer* AddGraphic() { return Objects.Add<TGraphicContainer>(); }
    TColumnBreak* AddColumnBreak() { return Objects.Add<TColumnBreak>(); }
    void Print(TReportPrinter& printer);
};

class TParagraphs {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    TParagraph* Paragraph(int index) const { return items_.at(static_cast<size_t>(index)).get(); }
    TParagraph* Add()
    {
        items_.push_back(std::make_unique<TParagraph>());
        return items_.back().get();
    }

private:
    std::vector<std::unique_ptr<TParagraph>> items_;
};

// Lays a document out on the pages of a printing device.
class TReportPrinter {
public:
    using TPagePainter = std::function<void(TReportPrinter& printer, sps::TRect& rect)>;

    // The device chosen by the user (not owned).
    sps::TPrinter* Device = nullptr;

    int32_t LineUnit = 0;
    bool PageHasContent = false;
    int32_t TopMargin = 0;
    int32_t LeftMargin = 0;
    int32_t BottomMargin = 0;
    int32_t RightMargin = 0;
    int32_t ColumnCount = 1;
    int32_t Column = 0;
    int32_t ColumnX = 0;
    int32_t CurrentY = 0;
    int32_t ColumnTop = 0;
    int32_t LowestY = 0;
    TPagePainter OnHeader;
    TPagePainter OnFooter;

    sps::TCanvas& Canvas();
    int PageWidth() const;
    int PageHeight() const;
    int PageNumber() const;
    void SetTitle(const std::string& title);

    void BeginDoc();
    void EndDoc();
    // Ends a document after a failure, without raising.
    void AbortDoc();
    // Ejects the page when it has content, then header, footer and a fresh layout.
    void NewPage();
    void SetColumns(int n);
    void NextColumn();
    void AddSpacing();
    // A rectangle of height h in the current column; breaks to the next column
    // or page (then of height hAfterBreak when above 0) when h does not fit.
    // A held caption goes first, and breaks together with the rectangle.
    sps::TRect ReserveSpace(int h, int hAfterBreak, bool* broke = nullptr);
    // Holds a paragraph caption until the first space is reserved after it, so
    // that the caption never stands alone at the foot of a column or page.
    void HoldCaption(const std::string& caption, const sps::TFont& font);
    // Writes a held caption at the current line (before a column break, or
    // when nothing of the paragraph reserved space).
    void WriteHeldCaption();
    // Height that a held caption takes (0 when none is held).
    int HeldCaptionHeight() const { return holding_ ? heldHeight_ : 0; }
    int ColumnWidth() const;
    int PrintableHeight() const;
    int PrintableWidth() const;

private:
    sps::TPrinter& Dev() const;
    std::function<void()> savedOnChange_;
    bool holding_ = false;
    std::string heldCaption_;
    sps::TFont heldFont_;
    int heldHeight_ = 0;
};

class TReport {
public:
    TReport();
    virtual ~TReport() = default;
    TReport(const TReport&) = delete;
    TReport& operator=(const TReport&) = delete;

    std::unique_ptr<TReportPrinter> Printer;
    TParagraphs Paragraphs;
    std::string Title;
    std::string Footnote;
    sps::TFont Font;

    TParagraph* AddParagraph() { return Paragraphs.Add(); }
    // Prints every paragraph on Printer->Device.
    void Print();
    void PrintHeader(TReportPrinter& printer, sps::TRect& rect);
    void PrintFooter(TReportPrinter& printer, sps::TRect& rect);
};

// True for "Infinite" and for text that converts to a number.
bool IsNumericText(const std::string& text);

} // namespace wd
