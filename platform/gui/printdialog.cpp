#include "platform/gui/printdialog.h"

#include "platform/gui/printer.h"

#include <QDir>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace sps {

namespace {

PrintDialogFunction& Override()
{
    static PrintDialogFunction dialog;
    return dialog;
}

PrinterSetupFunction& SetupOverride()
{
    static PrinterSetupFunction dialog;
    return dialog;
}

// The printer and page chosen last, created when first needed.
QPrinter& SelectedPrinter()
{
    static QPrinter* printer = new QPrinter(QPrinter::HighResolution);
    return *printer;
}
bool& HasSelection()
{
    static bool selected = false;
    return selected;
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

} // namespace

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
    if (Override())
        return Override()(params);
    auto device = std::make_unique<QPrinter>(QPrinter::HighResolution);
    device->setFullPage(false);
    device->setCopyCount(params.copies);
    device->setDocName(QString::fromStdString(params.documentName));
    bool noPrinter = QPrinterInfo::availablePrinters().isEmpty();
    if (HasSelection()) {
        QPrinter& selected = SelectedPrinter();
        if (!noPrinter && !selected.printerName().isEmpty())
            device->setPrinterName(selected.printerName());
        device->setPageLayout(selected.pageLayout());
    }
    if (noPrinter) {
        // No printer: the dialog offers a PDF file only; propose one in the documents folder.
        QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (folder.isEmpty() || !QDir(folder).exists())
            folder = QDir::homePath();
        QString name = QString::fromStdString(params.documentName.empty() ? "print" : params.documentName);
        device->setOutputFormat(QPrinter::PdfFormat);
        device->setOutputFileName(QDir(folder).filePath(name + QStringLiteral(".pdf")));
    }
    QPrintDialog dialog(device.get(), parent);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    QPrinter& selected = SelectedPrinter();
    if (device->outputFormat() == QPrinter::NativeFormat)
        selected.setPrinterName(device->printerName());
    selected.setPageLayout(device->pageLayout());
    HasSelection() = true;
    return std::make_unique<DialogPrinter>(std::move(device));
}

TPrinterSetupOverride::TPrinterSetupOverride(PrinterSetupFunction dialog) : saved_(std::move(SetupOverride()))
{
    SetupOverride() = std::move(dialog);
}

TPrinterSetupOverride::~TPrinterSetupOverride()
{
    SetupOverride() = std::move(saved_);
}

void ExecutePrinterSetup(QWidget* parent)
{
    if (SetupOverride()) {
        SetupOverride()();
        return;
    }
    QPrinter& selected = SelectedPrinter();
    QPageSetupDialog dialog(&selected, parent);
    if (dialog.exec() == QDialog::Accepted)
        HasSelection() = true;
}

} // namespace sps
