// The system's texts: each GBK constant must decode to exactly the text the users know,
// and the settings keys must keep the bytes that existing settings files hold.
#include <gtest/gtest.h>

#include <string>

#include "common/Texts.h"
#include "support/Gbk.h"

namespace {

std::string Utf8(const char8_t* s) {
    return std::string(reinterpret_cast<const char*>(s));
}

struct Row {
    const char* gbk;
    const char8_t* utf8;
};

const Row kRows[] = {
    {texts::kMutexName, u8"kestrow_vrem"},
    {texts::kAppTitle, u8"Quillen简体中文免费版V5.02.03"},
    {texts::kSettingsCaption, u8"Quillen简体中文免费版V5.02.05"},
    {texts::kTrayHint, u8"Quillen简体中文免费版V3.02.29"},
    {texts::kCaptureCaption, u8"Form5"},
    {texts::kInfoBoxTitle, u8"信息框"},
    {texts::kAlreadyRunning, u8"截图工具已经打开了,隐藏在任务栏的右边!"},
    {texts::kQualityEmpty, u8"必须输入图片质量!"},
    {texts::kQualityNotInteger, u8"必须输入整数类型的图片质量!"},
    {texts::kQualityOutOfRange, u8"输入的图片质量应在0到100之间!"},
    {texts::kUnknownHotKey, u8"未知的热键!"},
    {texts::kHotKeyRefused, u8"截图热键注册失败,可能已被其他程序占用,请换一个热键!"},
    {texts::kHotKeyLabel, u8"截图热键"},
    {texts::kQualityLabel, u8"图片质量"},
    {texts::kHideAtStartBox, u8"启动时直接隐藏在任务栏中"},
    {texts::kHomepageButton, u8"作者主页"},
    {texts::kCaptureButton, u8"截图&N"},
    {texts::kSaveButton, u8"保存&Y"},
    {texts::kExitButton, u8"退出&Q"},
    {texts::kMenuOpen, u8"打开(&O)"},
    {texts::kMenuExit, u8"退出(&Q)"},
    {texts::kIniFileName, u8"kestrow.ini"},
    {texts::kQualitySection, u8"jtzl"},
    {texts::kQualityKey, u8"截图质量"},
    {texts::kHotKeySection, u8"HotKey2"},
    {texts::kHotKeyKey, u8"截图热键"},
    {texts::kHideSection, u8"yincang"},
    {texts::kHideKey, u8"隐藏"},
    {texts::kDefaultQuality, u8"50"},
    {texts::kHelpLines[0], u8"1、此为截取屏幕任意区域的截图工具,图片保存为JPG格式。"},
    {texts::kHelpLines[1], u8"2、直接按[截图]按钮进行截图,按完后,仅需单击一下要截的图的起"},
    {texts::kHelpLines[2], u8"始点,然后移动鼠标到终点,再单击一下即可弹出另存为对话框,输入"},
    {texts::kHelpLines[3], u8"名称与地址后按[保存]按钮即完成保存所截的图片(JPG格式)。"},
    {texts::kHelpLines[4], u8"3、直接按[保存]按钮后,此截图工具将会被隐藏,这时可以按截图热"},
    {texts::kHelpLines[5], u8"键进行截图操作,简单方便!"},
    {texts::kHelpLines[6], u8"4、可以手动设置截图热键与图片质量,图片质量可以输入0到100的数"},
    {texts::kHelpLines[7], u8"值,数值越大,图片越清晰,但容量会越大,一般情况下,图片质量选择在"},
    {texts::kHelpLines[8], u8"50左右。"},};

TEST(Texts, EveryTextDecodesToItsWording) {
    for (const Row& row : kRows) EXPECT_EQ(GbkToUtf8(row.gbk), Utf8(row.utf8));
}

TEST(Texts, SettingsKeysKeepTheirStoredBytes) {
    EXPECT_STREQ(texts::kQualityKey, "\xBD\xD8\xCD\xBC\xD6\xCA\xC1\xBF");
    EXPECT_STREQ(texts::kHotKeyKey, "\xBD\xD8\xCD\xBC\xC8\xC8\xBC\xFC");
    EXPECT_STREQ(texts::kHideKey, "\xD2\xFE\xB2\xD8");
    EXPECT_STREQ(texts::kQualitySection, "jtzl");
    EXPECT_STREQ(texts::kHotKeySection, "HotKey2");
    EXPECT_STREQ(texts::kHideSection, "yincang");
    EXPECT_STREQ(texts::kIniFileName, "kestrow.ini");
}

TEST(Texts, HelpTextUsesAsciiPunctuationExceptTheIdeographicCommaAndStop) {
    // "、" and "。" are the ideographic marks; the commas, brackets, parentheses and the
    // exclamation mark are ASCII, so no full-width form may slip in.
    for (const char* line : texts::kHelpLines) {
        const std::string text = GbkToUtf8(line);
        for (const char* fullWidth : {"\xEF\xBC\x8C", "\xEF\xBC\x81", "\xEF\xBC\x88", "\xEF\xBC\x89", "\xEF\xBC\xBB"})
            EXPECT_EQ(text.find(fullWidth), std::string::npos) << text;
    }
    EXPECT_EQ(std::size(texts::kHelpLines), 9u);
}

}  // namespace
