#include "platform/numtext.h"

#include "platform/error.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace sps {

namespace {
char g_separator = '.';

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n'))
        s.remove_suffix(1);
    return s;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
} // namespace

char DecimalSeparator() { return g_separator; }

void SetDecimalSeparator(char separator) { g_separator = separator; }

std::string FormatFixed(double value, int decimals)
{
    if (decimals < 0)
        decimals = 0;
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    char buf[400];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    if (res.ec != std::errc())
        return "0";
    std::string s(buf, res.ptr);
    // A value that rounds to zero prints without a sign: "0.000", never "-0.000".
    if (!s.empty() && s[0] == '-' && s.find_first_not_of("0.", 1) == std::string::npos)
        s.erase(0, 1);
    if (g_separator != '.') {
        auto dot = s.find('.');
        if (dot != std::string::npos)
            s[dot] = g_separator;
    }
    return s;
}

bool TryParseFloat(std::string_view text, double& out)
{
    return TryParseFloat(text, out, std::string_view(&g_separator, 1));
}

bool TryParseFloat(std::string_view text, double& out, std::string_view separators)
{
    std::string_view s = Trim(text);
    std::string norm;
    norm.reserve(s.size());
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-')
            norm.push_back('-');
        ++i;
    }
    int digits = 0;
    bool sep = false;
    for (; i < s.size(); ++i) {
        char c = s[i];
        if (IsDigit(c)) {
            norm.push_back(c);
            ++digits;
        } else if (!sep && separators.find(c) != std::string_view::npos) {
            sep = true;
            norm.push_back('.');
        } else {
            break;
        }
    }
    if (digits == 0)
        return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        norm.push_back('e');
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            norm.push_back(s[i++]);
        int expDigits = 0;
        for (; i < s.size() && IsDigit(s[i]); ++i, ++expDigits)
            norm.push_back(s[i]);
        if (expDigits == 0)
            return false;
    }
    if (i != s.size())
        return false;
    double v = 0;
    auto res = std::from_chars(norm.data(), norm.data() + norm.size(), v, std::chars_format::general);
    if (res.ec != std::errc() || res.ptr != norm.data() + norm.size() || !std::isfinite(v))
        return false;
    out = v;
    return true;
}

double ParseFloat(std::string_view text)
{
    double v = 0;
    if (!TryParseFloat(text, v))
        Raise("'" + std::string(text) + "' is not a valid floating point value");
    return v;
}

bool TryParseInt(std::string_view text, int64_t& out)
{
    std::string_view s = Trim(text);
    bool neg = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        neg = s.front() == '-';
        s.remove_prefix(1);
    }
    int base = 10;
    if (!s.empty() && s.front() == '$') {
        base = 16;
        s.remove_prefix(1);
    } else if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    }
    if (s.empty())
        return false;
    uint64_t v = 0;
    auto res = std::from_chars(s.data(), s.data() + s.size(), v, base);
    if (res.ec != std::errc() || res.ptr != s.data() + s.size())
        return false;
    if (base == 16) {
        // Hex text is a 32-bit pattern: "$FFFFFFFF" is -1, as colours are written.
        if (v > 0xFFFFFFFFull)
            return false;
        int64_t r = static_cast<int32_t>(static_cast<uint32_t>(v));
        if (v <= 0x7FFFFFFFull)
            r = static_cast<int64_t>(v);
        out = neg ? -r : r;
        return true;
    }
    if (v > static_cast<uint64_t>(INT64_MAX) + (neg ? 1u : 0u))
        return false;
    out = neg ? static_cast<int64_t>(0 - v) : static_cast<int64_t>(v);
    return true;
}

double RoundHalfEven(double value)
{
    return std::nearbyint(value);
}

double RoundHalfEvenTo(double value, int decimals)
{
    double scale = std::pow(10.0, decimals);
    return std::nearbyint(value * scale) / scale;
}

} // namespace sps
