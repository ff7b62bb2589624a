// The capture window; see Form5.h.
#include "Form5.h"

#include "common/Failure.h"
#include "common/Texts.h"
#include "winui/Text.h"

TForm5* Form5 = nullptr;
CaptureState Capture;

namespace {
constexpr wchar_t kClassName[] = L"TForm5";
constexpr UINT_PTR kTimer1 = 1;
constexpr UINT kTimer1Interval = 300;
constexpr int kImage1Id = 1;
}  // namespace

void TForm5::Build() {
    RegisterWindowClass(kClassName, 0, nullptr, GetSysColorBrush(COLOR_BTNFACE));
    // The restored placement is never seen (the window is only shown maximised), but it
    // lies on the primary screen, which makes that the screen it maximises onto.
    CreateFormWindow(kClassName, WS_EX_TOPMOST, WS_POPUP | WS_CLIPCHILDREN, winui::FromGbk(texts::kCaptureCaption),
                     {.left = 439, .top = 348, .clientWidth = 186, .clientHeight = 127, .centreOnFirstShow = false});
    Image1.Create(Handle(), kImage1Id);
    RECT client;
    GetClientRect(Handle(), &client);
    Image1.Resize(client.right, client.bottom);
    Image1.OnMouseMove = [this](int x, int y) { Image1MouseMove(x, y); };
    Image1.OnMouseDown = [this](int x, int y) { Image1MouseDown(x, y); };
}

void TForm5::EnableTimer1() {
    if (timer1Enabled_ || Visible() || delivering_) return;
    if (!SetTimer(Handle(), kTimer1, kTimer1Interval, nullptr)) throw Failure(L"Not enough timers available");
    timer1Enabled_ = true;
}

CaptureCanvas TForm5::Canvas() {
    winui::DibSection* picture = Image1.Picture();
    return {picture ? picture->View() : PixelView{}, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
            [this](const PixelRect& r) { Image1.InvalidatePicture(r); }};
}

void TForm5::Timer1Timer() {
    // Stopped first: the timer fires once per trigger, whatever fails below.
    KillTimer(Handle(), kTimer1);
    timer1Enabled_ = false;

    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    auto snapshot = std::make_unique<winui::DibSection>(width, height);
    // One block copy of the whole primary screen; the pointer is not part of it.
    HDC screen = GetDC(nullptr);
    BitBlt(snapshot->Dc(), 0, 0, width, height, screen, 0, 0, SRCCOPY);
    ReleaseDC(nullptr, screen);
    Image1.SetPicture(std::move(snapshot));

    ShowWindow(Handle(), SW_SHOWMAXIMIZED);
    SetForegroundWindow(Handle());
    SnapshotTaken(Capture);
}

void TForm5::Image1MouseMove(int x, int y) {
    CaptureCanvas canvas = Canvas();
    PointerMoved(Capture, canvas, x, y);
}

void TForm5::Image1MouseDown(int x, int y) {
    CaptureCanvas canvas = Canvas();
    if (!ButtonPressed(Capture, canvas, x, y)) return;

    const PixelRect region = RegionBetween(Capture.StartX, Capture.StartY, Capture.EndX, Capture.EndY);
    auto picture = std::make_unique<winui::DibSection>(region.right - region.left, region.bottom - region.top);
    if (!picture->Empty())
        BitBlt(picture->Dc(), 0, 0, picture->Width(), picture->Height(), Image1.Picture()->Dc(), region.left,
               region.top, SRCCOPY);
    Image1.SetPicture(std::move(picture));

    if (!Deliver) return;
    delivering_ = true;
    try {
        Deliver();
    } catch (...) {
        delivering_ = false;
        throw;
    }
    delivering_ = false;
}

LRESULT TForm5::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        if (wParam == kTimer1) {
            Timer1Timer();
            return 0;
        }
        break;
    case WM_SIZE:
        Image1.Resize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    default:
        break;
    }
    return Form::OnMessage(message, wParam, lParam);
}
