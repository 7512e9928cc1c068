// Rovandel's main form on the shipped data file (in the test folder), with its
// settings in a temporary folder and the platform's fakes.
#pragma once

#include "calcframe/gui/frame.h"
#include "calcframe/gui/radiogroup.h"
#include "calcframe/gui/statusbar.h"
#include "calcframe/gui/testsupport/formdriver.h"
#include "corrosion/gui/form.h"
#include "corrosion/gui/formdata.h"
#include "corrosion/text.h"
#include "platform/gui/fakes.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <string>

// Readable QStrings in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace rvtest {

inline const char* kMetricSettings =
    "[Units]\r\nMetric=1\r\n[SFMinReq]\r\nSFMinRequired=1.50\r\n[SFMaxReq]\r\nSFMaxRequired=2.00\r\n";

class Rovandel {
public:
    // settings: the text of "Rovandel.INI"; nullptr for no file. dataFolder:
    // where the data file lies (the test folder by default).
    explicit Rovandel(const char* settings = kMetricSettings, QString dataFolder = QString())
    {
        if (settings) {
            QFile f(SettingsPath());
            EXPECT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(settings);
        }
        form = std::make_unique<rv::TForm1>(
            rv::FormPaths{dataFolder.isEmpty() ? QDir::currentPath() : dataFolder, SettingsPath()});
        form->FormCreate();
        form->show();
        QApplication::setActiveWindow(form.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    QString SettingsPath() const { return dir.filePath(QStringLiteral("Rovandel.INI")); }

    std::string SettingsText() const
    {
        QFile f(SettingsPath());
        if (!f.open(QIODevice::ReadOnly))
            return "<none>";
        return f.readAll().toStdString();
    }

    static void Enter(QWidget* w) { cf::test::Enter(w); }
    // Moves the focus on to the tab row, which has no enter or exit handler.
    void Leave() { form->PageControl1->tabBar()->setFocus(Qt::TabFocusReason); }
    static void Type(QLineEdit* e, const QString& keys) { cf::test::Type(e, keys); }
    void TypeAndLeave(QLineEdit* e, const QString& keys)
    {
        Type(e, keys);
        Leave();
    }
    static void Choose(QComboBox* box, int index) { cf::test::Choose(box, index); }
    static int FindItem(const QComboBox* box, const QString& text) { return cf::test::FindItem(box, text); }
    // The user clicks item `index` of a radio group.
    static void Click(cf::TRadioGroup* group, int index) { group->Button(index)->click(); }
    void ClickLine(int line) { cf::test::ClickLine(form->LB_SSP, line); }
    // Selects the line of the section named `name`.
    void SelectSection(const QString& name)
    {
        for (int i = 0; i < form->LB_SSP->count(); ++i)
            if (form->LB_SSP->item(i)->text().startsWith(QStringLiteral(" ") + name + QStringLiteral(" "))) {
                ClickLine(i);
                return;
            }
        ADD_FAILURE() << "no line " << name.toStdString();
    }
    // Clicks the tab of `page`, as the user does.
    void ClickTab(QWidget* page)
    {
        QTabBar* bar = form->PageControl1->tabBar();
        const int index = form->PageControl1->indexOf(page);
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
    }
    QStringList Lines() const { return cf::test::Lines(form->LB_SSP); }
    QString Panel(int i) const { return form->SB1->Panel(i); }
    const std::vector<unsigned>& Beeps() const { return platform.beeper->beeps; }
    void ClearBeeps() { platform.beeper->beeps.clear(); }

    // Service life, protection and the two environments of the code tables.
    void CodeLosses(int serviceLife, int protectionFront, int frontEnvironment, int frontDetail, int backEnvironment,
                    int backDetail)
    {
        rv::TForm1& f = *form;
        Choose(f.CB_ServiceLife, FindItem(f.CB_ServiceLife, QStringLiteral(" %1").arg(serviceLife)));
        Choose(f.CB_Protection_Front, FindItem(f.CB_Protection_Front, QStringLiteral(" %1").arg(protectionFront)));
        Click(f.RG_Front, frontEnvironment);
        Click(f.RG_Front_Detail, frontDetail);
        Click(f.RG_Back, backEnvironment);
        Click(f.RG_Back_Detail, backDetail);
    }

    sps::FakePlatform platform;
    QTemporaryDir dir;
    std::unique_ptr<rv::TForm1> form;
};

} // namespace rvtest
