// The settings window; see Form2.h.
#include "Form2.h"

#include "common/Texts.h"
#include "winui/Text.h"

TForm2* Form2 = nullptr;

namespace {
constexpr wchar_t kClassName[] = L"TForm2";
// A fixed dialog frame whose only border icon is the close box.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | DS_MODALFRAME;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CONTROLPARENT;
}  // namespace

void TForm2::Build() {
    RegisterWindowClass(kClassName, 0, nullptr, GetSysColorBrush(COLOR_BTNFACE));
    CreateFormWindow(kClassName, kExStyle, kStyle, winui::FromGbk(texts::kSettingsCaption),
                     {.left = 0, .top = 0, .clientWidth = 407, .clientHeight = 298, .centreOnFirstShow = true});
    FormCreate();
}

void TForm2::FormCreate() {
    // Failures while the window is created are swallowed: the window must come up even
    // when its settings cannot be loaded.
    try {
        Show();
    } catch (...) {
    }
}

LRESULT TForm2::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return Form::OnMessage(message, wParam, lParam);
}
