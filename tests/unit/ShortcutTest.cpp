// The three views of a Shortcut value: what the hot-key box keeps, the hot-key control's
// word (Shift and Alt swapped relative to RegisterHotKey), and RegisterHotKey/WM_HOTKEY.
#include <gtest/gtest.h>

#include "common/Shortcut.h"

namespace {

TEST(Shortcut, DefaultIsCtrlQ) {
    EXPECT_EQ(kDefaultCaptureShortcut, 16465u);
}

TEST(Shortcut, HotKeyBoxKeepsKeyAndShiftCtrlAltOnly) {
    struct {
        std::uint32_t given;
        Shortcut kept;
    } cases[] = {
        {16465, 16465},
        {16465 + 65536, 16465},         // the Windows-key bit never arrives
        {0x4051 | 0x1F00, 0x4051},      // bits 8-12 are ignored
        {0xFFFFFFFF, 0xE0FF},
        {0x8077, 0x8077},               // Alt+F8 = 32887
        {0, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(HotKeyBoxValue(c.given), c.kept) << std::hex << c.given;
}

TEST(Shortcut, HotKeyControlWordSwapsShiftAndAlt) {
    struct {
        Shortcut value;
        std::uint16_t word;
    } cases[] = {
        {kShortcutCtrl | 'Q', 0x0251},
        {kShortcutShift | 0x74, 0x0174},
        {kShortcutAlt | 0x74, 0x0474},
        {kShortcutShift | kShortcutCtrl | kShortcutAlt | 0x41, 0x0741},
        {0x41, 0x0041},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToHotKeyControlWord(c.value), c.word) << std::hex << c.value;
        EXPECT_EQ(FromHotKeyControlWord(c.word), c.value) << std::hex << c.word;
    }
    // The control's extended-key flag is dropped on the way back.
    EXPECT_EQ(FromHotKeyControlWord(0x0A2E), kShortcutCtrl | 0x2E);
}

TEST(Shortcut, RegistrationSwapsShiftAndAltTheOtherWay) {
    struct {
        Shortcut value;
        std::uint32_t modifiers;
        std::uint32_t key;
    } cases[] = {
        {0x4051, kModControl, 'Q'},
        {0x2000 | 0x74, kModShift, 0x74},
        {0x8000 | 0x77, kModAlt, 0x77},
        {0x10000 | 0x4000 | 0x41, kModWin | kModControl, 0x41},
        {0x1E000 | 0x20, kModWin | kModAlt | kModControl | kModShift, 0x20},
        {0, 0, 0},
    };
    for (const auto& c : cases) {
        const HotKeyRegistration r = ToHotKeyRegistration(c.value);
        EXPECT_EQ(r.modifiers, c.modifiers) << std::hex << c.value;
        EXPECT_EQ(r.virtualKey, c.key) << std::hex << c.value;
        EXPECT_EQ(FromHotKeyMessage(c.modifiers, c.key), c.value) << std::hex << c.value;
    }
    // WM_HOTKEY may carry MOD_NOREPEAT and other bits; only the four modifiers count.
    EXPECT_EQ(FromHotKeyMessage(kModControl | 0x4000, 'Q'), 0x4051u);
}

}  // namespace
