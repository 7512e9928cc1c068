// Application hint timing: how long the mouse must rest on a control before
// its hint shows (pause), how long the hint stays (hide pause) and its colour.
// Replaces Qt's own tooltip timing for every widget of the application.
#pragma once

#include <QColor>

class QWidget;

namespace cf {

struct HintTiming {
    int pause = 500;      // ms
    int hidePause = 2500; // ms
    QColor color = QColor(0xFF, 0xFF, 0xE1); // clInfoBk
};

// Installs the hint handling on the application (once) and returns its timing.
HintTiming& ApplicationHints();
void SetHintPause(int ms);
void SetHintHidePause(int ms);
void SetHintColor(const QColor& color);

// A control's ShowHint; a control whose ShowHint or an owner's is off shows no hint.
void SetShowHint(QWidget* w, bool show);
bool HintShows(const QWidget* w);

} // namespace cf
