#include "platform/gui/services.h"

#include "platform/error.h"

#include <map>
#include <new>

namespace sps {

Platform& CurrentPlatform()
{
    static Platform platform = QtPlatform();
    return platform;
}

namespace {

struct ModalWatch {
    std::map<int, ModalDialogWatcher> watchers;
    int nextId = 1;
    int depth = 0;
};

ModalWatch& Watch()
{
    static ModalWatch watch;
    return watch;
}

void Announce(bool dialogUp)
{
    // A watcher may add or remove watchers: call those registered now.
    std::map<int, ModalDialogWatcher> now = Watch().watchers;
    for (auto& [id, watcher] : now) {
        if (!Watch().watchers.count(id))
            continue;
        try {
            watcher(dialogUp);
        } catch (...) {
            // The dialog matters more than a window that failed to step aside.
        }
    }
}

} // namespace

int WatchModalDialogs(ModalDialogWatcher watcher)
{
    int id = Watch().nextId++;
    Watch().watchers.emplace(id, std::move(watcher));
    return id;
}

void UnwatchModalDialogs(int id) { Watch().watchers.erase(id); }

bool ModalDialogUp() { return Watch().depth > 0; }

TModalDialogScope::TModalDialogScope()
{
    if (Watch().depth++ == 0)
        Announce(true);
}

TModalDialogScope::~TModalDialogScope()
{
    if (--Watch().depth == 0)
        Announce(false);
}

TMsgResult ShowMessageBox(const std::string& caption, const std::string& text, TMsgKind kind, TMsgButtons buttons)
{
    auto box = CurrentPlatform().messageBox;
    if (!box)
        return buttons == TMsgButtons::OK ? TMsgResult::OK : TMsgResult::No;
    TModalDialogScope dialogUp;
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
    if (!dialogs)
        return std::string();
    TModalDialogScope dialogUp;
    return dialogs->Open(params);
}

std::string SaveFileDialog(const TFileDialogParams& params)
{
    auto dialogs = CurrentPlatform().fileDialogs;
    if (!dialogs)
        return std::string();
    TModalDialogScope dialogUp;
    return dialogs->Save(params);
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

namespace {

// The text inside the parentheses that end `s` (blanks after them allowed),
// or empty.
std::string TrailingParentheses(const std::string& s)
{
    size_t end = s.find_last_not_of(' ');
    if (end == std::string::npos || s[end] != ')')
        return std::string();
    size_t open = s.rfind('(', end);
    return open == std::string::npos ? std::string() : s.substr(open + 1, end - open - 1);
}

// The patterns of a list separated by blanks or ";" ("*.*" counts as "*").
std::vector<std::string> PatternWords(const std::string& list)
{
    std::vector<std::string> words;
    std::string word;
    for (size_t i = 0; i <= list.size(); ++i) {
        const char c = i < list.size() ? list[i] : ' ';
        if (c == ' ' || c == ';') {
            if (!word.empty())
                words.push_back(word == "*.*" ? "*" : word);
            word.clear();
        } else {
            word += c;
        }
    }
    return words;
}

} // namespace

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
        // Qt takes the patterns from the parentheses at the end of the text it
        // shows: a description that already ends with these patterns is shown as is.
        if (PatternWords(TrailingParentheses(description)) == PatternWords(list))
            filters.push_back(description);
        else
            filters.push_back(description + " (" + list + ")");
    }
    return filters;
}

} // namespace sps
