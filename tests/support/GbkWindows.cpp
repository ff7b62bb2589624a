// GBK to UTF-8 through the system's code page tables.
#include <windows.h>

#include <stdexcept>

#include "Gbk.h"

std::string GbkToUtf8(std::string_view gbk) {
    if (gbk.empty()) return {};
    const int n = static_cast<int>(gbk.size());
    const int wide = MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, gbk.data(), n, nullptr, 0);
    if (wide == 0) throw std::runtime_error("not valid GBK");
    std::wstring w(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, gbk.data(), n, w.data(), wide);
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, w.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), wide, out.data(), bytes, nullptr, nullptr);
    return out;
}
