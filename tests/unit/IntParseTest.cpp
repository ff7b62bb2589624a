// The integer conversion: every accepted form, every class of rejected text, both range
// edges in decimal and hexadecimal.
#include <gtest/gtest.h>

#include <optional>

#include "common/IntParse.h"

namespace {

struct Case {
    const char* text;
    std::optional<std::int32_t> want;
};

const Case kCases[] = {
    // decimal, signs, leading spaces and zeros
    {"0", 0},
    {"16465", 16465},
    {"+50", 50},
    {"-1", -1},
    {"-0", 0},
    {"050", 50},
    {"0000000000000000000000007", 7},
    {"   50", 50},
    {" -12", -12},
    // decimal range edges
    {"2147483647", 2147483647},
    {"-2147483648", INT32_MIN},
    {"2147483648", std::nullopt},
    {"-2147483649", std::nullopt},
    {"99999999999999999999", std::nullopt},
    // the five hexadecimal prefixes, digits in either case
    {"$4051", 16465},
    {"x4051", 16465},
    {"X4051", 16465},
    {"0x4051", 16465},
    {"0X4051", 16465},
    {"$aBcD", 0xABCD},
    {"$64", 100},
    {"0x65", 101},
    {"-$1", -1},
    {"+$10", 16},
    {"  $10", 16},
    // hexadecimal uses all 32 bits as two's complement; "-" negates modulo 2^32
    {"$7FFFFFFF", 2147483647},
    {"$80000000", INT32_MIN},
    {"$FFFFFFFF", -1},
    {"-$FFFFFFFF", 1},
    {"-$80000000", INT32_MIN},
    {"$000000000FFFFFFFF", -1},
    {"$100000000", std::nullopt},
    // empty, blanks only, lone sign or prefix
    {"", std::nullopt},
    {"   ", std::nullopt},
    {"+", std::nullopt},
    {"-", std::nullopt},
    {"$", std::nullopt},
    {"0x", std::nullopt},
    {"-x", std::nullopt},
    // anything after the digits, not even a blank
    {"50 ", std::nullopt},
    {"16465abc", std::nullopt},
    {"16465 x", std::nullopt},
    {"5.5", std::nullopt},
    {"$12G", std::nullopt},
    // other characters and misplaced parts
    {"abc", std::nullopt},
    {"\t5", std::nullopt},
    {"+-5", std::nullopt},
    {"--5", std::nullopt},
    {"- 5", std::nullopt},
    {"$-5", std::nullopt},
    {"00x10", std::nullopt},
    {"0x0x1", std::nullopt},
    {"1e3", std::nullopt},
    {"\xA3\xB5", std::nullopt},  // a full-width digit five in GBK
};

TEST(ParseInteger, AcceptsExactlyTheDocumentedForms) {
    for (const Case& c : kCases) {
        EXPECT_EQ(ParseInteger(c.text), c.want) << "text: \"" << c.text << "\"";
    }
}

TEST(ParseInteger, StopsAtAnEmbeddedNul) {
    // The conversion sees the whole view, so a NUL is just another rejected character.
    EXPECT_EQ(ParseInteger(std::string_view("12\0" "3", 4)), std::nullopt);
}

}  // namespace
