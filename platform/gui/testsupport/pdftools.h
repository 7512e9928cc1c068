// Test helpers: read a printed PDF back with poppler's pdfinfo and pdftotext.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace sps::test {

// Standard output of a shell command.
inline std::string RunCommand(const std::string& command)
{
    std::string out;
    FILE* p = popen(command.c_str(), "r");
    if (p == nullptr)
        return out;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0)
        out.append(buf, n);
    pclose(p);
    return out;
}

inline std::string PdfInfo(const std::string& path) { return RunCommand("pdfinfo '" + path + "'"); }

// The page count of a PDF, or -1.
inline int PdfPages(const std::string& path)
{
    std::string info = PdfInfo(path);
    size_t at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + 6);
}

// The text of the whole PDF, laid out as on the page; pages end in '\f'.
inline std::string PdfText(const std::string& path) { return RunCommand("pdftotext -layout '" + path + "' -"); }

// The text of every page.
inline std::vector<std::string> PdfPageTexts(const std::string& path)
{
    std::string text = PdfText(path);
    std::vector<std::string> pages;
    size_t start = 0;
    for (size_t ff = text.find('\f'); ff != std::string::npos; ff = text.find('\f', start)) {
        pages.push_back(text.substr(start, ff - start));
        start = ff + 1;
    }
    return pages;
}

} // namespace sps::test
