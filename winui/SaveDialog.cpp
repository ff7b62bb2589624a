// The save dialog; see SaveDialog.h.
#include "SaveDialog.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "Modal.h"

namespace winui {

bool SaveDialog::Execute(HWND owner) {
    // Room for long paths; the dialog writes the chosen path here.
    std::vector<wchar_t> file(32768, L'\0');
    FileName.copy(file.data(), std::min(FileName.size(), file.size() - 1));
    std::wstring filter = FilterLabel + L'\0' + FilterPattern + L'\0' + L'\0';

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrDefExt = DefaultExt.empty() ? nullptr : DefaultExt.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY;

    ThreadWindowsDisabled disabled(owner);
    if (!GetSaveFileNameW(&ofn)) return false;
    FileName = file.data();
    return true;
}

}  // namespace winui
