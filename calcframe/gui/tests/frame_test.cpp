// The frame's key filter, the reformatting of the load and Sfmin fields on
// leaving, and the status bar, driven through typed keys and focus changes.
#include "calcframe/gui/events.h"
#include "calcframe/gui/frame.h"
#include "calcframe/gui/statusbar.h"
#include "platform/gui/fakes.h"
#include "platform/numtext.h"

#include "platform/error.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

using cf::kBeepExclamation;

// A window with the five frame fields, a spare field to move the focus to,
// and the status bar.
struct FrameWindow {
    FrameWindow()
    {
        auto* layout = new QVBoxLayout(&window);
        for (QLineEdit** e : {&moment, &load, &deflection, &sfmin, &sfmax, &other}) {
            *e = new QLineEdit(&window);
            layout->addWidget(*e);
        }
        sb = new cf::TStatusBar(&window);
        layout->addWidget(sb);
        frame = std::make_unique<cf::CalcFrame>(sb, [this] { return metric; });
        // As a main form binds its handlers to the frame's.
        for (QLineEdit* e : {moment, load, deflection, sfmin, sfmax})
            cf::OnKeyPress(e, [this, e](QChar& key) { frame->FilterNumericKey(e, key); });
        for (QLineEdit* e : {moment, load, deflection})
            cf::OnExit(e, [this, e] { frame->LoadFieldExit(e); });
        cf::OnEnter(sfmin, [this] { frame->SfminEnter(); });
        cf::OnExit(sfmin, [this] { frame->SfminExit(sfmin); });
        window.show();
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // Types into `e` after giving it the focus.
    void Type(QLineEdit* e, const QString& keys)
    {
        e->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(e, keys);
    }
    // Leaves the focused field for the spare one.
    void Leave() { other->setFocus(Qt::TabFocusReason); }

    sps::FakePlatform platform;
    QWidget window;
    QLineEdit *moment, *load, *deflection, *sfmin, *sfmax, *other;
    cf::TStatusBar* sb;
    bool metric = true;
    std::unique_ptr<cf::CalcFrame> frame;
};

TEST(FrameKeyFilter, RefusesLettersAndSignsWithPanelTextAndExclamationBeep)
{
    FrameWindow w;
    w.sb->SetPanel(0, QStringLiteral(" range"));
    w.Type(w.moment, QStringLiteral("1a"));
    EXPECT_EQ(w.moment->text(), QStringLiteral("1"));
    EXPECT_EQ(w.sb->Panel(1), QStringLiteral(" Enter only values > 0. Wrong input:  a"));
    EXPECT_EQ(w.sb->Panel(0), QStringLiteral(" range")); // the hint stays
    EXPECT_EQ(w.platform.beeper->beeps, std::vector<unsigned>{kBeepExclamation});

    w.Type(w.load, QStringLiteral("-"));
    EXPECT_EQ(w.load->text(), QString());
    EXPECT_EQ(w.sb->Panel(1), QStringLiteral(" Enter only values > 0. Wrong input:  -"));
    EXPECT_EQ(w.platform.beeper->beeps.size(), 2u);

    // With Alt or Meta held the field would insert the key: filtered alike.
    w.Type(w.deflection, QStringLiteral("12"));
    QTest::keyClick(w.deflection, Qt::Key_X, Qt::AltModifier);
    QTest::keyClick(w.deflection, Qt::Key_Comma, Qt::MetaModifier);
    EXPECT_EQ(w.deflection->text(), QStringLiteral("12."));
    EXPECT_EQ(w.sb->Panel(1), QStringLiteral(" Enter only values > 0. Wrong input:  x"));
    EXPECT_EQ(w.platform.beeper->beeps.size(), 3u);
}

TEST(FrameKeyFilter, AdmitsDigitsOneSeparatorAndBackspace)
{
    FrameWindow w;
    w.Type(w.sfmin, QStringLiteral("1.5"));
    EXPECT_EQ(w.sfmin->text(), QStringLiteral("1.5"));
    EXPECT_TRUE(w.sb->Panel(1).isEmpty());
    EXPECT_TRUE(w.platform.beeper->beeps.empty());

    // A second separator is refused wherever the first one is.
    QTest::keyClick(w.sfmin, Qt::Key_Home);
    QTest::keyClicks(w.sfmin, QStringLiteral("."));
    EXPECT_EQ(w.sfmin->text(), QStringLiteral("1.5"));
    EXPECT_EQ(w.sb->Panel(1), QStringLiteral(" Enter only values > 0. Wrong input:  ."));

    QTest::keyClick(w.sfmin, Qt::Key_End);
    QTest::keyClick(w.sfmin, Qt::Key_Backspace);
    QTest::keyClick(w.sfmin, Qt::Key_Backspace);
    EXPECT_EQ(w.sfmin->text(), QStringLiteral("1"));
    EXPECT_EQ(w.platform.beeper->beeps.size(), 1u);
}

TEST(FrameKeyFilter, TabDeleteEnterAndEscapePass)
{
    FrameWindow w;
    w.Type(w.moment, QStringLiteral("12"));
    QTest::keyClick(w.moment, Qt::Key_Home);
    QTest::keyClick(w.moment, Qt::Key_Delete);
    EXPECT_EQ(w.moment->text(), QStringLiteral("2"));
    QTest::keyClick(w.moment, Qt::Key_Tab);
    EXPECT_TRUE(w.load->hasFocus());
    EXPECT_TRUE(w.platform.beeper->beeps.empty());
    // Enter and Escape are no input: no error, no beep, the text stays.
    w.Type(w.load, QStringLiteral("7"));
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
        QTest::keyClick(w.load, key);
    EXPECT_EQ(w.load->text(), QStringLiteral("7"));
    EXPECT_TRUE(w.sb->Panel(1).isEmpty());
    EXPECT_TRUE(w.platform.beeper->beeps.empty());
}

TEST(FrameKeyFilter, EitherSeparatorKeyWritesTheProgramsSeparator)
{
    FrameWindow w;
    sps::SetDecimalSeparator(',');
    w.Type(w.sfmax, QStringLiteral("2.5,5"));
    w.Type(w.sfmin, QStringLiteral("12,5"));
    sps::SetDecimalSeparator('.');
    EXPECT_EQ(w.sfmax->text(), QStringLiteral("2,55"));
    EXPECT_EQ(w.sfmin->text(), QStringLiteral("12,5"));
    w.Type(w.moment, QStringLiteral("12,5"));
    EXPECT_EQ(w.moment->text(), QStringLiteral("12.5"));
    w.Type(w.load, QStringLiteral("1.2,5"));
    EXPECT_EQ(w.load->text(), QStringLiteral("1.25"));
    EXPECT_EQ(w.sb->Panel(1), QStringLiteral(" Enter only values > 0. Wrong input:  ,"));
}

TEST(FrameRuleA, LoadFieldsAreReformattedOnLeaving)
{
    FrameWindow w;
    w.Type(w.moment, QStringLiteral("12.6"));
    w.sb->SetPanel(1, QStringLiteral(" old error"));
    w.Leave();
    EXPECT_EQ(w.moment->text(), QStringLiteral("13"));
    EXPECT_TRUE(w.sb->Panel(1).isEmpty());

    w.metric = false;
    w.Type(w.load, QStringLiteral("12.6"));
    w.Leave();
    EXPECT_EQ(w.load->text(), QStringLiteral("12.6"));

    w.Type(w.deflection, QString());
    w.Leave();
    EXPECT_EQ(w.deflection->text(), QStringLiteral("0.0"));
    w.metric = true;
    w.deflection->setFocus();
    w.deflection->clear();
    w.Leave();
    EXPECT_EQ(w.deflection->text(), QStringLiteral("0"));
}

TEST(FrameRuleA, TextsOfEdgeValues)
{
    EXPECT_EQ(cf::LoadTextOnExit(QStringLiteral("0"), false), QStringLiteral("0.0"));
    EXPECT_EQ(cf::LoadTextOnExit(QStringLiteral("0.0"), true), QStringLiteral("0"));
    EXPECT_EQ(cf::LoadTextOnExit(QStringLiteral("12.5"), true), QStringLiteral("12")); // halves to even
    EXPECT_EQ(cf::LoadTextOnExit(QStringLiteral("13.5"), true), QStringLiteral("14"));
    EXPECT_EQ(cf::LoadTextOnExit(QStringLiteral("0.25"), false), QStringLiteral("0.2"));
    EXPECT_EQ(cf::LoadTextOnExit(QStringLiteral("11000"), false), QStringLiteral("11000.0"));
    // Texts that are no value count as empty.
    EXPECT_EQ(cf::LoadTextOnExit(QStringLiteral("."), true), QStringLiteral("0"));
    EXPECT_EQ(cf::LoadTextOnExit(QStringLiteral("12 kN"), false), QStringLiteral("0.0"));
}

TEST(FrameRuleB, SfminIsReformattedOnLeaving)
{
    FrameWindow w;
    w.sfmin->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(w.sb->Panel(0), QStringLiteral(" 1 =< Sfmin =< 5"));
    w.Leave();
    EXPECT_EQ(w.sfmin->text(), QStringLiteral("1.50"));

    w.Type(w.sfmin, QStringLiteral("2"));
    w.Leave();
    EXPECT_EQ(w.sfmin->text(), QStringLiteral("2.00"));

    w.sfmin->setFocus();
    w.sfmin->setText(QStringLiteral("0"));
    w.Leave();
    EXPECT_EQ(w.sfmin->text(), QStringLiteral("1.50"));

    w.sfmin->setFocus();
    w.sfmin->setText(QStringLiteral("0.0"));
    w.Leave();
    EXPECT_EQ(w.sfmin->text(), QStringLiteral("0.00")); // only the exact text "0" is replaced

    w.sfmin->setFocus();
    w.sfmin->setText(QStringLiteral("."));
    w.Leave();
    EXPECT_EQ(w.sfmin->text(), QStringLiteral("1.50"));
}

TEST(FrameFieldValue, OnlyWhatTheKeyFilterAdmitsIsAValue)
{
    double v = -1;
    EXPECT_TRUE(cf::ParseFieldValue(QStringLiteral("12.5"), v));
    EXPECT_DOUBLE_EQ(v, 12.5);
    EXPECT_TRUE(cf::ParseFieldValue(QStringLiteral(" 7 "), v));
    EXPECT_TRUE(cf::ParseFieldValue(QStringLiteral(".5"), v));
    EXPECT_DOUBLE_EQ(v, 0.5);
    EXPECT_TRUE(cf::ParseFieldValue(QStringLiteral("3."), v));
    for (const char* bad : {"", ".", " ", "-5", "+5", "1e3", "1.2.3", "nan", "inf", "12 kN", "0x10"})
        EXPECT_TRUE(cf::FieldIsEmpty(QString::fromLatin1(bad))) << bad;
    EXPECT_EQ(cf::FieldValue(QStringLiteral("abc")), 0.0);
}

TEST(FrameStatusBar, PanelWidthFollowsTheScreenResolution)
{
    EXPECT_EQ(cf::StatusPanelWidth(96), 300);
    EXPECT_EQ(cf::StatusPanelWidth(120), 375);
    EXPECT_EQ(cf::StatusPanelWidth(144), 450);
    cf::TStatusBar sb;
    cf::SetupStatusBar(&sb, 120);
    EXPECT_EQ(sb.PanelWidth(0), 375);
    EXPECT_EQ(sb.font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(sb.font().pointSize(), 8);
}

} // namespace

namespace {

TEST(FrameClose, SettingsAreWrittenOnceAndAFailureNeverRefusesTheClose)
{
    sps::FakePlatform platform;
    bool written = false;
    int writes = 0;
    auto failingWriter = [&] {
        ++writes;
        throw sps::Exception("Cannot write file \"Kestrane.INI\"");
    };
    QCloseEvent first;
    first.ignore();
    cf::FormCloseWritingSettings(&first, written, failingWriter);
    EXPECT_TRUE(first.isAccepted());
    QCloseEvent second;
    second.ignore();
    cf::FormCloseWritingSettings(&second, written, failingWriter);
    EXPECT_TRUE(second.isAccepted());
    EXPECT_EQ(writes, 1);
    ASSERT_EQ(platform.messages->calls.size(), 1u);
    EXPECT_EQ(platform.messages->calls[0].text, "Cannot write file \"Kestrane.INI\"");
}

TEST(FrameFocus, AFieldGivenTheFocusBackKeepsItAndTheOneBetweenStaysQuiet)
{
    FrameWindow w;
    std::vector<std::string> calls;
    cf::OnEnter(w.load, [&] { calls.push_back("load enter"); });
    cf::OnExit(w.load, [&] { calls.push_back("load exit"); });
    cf::OnEnter(w.moment, [&] { calls.push_back("moment enter"); });
    bool refuse = true; // the first exit refuses to let the focus go
    cf::OnExit(w.moment, [&] {
        calls.push_back("moment exit");
        if (refuse)
            cf::GiveFocusBack(w.moment);
        refuse = false;
    });
    w.moment->setFocus(Qt::TabFocusReason);
    calls.clear();
    QTest::keyClick(w.moment, Qt::Key_Tab); // on to the load field
    QTest::qWait(5);
    EXPECT_TRUE(w.moment->hasFocus());
    EXPECT_EQ(calls, std::vector<std::string>{"moment exit"});
    // Afterwards the handlers run as before.
    w.load->setFocus(Qt::TabFocusReason);
    QTest::qWait(5);
    EXPECT_EQ(calls, (std::vector<std::string>{"moment exit", "moment exit", "load enter"}));
}

} // namespace
