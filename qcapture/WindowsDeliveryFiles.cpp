// The delivery's file operations on Windows; see WindowsDeliveryFiles.h.
#include "WindowsDeliveryFiles.h"

#include <windows.h>

#include <algorithm>

#include "winui/Text.h"

namespace {

HANDLE AsHandle(DeliveryFiles::Handle h) {
    return reinterpret_cast<HANDLE>(h);
}

}  // namespace

std::uint32_t WindowsDeliveryFiles::CreateTempBeside(const std::wstring& target, std::wstring* tempPath,
                                                     Handle* file) {
    // Next to the target, so the finished file can be moved over it in the same folder.
    for (int n = 0; n < 100; ++n) {
        const std::wstring path = target + L".~kestrow" + std::to_wstring(n) + L".tmp";
        HANDLE h = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            *tempPath = path;
            *file = reinterpret_cast<Handle>(h);
            return 0;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return error;
    }
    return ERROR_FILE_EXISTS;
}

std::uint32_t WindowsDeliveryFiles::Write(Handle file, const void* data, std::size_t size) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    while (size > 0) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(AsHandle(file), bytes, chunk, &written, nullptr)) return GetLastError();
        if (written == 0) return ERROR_DISK_FULL;
        bytes += written;
        size -= written;
    }
    return 0;
}

std::uint32_t WindowsDeliveryFiles::OpenRead(const std::wstring& path, Handle* file, std::uint64_t* size) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE) return GetLastError();
    LARGE_INTEGER length{};
    if (!GetFileSizeEx(h, &length)) {
        const DWORD error = GetLastError();
        CloseHandle(h);
        return error;
    }
    *file = reinterpret_cast<Handle>(h);
    *size = static_cast<std::uint64_t>(length.QuadPart);
    return 0;
}

std::uint32_t WindowsDeliveryFiles::ReadAt(Handle file, std::uint64_t offset, void* data, std::size_t size) {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD read = 0;
    if (!ReadFile(AsHandle(file), data, static_cast<DWORD>(size), &read, &at)) return GetLastError();
    return read == size ? 0 : ERROR_HANDLE_EOF;
}

void WindowsDeliveryFiles::Close(Handle file) {
    CloseHandle(AsHandle(file));
}

std::uint32_t WindowsDeliveryFiles::Replace(const std::wstring& from, const std::wstring& to) {
    // A read-only file is refused as Windows refuses it; some file systems, and Wine run
    // as root, would replace it anyway.
    const DWORD attributes = GetFileAttributesW(to.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return ERROR_ACCESS_DENIED;
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ? 0
                                                                                                     : GetLastError();
}

void WindowsDeliveryFiles::Remove(const std::wstring& path) {
    DeleteFileW(path.c_str());
}

std::wstring WindowsDeliveryFiles::ErrorText(std::uint32_t code) {
    return winui::SystemErrorText(code);
}
