// The two-panel status bar of the calculators: panel 0 shows the allowed range
// of the field that has the focus, panel 1 shows input errors. Every text
// written to it begins with a blank.
#pragma once

#include <QStatusBar>
#include <QString>

class QLabel;

namespace cf {

class TStatusBar : public QStatusBar {
public:
    explicit TStatusBar(QWidget* parent = nullptr);

    QString Panel(int index) const;
    void SetPanel(int index, const QString& text);
    void ClearPanel(int index) { SetPanel(index, QString()); }
    void ClearPanels();

    int PanelWidth(int index) const;
    // Panel 1 always takes the rest of the bar; only panel 0 has a width.
    void SetPanel0Width(int width);

private:
    QLabel* panels_[2];
};

// Width of panel 0 at a screen resolution: 300 design pixels at 96 per inch,
// rounded halves to even.
int StatusPanelWidth(int pixelsPerInch);

// Panel 0 width for the screen's resolution; font Arial, 8 points.
void SetupStatusBar(TStatusBar* sb, int pixelsPerInch);
// The same with the resolution of the screen the bar is on.
void SetupStatusBar(TStatusBar* sb);

} // namespace cf
