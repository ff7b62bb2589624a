// The system-wide hot-key service: a hidden message-only window receiving WM_HOTKEY,
// registrations indexed by global atoms, the pressed event raised only for combinations
// it registered, and every registration released (atoms deleted) when it is destroyed.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "Window.h"
#include "common/HotKeyBook.h"

namespace winui {

class HotKeyManager : public Window, private HotKeyPlatform {
public:
    HotKeyManager();
    ~HotKeyManager() override;

    void Create();
    std::uint16_t AddHotKey(Shortcut value) { return book_.Add(value); }
    std::uint16_t ChangeHotKey(std::uint16_t index, Shortcut value) { return book_.Change(index, value); }

    // The pressed event: the combination's value and the index the system reported.
    std::function<void(Shortcut value, std::uint16_t index)> OnHotKeyPressed;

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::uint16_t NewIndex() override;
    void FreeIndex(std::uint16_t index) override;
    bool Register(std::uint16_t index, std::uint32_t modifiers, std::uint32_t virtualKey) override;
    bool Unregister(std::uint16_t index) override;

    HotKeyBook book_;
    unsigned atoms_ = 0;
};

}  // namespace winui
