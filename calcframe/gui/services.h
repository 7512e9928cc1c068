// The platform services the frame uses: beeps, message boxes and the open
// dialog. One place, so that the forms never call Qt's dialogs directly.
#pragma once

#include <QString>

namespace cf {

// MessageBeep of the given type (0 default, 48 exclamation).
void MessageBeep(int type);

// Error message box with an OK button.
void ShowError(const QString& text);
// Error message box captioned with the program's title, with an OK button:
// the failure that ends the program.
void ShowFatalError(const QString& text);
// Error message box with the buttons Yes and No; true for Yes.
bool AskYesNoError(const QString& text);

struct OpenFileOptions {
    QString title;
    QString initialDir;
    QString fileName;
    QString filter; // "Description|*.ext"
};
// Open dialog for an existing file; an empty text when cancelled.
QString OpenFile(const OpenFileOptions& options);

} // namespace cf
