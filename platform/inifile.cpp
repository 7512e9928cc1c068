#include "platform/inifile.h"

#include "platform/bytes.h"
#include "platform/component.h"
#include "platform/error.h"
#include "platform/numtext.h"

#include <cstdint>
#include <filesystem>
#include <system_error>

namespace sps {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

std::string Trim(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return std::string(s);
}

bool HasLineBreak(const std::string& s)
{
    return s.find_first_of("\r\n") != std::string::npos;
}

const char kBom[] = "\xEF\xBB\xBF";

} // namespace

TIniFile::TIniFile(const std::string& fileName) : fileName_(fileName)
{
    std::error_code ec;
    existed_ = std::filesystem::exists(fileName_, ec) || ec;
    if (!existed_)
        return;
    std::string text;
    try {
        auto bytes = ReadFileBytes(fileName_);
        text.assign(bytes.begin(), bytes.end());
    } catch (const std::exception&) {
        // Reads as empty; UpdateFile refuses to replace a file it could not read.
        unreadable_ = true;
        return;
    }
    original_ = text;
    SetText(text);
}

void TIniFile::SetText(const std::string& text)
{
    lines_.clear();
    bom_ = false;
    lineEnd_ = "\r\n";
    std::string_view rest(text);
    if (rest.substr(0, 3) == kBom) {
        bom_ = true;
        rest.remove_prefix(3);
    }
    size_t first = rest.find_first_of("\r\n");
    if (first != std::string_view::npos && rest[first] == '\n')
        lineEnd_ = "\n";
    while (!rest.empty()) {
        // A line ends at a run of CRs, at an LF, or at CRs followed by an LF.
        size_t end = rest.find_first_of("\r\n");
        std::string_view raw = rest.substr(0, end);
        if (end == std::string_view::npos) {
            rest = {};
        } else {
            while (end < rest.size() && rest[end] == '\r')
                ++end;
            if (end < rest.size() && rest[end] == '\n')
                ++end;
            rest.remove_prefix(end);
        }
        Line line;
        line.raw.assign(raw);
        std::string t = Trim(raw);
        if (!t.empty() && t.front() == '[') {
            size_t close = t.find(']');
            line.section = true;
            line.name = Trim(std::string_view(t).substr(1, close == std::string::npos ? std::string::npos : close - 1));
        } else if (!t.empty() && t.front() != ';') {
            size_t eq = t.find('=');
            if (eq != std::string::npos && eq > 0) {
                line.key = true;
                line.name = Trim(std::string_view(t).substr(0, eq));
                line.value = Trim(std::string_view(t).substr(eq + 1));
            }
        }
        lines_.push_back(std::move(line));
    }
}

long TIniFile::FindSection(const std::string& section) const
{
    std::string name = Trim(section);
    for (size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].section && SameText(lines_[i].name, name))
            return static_cast<long>(i);
    return -1;
}

long TIniFile::FindKey(long header, const std::string& key) const
{
    if (header < 0)
        return -1;
    std::string name = Trim(key);
    for (size_t i = static_cast<size_t>(header) + 1; i < lines_.size() && !lines_[i].section; ++i)
        if (lines_[i].key && SameText(lines_[i].name, name))
            return static_cast<long>(i);
    return -1;
}

size_t TIniFile::SectionEnd(long header) const
{
    size_t end = static_cast<size_t>(header) + 1;
    for (size_t i = end; i < lines_.size() && !lines_[i].section; ++i)
        if (!Trim(lines_[i].raw).empty())
            end = i + 1;
    return end;
}

bool TIniFile::SectionExists(const std::string& section) const
{
    return FindSection(section) >= 0;
}

bool TIniFile::ValueExists(const std::string& section, const std::string& key) const
{
    return FindKey(FindSection(section), key) >= 0;
}

std::vector<std::string> TIniFile::ReadSection(const std::string& section) const
{
    std::vector<std::string> keys;
    long header = FindSection(section);
    if (header < 0)
        return keys;
    for (size_t i = static_cast<size_t>(header) + 1; i < lines_.size() && !lines_[i].section; ++i)
        if (lines_[i].key)
            keys.push_back(lines_[i].name);
    return keys;
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key, const std::string& def) const
{
    long i = FindKey(FindSection(section), key);
    return i < 0 ? def : lines_[static_cast<size_t>(i)].value;
}

int TIniFile::ReadInteger(const std::string& section, const std::string& key, int def) const
{
    long i = FindKey(FindSection(section), key);
    if (i < 0)
        return def;
    int64_t v;
    if (!TryParseInt(lines_[static_cast<size_t>(i)].value, v) || v < INT32_MIN || v > INT32_MAX)
        return def;
    return static_cast<int>(v);
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value)
{
    std::string s = Trim(section);
    std::string k = Trim(key);
    if (s.find(']') != std::string::npos || HasLineBreak(s))
        RaiseFmt("Invalid section name \"%s\" in file \"%s\"", section.c_str(), fileName_.c_str());
    if (k.empty() || k.find('=') != std::string::npos || k.front() == '[' || k.front() == ';' || HasLineBreak(k))
        RaiseFmt("Invalid key name \"%s\" in file \"%s\"", key.c_str(), fileName_.c_str());
    if (HasLineBreak(value))
        RaiseFmt("Invalid value of key \"%s\" in file \"%s\": line break", key.c_str(), fileName_.c_str());
    std::string v = Trim(value);

    long header = FindSection(s);
    long at = FindKey(header, k);
    if (at >= 0) {
        Line& line = lines_[static_cast<size_t>(at)];
        if (line.value == v)
            return;
        line.value = v;
        line.raw = line.name + "=" + v;
        return;
    }
    Line line;
    line.key = true;
    line.name = k;
    line.value = v;
    line.raw = k + "=" + v;
    if (header >= 0) {
        lines_.insert(lines_.begin() + static_cast<long>(SectionEnd(header)), std::move(line));
        return;
    }
    Line head;
    head.section = true;
    head.name = s;
    head.raw = "[" + s + "]";
    lines_.push_back(std::move(head));
    lines_.push_back(std::move(line));
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, int value)
{
    WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteBool(const std::string& section, const std::string& key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

std::string TIniFile::Text() const
{
    std::string text;
    if (bom_)
        text += kBom;
    for (const Line& line : lines_) {
        text += line.raw;
        text += lineEnd_;
    }
    return text;
}

void TIniFile::UpdateFile()
{
    if (unreadable_)
        RaiseFmt("Cannot write file \"%s\". The file could not be read.", fileName_.c_str());
    std::string text = Text();
    if (existed_ && text == original_)
        return;
    WriteFileAtomic(fileName_, std::vector<uint8_t>(text.begin(), text.end()));
    original_ = std::move(text);
    existed_ = true;
}

} // namespace sps
