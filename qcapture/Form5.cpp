// The capture window; see Form5.h.
#include "Form5.h"

#include "common/Failure.h"
#include "common/Texts.h"
#include "winui/Text.h"

TForm5* Form5 = nullptr;

namespace {
constexpr wchar_t kClassName[] = L"TForm5";
constexpr UINT_PTR kTimer1 = 1;
constexpr UINT kTimer1Interval = 300;
}  // namespace

void TForm5::Build() {
    RegisterWindowClass(kClassName, 0, nullptr, GetSysColorBrush(COLOR_BTNFACE));
    // The restored placement is never seen (the window is only shown maximised), but it
    // lies on the primary screen, which makes that the screen it maximises onto.
    CreateFormWindow(kClassName, WS_EX_TOPMOST, WS_POPUP, winui::FromGbk(texts::kCaptureCaption),
                     {.left = 439, .top = 348, .clientWidth = 186, .clientHeight = 127, .centreOnFirstShow = false});
}

void TForm5::EnableTimer1() {
    if (timer1Enabled_) return;  // the pending snapshot keeps its time
    if (!SetTimer(Handle(), kTimer1, kTimer1Interval, nullptr)) throw Failure(L"Not enough timers available");
    timer1Enabled_ = true;
}

void TForm5::Timer1Timer() {
    KillTimer(Handle(), kTimer1);
    timer1Enabled_ = false;
    ShowWindow(Handle(), SW_SHOWMAXIMIZED);
}

LRESULT TForm5::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == kTimer1) {
        Timer1Timer();
        return 0;
    }
    return Form::OnMessage(message, wParam, lParam);
}
