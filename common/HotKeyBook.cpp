// The hot-key service's bookkeeping; see HotKeyBook.h.
#include "HotKeyBook.h"

#include <algorithm>

std::uint16_t HotKeyBook::Add(Shortcut value) {
    const std::uint16_t index = platform_.NewIndex();
    if (index == 0) return 0;
    const HotKeyRegistration r = ToHotKeyRegistration(value);
    if (!platform_.Register(index, r.modifiers, r.virtualKey)) {
        platform_.FreeIndex(index);
        return 0;
    }
    live_.push_back({value, index});
    return index;
}

std::uint16_t HotKeyBook::Change(std::uint16_t index, Shortcut value) {
    const auto found = std::find_if(live_.begin(), live_.end(), [&](const Registration& r) { return r.index == index; });
    if (index == 0 || found == live_.end()) return 0;
    const Registration old = *found;
    live_.erase(found);
    Release(old);
    return Add(value);
}

std::optional<Shortcut> HotKeyBook::Pressed(std::uint32_t modifiers, std::uint32_t virtualKey) const {
    const Shortcut value = FromHotKeyMessage(modifiers, virtualKey);
    for (const Registration& r : live_)
        if (r.value == value) return value;
    return std::nullopt;
}

void HotKeyBook::ReleaseAll() {
    for (const Registration& r : live_) Release(r);
    live_.clear();
}

void HotKeyBook::Release(const Registration& registration) {
    platform_.Unregister(registration.index);  // its answer changes nothing
    platform_.FreeIndex(registration.index);
}
