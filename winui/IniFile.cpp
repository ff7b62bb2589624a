// The Windows store of the settings file; see IniFile.h.
#include "IniFile.h"

#include <shlobj.h>

#include <string_view>
#include <vector>

namespace winui {

namespace {

constexpr UINT kGbk = 936;

bool IsFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsDirectory(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring FolderOf(const std::wstring& path) {
    return path.substr(0, path.find_last_of(L"\\/"));
}

std::wstring WindowsDirectory() {
    wchar_t dir[MAX_PATH] = L"";
    GetWindowsDirectoryW(dir, MAX_PATH);
    return dir;
}

// %LOCALAPPDATA%\VirtualStore\<Windows directory without its drive>
std::wstring VirtualStoreFolder() {
    wchar_t local[MAX_PATH] = L"";
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local))) return {};
    std::wstring windows = WindowsDirectory();
    const std::size_t root = windows.find(L":\\");
    if (root != std::wstring::npos) windows.erase(0, root + 2);
    return std::wstring(local) + L"\\VirtualStore\\" + windows;
}

std::wstring Widen(std::string_view text, UINT codePage) {
    if (text.empty()) return {};
    const int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

// False when a character has no form in the code page (it would come back changed).
bool Narrow(std::wstring_view text, UINT codePage, std::string* out) {
    out->clear();
    if (text.empty()) return true;
    BOOL lossy = FALSE;
    BOOL* lossyFlag = codePage == CP_UTF8 ? nullptr : &lossy;  // UTF-8 takes no flag and loses nothing
    const int size = static_cast<int>(text.size());
    const int n = WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, lossyFlag);
    out->resize(static_cast<std::size_t>(n));
    WideCharToMultiByte(codePage, 0, text.data(), size, out->data(), n, nullptr, lossyFlag);
    return !lossy;
}

LoadedProfile ReadProfile(const std::wstring& path) {
    LoadedProfile result;
    // No file (or a folder of that name) reads as an empty profile.
    if (!IsFile(path)) return result;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
            result.state = LoadedProfile::State::kUnreadable;
        return result;
    }
    std::string bytes;
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart < (1LL << 30);
    if (ok) {
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
        DWORD read = 0;
        ok = bytes.empty() || (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
                               read == bytes.size());
    }
    CloseHandle(file);
    if (!ok) {
        result.state = LoadedProfile::State::kUnreadable;
        return result;
    }

    result.state = LoadedProfile::State::kLoaded;
    std::wstring wide;
    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        result.encoding = TextEncoding::kUtf8Bom;
        wide = Widen(std::string_view(bytes).substr(3), CP_UTF8);
    } else if (bytes.size() >= 2 && bytes.compare(0, 2, "\xFF\xFE") == 0) {
        result.encoding = TextEncoding::kUtf16LeBom;
        wide.assign(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
    } else {
        result.gbk = std::move(bytes);
        return result;
    }
    // A text with characters GBK cannot hold could not be written back unchanged.
    if (!Narrow(wide, kGbk, &result.gbk)) {
        result.state = LoadedProfile::State::kUnreadable;
        result.gbk.clear();
    }
    return result;
}

std::string Encode(const std::string& gbk, TextEncoding encoding) {
    if (encoding == TextEncoding::kGbk) return gbk;
    const std::wstring wide = Widen(gbk, kGbk);
    if (encoding == TextEncoding::kUtf8Bom) {
        std::string utf8;
        Narrow(wide, CP_UTF8, &utf8);
        return "\xEF\xBB\xBF" + utf8;
    }
    std::string bytes("\xFF\xFE");
    bytes.append(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
    return bytes;
}

// Writes the bytes to a new file in the target's folder and moves it over the target,
// so the target is either the old file or the whole new one. Returns the error code.
DWORD ReplaceFile(const std::wstring& target, const std::string& bytes) {
    if (IsDirectory(target)) return ERROR_ACCESS_DENIED;
    const std::wstring folder = FolderOf(target);
    wchar_t temp[MAX_PATH];
    if (!GetTempFileNameW(folder.c_str(), L"kst", 0, temp)) return GetLastError();
    HANDLE file = CreateFileW(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        DeleteFileW(temp);
        return error;
    }
    DWORD written = 0;
    const bool ok = (bytes.empty() || (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                                                 nullptr) &&
                                       written == bytes.size())) &&
                    FlushFileBuffers(file);
    DWORD error = ok ? ERROR_SUCCESS : GetLastError();
    CloseHandle(file);
    if (ok && !MoveFileExW(temp, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = GetLastError();
    if (error != ERROR_SUCCESS) DeleteFileW(temp);
    return error;
}

bool IsLackOfAccess(DWORD error) {
    return error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT || error == ERROR_PRIVILEGE_NOT_HELD;
}

}  // namespace

WindowsProfileStore::WindowsProfileStore(const std::string& fileName)
    : windowsFile_(WindowsDirectory() + L"\\" + Widen(fileName, kGbk)) {
    const std::wstring folder = VirtualStoreFolder();
    if (!folder.empty()) virtualStoreFile_ = folder + L"\\" + Widen(fileName, kGbk);
}

WindowsProfileStore::WindowsProfileStore(std::wstring windowsFile, std::wstring virtualStoreFile)
    : windowsFile_(std::move(windowsFile)), virtualStoreFile_(std::move(virtualStoreFile)) {}

LoadedProfile WindowsProfileStore::Load() const {
    if (!virtualStoreFile_.empty() && IsFile(virtualStoreFile_)) return ReadProfile(virtualStoreFile_);
    return ReadProfile(windowsFile_);
}

bool WindowsProfileStore::Save(const std::string& gbk, TextEncoding encoding) {
    const std::string bytes = Encode(gbk, encoding);
    // Once the user has a copy of their own, it is the file.
    if (!virtualStoreFile_.empty() && IsFile(virtualStoreFile_))
        return ReplaceFile(virtualStoreFile_, bytes) == ERROR_SUCCESS;
    const DWORD error = ReplaceFile(windowsFile_, bytes);
    if (error == ERROR_SUCCESS) return true;
    if (!IsLackOfAccess(error) || virtualStoreFile_.empty()) return false;
    SHCreateDirectoryExW(nullptr, FolderOf(virtualStoreFile_).c_str(), nullptr);
    return ReplaceFile(virtualStoreFile_, bytes) == ERROR_SUCCESS;
}

}  // namespace winui
