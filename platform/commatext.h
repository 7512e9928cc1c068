// Comma text: one line holding a list of fields.
//
// Fields are separated by commas. A field that starts with a double quote runs
// to the matching closing quote and may hold commas, blanks and line breaks; a
// doubled quote inside it stands for one quote. Blanks (any character up to
// ' ') around a field are dropped; blanks inside a bare field are kept, and
// text between a closing quote and the next comma is added to the field, so
// only commas outside quotes decide the number of fields. A quote that never
// closes runs to the end of the text. An empty or blank text holds no fields;
// otherwise n commas give n + 1 fields ("a," is "a" and an empty field).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sps {

std::vector<std::string> SplitCommaText(std::string_view text);

// Joins the fields with commas, quoting a field when it holds a comma, a
// quote or any character up to ' ' (blank, tab, line break), and a lone empty
// field as "". SplitCommaText gives the fields back.
std::string JoinCommaText(const std::vector<std::string>& fields);

// The field always in quotes, inner quotes doubled: for cells that must stay
// one field whatever they hold (a number with a decimal comma).
std::string QuoteCommaField(std::string_view field);

// Every field quoted.
std::string JoinQuotedCommaText(const std::vector<std::string>& fields);

} // namespace sps
