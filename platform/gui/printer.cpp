#include "platform/gui/printer.h"

#include "platform/error.h"

#include <QDate>
#include <QLocale>
#include <QPrinter>

namespace sps {

TQtPrinter::TQtPrinter(QPrinter* printer) : printer_(printer) {}

TQtPrinter::~TQtPrinter()
{
    if (printing_ && painter_.isActive())
        painter_.end();
}

std::unique_ptr<TQtPrinter> TQtPrinter::ForPdfFile(const std::string& path)
{
    auto device = std::make_unique<QPrinter>(QPrinter::HighResolution);
    device->setOutputFormat(QPrinter::PdfFormat);
    device->setOutputFileName(QString::fromStdString(path));
    device->setPageSize(QPageSize(QPageSize::A4));
    device->setFullPage(false);
    auto p = std::make_unique<TQtPrinter>(device.get());
    p->owned_ = std::move(device);
    return p;
}

void TQtPrinter::BeginDoc()
{
    if (printing_)
        Raise("Printing in progress");
    printer_->setDocName(QString::fromStdString(Title));
    if (!painter_.begin(printer_))
        Raise("Printer selected is not valid");
    painter_.setRenderHint(QPainter::Antialiasing, false);
    canvas_.SetPainter(&painter_, true);
    canvas_.Pen = TPen();
    canvas_.Brush = TBrush();
    canvas_.Font = TFont();
    canvas_.TextAlign = taLeft | taTop;
    printing_ = true;
    pageNumber_ = 1;
}

void TQtPrinter::NewPage()
{
    if (!printing_)
        Raise("Printer is not currently printing");
    printer_->newPage();
    pageNumber_++;
}

void TQtPrinter::EndDoc()
{
    if (!printing_)
        Raise("Printer is not currently printing");
    printing_ = false;
    if (!painter_.end())
        Raise("Printer selected is not valid");
}

int TQtPrinter::PageWidth() const { return printer_->width(); }

int TQtPrinter::PageHeight() const { return printer_->height(); }

std::string TQtPrinter::ShortDate() const { return ShortDateText(); }

std::string ShortDateText()
{
    return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString();
}

} // namespace sps
