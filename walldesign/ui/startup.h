// Tavelond's start-up: the classes of the project file, the main window, the
// about box as splash window, the dialogs and the unit system.
#pragma once

#include "walldesign/ui/mainform.h"

#include <memory>

class QApplication;
class QElapsedTimer;

namespace wd {

// How long the splash window stays up at least.
inline constexpr int kSplashMilliseconds = 3000;

// Builds the main window with its dialogs, not yet shown. When `splashClock`
// is given, the about box is shown as splash window as soon as it exists and
// the clock starts then. Raises when a dialog cannot be created (the
// catalogue files of the input dialog).
std::unique_ptr<TMainForm> BuildMainWindow(const TMainFormPaths& paths, QElapsedTimer* splashClock);

// Runs the program; its exit code.
int RunTavelond(QApplication& app);

} // namespace wd
