// Private-profile ini file: "[Section]" lines and "Key=Value" lines.
//
// The whole file is read when the object is made; a missing or unreadable file
// reads as empty (reading never fails). Section and key names compare without
// case; names and values are trimmed of blanks. Comments and lines that are
// neither sections nor keys are kept as they are. Writing a key that exists
// replaces its value in place; a new key goes after the last line of its
// section, a new section at the end of the file. Keys before the first section
// are kept but not found. Where a section or key occurs twice, the first counts.
//
// Nothing reaches the disk before UpdateFile, which writes the whole text
// through a temporary file and a rename, and raises sps::Exception on failure.
// Line ends: LF, CR LF, or any run of CRs with or without an LF after it (so
// no CR stays in a name or value); the file is written with CR LF when its
// first line end held a CR (and when it is new), with LF otherwise. A UTF-8 byte order mark is kept.
#pragma once

#include <string>
#include <vector>

namespace sps {

class TIniFile {
public:
    explicit TIniFile(const std::string& fileName);

    const std::string& FileName() const { return fileName_; }

    bool SectionExists(const std::string& section) const;
    bool ValueExists(const std::string& section, const std::string& key) const;
    // Keys of the section in file order.
    std::vector<std::string> ReadSection(const std::string& section) const;

    std::string ReadString(const std::string& section, const std::string& key, const std::string& def) const;
    // Decimal or "$" hex (32-bit pattern); text that is not a 32-bit integer gives `def`.
    int ReadInteger(const std::string& section, const std::string& key, int def) const;
    // An integer, non-zero is true; anything else gives `def`.
    bool ReadBool(const std::string& section, const std::string& key, bool def) const;

    // Raise sps::Exception for names that the format cannot hold (empty key,
    // "=" in a key, "]" in a section, line breaks) and for line breaks in values.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int value);
    // Written as 1 or 0.
    void WriteBool(const std::string& section, const std::string& key, bool value);

    // The text as it would be written.
    std::string Text() const;
    // Replaces the content with `text`, as if the file held it.
    void SetText(const std::string& text);
    // Writes the file when its text differs from what was read (or it did not
    // exist). Raises "Cannot write file ..." on failure; the old file stays.
    void UpdateFile();

private:
    struct Line {
        std::string raw;      // the line as read (without its line end)
        bool section = false; // "[name]"
        bool key = false;     // "name=value"
        std::string name;     // section or key name, trimmed
        std::string value;    // key value, trimmed
    };

    // Index of the section's header line, or -1.
    long FindSection(const std::string& section) const;
    // Index of the key's line in the section starting at `header`, or -1.
    long FindKey(long header, const std::string& key) const;
    // One past the last line of the section body starting at `header`.
    size_t SectionEnd(long header) const;

    std::string fileName_;
    std::vector<Line> lines_;
    std::string original_;
    std::string lineEnd_ = "\r\n";
    bool bom_ = false;
    bool existed_ = false;
    bool unreadable_ = false;
};

} // namespace sps
