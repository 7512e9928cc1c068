// The printer over QPrinter: a print job of pages drawn through a TQtCanvas.
#pragma once

#include "platform/canvas.h"
#include "platform/gui/canvas.h"

#include <QPainter>

#include <memory>
#include <string>

class QPrinter;

namespace sps {

class TQtPrinter : public TPrinter {
public:
    // Prints on `printer` (not owned; it must outlive this object).
    explicit TQtPrinter(QPrinter* printer);
    ~TQtPrinter() override;
    TQtPrinter(const TQtPrinter&) = delete;
    TQtPrinter& operator=(const TQtPrinter&) = delete;

    // A printer of its own that writes A4 pages at 1200 dpi into a PDF file.
    static std::unique_ptr<TQtPrinter> ForPdfFile(const std::string& path);

    QPrinter* Device() const { return printer_; }

    void BeginDoc() override;
    void NewPage() override;
    void EndDoc() override;
    bool Printing() const override { return printing_; }
    int PageNumber() const override { return pageNumber_; }
    int PageWidth() const override;
    int PageHeight() const override;
    TCanvas& Canvas() override { return canvas_; }
    std::string ShortDate() const override;

private:
    QPrinter* printer_;
    std::unique_ptr<QPrinter> owned_;
    QPainter painter_;
    TQtCanvas canvas_;
    int pageNumber_ = 0;
    bool printing_ = false;
};

// Today's date in the platform's short date format.
std::string ShortDateText();

} // namespace sps
