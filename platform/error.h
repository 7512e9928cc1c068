// The one exception type of the suite: a message text for the user.
#pragma once

#include <cstdarg>
#include <stdexcept>
#include <string>

namespace sps {

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

// printf-style formatting for messages. Only integer and string conversions:
// numbers with decimals go through numtext so the decimal separator is ours.
std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
std::string FormatV(const char* fmt, va_list args);

[[noreturn]] void Raise(const std::string& message);
[[noreturn]] void RaiseFmt(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// Message of the byte reader when data ends early.
inline constexpr const char* kStreamReadError = "Stream read error";

} // namespace sps
