#include "walldesign/files/catalogue_format.h"

#include <cstdio>

namespace wd {

std::vector<uint8_t> ScrambleCatalogueText(std::string_view plain)
{
    std::vector<uint8_t> bytes;
    bytes.reserve(plain.size() + 1);
    uint8_t check = 0;
    for (size_t i = 0; i < plain.size(); ++i) {
        uint8_t b = static_cast<uint8_t>(static_cast<uint8_t>(plain[i]) ^
                                         static_cast<uint8_t>(DataFileKey[i % kDataFileKeyLength]));
        check ^= b;
        bytes.push_back(b);
    }
    bytes.push_back(check);
    return bytes;
}

bool UnscrambleCatalogueBytes(const uint8_t* data, size_t size, std::string& plain)
{
    size_t end = 0;
    while (end < size && data[end] != kEndOfFileMark)
        ++end;
    plain.clear();
    if (end == 0)
        return false;
    size_t n = end - 1;
    plain.reserve(n);
    uint8_t check = 0;
    for (size_t i = 0; i < n; ++i) {
        check ^= data[i];
        plain.push_back(static_cast<char>(data[i] ^ static_cast<uint8_t>(DataFileKey[i % kDataFileKeyLength])));
    }
    if (data[n] != check) {
        plain.clear();
        return false;
    }
    return true;
}

namespace {

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

// Digits, optionally a '.' and more digits; above zero.
bool IsPositiveDecimal(std::string_view s)
{
    size_t digits = 0, i = 0;
    bool nonZero = false;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i, ++digits)
        nonZero |= s[i] != '0';
    if (i < s.size() && s[i] == '.') {
        ++i;
        size_t fraction = 0;
        for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i, ++fraction)
            nonZero |= s[i] != '0';
        if (fraction == 0)
            return false;
    }
    return digits > 0 && i == s.size() && nonZero && s.size() <= 15;
}

std::string Where(const std::string& sourceName, size_t line)
{
    return sourceName + ":" + std::to_string(line) + ": ";
}

} // namespace

bool BuildCatalogueFile(std::string_view source, int numbers, const std::string& sourceName,
                        std::vector<uint8_t>& bytes, std::string& error)
{
    std::string plain;
    std::vector<size_t> rowStart; // offset of each row in `plain`
    std::vector<size_t> rowLine;  // its line in the source
    size_t lineNo = 0;
    size_t pos = 0;
    while (pos < source.size()) {
        size_t eol = source.find('\n', pos);
        if (eol == std::string_view::npos)
            eol = source.size();
        std::string_view line = Trim(source.substr(pos, eol - pos));
        pos = eol + 1;
        ++lineNo;
        if (line.empty() || line.front() == '#')
            continue;

        std::vector<std::string_view> fields;
        size_t start = 0;
        for (;;) {
            size_t comma = line.find(',', start);
            fields.push_back(Trim(line.substr(start, comma == std::string_view::npos ? comma : comma - start)));
            if (comma == std::string_view::npos)
                break;
            start = comma + 1;
        }
        if (fields.size() != static_cast<size_t>(numbers) + 1) {
            error = Where(sourceName, lineNo) + "expected a name and " + std::to_string(numbers) + " number(s), found " +
                    std::to_string(fields.size()) + " field(s)";
            return false;
        }
        std::string_view name = fields[0];
        if (name.empty() || name.size() > kCatalogueNameChars) {
            error = Where(sourceName, lineNo) + "the name must have 1 to 20 characters";
            return false;
        }
        for (char c : name) {
            if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7E) {
                error = Where(sourceName, lineNo) + "the name holds a character that is not printable ASCII";
                return false;
            }
        }
        std::string row(name);
        for (size_t f = 1; f < fields.size(); ++f) {
            if (!IsPositiveDecimal(fields[f])) {
                error = Where(sourceName, lineNo) + "'" + std::string(fields[f]) +
                        "' is no positive decimal number with '.'";
                return false;
            }
            row += '\t';
            row += fields[f];
        }
        rowStart.push_back(plain.size());
        rowLine.push_back(lineNo);
        plain += row;
        plain += "\r\n";
    }

    if (rowStart.empty()) {
        error = sourceName + ": no rows";
        return false;
    }

    std::vector<uint8_t> scrambled = ScrambleCatalogueText(plain);
    for (size_t i = 0; i + 1 < scrambled.size(); ++i) {
        if (scrambled[i] != kEndOfFileMark)
            continue;
        size_t row = 0;
        while (row + 1 < rowStart.size() && rowStart[row + 1] <= i)
            ++row;
        char shown[8];
        unsigned char c = static_cast<unsigned char>(plain[i]);
        if (c >= 0x20 && c <= 0x7E)
            std::snprintf(shown, sizeof shown, "'%c'", c);
        else
            std::snprintf(shown, sizeof shown, "0x%02X", c);
        error = Where(sourceName, rowLine[row]) + "character " + shown + " at position " +
                std::to_string(i - rowStart[row] + 1) +
                " of the row would be scrambled to the end-of-file byte 0x1A; change the text of this line";
        return false;
    }
    if (scrambled.back() == kEndOfFileMark) {
        error = Where(sourceName, rowLine.back()) +
                "the check byte of the file would be the end-of-file byte 0x1A; change this or any other line";
        return false;
    }
    bytes = std::move(scrambled);
    return true;
}

} // namespace wd
