// GBK/UTF-16 conversion and error texts; see Text.h.
#include "Text.h"

namespace winui {

namespace {
constexpr UINT kGbk = 936;
}

std::wstring FromGbk(std::string_view gbk) {
    if (gbk.empty()) return {};
    const int size = static_cast<int>(gbk.size());
    const int length = MultiByteToWideChar(kGbk, 0, gbk.data(), size, nullptr, 0);
    std::wstring result(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(kGbk, 0, gbk.data(), size, result.data(), length);
    return result;
}

std::string ToGbk(std::wstring_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(kGbk, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(kGbk, 0, text.data(), size, result.data(), length, nullptr, nullptr);
    return result;
}

std::wstring SystemErrorText(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text(buffer ? buffer : L"", length);
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() <= L' ' || text.back() == L'.')) text.pop_back();
    return text;
}

std::wstring LastErrorMessage() {
    std::wstring text = SystemErrorText(GetLastError());
    return text.empty() ? L"Out of system resources" : text;
}

}  // namespace winui
