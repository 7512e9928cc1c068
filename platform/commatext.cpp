#include "platform/commatext.h"

namespace sps {

namespace {

bool IsBlank(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

bool NeedsQuotes(std::string_view field)
{
    for (char c : field)
        if (c == ',' || c == '"' || IsBlank(c))
            return true;
    return false;
}

} // namespace

std::vector<std::string> SplitCommaText(std::string_view text)
{
    std::vector<std::string> fields;
    size_t n = text.size();
    size_t p = 0;
    while (p < n && IsBlank(text[p]))
        ++p;
    if (p == n)
        return fields;
    for (;;) {
        while (p < n && IsBlank(text[p]))
            ++p;
        std::string field;
        if (p < n && text[p] == '"') {
            ++p;
            while (p < n) {
                if (text[p] == '"') {
                    if (p + 1 < n && text[p + 1] == '"') {
                        field.push_back('"');
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                field.push_back(text[p++]);
            }
            // Anything after the closing quote up to the comma belongs to the field.
            size_t start = p;
            while (p < n && text[p] != ',')
                ++p;
            std::string_view rest = text.substr(start, p - start);
            while (!rest.empty() && IsBlank(rest.back()))
                rest.remove_suffix(1);
            while (!rest.empty() && IsBlank(rest.front()))
                rest.remove_prefix(1);
            field.append(rest);
        } else {
            size_t start = p;
            while (p < n && text[p] != ',')
                ++p;
            std::string_view bare = text.substr(start, p - start);
            while (!bare.empty() && IsBlank(bare.back()))
                bare.remove_suffix(1);
            field.assign(bare);
        }
        fields.push_back(std::move(field));
        if (p >= n)
            break;
        ++p; // the comma: another field follows, empty at the end of the text
    }
    return fields;
}

std::string QuoteCommaField(std::string_view field)
{
    std::string out;
    out.reserve(field.size() + 2);
    out.push_back('"');
    for (char c : field) {
        if (c == '"')
            out.push_back('"');
        out.push_back(c);
    }
    out.push_back('"');
    return out;
}

std::string JoinCommaText(const std::vector<std::string>& fields)
{
    if (fields.size() == 1 && fields[0].empty())
        return "\"\"";
    std::string out;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i)
            out.push_back(',');
        if (NeedsQuotes(fields[i]))
            out += QuoteCommaField(fields[i]);
        else
            out += fields[i];
    }
    return out;
}

std::string JoinQuotedCommaText(const std::vector<std::string>& fields)
{
    std::string out;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i)
            out.push_back(',');
        out += QuoteCommaField(fields[i]);
    }
    return out;
}

} // namespace sps
