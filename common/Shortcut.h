// A key combination as one number, the form in which the hot-key box, the settings file
// and the hot-key service exchange it: bits 0-7 the virtual-key code, 0x2000 Shift,
// 0x4000 Ctrl, 0x8000 Alt, 0x10000 the Windows key. The box sees only the low 16 bits.
// The Win32 constants these map to are pinned by static_asserts on the Windows side.
#pragma once

#include <cstdint>

using Shortcut = std::uint32_t;

inline constexpr Shortcut kShortcutShift = 0x2000;
inline constexpr Shortcut kShortcutCtrl = 0x4000;
inline constexpr Shortcut kShortcutAlt = 0x8000;
inline constexpr Shortcut kShortcutWin = 0x10000;
inline constexpr Shortcut kShortcutKeyMask = 0xFF;

// Ctrl+Q: the capture hot key when the settings file holds none.
inline constexpr Shortcut kDefaultCaptureShortcut = kShortcutCtrl | 'Q';  // 16465

// RegisterHotKey's modifier flags (MOD_*).
inline constexpr std::uint32_t kModAlt = 0x1;
inline constexpr std::uint32_t kModControl = 0x2;
inline constexpr std::uint32_t kModShift = 0x4;
inline constexpr std::uint32_t kModWin = 0x8;

// The hot-key control's modifier flags (HOTKEYF_*). Shift and Alt sit the other way
// round from the MOD_* flags.
inline constexpr std::uint8_t kHotKeyfShift = 0x1;
inline constexpr std::uint8_t kHotKeyfControl = 0x2;
inline constexpr std::uint8_t kHotKeyfAlt = 0x4;
inline constexpr std::uint8_t kHotKeyfExt = 0x8;

// What the hot-key box keeps of a value it is given: the key byte and the Shift, Ctrl
// and Alt bits. Bits 8-12 and everything above bit 15 (the Windows key too) are lost.
Shortcut HotKeyBoxValue(std::uint32_t value);

// The hot-key control's HKM_SETHOTKEY word for a value, and a value from its
// HKM_GETHOTKEY word (the extended-key flag dropped).
std::uint16_t ToHotKeyControlWord(Shortcut value);
Shortcut FromHotKeyControlWord(std::uint16_t word);

// The RegisterHotKey arguments for a value, and the value a WM_HOTKEY reports.
struct HotKeyRegistration {
    std::uint32_t modifiers;
    std::uint32_t virtualKey;
};
HotKeyRegistration ToHotKeyRegistration(Shortcut value);
Shortcut FromHotKeyMessage(std::uint32_t modifiers, std::uint32_t virtualKey);
