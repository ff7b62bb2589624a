// The Win32 layer's text conversions: GBK texts reach Windows as the right UTF-16
// whatever the system code page, and error texts lose their trailing blanks and stops.
#include <gtest/gtest.h>

#include "common/Texts.h"
#include "winui/Text.h"

namespace {

TEST(FromGbk, ConvertsThroughCodePage936WhateverTheSystemCodePage) {
    EXPECT_EQ(winui::FromGbk(texts::kInfoBoxTitle), L"\u4fe1\u606f\u6846");  // 信息框
    EXPECT_EQ(winui::FromGbk(texts::kAppTitle), L"Quillen\u7b80\u4f53\u4e2d\u6587\u514d\u8d39\u7248V5.02.03");
    EXPECT_EQ(winui::FromGbk(""), L"");
    EXPECT_EQ(winui::FromGbk("kestrow.ini"), L"kestrow.ini");
}

TEST(ToGbk, IsTheInverseForEveryText) {
    for (const char* text : {texts::kAlreadyRunning, texts::kQualityKey, texts::kHotKeyRefused, texts::kMenuOpen})
        EXPECT_EQ(winui::ToGbk(winui::FromGbk(text)), text);
    for (const char* line : texts::kHelpLines) EXPECT_EQ(winui::ToGbk(winui::FromGbk(line)), line);
}

TEST(SystemErrorText, DropsTrailingBlanksAndFullStops) {
    const std::wstring text = winui::SystemErrorText(ERROR_FILE_NOT_FOUND);
    ASSERT_FALSE(text.empty());
    EXPECT_NE(text.back(), L'.');
    EXPECT_NE(text.back(), L' ');
    EXPECT_NE(text.back(), L'\n');
    EXPECT_EQ(winui::SystemErrorText(0x2FFFFFFF), L"");
}

}  // namespace
