// Kestrane's main form on the shipped catalogue (in the test folder), with its
// settings in a temporary folder and the platform's fakes.
#pragma once

#include "calcframe/gui/aboutbox.h"
#include "calcframe/gui/startup.h"
#include "calcframe/gui/statusbar.h"
#include "calcframe/gui/testsupport/formdriver.h"
#include "combiwall/gui/form.h"
#include "combiwall/gui/formdata.h"
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
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace cwtest {

class Kestrane {
public:
    // settings: the text of "Kestrane.INI"; nullptr for no file.
    explicit Kestrane(const char* settings = nullptr)
    {
        if (settings) {
            QFile f(SettingsPath());
            EXPECT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(settings);
        }
        form = std::make_unique<cw::TForm1>(cw::FormPaths{QDir::currentPath(), SettingsPath()});
        form->FormCreate();
        form->show();
        QApplication::setActiveWindow(form.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    QString SettingsPath() const { return dir.filePath(QStringLiteral("Kestrane.INI")); }

    std::string SettingsText() const
    {
        QFile f(SettingsPath());
        if (!f.open(QIODevice::ReadOnly))
            return "<none>";
        return f.readAll().toStdString();
    }

    static void Enter(QWidget* w) { cf::test::Enter(w); }
    // Moves the focus on to the read-only version line, which has no enter
    // or exit handler.
    void Leave() { form->Edit_VersionInfo->setFocus(Qt::TabFocusReason); }
    static void Type(QLineEdit* e, const QString& keys) { cf::test::Type(e, keys); }
    void TypeAndLeave(QLineEdit* e, const QString& keys)
    {
        Type(e, keys);
        Leave();
    }
    static void Choose(QComboBox* box, int index) { cf::test::Choose(box, index); }
    static int FindItem(const QComboBox* box, const char* prefix)
    {
        return cf::test::FindItem(box, QString::fromLatin1(prefix));
    }
    // Clicks line `line` of the combination list.
    void ClickLine(int line) { cf::test::ClickLine(form->LB_WQKX, line); }
    QStringList Lines() const { return cf::test::Lines(form->LB_WQKX); }
    QString Panel(int i) const { return form->SB1->Panel(i); }
    const std::vector<unsigned>& Beeps() const { return platform.beeper->beeps; }
    void ClearBeeps() { platform.beeper->beeps.clear(); }

    sps::FakePlatform platform;
    QTemporaryDir dir;
    std::unique_ptr<cw::TForm1> form;
};

} // namespace cwtest
