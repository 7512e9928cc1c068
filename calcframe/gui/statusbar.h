// The two-panel status bar of the calculators: panel 0 shows the allowed range
// of the field that has the focus, panel 1 shows input errors and notices.
// Every text written to it begins with a blank.
#pragma once

#include <QStatusBar>
#include <QString>
#include <cstdint>

class QLabel;

namespace cf {

// Panel 1 holds the notice of an input (events.h). A notice stays readable
// until the next input: a request to clear panel 1 made by the input that
// posted the notice is not followed. An input error, a notice that came with
// a beep, also outlasts what later keystrokes in a field clear on the way
// (the change handlers' requests): it goes with the next notice, when the
// user moves on to another field, or when Resolve ends it.
class TStatusBar : public QStatusBar {
public:
    explicit TStatusBar(QWidget* parent = nullptr);

    QString Panel(int index) const;
    // Panel 1: a text posts a notice, an empty text asks to clear the panel.
    void SetPanel(int index, const QString& text);
    void ClearPanel(int index) { SetPanel(index, QString()); }
    void ClearPanels();
    // Panel 1 shows `text` as a status, unless a notice holds the panel; a
    // status gives way to any notice and to every request to clear.
    void ShowStatus(const QString& text);
    // Ends the notice in panel 1 when it is `text` (the condition it tells of
    // no longer holds).
    void Resolve(const QString& text);
    // The beep of an input error: one for each input at most.
    void Beep(int type);

    int PanelWidth(int index) const;
    // Panel 1 always takes the rest of the bar; only panel 0 has a width.
    void SetPanel0Width(int width);

    // While a Quiet lives, no notice is posted and no beep sounds (the
    // settings are read).
    class Quiet {
    public:
        explicit Quiet(TStatusBar* sb) : sb_(sb) { ++sb_->quiet_; }
        ~Quiet() { --sb_->quiet_; }
        Quiet(const Quiet&) = delete;
        Quiet& operator=(const Quiet&) = delete;

    private:
        TStatusBar* sb_;
    };

private:
    bool NoticeHolds() const;

    QLabel* panels_[2];
    bool notice_ = false; // panel 1 holds a notice (not a status)
    uint64_t noticeInput_ = 0;
    bool noticeError_ = false;
    uint64_t beepInput_ = UINT64_MAX;
    int quiet_ = 0;
};

// Width of panel 0 at a screen resolution: 300 design pixels at 96 per inch,
// rounded halves to even.
int StatusPanelWidth(int pixelsPerInch);

// Panel 0 width for the screen's resolution; font Arial, 8 points.
void SetupStatusBar(TStatusBar* sb, int pixelsPerInch);
// The same with the resolution of the screen the bar is on.
void SetupStatusBar(TStatusBar* sb);

} // namespace cf
