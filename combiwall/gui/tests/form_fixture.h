// Kestrane's main form on the shipped catalogue (in the test folder), with its
// settings in a temporary folder and the platform's fakes.
#pragma once

#include "calcframe/gui/aboutbox.h"
#include "calcframe/gui/startup.h"
#include "calcframe/gui/statusbar.h"
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

    // Gives the field the focus as a click or a Tab would.
    void Enter(QWidget* w) { w->setFocus(Qt::TabFocusReason); }
    // Moves the focus on to the read-only version line, which has no enter
    // or exit handler.
    void Leave() { form->Edit_VersionInfo->setFocus(Qt::TabFocusReason); }
    // Selects the whole text of the field and types `keys` over it.
    void Type(QLineEdit* e, const QString& keys)
    {
        Enter(e);
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Backspace);
        QTest::keyClicks(e, keys);
    }
    void TypeAndLeave(QLineEdit* e, const QString& keys)
    {
        Type(e, keys);
        Leave();
    }
    // The user chooses item `index` of a combo box.
    static void Choose(QComboBox* box, int index)
    {
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    static int FindItem(const QComboBox* box, const char* prefix)
    {
        for (int i = 0; i < box->count(); ++i)
            if (box->itemText(i).startsWith(QString::fromLatin1(prefix)))
                return i;
        return -1;
    }
    // Clicks line `line` of the combination list.
    void ClickLine(int line)
    {
        QListWidget* lb = form->LB_WQKX;
        lb->scrollToItem(lb->item(line));
        QRect r = lb->visualItemRect(lb->item(line));
        QTest::mouseClick(lb->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
    }
    QStringList Lines() const
    {
        QStringList l;
        for (int i = 0; i < form->LB_WQKX->count(); ++i)
            l << form->LB_WQKX->item(i)->text();
        return l;
    }
    QString Panel(int i) const { return form->SB1->Panel(i); }
    const std::vector<unsigned>& Beeps() const { return platform.beeper->beeps; }
    void ClearBeeps() { platform.beeper->beeps.clear(); }

    sps::FakePlatform platform;
    QTemporaryDir dir;
    std::unique_ptr<cw::TForm1> form;
};

} // namespace cwtest
