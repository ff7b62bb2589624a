// The clipboard; see Clipboard.h.
#include "Clipboard.h"

#include "Text.h"
#include "common/Failure.h"

namespace winui {

void PutBitmapOnClipboard(HWND owner, HBITMAP bitmap) {
    constexpr DWORD kRetryMs = 1000;
    constexpr DWORD kPauseMs = 15;
    const ULONGLONG deadline = GetTickCount64() + kRetryMs;
    bool open = OpenClipboard(owner);
    while (!open && GetTickCount64() < deadline) {
        Sleep(kPauseMs);
        open = OpenClipboard(owner);
    }
    if (!open) {
        DeleteObject(bitmap);
        throw Failure(L"Cannot open clipboard");
    }
    EmptyClipboard();
    // The clipboard takes the bitmap only when this succeeds.
    if (!SetClipboardData(CF_BITMAP, bitmap)) {
        const std::wstring message = LastErrorMessage();
        DeleteObject(bitmap);
        CloseClipboard();
        throw Failure(message);
    }
    CloseClipboard();
}

}  // namespace winui
