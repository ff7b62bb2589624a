// INI reading and editing by the private-profile rules; see IniText.h.
#include "IniText.h"

#include <vector>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

struct Line {
    std::size_t begin;  // offset of the line's text
    std::size_t end;    // offset just past the text, before its line end
    enum Kind { kBlank, kSection, kKey } kind;
    std::string_view name;   // section or key name
    bool hasValue = false;   // a key line with "="
    std::string_view value;  // the trimmed text after "="
};

std::vector<Line> Parse(std::string_view text) {
    std::vector<Line> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = text.size();
        Line line{pos, end, Line::kBlank, {}, false, {}};
        const std::string_view body = Trim(text.substr(pos, end - pos));
        if (!body.empty()) {
            const std::size_t close = body.rfind(']');
            if (body.front() == '[' && close != std::string_view::npos) {
                line.kind = Line::kSection;
                line.name = Trim(body.substr(1, close - 1));
            } else {
                line.kind = Line::kKey;
                const std::size_t eq = body.find('=');
                line.name = Trim(body.substr(0, eq));
                if (eq != std::string_view::npos) {
                    line.hasValue = true;
                    line.value = Trim(body.substr(eq + 1));
                }
            }
        }
        lines.push_back(line);
        // one line end: CR LF, LF or CR
        if (end < text.size() && text[end] == '\r') {
            ++end;
            if (end < text.size() && text[end] == '\n') ++end;
        } else if (end < text.size()) {
            ++end;
        }
        pos = end;
    }
    return lines;
}

// Index of the first section line with that name, or lines.size().
std::size_t FindSection(const std::vector<Line>& lines, std::string_view section) {
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].kind == Line::kSection && SameName(lines[i].name, section)) return i;
    return lines.size();
}

// Index of the first key line with that name in the section opened at sectionIndex, or
// the index of the section's end (the next section line or lines.size()).
std::size_t FindKey(const std::vector<Line>& lines, std::size_t sectionIndex, std::string_view key,
                    bool* found) {
    std::size_t i = sectionIndex + 1;
    for (; i < lines.size() && lines[i].kind != Line::kSection; ++i) {
        if (lines[i].kind == Line::kKey && SameName(lines[i].name, key)) {
            *found = true;
            return i;
        }
    }
    *found = false;
    return i;
}

std::string_view CleanValue(std::string_view value) {
    value = value.substr(0, value.find('\0'));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return value;
}

}  // namespace

std::optional<std::string> IniText::Read(std::string_view section, std::string_view key) const {
    const std::vector<Line> lines = Parse(bytes_);
    const std::size_t s = FindSection(lines, section);
    if (s == lines.size()) return std::nullopt;
    bool found = false;
    const std::size_t k = FindKey(lines, s, key, &found);
    if (!found || !lines[k].hasValue) return std::nullopt;
    return std::string(CleanValue(lines[k].value));
}

void IniText::Write(std::string_view section, std::string_view key, std::string_view value) {
    const std::vector<Line> lines = Parse(bytes_);
    std::string entry(key);
    entry += '=';
    entry += value;

    // Rebuild with CR LF line ends; only the edited or inserted line is new.
    std::string out;
    out.reserve(bytes_.size() + entry.size() + section.size() + 8);
    auto emit = [&](std::string_view lineText) {
        out.append(lineText);
        out.append("\r\n");
    };
    auto original = [&](std::size_t i) { return std::string_view(bytes_).substr(lines[i].begin, lines[i].end - lines[i].begin); };

    const std::size_t s = FindSection(lines, section);
    if (s == lines.size()) {
        for (std::size_t i = 0; i < lines.size(); ++i) emit(original(i));
        std::string header = "[";
        header += section;
        header += ']';
        emit(header);
        emit(entry);
    } else {
        bool found = false;
        std::size_t k = FindKey(lines, s, key, &found);
        if (!found) {
            // After the section's last non-blank line, so trailing blank lines stay
            // between it and the next section.
            while (k > s + 1 && lines[k - 1].kind == Line::kBlank) --k;
        }
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (i == k) emit(entry);
            if (!(found && i == k)) emit(original(i));
        }
        if (k == lines.size()) emit(entry);
    }
    bytes_ = std::move(out);
}

std::string_view TruncateGbk(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) return text;
    std::size_t i = 0;
    while (i < maxBytes) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const std::size_t width = (c >= 0x81 && c <= 0xFE && i + 1 < text.size()) ? 2 : 1;
        if (i + width > maxBytes) break;
        i += width;
    }
    return text.substr(0, i);
}
