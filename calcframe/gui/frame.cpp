#include "calcframe/gui/frame.h"

#include "calcframe/gui/events.h"
#include "calcframe/gui/services.h"
#include "calcframe/gui/statusbar.h"
#include "calcframe/fieldtext.h"
#include "calcframe/sfwindow.h"
#include "platform/gui/printdialog.h"
#include "platform/gui/services.h"
#include "platform/inifile.h"
#include "platform/numtext.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QLocale>
#include <QPalette>
#include <QTime>
#include <string>

namespace cf {

bool ParseFieldValue(const QString& text, double& value)
{
    return ParseFieldNumber(text.trimmed().toStdString(), value);
}

double FieldValue(const QString& text)
{
    double v = 0;
    return ParseFieldValue(text, v) ? v : 0.0;
}

bool FieldIsEmpty(const QString& text)
{
    double v = 0;
    return !ParseFieldValue(text, v);
}

QString Fixed(double value, int decimals) { return QString::fromStdString(sps::FormatFixed(value, decimals)); }

bool AdmittedText(const QString& text, bool integer)
{
    const QChar sep = QChar::fromLatin1(sps::DecimalSeparator());
    int separators = 0;
    for (QChar c : text.trimmed()) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            continue;
        if (!integer && c == sep && ++separators == 1)
            continue;
        return false;
    }
    return true;
}

QString SettingsNumberText(const std::string& stored)
{
    const QString text = QString::fromStdString(stored).trimmed();
    const QChar sep = QChar::fromLatin1(sps::DecimalSeparator());
    for (QChar other : {QLatin1Char('.'), QLatin1Char(',')}) {
        if (other == sep || text.count(other) != 1 || text.contains(sep))
            continue;
        QString t = text;
        t.replace(other, sep);
        if (AdmittedText(t, false))
            return t;
    }
    return QString::fromStdString(stored);
}

namespace {

// A real in a settings file: "%1.2f" with ".", whatever the locale.
std::string SettingsReal(double value)
{
    std::string s = sps::FormatFixed(value, 2);
    for (char& c : s)
        if (c == sps::DecimalSeparator())
            c = '.';
    return s;
}

} // namespace

QString LoadTextOnExit(const QString& text, bool metric)
{
    double v = 0;
    if (ParseFieldValue(text, v) && v != 0)
        return Fixed(v, metric ? 0 : 1);
    return metric ? QStringLiteral("0") : Fixed(0, 1);
}

QString SfminTextOnExit(const QString& text)
{
    // Text that is no value counts as empty.
    std::string value = FieldIsEmpty(text) ? std::string() : text.trimmed().toStdString();
    return QString::fromStdString(SfminLeftText(value));
}

void FormCloseWritingSettings(QCloseEvent* ev, bool& settingsWritten, const std::function<void()>& writeSettings)
{
    if (!settingsWritten) {
        settingsWritten = true;
        Guard(writeSettings);
    }
    ev->accept();
}

SfSettingsTexts SettingsTextsOf(const QString& sfminText, const QString& sfmaxText)
{
    const double sfmin = FieldIsEmpty(sfminText) ? 1.5 : FieldValue(sfminText);
    double sfmax = 10.0;
    if (!FieldIsEmpty(sfmaxText) && SfMaxReachesBound(FieldValue(sfmaxText), sfmin))
        sfmax = FieldValue(sfmaxText);
    return SfSettingsTexts{SettingsReal(sfmin), SettingsReal(sfmax)};
}

SfWindow WindowOfFields(const QLineEdit* sfmin, const QLineEdit* sfmax)
{
    SfWindow w;
    double v = 0;
    w.sfMin = ParseFieldValue(sfmin->text(), v) ? v : kNoRequiredSfmin;
    w.sfMax = ParseFieldValue(sfmax->text(), v) ? v : 0.0;
    return w;
}

void ShowSearchFields(bool search, std::initializer_list<QWidget*> results, QWidget* text, QLineEdit* sfmin,
                      QLineEdit* sfmax)
{
    for (QWidget* w : results)
        w->setVisible(!search);
    for (QWidget* w : {text, static_cast<QWidget*>(sfmin), static_cast<QWidget*>(sfmax)})
        w->setVisible(search);
}

void WriteCommonSettings(sps::TIniFile& ini, bool metric, const QString& sfminText, const QString& sfmaxText)
{
    const SfSettingsTexts sf = SettingsTextsOf(sfminText, sfmaxText);
    ini.WriteBool("Units", "Metric", metric);
    ini.WriteString("SFMinReq", "SFMinRequired", sf.sfmin);
    ini.WriteString("SFMaxReq", "SFMaxRequired", sf.sfmax);
}

std::string SfFieldText(const QLineEdit* edit)
{
    return FieldIsEmpty(edit->text()) ? std::string() : edit->text().trimmed().toStdString();
}

void RunPrintDialog(QWidget* parent, const std::string& documentName,
                    const std::function<void(sps::TPrinter&)>& print)
{
    sps::TPrintDialogParams params;
    params.copies = 1;
    params.documentName = documentName;
    std::unique_ptr<sps::TPrinter> printer = sps::ExecutePrintDialog(parent, params);
    if (printer)
        print(*printer);
}

std::string AskTextReportPath(const std::string& title)
{
    sps::TFileDialogParams params;
    params.title = title;
    params.defaultExt = "txt";
    params.filter = "Text files (*.txt)|*.txt";
    return sps::SaveFileDialog(params);
}

std::string LongTimeText()
{
    QString timeFormat = QLocale::system().timeFormat(QLocale::LongFormat);
    timeFormat.remove(QLatin1Char('t'));
    return QLocale::system().toString(QTime::currentTime(), timeFormat.trimmed()).toStdString();
}

CalcFrame::CalcFrame(TStatusBar* sb, std::function<bool()> metric) : sb_(sb), metric_(std::move(metric)) {}

void CalcFrame::FilterNumericKey(QLineEdit* edit, QChar& key)
{
    const QChar sep = QChar::fromLatin1(sps::DecimalSeparator());
    const bool separator = key == sep || key == QLatin1Char('.') || key == QLatin1Char(',');
    bool admitted = key == QChar(8) || (key >= QLatin1Char('0') && key <= QLatin1Char('9')) || separator;
    if (admitted && separator && edit->text().contains(sep))
        admitted = false;
    if (admitted) {
        if (separator)
            key = sep;
        return;
    }
    sb_->SetPanel(1, QString::fromLatin1(kWrongInput) + key);
    key = QChar(0);
    sb_->Beep(kBeepExclamation);
}

void CalcFrame::BindField(QLineEdit* edit, const FieldRules& rules, std::function<void()> change)
{
    Field& f = fields_[edit];
    f.rules = rules;
    f.change = std::move(change);
    f.lastText = edit->text();
    f.hasValue = ParseFieldValue(f.lastText, f.value);
    OnChange(edit, [this, edit] { FieldChanged(edit); });
}

CalcFrame::Field* CalcFrame::Find(const QLineEdit* edit)
{
    auto it = fields_.find(edit);
    return it == fields_.end() ? nullptr : &it->second;
}

void CalcFrame::FieldChanged(QLineEdit* edit)
{
    Field& f = *Find(edit);
    const QString text = edit->text();
    if (showing_ == edit) {
        f.lastText = text;
        return;
    }
    if (!AdmittedText(text, f.rules.integer)) {
        if (f.rules.reset == FieldReset::Previous)
            ShowConverted(edit, f.lastText); // as it was: the value stays
        else
            edit->setText(QString()); // runs this path again: the field is empty
        sb_->SetPanel(1, QString::fromLatin1(f.rules.refusal) + text);
        sb_->Beep(kBeepDefault);
        return;
    }
    f.lastText = text;
    f.converted = false;
    double v = 0;
    f.hasValue = ParseFieldValue(text, v);
    f.value = !f.hasValue ? 0.0 : f.rules.factor > 0 && !metric_() ? v * f.rules.factor : v;
    f.change();
}

void CalcFrame::LoadField(QLineEdit* edit, const QString& text)
{
    if (edit->text() == text)
        emit edit->textChanged(text);
    else
        edit->setText(text);
}

bool CalcFrame::FieldValue(const QLineEdit* edit, double& value) const
{
    auto it = fields_.find(edit);
    if (it == fields_.end() || !it->second.hasValue)
        return false;
    value = it->second.value;
    return true;
}

bool CalcFrame::HeldValue(const QLineEdit* edit, double& value) const
{
    auto it = fields_.find(edit);
    if (it == fields_.end() || !it->second.converted)
        return false;
    value = it->second.hasValue ? it->second.value : 0.0;
    return true;
}

void CalcFrame::ShowConverted(QLineEdit* edit, const QString& text)
{
    const QLineEdit* outer = showing_;
    showing_ = edit;
    edit->setText(text);
    showing_ = outer;
}

void CalcFrame::ShowInNewUnits(QLineEdit* edit, const QString& text)
{
    Field* f = Find(edit);
    if (!f) {
        edit->setText(text);
        return;
    }
    const QString shown = f->converted ? f->textBefore : text;
    f->textBefore = edit->text();
    f->converted = true;
    ShowConverted(edit, shown);
}

void CalcFrame::Reformat(QLineEdit* edit, const QString& text)
{
    Field* f = Find(edit);
    if (f && f->converted)
        ShowConverted(edit, text);
    else
        edit->setText(text);
}

void CalcFrame::LoadFieldExit(QLineEdit* edit)
{
    Reformat(edit, LoadTextOnExit(edit->text(), metric_()));
    sb_->ClearPanel(1);
}

void CalcFrame::SfminExit(QLineEdit* edit)
{
    Reformat(edit, SfminTextOnExit(edit->text()));
    sb_->ClearPanel(1);
}

void CalcFrame::SfminEnter()
{
    sb_->SetPanel(0, QStringLiteral(" 1 =< Sfmin =< 5"));
    sb_->ClearPanel(1);
}

void CalcFrame::ClearPanelsEnter() { sb_->ClearPanels(); }

void CalcFrame::ShowRangeHint(const LimitedField& field)
{
    const bool metric = metric_();
    const QString limit = metric ? Fixed(field.metricLimit, field.metricDecimals)
                                 : Fixed(field.imperialLimit, field.imperialDecimals);
    sb_->SetPanel(0, QString::fromLatin1(field.hint) + limit);
}

bool CalcFrame::LimitedFieldChange(QLineEdit* edit, const LimitedField& field, double& value)
{
    double typed = 0;
    if (!ParseFieldValue(edit->text(), typed) || typed == 0) {
        value = 0;
        return true;
    }
    sb_->ClearPanel(1);
    const bool metric = metric_();
    value = metric ? typed : typed * field.factor;
    if (value <= field.metricLimit && (metric || typed <= field.imperialLimit))
        return true;
    edit->setText(QString()); // runs the change handler again: the value becomes 0
    sb_->SetPanel(1, QString::fromLatin1(field.error));
    sb_->Beep(kBeepDefault);
    return false;
}

void CalcFrame::ApplySfOutcome(const SfFieldOutcome& out, QLineEdit* sfmin, QLineEdit* sfmax,
                               const std::function<void()>& relist)
{
    if (out.rewriteSfmin)
        sfmin->setText(QStr(*out.rewriteSfmin));
    if (out.rewriteSfMax)
        sfmax->setText(QStr(*out.rewriteSfMax));
    if (out.font != SfMaxFont::Unchanged) {
        QPalette pal = sfmax->palette();
        pal.setColor(QPalette::Text, out.font == SfMaxFont::Red ? Qt::red : Qt::black);
        sfmax->setPalette(pal);
    }
    if (out.panel0)
        sb_->SetPanel(0, QStr(*out.panel0));
    if (out.resolves)
        sb_->Resolve(QStr(*out.resolves));
    if (out.panel1)
        sb_->SetPanel(1, QStr(*out.panel1));
    if (out.beep)
        sb_->Beep(kBeepDefault);
    if (out.relist)
        relist();
}

} // namespace cf
