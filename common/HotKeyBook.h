// The bookkeeping of the system-wide hot-key service, apart from the platform: each live
// registration holds the Shortcut value it was made for and a nonzero 16-bit index,
// unique among the live ones. The platform (RegisterHotKey and atoms on Windows, a fake
// in tests) is reached through HotKeyPlatform.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "Shortcut.h"

class HotKeyPlatform {
public:
    virtual ~HotKeyPlatform() = default;
    // A fresh nonzero index (an atom on Windows), or 0 when none can be had.
    virtual std::uint16_t NewIndex() = 0;
    virtual void FreeIndex(std::uint16_t index) = 0;
    virtual bool Register(std::uint16_t index, std::uint32_t modifiers, std::uint32_t virtualKey) = 0;
    virtual bool Unregister(std::uint16_t index) = 0;
};

class HotKeyBook {
public:
    explicit HotKeyBook(HotKeyPlatform& platform) : platform_(platform) {}
    ~HotKeyBook() { ReleaseAll(); }
    HotKeyBook(const HotKeyBook&) = delete;
    HotKeyBook& operator=(const HotKeyBook&) = delete;

    // Registers the combination: key = the low byte, modifiers from the Shift, Ctrl, Alt
    // and Windows bits and no other flag. The index, or 0 when the platform refuses.
    std::uint16_t Add(Shortcut value);
    // Releases the registration with that index (dropped from the book whatever the
    // platform answers) and registers the new value. An index not held - always so for
    // 0 - registers nothing and gives 0.
    std::uint16_t Change(std::uint16_t index, Shortcut value);
    // The value to report for a hot key the platform delivered, rebuilt from its
    // modifiers and key; nothing unless a registration holds exactly that value.
    std::optional<Shortcut> Pressed(std::uint32_t modifiers, std::uint32_t virtualKey) const;
    void ReleaseAll();

    std::size_t Count() const { return live_.size(); }

private:
    struct Registration {
        Shortcut value;
        std::uint16_t index;
    };
    void Release(const Registration& registration);

    HotKeyPlatform& platform_;
    std::vector<Registration> live_;
};
