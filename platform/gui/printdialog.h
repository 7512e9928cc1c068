// The print dialog: the user chooses the printer of a print job (with no
// printer installed, Qt offers printing into a PDF file). Tests replace the
// dialog with a function of their own.
#pragma once

#include "platform/canvas.h"

#include <functional>
#include <memory>
#include <string>

class QWidget;

namespace sps {

struct TPrintDialogParams {
    int copies = 1;
    // Name of the document; also the default PDF file name.
    std::string documentName;
};

// Shows the dialog; the chosen printer, ready for BeginDoc, or nullptr when
// the user cancelled.
std::unique_ptr<TPrinter> ExecutePrintDialog(QWidget* parent, const TPrintDialogParams& params);

// The PDF file proposed when no printer is installed (the dialog then offers
// printing into a PDF file only): the document's name with ".pdf", in the
// folder of the last PDF printed in this run when it still exists, else in
// the user's home folder.
std::string ProposedPdfFile(const std::string& documentName);

// Replaces the dialog until the returned guard goes; guards nest.
using PrintDialogFunction = std::function<std::unique_ptr<TPrinter>(const TPrintDialogParams&)>;
class TPrintDialogOverride {
public:
    explicit TPrintDialogOverride(PrintDialogFunction dialog);
    ~TPrintDialogOverride();
    TPrintDialogOverride(const TPrintDialogOverride&) = delete;
    TPrintDialogOverride& operator=(const TPrintDialogOverride&) = delete;

private:
    PrintDialogFunction saved_;
};

} // namespace sps
