// Top-level forms; see Form.h.
#include "Form.h"

#include <cwctype>

#include "App.h"
#include "Controls.h"
#include "Text.h"

namespace winui {

Form::~Form() {
    for (auto& [key, font] : fonts_) DeleteObject(font);
}

int Form::Scale(int designPixels) const {
    return MulDiv(designPixels, static_cast<int>(dpi_), USER_DEFAULT_SCREEN_DPI);
}

void Form::CreateFormWindow(const wchar_t* className, DWORD exStyle, DWORD style, const std::wstring& caption,
                            const Placement& placement, const FormDescription* description) {
    // The program is per-monitor dpi aware; a form starts on the primary screen, whose
    // dpi is the system's.
    dpi_ = GetDpiForSystem();
    centreOnFirstShow_ = placement.centreOnFirstShow;
    description_ = description;
    RECT frame{0, 0, Scale(placement.clientWidth), Scale(placement.clientHeight)};
    AdjustWindowRectExForDpi(&frame, style, FALSE, exStyle, dpi_);
    CreateHandle(className, exStyle, style & ~WS_VISIBLE, caption, Scale(placement.left), Scale(placement.top),
                 frame.right - frame.left, frame.bottom - frame.top, Application().Handle());
    Application().AddForm(*this);
    if (description_) ArrangeControls();
}

bool Form::Visible() const {
    return Handle() && IsWindowVisible(Handle());
}

void Form::Show() {
    if (Application().Minimized()) Application().Restore();
    if (!Visible()) {
        if (centreOnFirstShow_ && !shownBefore_) CentreOnPrimaryScreen();
        shownBefore_ = true;
        ShowWindow(Handle(), SW_SHOW);
    }
    // The application and then the form come to the foreground, so the form is in front.
    SetForegroundWindow(Application().Handle());
    SetForegroundWindow(Handle());
    BringWindowToTop(Handle());
}

void Form::Hide() {
    ShowWindow(Handle(), SW_HIDE);
}

void Form::Close() {
    if (Application().MainForm() == this)
        Application().Terminate();
    else
        Hide();
}

void Form::CentreOnPrimaryScreen() {
    RECT r;
    GetWindowRect(Handle(), &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    SetWindowPos(Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND Form::ParentWindowFor(int parentId) const {
    if (parentId == 0) return Handle();
    for (Control* c : controls_)
        if (c->Description().id == parentId) return c->Handle();
    return Handle();
}

HFONT Form::FontFor(const FontDescription& font) {
    const FontDescription& use = font.face ? font : description_->font;
    const auto key = std::make_pair(std::string(use.face), use.height);
    auto found = fonts_.find(key);
    if (found != fonts_.end()) return found->second;
    LOGFONTW lf{};
    lf.lfHeight = -Scale(use.height);  // character height, as designed
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    const std::wstring face = FromGbk(use.face);
    wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    HFONT created = CreateFontIndirectW(&lf);
    fonts_[key] = created;
    return created;
}

RECT Form::PlaceOf(const ControlDescription& control) const {
    auto found = places_.find(control.id);
    const DesignRect r = found != places_.end() ? found->second : control.bounds;
    return RECT{Scale(r.left), Scale(r.top), Scale(r.left + r.width), Scale(r.top + r.height)};
}

void Form::AddControl(Control& control) {
    controls_.push_back(&control);
}

void Form::ArrangeControls() {
    if (!description_) return;
    RECT client;
    GetClientRect(Handle(), &client);
    const auto arrange = [&](int parentId, int width, int height) {
        std::size_t i = 0;
        const auto rects = ArrangeChildren(description_->controls, parentId, width, height);
        for (const ControlDescription& c : description_->controls)
            if (c.parentId == parentId) places_[c.id] = rects[i++];
    };
    // Back to design units, so the layout rules work on the designed sizes.
    const int width = MulDiv(client.right, USER_DEFAULT_SCREEN_DPI, static_cast<int>(dpi_));
    const int height = MulDiv(client.bottom, USER_DEFAULT_SCREEN_DPI, static_cast<int>(dpi_));
    arrange(0, width, height);
    for (const ControlDescription& c : description_->controls)
        if (c.kind == ControlKind::kPanel) arrange(c.id, places_[c.id].width, places_[c.id].height);
    for (Control* c : controls_) {
        const RECT r = PlaceOf(c->Description());
        SetWindowPos(c->Handle(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void Form::FocusFirstTabStop() {
    HWND first = GetNextDlgTabItem(Handle(), nullptr, FALSE);
    SetFocus(first ? first : Handle());
}

bool Form::PreTranslateMessage(const MSG& message) {
    if (!description_) return false;
    if (message.message == WM_KEYDOWN && message.wParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0 &&
        GetKeyState(VK_MENU) >= 0) {
        const bool back = GetKeyState(VK_SHIFT) < 0;
        HWND next = GetNextDlgTabItem(Handle(), GetFocus(), back);
        if (next) SetFocus(next);
        return true;
    }
    if (message.message == WM_SYSCHAR) {
        const wchar_t key = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(message.wParam)));
        for (Control* c : controls_) {
            if (c->AccessKey() == key && IsWindowVisible(c->Handle()) && IsWindowEnabled(c->Handle())) {
                c->Accelerate();
                return true;
            }
        }
    }
    return false;
}

LRESULT Form::ControlColour(UINT message, HDC dc, HWND window) {
    for (Control* c : controls_) {
        if (c->Handle() != window) continue;
        const Colour colour = c->Description().colour;
        SetTextColor(dc, colour.system ? GetSysColor(static_cast<int>(colour.value)) : colour.value);
        if (message == WM_CTLCOLOREDIT) {
            SetBkColor(dc, GetSysColor(COLOR_WINDOW));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
        }
        // Labels, the check box and the read-only help text sit on the button face.
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    return Default(message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window));
}

LRESULT Form::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        Close();
        return 0;
    case WM_SIZE:
        ArrangeControls();
        return 0;
    case WM_WINDOWPOSCHANGED:
        if (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW))
            Application().VisibilityChanged();
        break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
        return ControlColour(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_COMMAND:
        for (Control* c : controls_)
            if (lParam && c->Handle() == reinterpret_cast<HWND>(lParam)) c->OnCommand(HIWORD(wParam));
        return 0;
    case WM_ACTIVATE:
        if (!description_) break;
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(Handle(), focus)) lastFocus_ = focus;
        } else if (!HIWORD(wParam)) {  // not minimised
            if (lastFocus_ && IsWindow(lastFocus_) && IsWindowVisible(lastFocus_))
                SetFocus(lastFocus_);
            else
                FocusFirstTabStop();
        }
        return 0;
    default:
        break;
    }
    return Default(message, wParam, lParam);
}

}  // namespace winui
