// The application object; see App.h.
#include "App.h"

#include <commctrl.h>
#include <objbase.h>

#include <new>

#include "Dialogs.h"
#include "Form.h"
#include "Text.h"
#include "common/Failure.h"

namespace winui {

namespace {
constexpr wchar_t kClassName[] = L"KestrowApplication";
}

App& Application() {
    static App app;
    return app;
}

void App::Initialize() {
    const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    comInitialized_ = SUCCEEDED(hr);
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_HOTKEY_CLASS;
    InitCommonControlsEx(&controls);

    HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterWindowClass(kClassName, 0, LoadIconW(instance, L"MAINICON"), nullptr);
    // A zero-sized popup that is never shown by itself: it owns the program's windows,
    // so they get no taskbar buttons of their own.
    CreateHandle(kClassName, 0, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, title_, 0, 0, 0, 0,
                 nullptr);
}

void App::Finalize() {
    Destroy();
    if (comInitialized_) CoUninitialize();
    comInitialized_ = false;
}

void App::SetTitle(std::string_view gbkTitle) {
    title_ = FromGbk(gbkTitle);
    if (Handle()) SetWindowTextW(Handle(), title_.c_str());
}

void App::AddForm(Form& form) {
    forms_.push_back(&form);
}

void App::Run() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.hwnd && message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST) {
            HWND root = GetAncestor(message.hwnd, GA_ROOT);
            bool used = false;
            for (Form* form : forms_) {
                if (form->Handle() == root) {
                    try {
                        used = form->PreTranslateMessage(message);
                    } catch (...) {
                        ReportException(std::current_exception());
                        used = true;
                    }
                    break;
                }
            }
            if (used) continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void App::Terminate() {
    PostQuitMessage(0);
}

void App::ReportException(std::exception_ptr failure) noexcept {
    try {
        std::wstring message;
        try {
            std::rethrow_exception(failure);
        } catch (const Failure& f) {
            message = f.Message();
        } catch (const std::bad_alloc&) {
            message = L"Out of memory";
        } catch (const std::exception& e) {
            const std::string what = e.what();
            message.assign(what.begin(), what.end());
        } catch (...) {
            message = L"Unknown failure";
        }
        ErrorBox(title_, ReportText(std::move(message)));
    } catch (...) {
        // Nothing more can be shown; the loop goes on.
    }
}

void App::VisibilityChanged() {
    if (!Handle()) return;
    bool anyVisible = false;
    for (Form* form : forms_) anyVisible = anyVisible || form->Visible();
    if (anyVisible != (IsWindowVisible(Handle()) != FALSE)) ShowWindow(Handle(), anyVisible ? SW_SHOWNA : SW_HIDE);
}

LRESULT App::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_MINIMIZE) {
            minimized_ = true;
            for (Form* form : forms_) form->Hide();
            ShowWindow(Handle(), SW_HIDE);
            if (OnMinimize) OnMinimize();
            return 0;
        }
        break;
    case WM_ACTIVATE:
        // The taskbar button activates this window; the form behind it takes over.
        if (LOWORD(wParam) != WA_INACTIVE)
            for (Form* form : forms_)
                if (form->Visible()) {
                    SetForegroundWindow(form->Handle());
                    break;
                }
        return 0;
    case WM_CLOSE:  // Close on the taskbar button ends the run like closing the main window.
        if (mainForm_) mainForm_->Close();
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    default:
        break;
    }
    return Default(message, wParam, lParam);
}

}  // namespace winui
