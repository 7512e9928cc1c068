#include "platform/gui/services.h"

#include "platform/error.h"

#include <new>

namespace sps {

Platform& CurrentPlatform()
{
    static Platform platform = QtPlatform();
    return platform;
}

TMsgResult ShowMessageBox(const std::string& caption, const std::string& text, TMsgKind kind, TMsgButtons buttons)
{
    auto box = CurrentPlatform().messageBox;
    if (!box) {
        switch (buttons) {
        case TMsgButtons::OK:
            return TMsgResult::OK;
        case TMsgButtons::YesNo:
            return TMsgResult::No;
        case TMsgButtons::YesNoCancel:
            return TMsgResult::Cancel;
        }
    }
    return box->Show(caption, text, kind, buttons);
}

void MessageBeep(unsigned type)
{
    if (auto beeper = CurrentPlatform().beeper)
        beeper->Beep(type);
}

std::unique_ptr<ITimer> CreateTimer()
{
    auto& create = CurrentPlatform().createTimer;
    std::unique_ptr<ITimer> timer = create ? create() : nullptr;
    if (!timer)
        Raise("No timer available");
    return timer;
}

std::string OpenFileDialog(const TFileDialogParams& params)
{
    auto dialogs = CurrentPlatform().fileDialogs;
    return dialogs ? dialogs->Open(params) : std::string();
}

std::string SaveFileDialog(const TFileDialogParams& params)
{
    auto dialogs = CurrentPlatform().fileDialogs;
    return dialogs ? dialogs->Save(params) : std::string();
}

std::string SelectFolderDialog(const std::string& title, const std::string& initialDir)
{
    auto dialogs = CurrentPlatform().choiceDialogs;
    return dialogs ? dialogs->SelectFolder(title, initialDir) : std::string();
}

bool ChooseColorDialog(TColor& color)
{
    auto dialogs = CurrentPlatform().choiceDialogs;
    return dialogs && dialogs->ChooseColor(color);
}

namespace {

void ShowError(const std::string& message)
{
    Platform& p = CurrentPlatform();
    if (p.showError) {
        p.showError(message);
        return;
    }
    std::string text = message;
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.')
        text += '.';
    ShowMessageBox(p.applicationTitle, text, TMsgKind::Error, TMsgButtons::OK);
}

} // namespace

bool RunGuarded(const std::function<void()>& handler)
{
    std::string message;
    try {
        if (handler)
            handler();
        return true;
    } catch (const Exception& e) {
        message = e.Message();
    } catch (const std::bad_alloc&) {
        message = "Out of memory";
    } catch (const std::exception& e) {
        message = e.what();
    } catch (...) {
        message = "Unknown error";
    }
    try {
        ShowError(message);
    } catch (...) {
        // Nothing more can be done for an error report that fails itself.
    }
    return false;
}

std::vector<std::string> QtNameFilters(const std::string& filter)
{
    std::vector<std::string> parts;
    size_t start = 0;
    if (filter.empty())
        return parts;
    for (;;) {
        size_t bar = filter.find('|', start);
        parts.push_back(filter.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos)
            break;
        start = bar + 1;
    }
    std::vector<std::string> filters;
    for (size_t i = 0; i < parts.size(); i += 2) {
        const std::string& description = parts[i];
        std::string patterns = i + 1 < parts.size() ? parts[i + 1] : std::string();
        std::string list;
        size_t p = 0;
        for (;;) {
            size_t semi = patterns.find(';', p);
            std::string pattern = patterns.substr(p, semi == std::string::npos ? std::string::npos : semi - p);
            while (!pattern.empty() && pattern.front() == ' ')
                pattern.erase(0, 1);
            while (!pattern.empty() && pattern.back() == ' ')
                pattern.pop_back();
            if (pattern == "*.*")
                pattern = "*";
            if (!pattern.empty()) {
                if (!list.empty())
                    list += ' ';
                list += pattern;
            }
            if (semi == std::string::npos)
                break;
            p = semi + 1;
        }
        if (list.empty())
            list = "*";
        filters.push_back(description + " (" + list + ")");
    }
    return filters;
}

} // namespace sps
