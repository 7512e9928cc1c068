// What the calculators' reports share: fixed-width text of UTF-8 strings, the
// text file written line by line, and the one-page print job.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace sps {
class TPrinter;
} // namespace sps

namespace cf {

// Characters of a UTF-8 text (continuation bytes do not count).
size_t CharCount(const std::string& s);
// The first `count` characters ("%.<count>s").
std::string FirstChars(const std::string& s, size_t count);
// "%-<width>s": padded with blanks on the right.
std::string LeftJustified(const std::string& s, size_t width);
// "%<width>s": padded with blanks on the left.
std::string RightJustified(const std::string& s, size_t width);

// The first line of a text report: `title` followed by as much of the
// version line as the head's 50 columns hold, padded to 50.
std::string ReportHeadLine(const std::string& title, const std::string& versionLine);

// Creates or replaces `path` with the lines, each ended by a line end, as
// sps::WriteFileAtomic writes: a regular file only, whole or not at all. On
// failure it raises sps::Exception and the old file stays as it was.
void WriteTextLines(const std::string& path, const std::vector<std::string>& lines);

// Begins the job titled `title`, runs `draw` (which may draw nothing) and ends
// the job. The job is ended also when drawing fails; the error goes on.
void PrintDocument(sps::TPrinter& printer, const std::string& title, const std::function<void()>& draw);

} // namespace cf
