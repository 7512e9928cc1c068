#include "platform/gui/fakes.h"
#include "platform/gui/printdialog.h"
#include "platform/gui/services.h"

#include "platform/error.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <memory>

using namespace sps;

using Filters = std::vector<std::string>;

TEST(FileFilter, PipeFiltersBecomeQtNameFilters)
{
    EXPECT_EQ(QtNameFilters("Sheetpile Calculation|*.spc|All files|*.*"),
              (Filters{"Sheetpile Calculation (*.spc)", "All files (*)"}));
    EXPECT_EQ(QtNameFilters("Text files|*.txt; *.csv"), Filters{"Text files (*.txt *.csv)"});
    EXPECT_EQ(QtNameFilters("Odd"), Filters{"Odd (*)"});
    // A description that names its patterns already is shown as it is.
    EXPECT_EQ(QtNameFilters("Text files (*.txt)|*.txt"), Filters{"Text files (*.txt)"});
    EXPECT_EQ(QtNameFilters("Data files only (*.daa)|*.daa|All (*.*)|*.*"),
              (Filters{"Data files only (*.daa)", "All (*.*)"}));
    EXPECT_EQ(QtNameFilters("Tables (*.csv)|*.txt"), Filters{"Tables (*.csv) (*.txt)"});
    EXPECT_EQ(QtNameFilters(""), Filters{});
}

TEST(FakeServices, RecordCallsAndGiveScriptedAnswersWhileInstalled)
{
    auto before = CurrentPlatform().messageBox;
    {
        FakePlatform fake;
        fake.messages->answers = {TMsgResult::Yes};
        EXPECT_EQ(ShowMessageBox("Confirm", "Delete section?", TMsgKind::Question, TMsgButtons::YesNo), TMsgResult::Yes);
        EXPECT_EQ(ShowMessageBox("Confirm", "Again?", TMsgKind::Question, TMsgButtons::YesNo), TMsgResult::No);
        EXPECT_EQ(ShowMessageBox("Note", "Done", TMsgKind::Information), TMsgResult::OK);
        ASSERT_EQ(fake.messages->calls.size(), 3u);
        EXPECT_EQ(fake.messages->calls[0].text, "Delete section?");
        EXPECT_EQ(fake.messages->calls[2].buttons, TMsgButtons::OK);

        MessageBeep(kBeepExclamation);
        MessageBeep(kBeepDefault);
        EXPECT_EQ(fake.beeper->beeps, (std::vector<unsigned>{48, 0}));

        fake.files->answers = {"/tmp/a.spc"};
        TFileDialogParams params;
        params.filter = "Sheetpile Calculation|*.spc|All files|*.*";
        params.defaultExt = "spc";
        EXPECT_EQ(OpenFileDialog(params), "/tmp/a.spc");
        EXPECT_EQ(SaveFileDialog(params), ""); // cancelled
        ASSERT_EQ(fake.files->calls.size(), 2u);
        EXPECT_TRUE(fake.files->calls[1].save);
        EXPECT_EQ(fake.files->calls[1].params.defaultExt, "spc");
    }
    EXPECT_EQ(CurrentPlatform().messageBox, before);
}

TEST(FakeServices, ModalDialogsAreAnnouncedOnceWhileUp)
{
    FakePlatform fake;
    std::vector<bool> seen;
    bool upInsideBox = false;
    int id = WatchModalDialogs([&seen](bool up) { seen.push_back(up); });
    int failing = WatchModalDialogs([](bool) { throw std::runtime_error("watcher fails"); });
    fake.messages->whileShown = [&upInsideBox](const FakeMessageBox::Call&) { upInsideBox = ModalDialogUp(); };
    ShowMessageBox("Error", "x", TMsgKind::Error);
    EXPECT_TRUE(upInsideBox);
    EXPECT_FALSE(ModalDialogUp());
    {
        TModalDialogScope outer;
        SaveFileDialog(TFileDialogParams{}); // nested: no second announcement
    }
    UnwatchModalDialogs(id);
    UnwatchModalDialogs(failing);
    OpenFileDialog(TFileDialogParams{});
    EXPECT_EQ(seen, (std::vector<bool>{true, false, true, false}));
}

TEST(FakeServices, GuardShowsErrorsInTheDefaultReport)
{
    FakePlatform fake;
    CurrentPlatform().applicationTitle = "WQ KX Kestrane";
    EXPECT_TRUE(RunGuarded([] {}));
    EXPECT_FALSE(RunGuarded([] { Raise("Stream read error"); }));
    EXPECT_FALSE(RunGuarded([] { Raise("Error!"); }));
    EXPECT_FALSE(RunGuarded([] { throw std::runtime_error("Ends with a period."); }));
    EXPECT_FALSE(RunGuarded([] { throw 42; }));
    ASSERT_EQ(fake.messages->calls.size(), 4u);
    EXPECT_EQ(fake.messages->calls[0].caption, "WQ KX Kestrane");
    EXPECT_EQ(fake.messages->calls[0].text, "Stream read error.");
    EXPECT_EQ(fake.messages->calls[0].kind, TMsgKind::Error);
    EXPECT_EQ(fake.messages->calls[1].text, "Error!");
    EXPECT_EQ(fake.messages->calls[2].text, "Ends with a period.");
    EXPECT_EQ(fake.messages->calls[3].text, "Unknown error.");

    std::string shown;
    CurrentPlatform().showError = [&shown](const std::string& m) {
        shown = m;
        throw std::runtime_error("the report fails too");
    };
    EXPECT_FALSE(RunGuarded([] { Raise("Class TGhost not found"); }));
    EXPECT_EQ(shown, "Class TGhost not found");
}

TEST(FakeServices, TimersTickByHand)
{
    FakePlatform fake;
    int ticks = 0;
    auto timer = CreateTimer();
    timer->OnTimer = [&ticks] { ++ticks; };
    EXPECT_EQ(timer->Interval(), 1000);
    fake.timers->TickAll();
    EXPECT_EQ(ticks, 0); // not enabled
    timer->SetInterval(500);
    timer->SetEnabled(true);
    fake.timers->TickAll();
    fake.timers->TickAll();
    EXPECT_EQ(ticks, 2);
    timer->SetInterval(0);
    fake.timers->TickAll();
    EXPECT_EQ(ticks, 2);

    // A handler that frees its own timer and one that raises.
    std::unique_ptr<ITimer> self = CreateTimer();
    self->SetInterval(500);
    self->SetEnabled(true);
    self->OnTimer = [&self] { self.reset(); };
    auto raising = CreateTimer();
    raising->SetInterval(100);
    raising->SetEnabled(true);
    raising->OnTimer = [] { Raise("tick failed"); };
    fake.timers->TickAll();
    EXPECT_EQ(self, nullptr);
    ASSERT_EQ(fake.messages->calls.size(), 1u);
    EXPECT_EQ(fake.messages->calls[0].text, "tick failed.");
    EXPECT_EQ(fake.timers->timers.size(), 2u);
}

namespace {

// Runs the event loop until `done` or `ms` milliseconds have passed.
void Spin(const std::function<bool()>& done, int ms = 5000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
}

// Acts on the next modal dialog as soon as it shows. A test never hangs: after
// five seconds whatever modal dialog is still open is rejected.
void WhenModal(std::function<void(QWidget*)> act)
{
    auto* poll = new QTimer;
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    auto acted = std::make_shared<bool>(false);
    QObject::connect(poll, &QTimer::timeout, [poll, clock, acted, act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && !*acted) {
            *acted = true;
            act(modal);
            return;
        }
        if (clock->elapsed() > 5000) {
            if (auto* dialog = qobject_cast<QDialog*>(modal)) {
                ADD_FAILURE() << "modal dialog left open: " << dialog->metaObject()->className();
                dialog->reject();
                return;
            }
            poll->stop();
            poll->deleteLater();
        } else if (*acted && !modal) {
            poll->stop();
            poll->deleteLater();
        }
    });
    poll->start(10);
}

void ClickButton(QWidget* dialog, QMessageBox::StandardButton which)
{
    auto* box = qobject_cast<QMessageBox*>(dialog);
    ASSERT_NE(box, nullptr);
    box->button(which)->click();
}

} // namespace

TEST(QtServices, MessageBoxReturnsTheButtonClicked)
{
    Platform qt = QtPlatform();
    QString seenTitle, seenText;
    QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
    WhenModal([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        seenTitle = box->windowTitle();
        seenText = box->text();
        seenIcon = box->icon();
        ClickButton(w, QMessageBox::Yes);
    });
    EXPECT_EQ(qt.messageBox->Show("Confirm", "Delete section 3?", TMsgKind::Question, TMsgButtons::YesNo),
              TMsgResult::Yes);
    EXPECT_EQ(seenTitle, "Confirm");
    EXPECT_EQ(seenText, "Delete section 3?");
    EXPECT_EQ(seenIcon, QMessageBox::Question);

    WhenModal([](QWidget* w) { ClickButton(w, QMessageBox::No); });
    EXPECT_EQ(qt.messageBox->Show("Confirm", "x", TMsgKind::Warning, TMsgButtons::YesNo), TMsgResult::No);
    WhenModal([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    EXPECT_EQ(qt.messageBox->Show("Confirm", "x", TMsgKind::Warning, TMsgButtons::YesNo), TMsgResult::No);
    WhenModal([](QWidget* w) { ClickButton(w, QMessageBox::Ok); });
    EXPECT_EQ(qt.messageBox->Show("Error!", "Stream read error", TMsgKind::Error, TMsgButtons::OK), TMsgResult::OK);
    qt.beeper->Beep(kBeepExclamation); // safe without sound
}

TEST(QtServices, FileDialogsApplyFilterAndDefaultExtension)
{
    Platform qt = QtPlatform();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TFileDialogParams params;
    params.title = "Save Project";
    params.filter = "Sheetpile Calculation|*.spc|All files|*.*";
    params.defaultExt = "spc";
    params.initialDir = dir.path().toStdString();

    QStringList filters;
    QString title;
    WhenModal([&](QWidget* w) {
        auto* d = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(d, nullptr);
        filters = d->nameFilters();
        title = d->windowTitle();
        // selectFile leaves a focused name field alone: type into it instead.
        auto* edit = d->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(edit, nullptr);
        edit->setText("quay");
        static_cast<QDialog*>(d)->accept(); // QFileDialog::accept, reached through the public base
    });
    std::string saved = qt.fileDialogs->Save(params);
    EXPECT_EQ(saved, (dir.path() + "/quay.spc").toStdString());
    EXPECT_EQ(filters, (QStringList{"Sheetpile Calculation (*.spc)", "All files (*)"}));
    EXPECT_EQ(title, "Save Project");

    params.filter = "Text files (*.txt)|*.txt";
    WhenModal([&](QWidget* w) {
        filters = qobject_cast<QFileDialog*>(w)->nameFilters();
        qobject_cast<QDialog*>(w)->reject();
    });
    EXPECT_EQ(qt.fileDialogs->Open(params), "");
    EXPECT_EQ(filters, QStringList{"Text files (*.txt)"});
}

TEST(QtServices, TimerTicksWhileEnabledAndMayFreeItself)
{
    Platform qt = QtPlatform();
    int ticks = 0;
    auto timer = qt.createTimer();
    timer->OnTimer = [&ticks] { ++ticks; };
    timer->SetInterval(5);
    timer->SetEnabled(true);
    Spin([&] { return ticks >= 3; });
    EXPECT_GE(ticks, 3);
    timer->SetEnabled(false);
    int stopped = ticks;
    Spin([] { return false; }, 100);
    EXPECT_EQ(ticks, stopped);

    std::unique_ptr<ITimer> self = qt.createTimer();
    self->SetInterval(5);
    self->OnTimer = [&self] { self.reset(); };
    self->SetEnabled(true);
    Spin([&] { return self == nullptr; });
    EXPECT_EQ(self, nullptr);
    QApplication::processEvents(); // runs the deferred delete
}

TEST(QtServices, PrintDialogWithoutPrinterProposesAPdfInAFolderThatExists)
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        GTEST_SKIP() << "a printer is installed";
    QTemporaryDir home, other;
    const QByteArray savedHome = qgetenv("HOME");
    qputenv("HOME", home.path().toLocal8Bit());

    auto shownFile = [](QWidget* w) {
        auto* name = w->findChild<QLineEdit*>(QStringLiteral("filename"));
        return name ? name->text() : QString();
    };
    QString proposed;
    WhenModal([&](QWidget* w) {
        proposed = shownFile(w);
        w->findChild<QLineEdit*>(QStringLiteral("filename"))->setText(other.filePath("wall.pdf"));
        qobject_cast<QDialog*>(w)->accept();
    });
    TPrintDialogParams params;
    params.documentName = "WQ KX Kestrane";
    std::unique_ptr<TPrinter> printer = ExecutePrintDialog(nullptr, params);
    EXPECT_NE(printer, nullptr);
    EXPECT_EQ(proposed, home.filePath("WQ KX Kestrane.pdf"));

    // The next proposal is in the folder printed into last, while it exists.
    WhenModal([&](QWidget* w) {
        proposed = shownFile(w);
        qobject_cast<QDialog*>(w)->reject();
    });
    EXPECT_EQ(ExecutePrintDialog(nullptr, params), nullptr);
    EXPECT_EQ(proposed, other.filePath("WQ KX Kestrane.pdf"));
    other.remove();
    EXPECT_EQ(ProposedPdfFile("report.pdf"), home.filePath("report.pdf").toStdString());

    qputenv("HOME", savedHome);
}
