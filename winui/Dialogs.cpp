// Modal message boxes; see Dialogs.h.
#include "Dialogs.h"

#include <windows.h>

#include "App.h"
#include "Modal.h"
#include "Text.h"
#include "common/Texts.h"

namespace winui {

namespace {

void ModalBox(const std::wstring& caption, const std::wstring& text, UINT icon) {
    // Owned by the active window of the program, so that it comes back active (with its
    // focus) when the box closes; by the application window when none is active.
    HWND owner = GetActiveWindow();
    if (!owner) owner = Application().Handle();
    ThreadWindowsDisabled disabled(owner);
    MessageBoxW(owner, text.c_str(), caption.c_str(), MB_OK | icon | (owner ? 0 : MB_TASKMODAL));
}

}  // namespace

void InformationBox(std::string_view gbkText) {
    ModalBox(FromGbk(texts::kInfoBoxTitle), FromGbk(gbkText), MB_ICONINFORMATION);
}

void ErrorBox(const std::wstring& caption, const std::wstring& text) {
    ModalBox(caption, text, MB_ICONERROR);
}

}  // namespace winui
