// DIB-section pictures and the centred picture control; see Picture.h.
#include "Picture.h"

#include <windowsx.h>

#include <vector>

#include "Text.h"
#include "common/Failure.h"

namespace winui {

DibSection::DibSection(int width, int height) {
    if (width <= 0 || height <= 0) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows, as the portable code expects
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap_) throw Failure(LastErrorMessage());
    dc_ = CreateCompatibleDC(nullptr);
    if (!dc_) {
        const std::wstring message = LastErrorMessage();
        DeleteObject(bitmap_);
        throw Failure(message);
    }
    oldBitmap_ = SelectObject(dc_, bitmap_);
    width_ = width;
    height_ = height;
    bits_ = static_cast<std::uint32_t*>(bits);
}

DibSection::~DibSection() {
    if (dc_) {
        SelectObject(dc_, oldBitmap_);
        DeleteDC(dc_);
    }
    if (bitmap_) DeleteObject(bitmap_);
}

namespace {
constexpr wchar_t kClassName[] = L"KestrowPicture";
}

void PictureBox::Create(HWND parent, int id) {
    RegisterWindowClass(kClassName, 0, nullptr, nullptr);
    CreateHandle(kClassName, 0, WS_CHILD | WS_VISIBLE, L"", 0, 0, 0, 0, parent);
    SetWindowLongPtrW(Handle(), GWLP_ID, id);
}

void PictureBox::Resize(int width, int height) {
    SetWindowPos(Handle(), nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void PictureBox::SetPicture(std::unique_ptr<DibSection> picture) {
    picture_ = std::move(picture);
    InvalidateRect(Handle(), nullptr, FALSE);
}

POINT PictureBox::Offset() const {
    RECT client;
    GetClientRect(Handle(), &client);
    const int width = picture_ ? picture_->Width() : 0;
    const int height = picture_ ? picture_->Height() : 0;
    // Centred; the division truncates toward zero, as the control always has.
    return {(client.right - width) / 2, (client.bottom - height) / 2};
}

void PictureBox::InvalidatePicture(const PixelRect& rect) {
    const POINT at = Offset();
    const RECT r{rect.left + at.x, rect.top + at.y, rect.right + at.x, rect.bottom + at.y};
    InvalidateRect(Handle(), &r, FALSE);
}

void PictureBox::Paint() {
    // Copy only the rectangles of the update region: a crosshair's bounding box is the
    // whole screen, its region is four thin lines.
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(Handle(), region, FALSE);
    // A few moves' lines fit the buffer on the stack; only a larger region allocates.
    alignas(RGNDATA) std::uint8_t local[sizeof(RGNDATAHEADER) + 64 * sizeof(RECT)];
    std::vector<std::uint8_t> large;
    std::uint8_t* buffer = local;
    const DWORD size = GetRegionData(region, 0, nullptr);
    if (size > sizeof(local)) {
        large.resize(size);
        buffer = large.data();
    }
    auto* data = reinterpret_cast<RGNDATA*>(buffer);
    const bool haveRects = size && GetRegionData(region, size, data);
    const RECT* rects = haveRects ? reinterpret_cast<const RECT*>(data->Buffer) : nullptr;
    const DWORD rectCount = haveRects ? data->rdh.nCount : 0;
    DeleteObject(region);

    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    const POINT at = Offset();
    RECT picture{at.x, at.y, at.x, at.y};
    if (picture_) {
        picture.right += picture_->Width();
        picture.bottom += picture_->Height();
    }
    for (DWORD i = 0; i < rectCount; ++i) {
        const RECT& r = rects[i];
        RECT inside;
        const bool overlaps = picture_ && !picture_->Empty() && IntersectRect(&inside, &r, &picture);
        if (!overlaps || !EqualRect(&inside, &r)) FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
        if (overlaps)
            BitBlt(dc, inside.left, inside.top, inside.right - inside.left, inside.bottom - inside.top,
                   picture_->Dc(), inside.left - at.x, inside.top - at.y, SRCCOPY);
    }
    EndPaint(Handle(), &ps);
}

LRESULT PictureBox::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        // The pointer keeps being reported while a button is held, also off the window.
        SetCapture(Handle());
        if (OnMouseDown) OnMouseDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        if (!(wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) && GetCapture() == Handle()) ReleaseCapture();
        return 0;
    case WM_MOUSEMOVE:
        if (OnMouseMove) OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_CONTEXTMENU:
        return 0;  // a right press is a corner, nothing more
    default:
        return Default(message, wParam, lParam);
    }
}

}  // namespace winui
