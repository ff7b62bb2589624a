// INI text read and edited by the rules of the Windows private-profile functions, on the
// file's raw bytes (GBK for this program, so the Chinese key names are byte strings):
//  - lines end at CR LF, LF or CR; blanks (space, tab, VT, FF) around a line are ignored;
//  - "[name]" opens a section (name trimmed, up to the last "]"; text after it ignored);
//    lines before the first section belong to no section;
//  - any other non-blank line is a key: name before the first "=", value after it, both
//    trimmed; a line without "=" is a key without value, which reads as missing;
//    ";" starts no comment (";x=1" is a key named ";x");
//  - names compare case-insensitively (ASCII letters); the first matching section and
//    the first matching key in it count, later duplicates are never seen;
//  - a value wrapped in a matching pair of " or ' loses the pair; a NUL ends a value.
// Writing edits the first matching key in place, adds a missing key after the last line
// of its section, or appends a missing section at the end; every other line keeps its
// bytes, and all line ends become CR LF.
#pragma once

#include <optional>
#include <string>
#include <string_view>

class IniText {
public:
    explicit IniText(std::string bytes = {}) : bytes_(std::move(bytes)) {}

    // The value, or nothing when the section or the key is missing (or has no "=").
    std::optional<std::string> Read(std::string_view section, std::string_view key) const;

    // Sets the value. The value must be one line (no CR, LF or NUL).
    void Write(std::string_view section, std::string_view key, std::string_view value);

    const std::string& Bytes() const { return bytes_; }

private:
    std::string bytes_;
};

// Cuts a GBK text to at most maxBytes bytes without splitting a double-byte character.
std::string_view TruncateGbk(std::string_view text, std::size_t maxBytes);
