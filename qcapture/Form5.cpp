// The capture window; see Form5.h.
#include "Form5.h"

#include <vector>

#include "Delivery.h"
#include "WindowsDeliveryFiles.h"
#include "common/Bmp.h"
#include "common/Failure.h"
#include "common/Texts.h"
#include "winui/App.h"
#include "winui/Clipboard.h"
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
    SavePictureDialog1.DefaultExt = L"*.jpg";
    SavePictureDialog1.FilterLabel = L"JPEG Image File (*.jpg)";
    SavePictureDialog1.FilterPattern = L"*.jpg";
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

    delivering_ = true;
    try {
        DeliverRegion();
    } catch (...) {
        delivering_ = false;
        throw;
    }
    delivering_ = false;
}

namespace {

int ScreenBitsPerPixel() {
    HDC screen = GetDC(nullptr);
    const int bits = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
    ReleaseDC(nullptr, screen);
    return bits;
}

// A device-dependent copy of the picture at the screen's depth, for the clipboard.
HBITMAP ScreenCompatibleCopy(const winui::DibSection& picture) {
    HDC screen = GetDC(nullptr);
    HBITMAP copy = CreateCompatibleBitmap(screen, picture.Width(), picture.Height());
    ReleaseDC(nullptr, screen);
    if (!copy) throw Failure(winui::LastErrorMessage());
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, copy);
    BitBlt(dc, 0, 0, picture.Width(), picture.Height(), picture.Dc(), 0, 0, SRCCOPY);
    SelectObject(dc, old);
    DeleteDC(dc);
    return copy;
}

// The picture's rows as a bitmap file stores them at the screen's depth. At 32 bits
// they are the picture's own rows; other depths are converted once into a buffer.
RegionImage RegionAtScreenDepth(const winui::DibSection& picture, std::vector<std::uint8_t>& buffer) {
    RegionImage region;
    region.width = picture.Width();
    region.height = picture.Height();
    region.bitsPerPixel = ScreenBitsPerPixel();
    if (region.bitsPerPixel != 16 && region.bitsPerPixel != 24 && region.bitsPerPixel != 32 &&
        region.bitsPerPixel > 8)
        region.bitsPerPixel = 32;
    const std::size_t rowBytes = BmpRowBytes(region.width, region.bitsPerPixel);
    if (region.bitsPerPixel == 32) {
        const auto* bits = reinterpret_cast<const std::uint8_t*>(picture.View().bits);
        const int height = region.height;
        region.row = [bits, rowBytes, height](int stored) { return bits + (height - 1 - stored) * rowBytes; };
        return region;
    }
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } info{};
    info.header.biSize = sizeof(info.header);
    info.header.biWidth = region.width;
    info.header.biHeight = region.height;  // bottom-up, as the file stores them
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(region.bitsPerPixel);
    info.header.biCompression = BI_RGB;
    buffer.resize(rowBytes * region.height);
    HDC screen = GetDC(nullptr);
    const int copied = GetDIBits(screen, picture.Bitmap(), 0, region.height, buffer.data(),
                                 reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (copied != region.height) throw Failure(winui::LastErrorMessage());
    if (region.bitsPerPixel <= 8)
        for (int i = 0; i < (1 << region.bitsPerPixel); ++i)
            region.colourTable.push_back(*reinterpret_cast<const std::uint32_t*>(&info.colours[i]));
    const std::uint8_t* rows = buffer.data();
    region.row = [rows, rowBytes](int stored) { return rows + stored * rowBytes; };
    return region;
}

}  // namespace

void TForm5::DeliverRegion() {
    const winui::DibSection& picture = *Image1.Picture();
    // Two presses on one row or column choose nothing: nothing is delivered, and the
    // clipboard and the files stay as they were.
    if (picture.Empty()) {
        Hide();
        return;
    }

    winui::PutBitmapOnClipboard(winui::Application().Handle(), ScreenCompatibleCopy(picture));
    Hide();  // the dialog opens over the ordinary desktop

    if (!SavePictureDialog1.Execute(winui::Application().Handle())) return;

    // The bitmap is written from the picture as it is when the dialog returns.
    std::vector<std::uint8_t> buffer;
    const RegionImage region = RegionAtScreenDepth(*Image1.Picture(), buffer);
    WindowsDeliveryFiles files;
    const std::wstring target = SavePictureDialog1.FileName;
    const std::wstring bitmap = WriteBitmapFile(files, region, target);
    buffer.clear();
    buffer.shrink_to_fit();
    SaveAsJpeg(files, bitmap, target, QualityText ? QualityText() : std::wstring());
    Close();
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
