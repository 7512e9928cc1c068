#include "walldesign/files/catalogue.h"

#include "platform/bytes.h"
#include "platform/error.h"
#include "platform/numtext.h"

#include <cmath>
#include <limits>

namespace wd {

namespace {

[[noreturn]] void InvalidInputFile(const std::string& path)
{
    sps::RaiseFmt("Invalid input file %s", path.c_str());
}

} // namespace

bool ParseCatalogueNumber(const std::string& text, float& value)
{
    double v = 0;
    bool ok = sps::TryParseFloat(text, v);
    if (!ok && sps::DecimalSeparator() != '.') {
        std::string local = text;
        for (char& c : local)
            if (c == '.')
                c = sps::DecimalSeparator();
        ok = sps::TryParseFloat(local, v);
    }
    if (!ok || std::fabs(v) > static_cast<double>(std::numeric_limits<float>::max()))
        return false;
    value = static_cast<float>(v);
    return true;
}

std::string ReadCatalogueBytes(const std::vector<uint8_t>& bytes, const std::string& path)
{
    std::string plain;
    if (!UnscrambleCatalogueBytes(bytes.data(), bytes.size(), plain))
        InvalidInputFile(path);
    return plain;
}

std::string ReadCatalogueText(const std::string& path)
{
    return ReadCatalogueBytes(sps::ReadFileBytes(path), path);
}

std::vector<std::string> CatalogueLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t eol = text.find_first_of("\r\n", pos);
        if (eol == std::string::npos) {
            lines.push_back(text.substr(pos));
            break;
        }
        lines.push_back(text.substr(pos, eol - pos));
        pos = eol + (text[eol] == '\r' && eol + 1 < text.size() && text[eol + 1] == '\n' ? 2 : 1);
    }
    return lines;
}

std::vector<TCatalogueRow> ReadCatalogueRows(const std::string& text, int numbers, const std::string& path)
{
    std::vector<TCatalogueRow> rows;
    for (const std::string& line : CatalogueLines(text)) {
        TCatalogueRow row;
        size_t tab = line.find('\t');
        row.Name = line.substr(0, tab);
        while (tab != std::string::npos) {
            size_t next = line.find('\t', tab + 1);
            std::string field = line.substr(tab + 1, next == std::string::npos ? std::string::npos : next - tab - 1);
            float value = 0;
            if (!ParseCatalogueNumber(field, value))
                InvalidInputFile(path);
            row.Values.push_back(value);
            tab = next;
        }
        if (row.Name.empty() || row.Values.size() != static_cast<size_t>(numbers))
            InvalidInputFile(path);
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace wd
