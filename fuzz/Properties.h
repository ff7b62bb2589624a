// What the fuzzers check, shared with the unit test that replays their corpus: the
// integer conversion against an oracle written another way (string comparison of the
// normalised digits instead of accumulating with overflow checks), INI reading and
// editing against the reading rules, and the bitmap header parser on any file bytes.
// Each check returns an empty string when the input behaves, else a description of the
// fault.
#pragma once

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Bmp.h"
#include "common/IniText.h"
#include "common/IntParse.h"

namespace fuzzcheck {

// Reference conversion: normalise, then decide by the digit strings' length and order.
inline std::optional<std::int32_t> OracleInteger(std::string_view s) {
    std::size_t i = s.find_first_not_of(' ');
    if (i == std::string_view::npos) return std::nullopt;
    s.remove_prefix(i);
    bool negative = false;
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
        negative = s[0] == '-';
        s.remove_prefix(1);
    }
    bool hex = false;
    if (s.starts_with("0x") || s.starts_with("0X")) {
        hex = true;
        s.remove_prefix(2);
    } else if (!s.empty() && (s[0] == '$' || s[0] == 'x' || s[0] == 'X')) {
        hex = true;
        s.remove_prefix(1);
    }
    if (s.empty()) return std::nullopt;
    const std::string_view digits = hex ? "0123456789abcdefABCDEF" : "0123456789";
    if (s.find_first_not_of(digits) != std::string_view::npos) return std::nullopt;
    const std::size_t first = s.find_first_not_of('0');
    const std::string_view significant = first == std::string_view::npos ? std::string_view("0") : s.substr(first);
    if (hex) {
        if (significant.size() > 8) return std::nullopt;
        std::uint32_t v = 0;
        for (char c : significant) v = v * 16 + static_cast<std::uint32_t>(std::stoi(std::string(1, c), nullptr, 16));
        return static_cast<std::int32_t>(negative ? 0u - v : v);
    }
    const std::string_view limit = negative ? "2147483648" : "2147483647";
    if (significant.size() > limit.size() || (significant.size() == limit.size() && significant > limit))
        return std::nullopt;
    const long long v = std::stoll(std::string(significant));
    return static_cast<std::int32_t>(negative ? -v : v);
}

inline std::string CheckInteger(std::string_view text) {
    const auto got = ParseInteger(text);
    const auto want = OracleInteger(text);
    if (got == want) return {};
    return "ParseInteger(\"" + std::string(text) + "\") = " + (got ? std::to_string(*got) : "none") +
           ", oracle says " + (want ? std::to_string(*want) : "none");
}

// INI: the input's first line names a section and a key, the rest is the file. Reading
// must not fail; writing a plain value must read back as written and leave every other
// name's value as it was.
inline std::string CheckIni(std::string_view input) {
    const std::size_t nl = input.find('\n');
    if (nl == std::string_view::npos) return {};
    const std::string_view head = input.substr(0, nl);
    const std::size_t eq = head.find('=');
    if (eq == std::string_view::npos) return {};
    auto clean = [](std::string_view s) {
        std::string out;
        for (char c : s)
            if (c != '\r' && c != '\n' && c != '\0' && c != '=' && c != '[' && c != ']' && c != ';' && c != ' ' &&
                c != '\t' && c != '\v' && c != '\f' && c != '"' && c != '\'')
                out += c;
        return out;
    };
    const std::string section = clean(head.substr(0, eq));
    const std::string key = clean(head.substr(eq + 1));
    if (section.empty() || key.empty()) return {};
    const std::string file(input.substr(nl + 1));

    auto same = [](std::string_view a, std::string_view b) {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i)
            if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
                return false;
        return true;
    };
    IniText text(file);
    const auto before = text.Read(section, key);
    const auto other = text.Read(section, "other");
    const auto elsewhere = text.Read("elsewhere", key);
    text.Write(section, key, "value-1");
    if (text.Read(section, key) != "value-1") return "written value does not read back";
    if (!same(key, "other") && text.Read(section, "other") != other) return "another key changed";
    if (!same(section, "elsewhere") && text.Read("elsewhere", key) != elsewhere) return "another section changed";
    (void)before;
    return {};
}

// BMP: the input is a whole file, read as the delivery reads it (the headers from its
// first bytes, the size from the file). An accepted layout must describe rows that lie
// inside the file, and converting every row must stay inside it and inside the colour
// table (the sanitizers watch). The first bytes also choose a size and depth whose
// written headers must parse back to the same layout.
inline std::string CheckBmp(std::string_view input) {
    const auto* data = reinterpret_cast<const std::uint8_t*>(input.data());
    const std::size_t head = std::min(input.size(), kBmpHeadersMaxSize);
    if (const auto layout = ParseBmpHeaders(data, head, input.size())) {
        if (layout->width <= 0 || layout->height <= 0) return "accepted a layout without pixels";
        if (layout->rowBytes != BmpRowBytes(layout->width, layout->bitsPerPixel)) return "row size disagrees";
        if (layout->pixelOffset + std::uint64_t{layout->rowBytes} * layout->height > input.size())
            return "rows run past the end of the file";
        if (layout->bitsPerPixel <= 8 && layout->colourTable.size() != (1u << layout->bitsPerPixel))
            return "colour table does not cover every pixel value";
        // Copies of exactly the row's bytes, so a read past a row is caught.
        std::vector<std::uint8_t> rgb(static_cast<std::size_t>(layout->width) * 3);
        for (int r = 0; r < layout->height; ++r) {
            const std::vector<std::uint8_t> row(data + layout->pixelOffset + std::size_t{layout->rowBytes} * r,
                                                data + layout->pixelOffset + std::size_t{layout->rowBytes} * (r + 1));
            BmpRowToRgb(*layout, row.data(), rgb.data());
        }
    }

    if (input.size() < 3) return {};
    static constexpr int kDepths[] = {1, 4, 8, 16, 24, 32};
    const int width = 1 + static_cast<std::uint8_t>(input[0]) % 64;
    const int height = 1 + static_cast<std::uint8_t>(input[1]) % 64;
    const int bits = kDepths[static_cast<std::uint8_t>(input[2]) % 6];
    std::vector<std::uint32_t> table;
    if (bits <= 8)
        for (std::uint32_t i = 0; i < (1u << bits); ++i) table.push_back(i * 0x010203u & 0xFFFFFF);
    std::vector<std::uint8_t> file = BmpHeaders(width, height, bits, table);
    const std::size_t offset = file.size();
    file.resize(offset + BmpRowBytes(width, bits) * height);
    const auto back = ParseBmpHeaders(file.data(), file.size(), file.size());
    if (!back) return "written headers do not parse";
    if (back->width != width || back->height != height || back->topDown || back->bitsPerPixel != bits ||
        back->pixelOffset != offset || back->colourTable != table)
        return "written headers parse to another layout";
    return {};
}

}  // namespace fuzzcheck
