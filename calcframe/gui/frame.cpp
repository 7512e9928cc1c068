#include "calcframe/gui/frame.h"

#include "calcframe/gui/events.h"
#include "calcframe/gui/services.h"
#include "calcframe/gui/statusbar.h"
#include "calcframe/fieldtext.h"
#include "calcframe/sfwindow.h"
#include "platform/numtext.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QLineEdit>
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

CalcFrame::CalcFrame(TStatusBar* sb, std::function<bool()> metric) : sb_(sb), metric_(std::move(metric)) {}

void CalcFrame::FilterNumericKey(QLineEdit* edit, QChar& key)
{
    const QChar sep = QChar::fromLatin1(sps::DecimalSeparator());
    bool admitted = key == QChar(8) || (key >= QLatin1Char('0') && key <= QLatin1Char('9')) || key == sep;
    if (admitted && key == sep && edit->text().contains(sep))
        admitted = false;
    if (admitted)
        return;
    sb_->SetPanel(1, QStringLiteral(" Enter only values > 0. Wrong input:  ") + key);
    key = QChar(0);
    MessageBeep(kBeepExclamation);
}

void CalcFrame::LoadFieldExit(QLineEdit* edit)
{
    edit->setText(LoadTextOnExit(edit->text(), metric_()));
    sb_->ClearPanel(1);
}

void CalcFrame::SfminExit(QLineEdit* edit)
{
    edit->setText(SfminTextOnExit(edit->text()));
    sb_->ClearPanel(1);
}

void CalcFrame::SfminEnter()
{
    sb_->SetPanel(0, QStringLiteral(" 1 =< Sfmin =< 5"));
    sb_->ClearPanel(1);
}

void CalcFrame::ClearPanelsEnter() { sb_->ClearPanels(); }

void CalcFrame::BindNumericKeyFilter(QLineEdit* edit)
{
    OnKeyPress(edit, [this, edit](QChar& key) { FilterNumericKey(edit, key); });
}

void CalcFrame::BindFrameFields(const FrameFields& f)
{
    for (QLineEdit* e : {f.moment, f.load, f.deflection, f.sfmin, f.sfmax})
        if (e)
            BindNumericKeyFilter(e);
    for (QLineEdit* e : {f.moment, f.load, f.deflection})
        if (e)
            OnExit(e, [this, e] { LoadFieldExit(e); });
    if (f.sfmin) {
        OnEnter(f.sfmin, [this] { SfminEnter(); });
        OnExit(f.sfmin, [this, e = f.sfmin] { SfminExit(e); });
    }
}

void CalcFrame::BindClearPanelsOnEnter(QWidget* w)
{
    OnEnter(w, [this] { ClearPanelsEnter(); });
    for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
        OnEnter(b, [this] { ClearPanelsEnter(); });
}

} // namespace cf
