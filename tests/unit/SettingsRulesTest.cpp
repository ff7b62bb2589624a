// The settings window's rules: the quality check table, the homepage address cleaning,
// the date gate on both sides of 2018-04-22/23, and the arrangement of the window's
// aligned controls at full and shortened height.
#include <gtest/gtest.h>

#include <string>

#include "common/Texts.h"
#include "resources/Form2Layout.h"
#include "setkey/SettingsRules.h"

namespace {

TEST(CheckQuality, GivesTheFirstFailingTestOrOk) {
    struct {
        const char* text;
        QualityCheck want;
    } cases[] = {
        {"", QualityCheck::kEmpty},
        {"abc", QualityCheck::kNotInteger},
        {"5.5", QualityCheck::kNotInteger},
        {"50 ", QualityCheck::kNotInteger},
        {" ", QualityCheck::kNotInteger},
        {"2147483648", QualityCheck::kNotInteger},  // outside 32 bits, so not an integer at all
        {"-1", QualityCheck::kOutOfRange},
        {"101", QualityCheck::kOutOfRange},
        {"0x65", QualityCheck::kOutOfRange},
        {"-2147483648", QualityCheck::kOutOfRange},
        {"0", QualityCheck::kOk},
        {"100", QualityCheck::kOk},
        {"050", QualityCheck::kOk},
        {"+50", QualityCheck::kOk},
        {"-0", QualityCheck::kOk},
        {"$64", QualityCheck::kOk},
        {"  50", QualityCheck::kOk},
    };
    for (const auto& c : cases) EXPECT_EQ(CheckQuality(c.text), c.want) << "\"" << c.text << "\"";
    EXPECT_STREQ(QualityMessage(QualityCheck::kEmpty), texts::kQualityEmpty);
    EXPECT_STREQ(QualityMessage(QualityCheck::kNotInteger), texts::kQualityNotInteger);
    EXPECT_STREQ(QualityMessage(QualityCheck::kOutOfRange), texts::kQualityOutOfRange);
}

TEST(CleanAddress, RemovesEveryFillerSearchingFromTheStartEachTime) {
    EXPECT_EQ(CleanAddress(kStoredHomepage, kHomepageFiller), "http://www.kestrow.example/");
    EXPECT_EQ(std::string(kHomepageFiller).size(), 5u);
    EXPECT_EQ(std::string("http://www.kestrow.example/").find(kHomepageFiller), std::string::npos);
    // A token made whole by an earlier deletion is deleted too.
    EXPECT_EQ(CleanAddress("a#q~#q~Z!Z!b", "#q~Z!"), "ab");
    EXPECT_EQ(CleanAddress("plain", "#q~Z!"), "plain");
}

TEST(DateGate, ShortensOnAndBefore2018_04_22Only) {
    EXPECT_EQ(DaySerial(1899, 12, 30), 0);
    EXPECT_EQ(DaySerial(1900, 1, 1), 2);
    EXPECT_EQ(DaySerial(1900, 3, 1), 61);  // 1900 was no leap year
    EXPECT_EQ(DaySerial(2018, 4, 22), 43212);
    EXPECT_EQ(DaySerial(2018, 4, 23), 43213);
    EXPECT_EQ(DaySerial(2026, 12, 11), 46367);
    EXPECT_TRUE(ShortenedOn(2018, 4, 22));
    EXPECT_TRUE(ShortenedOn(2000, 1, 1));
    EXPECT_TRUE(ShortenedOn(1899, 12, 30));
    EXPECT_FALSE(ShortenedOn(2018, 4, 23));
    EXPECT_FALSE(ShortenedOn(2026, 12, 11));
}

TEST(Form2Layout, AlignedControlsAtFullAndShortenedHeight) {
    // Full height: help text, panel, banner at the bottom.
    auto full = ArrangeChildren(form2::kControls, form2::kForm, 407, 298);
    ASSERT_EQ(full.size(), 3u);
    EXPECT_EQ(full[0], (DesignRect{0, 0, 407, 141}));
    EXPECT_EQ(full[1], (DesignRect{0, 141, 407, 96}));
    EXPECT_EQ(full[2], (DesignRect{0, 238, 407, 60}));

    // Shortened by 63: the banner moves to 175..235, wholly under the panel (141..237).
    auto shortened = ArrangeChildren(form2::kControls, form2::kForm, 407, 298 - form2::kShortenedBy);
    EXPECT_EQ(shortened[1], (DesignRect{0, 141, 407, 96}));
    EXPECT_EQ(shortened[2], (DesignRect{0, 175, 407, 60}));

    // The panel's own controls keep their bounds.
    auto inPanel = ArrangeChildren(form2::kControls, form2::kPanel1, 407, 96);
    EXPECT_EQ(inPanel[0], (DesignRect{232, 3, 49, 23}));  // Edit1
}

TEST(Form2Layout, TabOrderFollowsCreationOrderInEachParent) {
    for (int parent : {static_cast<int>(form2::kForm), static_cast<int>(form2::kPanel1)}) {
        int next = 0;
        for (const ControlDescription& c : form2::kControls) {
            if (c.parentId != parent || c.tabOrder < 0) continue;
            EXPECT_EQ(c.tabOrder, next++) << c.name;
        }
    }
}

}  // namespace
