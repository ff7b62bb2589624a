// Conversions between the three views of a Shortcut value; see Shortcut.h.
#include "Shortcut.h"

Shortcut HotKeyBoxValue(std::uint32_t value) {
    return value & (kShortcutKeyMask | kShortcutShift | kShortcutCtrl | kShortcutAlt);
}

std::uint16_t ToHotKeyControlWord(Shortcut value) {
    std::uint8_t flags = 0;
    if (value & kShortcutShift) flags |= kHotKeyfShift;
    if (value & kShortcutCtrl) flags |= kHotKeyfControl;
    if (value & kShortcutAlt) flags |= kHotKeyfAlt;
    return static_cast<std::uint16_t>((flags << 8) | (value & kShortcutKeyMask));
}

Shortcut FromHotKeyControlWord(std::uint16_t word) {
    const std::uint8_t flags = static_cast<std::uint8_t>(word >> 8);
    Shortcut value = word & kShortcutKeyMask;
    if (flags & kHotKeyfShift) value |= kShortcutShift;
    if (flags & kHotKeyfControl) value |= kShortcutCtrl;
    if (flags & kHotKeyfAlt) value |= kShortcutAlt;
    return value;
}

HotKeyRegistration ToHotKeyRegistration(Shortcut value) {
    std::uint32_t modifiers = 0;
    if (value & kShortcutShift) modifiers |= kModShift;
    if (value & kShortcutCtrl) modifiers |= kModControl;
    if (value & kShortcutAlt) modifiers |= kModAlt;
    if (value & kShortcutWin) modifiers |= kModWin;
    return {modifiers, value & kShortcutKeyMask};
}

Shortcut FromHotKeyMessage(std::uint32_t modifiers, std::uint32_t virtualKey) {
    Shortcut value = virtualKey & kShortcutKeyMask;
    if (modifiers & kModShift) value |= kShortcutShift;
    if (modifiers & kModControl) value |= kShortcutCtrl;
    if (modifiers & kModAlt) value |= kShortcutAlt;
    if (modifiers & kModWin) value |= kShortcutWin;
    return value;
}
