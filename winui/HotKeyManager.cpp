// The hot-key service; see HotKeyManager.h.
#include "HotKeyManager.h"

#include <string>

namespace winui {

namespace {
constexpr wchar_t kClassName[] = L"KestrowHotKeys";
}

HotKeyManager::HotKeyManager() : book_(*this) {}

HotKeyManager::~HotKeyManager() {
    book_.ReleaseAll();  // while the window that holds them still exists
}

void HotKeyManager::Create() {
    RegisterWindowClass(kClassName, 0, nullptr, nullptr);
    CreateHandle(kClassName, 0, 0, L"", 0, 0, 0, 0, HWND_MESSAGE);
}

std::uint16_t HotKeyManager::NewIndex() {
    // A global atom of a name of our own gives an identifier no other registration of
    // this process uses.
    const std::wstring name = L"KestrowHotKey" + std::to_wstring(GetCurrentProcessId()) + L"." +
                              std::to_wstring(++atoms_);
    return GlobalAddAtomW(name.c_str());
}

void HotKeyManager::FreeIndex(std::uint16_t index) {
    GlobalDeleteAtom(index);
}

bool HotKeyManager::Register(std::uint16_t index, std::uint32_t modifiers, std::uint32_t virtualKey) {
    return RegisterHotKey(Handle(), index, modifiers, virtualKey) != FALSE;
}

bool HotKeyManager::Unregister(std::uint16_t index) {
    return UnregisterHotKey(Handle(), index) != FALSE;
}

LRESULT HotKeyManager::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_HOTKEY) {
        const std::optional<Shortcut> value = book_.Pressed(LOWORD(lParam), HIWORD(lParam));
        if (value && OnHotKeyPressed) OnHotKeyPressed(*value, static_cast<std::uint16_t>(wParam));
        return 0;
    }
    return Default(message, wParam, lParam);
}

}  // namespace winui
