// The application object: COM for the main thread, the application title, the hidden
// top-level window that owns every window of the program (and, later, carries its
// taskbar button), the main form, the message loop and the default exception report.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "Window.h"

namespace winui {

class Form;

class App : public Window {
public:
    // COM as a single-threaded apartment, then the hidden owner window.
    void Initialize();
    // Ends what Initialize began; safe to call when Initialize never ran.
    void Finalize();

    void SetTitle(std::string_view gbkTitle);
    const std::wstring& Title() const { return title_; }

    Form* MainForm() const { return mainForm_; }
    // Forms get the keyboard messages of their windows before dispatch.
    void AddForm(Form& form);

    // The taskbar button (this window's) is shown while any form is visible, and hidden
    // when none is; forms report every change of their visibility here.
    void VisibilityChanged();
    // Minimising the application (from its taskbar button) hides every form and the
    // button; OnMinimize then makes sure the tray icon is there.
    bool Minimized() const { return minimized_; }
    void Restore() { minimized_ = false; }
    std::function<void()> OnMinimize;

    // Builds a form: the reference is set before the form's construction begins, so its
    // creation handler already reaches it; the first form built becomes the main form
    // once its construction has finished.
    template <typename T>
    void CreateForm(T*& reference) {
        reference = new T();
        reference->Build();
        if (!mainForm_) mainForm_ = reference;
    }

    // The message loop, until the quit message.
    void Run();
    // Asks the loop to end.
    void Terminate();

    // The default exception report: a modal error box titled with the application
    // title. Never throws.
    void ReportException(std::exception_ptr failure) noexcept;

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::wstring title_;
    Form* mainForm_ = nullptr;
    std::vector<Form*> forms_;
    bool comInitialized_ = false;
    bool minimized_ = false;
};

// The one application object of the process.
App& Application();

}  // namespace winui
