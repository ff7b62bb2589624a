// The program's two kinds of message box: the Information box for what the user can
// cause by input, and the error box of the default exception report. Both are modal for
// every window of the program, owned by the application window.
#pragma once

#include <string>
#include <string_view>

namespace winui {

// Information box: title "信息框", information icon, one OK button.
void InformationBox(std::string_view gbkText);

// Error box with the given caption and text, error icon, one OK button.
void ErrorBox(const std::wstring& caption, const std::wstring& text);

}  // namespace winui
