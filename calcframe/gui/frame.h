// The calculator frame's shared field handlers: the numeric key filter, the
// reformatting of the load and Sfmin fields when they lose the focus, and the
// enter handlers that show or clear the status bar's texts.
#pragma once

#include <QChar>
#include <QString>
#include <QWidget>
#include <functional>
#include <string>

class QCloseEvent;
class QLineEdit;

namespace cf {

class TStatusBar;

// Beep types of the calculators: the key filter's exclamation beep and the
// default beep of every other input error.
inline constexpr int kBeepDefault = 0;
inline constexpr int kBeepExclamation = 48;

// Value of a numeric field's text: optional blanks around digits with at most
// one decimal separator (the characters the key filter admits). Anything else,
// a lone separator, a sign or pasted text, is not a value: false.
bool ParseFieldValue(const QString& text, double& value);
// The value, or 0 when the text is empty or not a value.
double FieldValue(const QString& text);
// True when the text is empty or not a value: such a field counts as empty.
bool FieldIsEmpty(const QString& text);

// A control's own Enabled state, whatever its parents' (a control on a
// disabled tab sheet may still be enabled itself).
inline bool OwnEnabled(const QWidget* w) { return !w->testAttribute(Qt::WA_ForceDisabled); }

inline QString QStr(const std::string& s) { return QString::fromStdString(s); }

// Fixed notation with `decimals` decimals and the program's separator.
QString Fixed(double value, int decimals);

// Rule A: the text a load field gets when it loses the focus (0 decimals in
// metric units, 1 in imperial; "0" or "0.0" for an empty field or a 0).
QString LoadTextOnExit(const QString& text, bool metric);
// Rule B: the text of the Sfmin field when it loses the focus (2 decimals;
// "1.50" for an empty field or the exact text "0").
QString SfminTextOnExit(const QString& text);

// FormClose of a calculator's main form: writes the settings once (a second
// close writes nothing) and accepts the close; a failure of the writer is
// shown, and the form closes anyway.
void FormCloseWritingSettings(QCloseEvent* ev, bool& settingsWritten, const std::function<void()>& writeSettings);

// The five frame fields of a calculator's main form.
struct FrameFields {
    QLineEdit* moment = nullptr;
    QLineEdit* load = nullptr;
    QLineEdit* deflection = nullptr;
    QLineEdit* sfmin = nullptr;
    QLineEdit* sfmax = nullptr;
};

class CalcFrame {
public:
    // metric: reads the form's unit flag.
    CalcFrame(TStatusBar* sb, std::function<bool()> metric);

    TStatusBar* StatusBar() const { return sb_; }

    // Key filter of the numeric fields: admits backspace, digits and one
    // decimal separator; refuses anything else with a text in panel 1 and the
    // exclamation beep, setting the key to QChar(0).
    void FilterNumericKey(QLineEdit* edit, QChar& key);

    // Exit handlers of the load fields (rule A) and of Sfmin (rule B); both
    // clear panel 1.
    void LoadFieldExit(QLineEdit* edit);
    void SfminExit(QLineEdit* edit);
    // Enter handler of Sfmin: the range hint in panel 0, panel 1 cleared.
    void SfminEnter();
    // Enter handler of the grade boxes and radio groups: both panels cleared.
    void ClearPanelsEnter();

    // Binds the key filter to the five fields, rule A to the three load
    // fields and the Sfmin enter and exit handlers.
    void BindFrameFields(const FrameFields& f);
    // Binds ClearPanelsEnter to the focus-in of a combo box or radio group
    // (of any of its buttons).
    void BindClearPanelsOnEnter(QWidget* w);
    // Binds FilterNumericKey to one more numeric field.
    void BindNumericKeyFilter(QLineEdit* edit);

private:
    TStatusBar* sb_;
    std::function<bool()> metric_;
};

} // namespace cf
