#include "calcframe/reporttext.h"

#include "platform/bytes.h"
#include "platform/canvas.h"

#include <algorithm>
#include <cstdint>

namespace cf {

size_t CharCount(const std::string& s)
{
    size_t n = 0;
    for (unsigned char c : s) {
        if ((c & 0xC0) != 0x80)
            ++n;
    }
    return n;
}

std::string FirstChars(const std::string& s, size_t count)
{
    size_t n = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
            if (n == count)
                return s.substr(0, i);
            ++n;
        }
    }
    return s;
}

std::string LeftJustified(const std::string& s, size_t width)
{
    const size_t n = CharCount(s);
    return n >= width ? s : s + std::string(width - n, ' ');
}

std::string RightJustified(const std::string& s, size_t width)
{
    const size_t n = CharCount(s);
    return n >= width ? s : std::string(width - n, ' ') + s;
}

std::string ReportHeadLine(const std::string& title, const std::string& versionLine)
{
    constexpr size_t kHeadWidth = 50;
    const size_t room = kHeadWidth - std::min(CharCount(title), kHeadWidth);
    return LeftJustified(title + FirstChars(versionLine, room), kHeadWidth);
}

void WriteTextLines(const std::string& path, const std::vector<std::string>& lines)
{
    std::vector<uint8_t> bytes;
    for (const std::string& line : lines) {
        bytes.insert(bytes.end(), line.begin(), line.end());
        bytes.push_back('\n');
    }
    sps::WriteFileAtomic(path, bytes);
}

void PrintDocument(sps::TPrinter& printer, const std::string& title, const std::function<void()>& draw)
{
    printer.Title = title;
    printer.BeginDoc();
    try {
        draw();
    } catch (...) {
        try {
            if (printer.Printing())
                printer.EndDoc();
        } catch (...) {
        }
        throw;
    }
    printer.EndDoc();
}

} // namespace cf
