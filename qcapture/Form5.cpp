// The capture window; see Form5.h.
#include "Form5.h"

#include "common/Texts.h"
#include "winui/Text.h"

TForm5* Form5 = nullptr;

namespace {
constexpr wchar_t kClassName[] = L"TForm5";
}

void TForm5::Build() {
    RegisterWindowClass(kClassName, 0, nullptr, GetSysColorBrush(COLOR_BTNFACE));
    // The restored placement is never seen (the window is only shown maximised), but it
    // lies on the primary screen, which makes that the screen it maximises onto.
    CreateFormWindow(kClassName, WS_EX_TOPMOST, WS_POPUP, winui::FromGbk(texts::kCaptureCaption),
                     {.left = 439, .top = 348, .clientWidth = 186, .clientHeight = 127, .centreOnFirstShow = false});
}
