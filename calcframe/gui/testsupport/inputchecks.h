// Test helpers: checks of the input path that both calculators share, run on
// a program's test fixture (Type, ClearBeeps, Panel, Beeps) and main form
// (MenuImperial, MenuMetric).
#pragma once

#include "calcframe/gui/frame.h"
#include "calcframe/gui/testsupport/formdriver.h"
#include "platform/numtext.h"

#include <QAction>
#include <QLineEdit>
#include <QStringList>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace cf::test {

// One kind of field, the text it holds before the paste, and what it holds
// after each refused paste.
struct PasteRow {
    const char* kind;
    std::function<void()> prepare; // shows the field
    QLineEdit* edit;
    const char* valid;
    const char* after;             // the field's text after the paste
    std::function<double()> value;
    double expected;               // the value the program keeps then
    const char* refusal = kWrongInput;
};

// Each text of BadPastes pasted over each row's valid text: reset by the
// field's rule, named in panel 1, one default beep, and nothing taken from it.
template <class Program>
void ExpectPastesRefused(Program& p, const std::vector<PasteRow>& rows)
{
    for (const PasteRow& row : rows) {
        row.prepare();
        for (const QString& bad : BadPastes()) {
            const std::string what = std::string(row.kind) + " \"" + bad.toStdString() + "\"";
            p.Type(row.edit, QString::fromLatin1(row.valid));
            p.ClearBeeps();
            Paste(row.edit, bad);
            EXPECT_EQ(row.edit->text(), QString::fromLatin1(row.after)) << what;
            EXPECT_EQ(p.Panel(1), QString::fromLatin1(row.refusal) + bad) << what;
            EXPECT_EQ(p.Beeps(), std::vector<unsigned>{0}) << what;
            EXPECT_DOUBLE_EQ(row.value(), row.expected) << what;
        }
    }
}

// A decimal field whose key filter is checked: what shows and enables it, and
// a valid text with one decimal separator.
struct KeyRow {
    std::function<void()> prepare;
    QLineEdit* edit;
    const char* valid;
};

// Each field's key filter reads the field it is bound to: the separator of
// `valid` is admitted, then a second separator and a letter are refused with
// the exclamation beep and the field keeps its text.
template <class Program>
void ExpectKeyFiltersOfTheirOwnFields(Program& p, const std::vector<KeyRow>& rows)
{
    for (const KeyRow& row : rows) {
        const std::string what = row.edit->objectName().toStdString();
        row.prepare();
        QString valid = QString::fromLatin1(row.valid);
        p.Type(row.edit, valid);
        valid.replace(QLatin1Char('.'), QChar::fromLatin1(sps::DecimalSeparator()));
        EXPECT_EQ(row.edit->text(), valid) << what;
        p.ClearBeeps();
        QTest::keyClicks(row.edit, QStringLiteral(".x"));
        EXPECT_EQ(row.edit->text(), valid) << what;
        EXPECT_EQ(p.Panel(1), QString::fromLatin1(kWrongInput) + QStringLiteral("x")) << what;
        EXPECT_EQ(p.Beeps(), (std::vector<unsigned>{kBeepExclamation, kBeepExclamation})) << what;
    }
}

inline QStringList Texts(const std::vector<QLineEdit*>& fields)
{
    QStringList t;
    for (const QLineEdit* e : fields)
        t << e->text();
    return t;
}

// Switches to imperial units and back `trips` times: in imperial units the
// values stay (and `inImperial` checks what is shown), back in metric units
// every field shows its text again.
template <class Form>
void ExpectUnitRoundTrips(Form& f, const std::vector<QLineEdit*>& fields,
                          const std::function<std::vector<double>()>& values, const std::function<void()>& inImperial,
                          int trips = 2)
{
    const QStringList metricTexts = Texts(fields);
    const std::vector<double> metricValues = values();
    for (int trip = 0; trip < trips; ++trip) {
        f.MenuImperial->trigger();
        inImperial();
        EXPECT_EQ(values(), metricValues) << trip;
        f.MenuMetric->trigger();
        EXPECT_EQ(Texts(fields), metricTexts) << trip;
        EXPECT_EQ(values(), metricValues) << trip;
    }
}

} // namespace cf::test
