// The portable code's copies of Win32 constants must equal the real ones.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include "common/Shortcut.h"

static_assert(kModAlt == MOD_ALT);
static_assert(kModControl == MOD_CONTROL);
static_assert(kModShift == MOD_SHIFT);
static_assert(kModWin == MOD_WIN);
static_assert(kHotKeyfShift == HOTKEYF_SHIFT);
static_assert(kHotKeyfControl == HOTKEYF_CONTROL);
static_assert(kHotKeyfAlt == HOTKEYF_ALT);
static_assert(kHotKeyfExt == HOTKEYF_EXT);

namespace {

TEST(Constants, HotKeyControlWordIsTheControlsOwnEncoding) {
    EXPECT_EQ(ToHotKeyControlWord(kShortcutCtrl | VK_F5), MAKEWORD(VK_F5, HOTKEYF_CONTROL));
    EXPECT_EQ(ToHotKeyControlWord(kShortcutShift | kShortcutAlt | 'A'), MAKEWORD('A', HOTKEYF_SHIFT | HOTKEYF_ALT));
}

}  // namespace
