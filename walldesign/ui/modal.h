// Modal dialogs of Tavelond's forms run through one function, which tests
// replace so that nothing waits on a dialog.
#pragma once

#include <functional>

class QDialog;

namespace wd {

// Shows the dialog modally; its result (QDialog::Accepted or Rejected).
int ExecModal(QDialog& dialog);

// Replaces the modal run until the guard goes; guards nest. The function may
// fill the dialog's controls and returns the result the user would give.
using TModalFunction = std::function<int(QDialog& dialog)>;
class TModalOverride {
public:
    explicit TModalOverride(TModalFunction run);
    ~TModalOverride();
    TModalOverride(const TModalOverride&) = delete;
    TModalOverride& operator=(const TModalOverride&) = delete;

private:
    TModalFunction saved_;
};

} // namespace wd
