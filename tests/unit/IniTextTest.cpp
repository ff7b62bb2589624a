// Reading and editing INI text by the private-profile rules. The Windows tests check the
// same rules against the system's own private-profile functions.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "common/IniText.h"

namespace {

struct ReadCase {
    const char* text;
    const char* section;
    const char* key;
    std::optional<std::string> want;
};

const ReadCase kReads[] = {
    // names: case-insensitive, trimmed; sections inside brackets trimmed too
    {"[s]\r\nk=v\r\n", "s", "k", "v"},
    {"[S]\r\nK=v\r\n", "s", "k", "v"},
    {"  [ s ]  \r\n  k  =  v \r\n", "s", "k", "v"},
    {"[s]\r\n\tk\t=\tv\t\r\n", "s", "k", "v"},
    {"[s]\r\nk=\v50\f\r\n", "s", "k", "50"},
    // line ends: CR LF, LF alone, CR alone, none at the end
    {"[s]\nk=lf\n", "s", "k", "lf"},
    {"[s]\rk=cr\r", "s", "k", "cr"},
    {"[s]\r\nk=last", "s", "k", "last"},
    // missing section, key, file content; present but empty
    {"", "s", "k", std::nullopt},
    {"[t]\r\nk=v\r\n", "s", "k", std::nullopt},
    {"[s]\r\nj=v\r\n", "s", "k", std::nullopt},
    {"[s]\r\nk=\r\n", "s", "k", ""},
    {"[s]\r\nk=   \r\n", "s", "k", ""},
    {"[s]\r\nk\r\n", "s", "k", std::nullopt},  // a key without "=" has no value
    // duplicates: the first section and the first key count
    {"[s]\r\nk=first\r\nk=second\r\n", "s", "k", "first"},
    {"[s]\r\nk=first\r\n[s]\r\nk=second\r\nj=two\r\n", "s", "k", "first"},
    {"[s]\r\nk=first\r\n[s]\r\nk=second\r\nj=two\r\n", "s", "j", std::nullopt},
    // section headers: the last "]" closes; text after it is ignored; no "]" is no header
    {"[s]x\r\nk=v\r\n", "s", "k", "v"},
    {"[s]]\r\nk=v\r\n", "s]", "k", "v"},
    {"[s\r\nk=v\r\n", "s", "k", std::nullopt},
    {"x[s]\r\nk=v\r\n", "s", "k", std::nullopt},
    {"[s]\r\n[t]\r\nk=v\r\n", "s", "k", std::nullopt},
    // ";" is no comment marker: it is part of a key name
    {"[s]\r\n;k=v\r\nk=w\r\n", "s", "k", "w"},
    {"[s]\r\n;k=v\r\n", "s", ";k", "v"},
    // values: the first "=" splits; matching quotes are removed; a NUL ends the value
    {"[s]\r\nk=a=b\r\n", "s", "k", "a=b"},
    {"[s]\r\nk=\"quoted\"\r\n", "s", "k", "quoted"},
    {"[s]\r\nk='single'\r\n", "s", "k", "single"},
    {"[s]\r\n k =\"  q  \" \r\n", "s", "k", "  q  "},
    {"[s]\r\nk=\"\"\r\n", "s", "k", ""},
    {"[s]\r\nk=\"a\"b\"\r\n", "s", "k", "a\"b"},
    {"[s]\r\nk=\"half\r\n", "s", "k", "\"half"},
    {"[s]\r\nk=\"x'\r\n", "s", "k", "\"x'"},
    {"[s]\r\nk=\"\r\n", "s", "k", "\""},
    // GBK names and values are plain bytes; the ideographic space is no blank
    {"[jtzl]\r\n\xBD\xD8\xCD\xBC\xD6\xCA\xC1\xBF=50\r\n", "JTZL", "\xBD\xD8\xCD\xBC\xD6\xCA\xC1\xBF", "50"},
    {"[s]\r\nk=\xA1\xA1" "50\xA1\xA1\r\n", "s", "k", "\xA1\xA1" "50\xA1\xA1"},
    {"[s]\r\n\xA1\xA1k=v\r\n", "s", "k", std::nullopt},
    {"[s]\r\nk=\x80\xFF\r\n", "s", "k", "\x80\xFF"},
};

TEST(IniTextRead, FollowsThePrivateProfileRules) {
    for (const ReadCase& c : kReads) {
        EXPECT_EQ(IniText(c.text).Read(c.section, c.key), c.want) << "text: " << c.text << " key: " << c.key;
    }
}

TEST(IniTextRead, ANulEndsTheValue) {
    EXPECT_EQ(IniText(std::string("[s]\r\nk=v\0hidden\r\n", 17)).Read("s", "k"), "v");
}

TEST(IniTextWrite, NewFileHasSectionsInWriteOrderWithCrLfAndNoBlankLines) {
    IniText text;
    text.Write("jtzl", "q", "50");
    text.Write("HotKey2", "h", "16465");
    text.Write("yincang", "y", "0");
    EXPECT_EQ(text.Bytes(), "[jtzl]\r\nq=50\r\n[HotKey2]\r\nh=16465\r\n[yincang]\r\ny=0\r\n");
}

TEST(IniTextWrite, EditsInPlaceAndKeepsEveryOtherLine) {
    struct {
        const char* before;
        const char* section;
        const char* key;
        const char* value;
        const char* after;
    } cases[] = {
        // the first matching key is replaced; comments, blank lines and spacing of other lines stay
        {"; mine\r\n[s]\r\n  other = 1 \r\n\r\nk=old\r\n\r\n[t]\r\nx=1\r\n", "s", "k", "new",
         "; mine\r\n[s]\r\n  other = 1 \r\n\r\nk=new\r\n\r\n[t]\r\nx=1\r\n"},
        {"[S]\r\nK=old\r\n", "s", "k", "new", "[S]\r\nk=new\r\n"},
        {"[s]\r\nk=1\r\n[s]\r\nk=2\r\n", "s", "k", "new", "[s]\r\nk=new\r\n[s]\r\nk=2\r\n"},
        {"[s]\r\nk\r\n", "s", "k", "v", "[s]\r\nk=v\r\n"},
        // a missing key goes after the section's last line, before its trailing blank lines
        {"[s]\r\na=1\r\n\r\n[t]\r\nx=1\r\n", "s", "k", "v", "[s]\r\na=1\r\nk=v\r\n\r\n[t]\r\nx=1\r\n"},
        {"[s]\r\n\r\n[t]\r\n", "s", "k", "v", "[s]\r\nk=v\r\n\r\n[t]\r\n"},
        {"[t]\r\nx=1\r\n[s]", "s", "k", "v", "[t]\r\nx=1\r\n[s]\r\nk=v\r\n"},
        // a missing section goes at the end; every line end becomes CR LF
        {"[t]\nx=1\rk=2", "s", "k", "v", "[t]\r\nx=1\r\nk=2\r\n[s]\r\nk=v\r\n"},
        {"\r\n\r\n", "s", "k", "v", "\r\n\r\n[s]\r\nk=v\r\n"},
    };
    for (const auto& c : cases) {
        IniText text(c.before);
        text.Write(c.section, c.key, c.value);
        EXPECT_EQ(text.Bytes(), c.after) << "before: " << c.before;
    }
}

TEST(TruncateGbk, NeverSplitsADoubleByteCharacter) {
    EXPECT_EQ(TruncateGbk("abc", 5), "abc");
    EXPECT_EQ(TruncateGbk("abcdef", 4), "abcd");
    EXPECT_EQ(TruncateGbk("a\xD6\xCA\xD6\xCA", 4), "a\xD6\xCA");
    EXPECT_EQ(TruncateGbk("\xD6\xCA\xD6\xCA", 3), "\xD6\xCA");
    EXPECT_EQ(TruncateGbk("\xD6\xCA\xD6\xCA", 4), "\xD6\xCA\xD6\xCA");
}

}  // namespace
