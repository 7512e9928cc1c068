#include "platform/gui/fakes.h"

#include <algorithm>

namespace sps {

TMsgResult FakeMessageBox::Show(const std::string& caption, const std::string& text, TMsgKind kind,
                                TMsgButtons buttons)
{
    calls.push_back({caption, text, kind, buttons});
    if (whileShown)
        whileShown(calls.back());
    if (!answers.empty()) {
        TMsgResult r = answers.front();
        answers.pop_front();
        return r;
    }
    return buttons == TMsgButtons::OK ? TMsgResult::OK : yesNoDefault;
}

FakeTimer::FakeTimer(std::shared_ptr<FakeTimers> registry) : registry_(std::move(registry))
{
    registry_->timers.push_back(this);
}

FakeTimer::~FakeTimer()
{
    auto& list = registry_->timers;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

void FakeTimer::Tick()
{
    if (!enabled_ || interval_ <= 0 || !OnTimer)
        return;
    auto handler = OnTimer; // the handler may free this timer
    RunGuarded(handler);
}

void FakeTimers::TickAll()
{
    // Handlers may free or create timers: tick those alive at the start.
    std::vector<FakeTimer*> now = timers;
    for (FakeTimer* t : now)
        if (std::find(timers.begin(), timers.end(), t) != timers.end())
            t->Tick();
}

std::string FakeFileDialogs::Open(const TFileDialogParams& params)
{
    calls.push_back({false, params});
    if (whileShown)
        whileShown(calls.back());
    if (answers.empty())
        return std::string();
    std::string r = answers.front();
    answers.pop_front();
    return r;
}

std::string FakeFileDialogs::Save(const TFileDialogParams& params)
{
    calls.push_back({true, params});
    if (whileShown)
        whileShown(calls.back());
    if (answers.empty())
        return std::string();
    std::string r = answers.front();
    answers.pop_front();
    return r;
}

FakePlatform::FakePlatform() : saved_(CurrentPlatform())
{
    Platform p;
    p.messageBox = messages;
    p.beeper = beeper;
    p.fileDialogs = files;
    auto registry = timers;
    p.createTimer = [registry] { return std::unique_ptr<ITimer>(new FakeTimer(registry)); };
    p.applicationTitle = saved_.applicationTitle;
    CurrentPlatform() = std::move(p);
}

FakePlatform::~FakePlatform()
{
    CurrentPlatform() = std::move(saved_);
}

} // namespace sps
