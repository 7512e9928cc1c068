// Tavelond's main window over the catalogue, help and example files of the
// test folder, with its settings in a temporary folder, the platform's fakes
// and every modal dialog, the input dialog too, answered by the test.
#pragma once

#include "platform/gui/fakes.h"
#include "platform/gui/printdialog.h"
#include "platform/recordingcanvas.h"
#include "walldesign/calc/calcmodule.h"
#include "walldesign/calc/units.h"
#include "walldesign/calc/wall.h"
#include "walldesign/files/project.h"
#include "walldesign/report/colors.h"
#include "walldesign/ui/mainform.h"
#include "walldesign/ui/modal.h"
#include "walldesign/ui/startup.h"
#include "walldesign/ui/inputform.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace wdtest {

using namespace wd;

inline const std::string kExample = "Example Quay.spc";

inline std::string ReadText(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "<none>";
    return f.readAll().toStdString();
}

inline void WriteText(const QString& path, const std::string& text)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text.data(), static_cast<qint64>(text.size()));
}

// Pages printed on recording printers, one entry per page.
struct PrintLog {
    std::vector<std::vector<std::string>> pages;
    int documents = 0;
};

class LoggingPrinter : public sps::TRecordingPrinter {
public:
    explicit LoggingPrinter(std::shared_ptr<PrintLog> log) : TRecordingPrinter(1160, 1640), log_(std::move(log)) {}
    void EndDoc() override
    {
        TRecordingPrinter::EndDoc();
        log_->documents++;
        for (int p = 1; p <= PageNumber(); p++)
            log_->pages.push_back(PageTexts(p));
    }

private:
    std::shared_ptr<PrintLog> log_;
};

class Tavelond {
public:
    // settings: the text of "Tavelond.ini"; nullptr for no file.
    explicit Tavelond(const char* settings = nullptr)
        : savedUnits_(UnitSystem), savedColors_(DrawingColors())
    {
        RegisterWallClasses();
        if (settings)
            WriteText(SettingsPath(), settings);
        form = BuildMainWindow(TMainFormPaths{QDir::currentPath(), SettingsPath()}, nullptr);
        form->InputForm->OnShowModal = [this](TInputForm& dialog) {
            edits.push_back(dialog.PageControl->currentIndex());
            return editor(dialog);
        };
    }
    ~Tavelond()
    {
        form.reset();
        UnitSystem = savedUnits_;
        DrawingColors() = savedColors_;
    }

    sps::FakePlatform fake;
    QTemporaryDir dir;
    // Answers every modal dialog; cancels by default.
    std::function<int(QDialog&)> onModal = [](QDialog&) { return int(QDialog::Rejected); };
    TModalOverride modal{[this](QDialog& d) { return onModal(d); }};
    // The user in the input dialog: confirms what it shows by default.
    std::function<bool(TInputForm&)> editor = [](TInputForm&) { return true; };
    std::vector<int> edits;
    std::shared_ptr<PrintLog> printed = std::make_shared<PrintLog>();
    sps::TPrintDialogOverride printDialog{
        [log = printed](const sps::TPrintDialogParams&) { return std::make_unique<LoggingPrinter>(log); }};
    std::unique_ptr<TMainForm> form;

    QString SettingsPath() const { return dir.filePath(QStringLiteral("Tavelond.ini")); }
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    static QString ExamplePath() { return QDir::current().filePath(QString::fromStdString(kExample)); }

    // The node of a tree path such as {"Section 1", "Headwall", "Results", "Table"}.
    QTreeWidgetItem* Node(const std::vector<QString>& path) const
    {
        QTreeWidgetItem* node = nullptr;
        for (const QString& text : path) {
            QTreeWidgetItem* next = nullptr;
            int count = node ? node->childCount() : form->TreeView->topLevelItemCount();
            for (int i = 0; i < count && !next; i++) {
                QTreeWidgetItem* child = node ? node->child(i) : form->TreeView->topLevelItem(i);
                if (child->text(0) == text)
                    next = child;
            }
            if (!next)
                return nullptr;
            node = next;
        }
        return node;
    }
    void Select(const std::vector<QString>& path)
    {
        QTreeWidgetItem* node = Node(path);
        ASSERT_NE(node, nullptr);
        form->TreeView->setCurrentItem(node);
    }
    // Double-clicks the node, through the guard every handler runs in.
    void DoubleClick(const std::vector<QString>& path)
    {
        QTreeWidgetItem* node = Node(path);
        ASSERT_NE(node, nullptr);
        form->TreeView->setCurrentItem(node);
        emit form->TreeView->itemDoubleClicked(node, 0);
    }
    std::vector<std::string> ErrorTexts() const
    {
        std::vector<std::string> texts;
        for (const auto& call : fake.messages->calls)
            if (call.caption == "Error!")
                texts.push_back(call.text);
        return texts;
    }

private:
    uint8_t savedUnits_;
    TDrawingColors savedColors_;
};

} // namespace wdtest
