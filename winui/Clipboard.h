// The clipboard as the capture delivery uses it: opened with the application window as
// owner, emptied, given one bitmap, closed.
#pragma once

#include <windows.h>

namespace winui {

// Puts the bitmap on the clipboard as CF_BITMAP; the clipboard owns it afterwards.
// Another program may hold the clipboard for a moment, so opening is retried for about
// a second before failing with "Cannot open clipboard" (the bitmap is then deleted).
void PutBitmapOnClipboard(HWND owner, HBITMAP bitmap);

}  // namespace winui
