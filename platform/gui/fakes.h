// Fakes of the native services for tests: nothing waits on a dialog, timers
// tick by hand. A FakePlatform installs itself for its lifetime.
#pragma once

#include "platform/gui/services.h"

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace sps {

class FakeMessageBox : public IMessageBox {
public:
    struct Call {
        std::string caption;
        std::string text;
        TMsgKind kind;
        TMsgButtons buttons;
    };
    std::vector<Call> calls;
    // Answers given in turn; when none is left, OK or `yesNoDefault`.
    std::deque<TMsgResult> answers;
    TMsgResult yesNoDefault = TMsgResult::No;
    // Runs while the box is "up", after the call is recorded: a test looks at
    // the windows from here.
    std::function<void(const Call&)> whileShown;

    TMsgResult Show(const std::string& caption, const std::string& text, TMsgKind kind, TMsgButtons buttons) override;
};

class FakeBeeper : public IBeeper {
public:
    std::vector<unsigned> beeps;
    void Beep(unsigned type) override { beeps.push_back(type); }
};

class FakeTimer;

// Keeps track of the fake timers alive, in creation order.
class FakeTimers {
public:
    std::vector<FakeTimer*> timers;
    // Ticks every enabled timer once.
    void TickAll();
};

class FakeTimer : public ITimer {
public:
    explicit FakeTimer(std::shared_ptr<FakeTimers> registry);
    ~FakeTimer() override;
    void SetInterval(int ms) override { interval_ = ms < 0 ? 0 : ms; }
    int Interval() const override { return interval_; }
    void SetEnabled(bool enabled) override { enabled_ = enabled; }
    bool Enabled() const override { return enabled_; }
    // One period has passed: runs OnTimer (guarded) when enabled with an interval.
    void Tick();

private:
    std::shared_ptr<FakeTimers> registry_;
    int interval_ = 1000;
    bool enabled_ = false;
};

class FakeFileDialogs : public IFileDialogs {
public:
    struct Call {
        bool save;
        TFileDialogParams params;
    };
    std::vector<Call> calls;
    // Paths given in turn; empty (cancelled) when none is left.
    std::deque<std::string> answers;
    // Runs while the dialog is "up", after the call is recorded.
    std::function<void(const Call&)> whileShown;

    std::string Open(const TFileDialogParams& params) override;
    std::string Save(const TFileDialogParams& params) override;
};

class FakePlatform {
public:
    FakePlatform();
    ~FakePlatform();
    FakePlatform(const FakePlatform&) = delete;
    FakePlatform& operator=(const FakePlatform&) = delete;

    std::shared_ptr<FakeMessageBox> messages = std::make_shared<FakeMessageBox>();
    std::shared_ptr<FakeBeeper> beeper = std::make_shared<FakeBeeper>();
    std::shared_ptr<FakeFileDialogs> files = std::make_shared<FakeFileDialogs>();
    std::shared_ptr<FakeTimers> timers = std::make_shared<FakeTimers>();

private:
    Platform saved_;
};

} // namespace sps
