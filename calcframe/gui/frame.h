// The calculator frame's shared field handlers: the numeric key filter, the
// reformatting of the load and Sfmin fields when they lose the focus, and the
// enter handlers that show or clear the status bar's texts. Each main form
// binds handlers of its own, named after component and event
// (Edit_MomentKeyPress, Edit_SfminExit, ...), that forward to these.
#pragma once

#include <QChar>
#include <QString>
#include <QWidget>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>

class QCloseEvent;
class QLineEdit;

namespace sps {
class TIniFile;
class TPrinter;
} // namespace sps

namespace cf {

class TStatusBar;
struct SfFieldOutcome;
struct SfWindow;

// Beep types of the calculators: the key filter's exclamation beep and the
// default beep of every other input error.
inline constexpr int kBeepDefault = 0;
inline constexpr int kBeepExclamation = 48;

// Panel 1 when the key filter refuses a key (followed by the key) or a field
// refuses a text that the key filter would not have let through (followed by
// the text).
inline constexpr const char* kWrongInput = " Enter only values > 0. Wrong input:  ";

// What a numeric field does with a text that the key filter would not have
// let through (pasted or dropped): it is cleared, or shows its previous text.
enum class FieldReset { Clear, Previous };

struct FieldRules {
    bool integer = false;         // digits only; otherwise digits and one decimal separator
    FieldReset reset = FieldReset::Clear;
    double factor = 0;            // metric units per imperial unit; 0 for a field without units
    const char* refusal = kWrongInput; // panel 1, followed by the refused text
};

// The text is one the key filter lets through: blanks around digits with at
// most one of the program's decimal separators (none for an integer field),
// or nothing.
bool AdmittedText(const QString& text, bool integer);

// A settings value as a field text: a number written with either decimal
// separator gets the program's; any other text stays as it is.
QString SettingsNumberText(const std::string& stored);

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

// The texts the settings file keeps for Sfmin and SfMax: Sfmin with 2
// decimals ("1.50" for an empty field); SfMax with 2 decimals when it reaches
// 1.1 x Sfmin, otherwise "10.00".
struct SfSettingsTexts {
    std::string sfmin;
    std::string sfmax;
};
SfSettingsTexts SettingsTextsOf(const QString& sfminText, const QString& sfmaxText);

// The window the Sfmin and SfMax fields give; a field that is empty or holds
// no value counts as empty (1000000 and 0).
SfWindow WindowOfFields(const QLineEdit* sfmin, const QLineEdit* sfmax);

// Switches the safety factor group between the search mode (the two fields
// and the text between them shown, the result labels hidden) and list-all.
void ShowSearchFields(bool search, std::initializer_list<QWidget*> results, QWidget* text, QLineEdit* sfmin,
                      QLineEdit* sfmax);

// Writes the keys both calculators keep: "Units"/"Metric", "SFMinReq"/
// "SFMinRequired" and "SFMaxReq"/"SFMaxRequired" (SettingsTextsOf).
void WriteCommonSettings(sps::TIniFile& ini, bool metric, const QString& sfminText, const QString& sfmaxText);

// The text of the Sfmin or SfMax field as the window rules read it: empty
// for an empty text or one that is no value.
std::string SfFieldText(const QLineEdit* edit);

// A numeric field with an upper limit in each unit system.
struct LimitedField {
    double factor;         // metric units per imperial unit
    double metricLimit;
    double imperialLimit;
    int metricDecimals;    // of the limit in the range hint
    int imperialDecimals;
    const char* hint;      // range hint, followed by the limit
    const char* error;     // error text of a value above the limit
};

// The print command: the print dialog (one copy); `print` runs on the chosen
// printer unless the user cancelled.
void RunPrintDialog(QWidget* parent, const std::string& documentName,
                    const std::function<void(sps::TPrinter&)>& print);
// The save dialog of the text report ("txt" files, titled `title`); the chosen
// path, or empty when the user cancelled.
std::string AskTextReportPath(const std::string& title);
// The time now in the locale's long time format, without a time zone.
std::string LongTimeText();

class CalcFrame {
public:
    // metric: reads the form's unit flag.
    CalcFrame(TStatusBar* sb, std::function<bool()> metric);

    TStatusBar* StatusBar() const { return sb_; }

    // Key filter of the numeric fields: admits backspace, digits and one
    // decimal separator, "." or "," typed for the program's separator;
    // refuses anything else with a text in panel 1 and the exclamation beep,
    // setting the key to QChar(0).
    void FilterNumericKey(QLineEdit* edit, QChar& key);

    // The one input path of a numeric field's text: every change, typed,
    // pasted or written from code, runs `change`, except two. A text that the
    // key filter would not have let through never reaches it: the field is
    // reset by its rule (which runs `change` with the new text), panel 1
    // names the text and the default beep sounds. A text that the unit switch
    // shows (ShowInNewUnits, Reformat) does not reach it either: the field
    // keeps its value.
    void BindField(QLineEdit* edit, const FieldRules& rules, std::function<void()> change);
    // Writes a field's text as the settings reader does: `change` runs even
    // when the text stays the same, so that the values follow the texts.
    void LoadField(QLineEdit* edit, const QString& text);
    // The value of a bound field in metric units, as its text last gave it
    // (the text times the factor when it was typed in imperial units); false
    // when the text holds no value.
    bool FieldValue(const QLineEdit* edit, double& value) const;
    // True while the field shows what the unit switch wrote; `value` is the
    // metric value it keeps. A handler run directly (not by a change of the
    // text) takes this value instead of reading the converted text back.
    bool HeldValue(const QLineEdit* edit, double& value) const;

    // Unit switch: the field shows `text`, its value in the new unit system,
    // and keeps the value. A field not changed since the last switch shows
    // again the text it had before it, so that switching back and forth
    // changes neither value nor text.
    void ShowInNewUnits(QLineEdit* edit, const QString& text);
    // Rewrites a field's text in its display format (when it is left): as a
    // change, unless the field still shows what the unit switch wrote.
    void Reformat(QLineEdit* edit, const QString& text);

    // Exit handlers of the load fields (rule A) and of Sfmin (rule B); both
    // clear panel 1.
    void LoadFieldExit(QLineEdit* edit);
    void SfminExit(QLineEdit* edit);
    // Enter handler of Sfmin: the range hint in panel 0, panel 1 cleared.
    void SfminEnter();
    // Enter handler of the grade boxes and radio groups: both panels cleared.
    void ClearPanelsEnter();

    // Range hint of a limited field in panel 0.
    void ShowRangeHint(const LimitedField& field);
    // Change of a limited field: an empty text, one that is no value, or 0
    // gives 0. Otherwise panel 1 is cleared and the value (converted to metric
    // units) is taken when neither limit is passed; above a limit the field is
    // emptied (its change handler runs again), panel 1 shows the error and the
    // default beep sounds. Returns false when the value was refused.
    bool LimitedFieldChange(QLineEdit* edit, const LimitedField& field, double& value);

    // Applies an outcome of the window rules to the Sfmin and SfMax fields,
    // the status bar and the beeper; `relist` lists the rows again.
    void ApplySfOutcome(const SfFieldOutcome& out, QLineEdit* sfmin, QLineEdit* sfmax,
                        const std::function<void()>& relist);

private:
    struct Field {
        FieldRules rules;
        std::function<void()> change;
        QString lastText;     // the last text that reached `change` or the unit switch
        double value = 0;     // metric
        bool hasValue = false;
        QString textBefore;   // what the field showed before the last unit switch
        bool converted = false; // shows the switch's text, unchanged since
    };
    void FieldChanged(QLineEdit* edit);
    void ShowConverted(QLineEdit* edit, const QString& text);
    Field* Find(const QLineEdit* edit);

    TStatusBar* sb_;
    std::function<bool()> metric_;
    std::map<const QLineEdit*, Field> fields_;
    const QLineEdit* showing_ = nullptr; // written by the unit switch right now
};

} // namespace cf
