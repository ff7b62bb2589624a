// Listing a folder; see Files.h.
#include "Files.h"

#include <windows.h>

#include <algorithm>

std::vector<std::wstring> FilesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        if (wcscmp(data.cFileName, L".") && wcscmp(data.cFileName, L"..")) names.push_back(data.cFileName);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}
