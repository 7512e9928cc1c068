#include "platform/gui/printdialog.h"

#include "platform/gui/printer.h"
#include "platform/gui/services.h"

#include <QDir>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace sps {

namespace {

PrintDialogFunction& Override()
{
    static PrintDialogFunction dialog;
    return dialog;
}

// Owns the device the dialog set up; the base classes are built in this
// order and torn down in the reverse one, so the job ends before the device goes.
struct DeviceHolder {
    std::unique_ptr<QPrinter> device;
};

class DialogPrinter : private DeviceHolder, public TQtPrinter {
public:
    explicit DialogPrinter(std::unique_ptr<QPrinter> device)
        : DeviceHolder{std::move(device)}, TQtPrinter(DeviceHolder::device.get())
    {
    }
};

// Folder of the last PDF file printed into.
QString& LastPdfFolder()
{
    static QString folder;
    return folder;
}

} // namespace

std::string ProposedPdfFile(const std::string& documentName)
{
    QString folder = LastPdfFolder();
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    QString name = QString::fromStdString(documentName.empty() ? "print" : documentName);
    if (!name.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        name += QStringLiteral(".pdf");
    return QDir(folder).filePath(name).toStdString();
}

TPrintDialogOverride::TPrintDialogOverride(PrintDialogFunction dialog) : saved_(std::move(Override()))
{
    Override() = std::move(dialog);
}

TPrintDialogOverride::~TPrintDialogOverride()
{
    Override() = std::move(saved_);
}

std::unique_ptr<TPrinter> ExecutePrintDialog(QWidget* parent, const TPrintDialogParams& params)
{
    TModalDialogScope dialogUp;
    if (Override())
        return Override()(params);
    auto device = std::make_unique<QPrinter>(QPrinter::HighResolution);
    device->setFullPage(false);
    device->setCopyCount(params.copies);
    device->setDocName(QString::fromStdString(params.documentName));
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        // No printer: the dialog offers a PDF file only; propose one in a folder that exists.
        device->setOutputFormat(QPrinter::PdfFormat);
        device->setOutputFileName(QString::fromStdString(ProposedPdfFile(params.documentName)));
    }
    QPrintDialog dialog(device.get(), parent);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    if (device->outputFormat() == QPrinter::PdfFormat && !device->outputFileName().isEmpty())
        LastPdfFolder() = QFileInfo(device->outputFileName()).absolutePath();
    return std::make_unique<DialogPrinter>(std::move(device));
}

} // namespace sps
