#include "calcframe/reporttext.h"

#include "platform/canvas.h"
#include "platform/error.h"

#include <cstdio>

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

void WriteTextLines(const std::string& path, const std::vector<std::string>& lines)
{
    const std::string message = "Unable to write the file \"" + path + "\".";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        sps::Raise(message);
    bool ok = true;
    for (const std::string& line : lines) {
        if (std::fwrite(line.data(), 1, line.size(), f) != line.size() || std::fputc('\n', f) == EOF) {
            ok = false;
            break;
        }
    }
    if (std::fclose(f) != 0)
        ok = false;
    if (!ok)
        sps::Raise(message);
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
