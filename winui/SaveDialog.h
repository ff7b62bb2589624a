// The system's explorer-style save dialog, resizable, without the read-only box and
// without an overwrite question, modal for the program's windows. Its file name is kept
// between runs of the dialog and left as it was by a cancel.
#pragma once

#include <windows.h>

#include <string>

namespace winui {

class SaveDialog {
public:
    std::wstring FileName;
    std::wstring DefaultExt;
    std::wstring FilterLabel;
    std::wstring FilterPattern;

    // True when the user confirmed; FileName then holds the path the dialog returned.
    bool Execute(HWND owner);
};

}  // namespace winui
