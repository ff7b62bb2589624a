// Conversions between the system's GBK texts and the UTF-16 every Windows call of the
// program takes, and the system's own wording of Win32 error codes.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace winui {

// GBK (code page 936) bytes to UTF-16, whatever the system code page is.
std::wstring FromGbk(std::string_view gbk);

// UTF-16 to GBK, for the texts the program stores as GBK bytes.
std::string ToGbk(std::wstring_view text);

// The system's text for an error code, with trailing blanks and full stops removed;
// empty when the system has none.
std::wstring SystemErrorText(DWORD code);

// The text for the calling thread's last error, or "Out of system resources" when the
// system gives none: the message of a failed window, bitmap or timer creation.
std::wstring LastErrorMessage();

}  // namespace winui
