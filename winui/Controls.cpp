// Child controls built from descriptions; see Controls.h.
#include "Controls.h"

#include <commctrl.h>

#include <cwctype>

#include "Form.h"
#include "Text.h"

namespace winui {

namespace {

constexpr wchar_t kPanelClass[] = L"KestrowPanel";
constexpr wchar_t kSpeedButtonClass[] = L"KestrowSpeedButton";
constexpr wchar_t kImageClass[] = L"KestrowImage";

std::wstring TextOf(const ControlDescription& d) {
    return d.text ? FromGbk(d.text) : std::wstring();
}

bool SetHandCursor(const ControlDescription& d) {
    if (d.cursor != CursorKind::kHand) return false;
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    return true;
}

}  // namespace

void Control::CreateControl(Form& form, const ControlDescription& description, const wchar_t* className,
                            DWORD style, DWORD exStyle, const std::wstring& text) {
    description_ = &description;
    form_ = &form;
    const RECT r = form.PlaceOf(description);
    if (description.tabOrder >= 0) style |= WS_TABSTOP;
    CreateHandle(className, exStyle, style | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, text, r.left, r.top,
                 r.right - r.left, r.bottom - r.top, form.ParentWindowFor(description.parentId));
    SetWindowLongPtrW(Handle(), GWLP_ID, description.id);
    SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(form.FontFor(description.font)), FALSE);
    form.AddControl(*this);
}

void Memo::Create(Form& form, const ControlDescription& description, const std::wstring& text) {
    CreateControl(form, description, L"EDIT", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, WS_EX_CLIENTEDGE, text);
}

void Edit::Create(Form& form, const ControlDescription& description) {
    CreateControl(form, description, L"EDIT", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, TextOf(description));
}

std::wstring Edit::Text() const {
    const int length = GetWindowTextLengthW(Handle());
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(Handle(), text.data(), length + 1)));
    return text;
}

void Edit::SetText(const std::wstring& text) {
    SetWindowTextW(Handle(), text.c_str());
}

void Edit::SetFocus() {
    ::SetFocus(Handle());
}

void Label::Create(Form& form, const ControlDescription& description) {
    CreateControl(form, description, L"STATIC", SS_LEFT, 0, TextOf(description));
}

void CheckBox::Create(Form& form, const ControlDescription& description) {
    CreateControl(form, description, L"BUTTON", BS_AUTOCHECKBOX, 0, TextOf(description));
}

bool CheckBox::Checked() const {
    return SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CheckBox::SetChecked(bool checked) {
    SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void HotKeyBox::Create(Form& form, const ControlDescription& description) {
    CreateControl(form, description, HOTKEY_CLASSW, 0, WS_EX_CLIENTEDGE, L"");
    SetValue(kDefaultCaptureShortcut);
}

void HotKeyBox::OnCommand(int code) {
    // A key typed alone or with Shift alone is no usable combination: Ctrl is added to
    // what was typed (Shift+F5 becomes Ctrl+Shift+F5). The control's own rules would
    // replace the modifiers instead on some systems, so the rule is applied here.
    if (code != EN_CHANGE) return;
    const Shortcut value = Value();
    if (entered_) {
        // Releasing the entered combination's modifiers leaves the box with no key; the
        // entered value stands until a key is typed.
        if ((value & kShortcutKeyMask) == 0) {
            SetValue(entered_);
            return;
        }
        entered_ = 0;
    }
    const Shortcut modifiers = value & (kShortcutShift | kShortcutCtrl | kShortcutAlt);
    if ((value & kShortcutKeyMask) != 0 && (modifiers == 0 || modifiers == kShortcutShift))
        SetValue(value | kShortcutCtrl);
}

Shortcut HotKeyBox::Value() const {
    return FromHotKeyControlWord(LOWORD(SendMessageW(Handle(), HKM_GETHOTKEY, 0, 0)));
}

void HotKeyBox::SetValue(std::uint32_t value) {
    SendMessageW(Handle(), HKM_SETHOTKEY, ToHotKeyControlWord(HotKeyBoxValue(value)), 0);
}

void HotKeyBox::Enter(Shortcut value) {
    SetValue(value);
    entered_ = HotKeyBoxValue(value);
}

bool HotKeyBox::Focused() const {
    return GetFocus() == Handle();
}

void Panel::Create(Form& form, const ControlDescription& description) {
    Window::RegisterWindowClass(kPanelClass, 0, nullptr, GetSysColorBrush(COLOR_BTNFACE));
    CreateControl(form, description, kPanelClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, L"");
}

LRESULT Panel::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        RECT r;
        GetClientRect(Handle(), &r);
        DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
        EndPaint(Handle(), &ps);
        return 0;
    }
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
        // The form handles what its controls report, wherever they sit.
        return SendMessageW(GetParent(Handle()), message, wParam, lParam);
    default:
        return Default(message, wParam, lParam);
    }
}

void SpeedButton::Create(Form& form, const ControlDescription& description) {
    Window::RegisterWindowClass(kSpeedButtonClass, 0, nullptr, nullptr);
    caption_ = TextOf(description);
    if (description.picture) {
        const std::wstring name = FromGbk(description.picture);
        glyph_ = static_cast<HBITMAP>(
            LoadImageW(GetModuleHandleW(nullptr), name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    }
    CreateControl(form, description, kSpeedButtonClass, 0, 0, caption_);
}

SpeedButton::~SpeedButton() {
    if (glyph_) DeleteObject(glyph_);
}

wchar_t SpeedButton::AccessKey() const {
    const std::size_t amp = caption_.find(L'&');
    if (amp == std::wstring::npos || amp + 1 >= caption_.size()) return 0;
    return static_cast<wchar_t>(std::towupper(static_cast<wint_t>(caption_[amp + 1])));
}

void SpeedButton::Click() {
    if (OnClick) OnClick();
}

void SpeedButton::Paint(HDC dc) {
    RECT r;
    GetClientRect(Handle(), &r);
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed_ ? DFCS_PUSHED : 0));

    HGDIOBJ oldFont = SelectObject(dc, Owner().FontFor(Description().font));
    RECT textRect{0, 0, 0, 0};
    DrawTextW(dc, caption_.c_str(), -1, &textRect, DT_SINGLELINE | DT_CALCRECT);
    BITMAP bm{};
    if (glyph_) GetObjectW(glyph_, sizeof(bm), &bm);
    const int glyphWidth = glyph_ ? Owner().Scale(bm.bmWidth) : 0;
    const int glyphHeight = glyph_ ? Owner().Scale(bm.bmHeight) : 0;
    const int shift = pressed_ ? 1 : 0;
    // Picture and caption as one block, centred, with no gap between them.
    int x = (r.right - glyphWidth - textRect.right) / 2 + shift;
    if (glyph_) {
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, glyph_);
        // The lower-left pixel gives the transparent colour.
        const COLORREF transparent = GetPixel(memory, 0, bm.bmHeight - 1);
        TransparentBlt(dc, x, (r.bottom - glyphHeight) / 2 + shift, glyphWidth, glyphHeight, memory, 0, 0, bm.bmWidth,
                       bm.bmHeight, transparent);
        SelectObject(memory, old);
        DeleteDC(memory);
        x += glyphWidth;
    }
    const Colour colour = Description().colour;
    SetTextColor(dc, colour.system ? GetSysColor(static_cast<int>(colour.value)) : colour.value);
    SetBkMode(dc, TRANSPARENT);
    RECT caption{x, shift, x + textRect.right, r.bottom + shift};
    DrawTextW(dc, caption_.c_str(), -1, &caption, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    SelectObject(dc, oldFont);
}

LRESULT SpeedButton::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        Paint(dc);
        EndPaint(Handle(), &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_SETCURSOR:
        if (SetHandCursor(Description())) return TRUE;
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SetCapture(Handle());
        tracking_ = true;
        pressed_ = true;
        InvalidateRect(Handle(), nullptr, FALSE);
        return 0;
    case WM_MOUSEMOVE:
        if (tracking_) {
            RECT r;
            GetClientRect(Handle(), &r);
            const POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            const bool inside = PtInRect(&r, p);
            if (inside != pressed_) {
                pressed_ = inside;
                InvalidateRect(Handle(), nullptr, FALSE);
            }
        }
        return 0;
    case WM_LBUTTONUP: {
        if (!tracking_) return 0;
        const bool click = pressed_;
        tracking_ = false;
        pressed_ = false;
        ReleaseCapture();
        InvalidateRect(Handle(), nullptr, FALSE);
        UpdateWindow(Handle());
        if (click) Click();
        return 0;
    }
    case WM_CAPTURECHANGED:
        tracking_ = false;
        if (pressed_) {
            pressed_ = false;
            InvalidateRect(Handle(), nullptr, FALSE);
        }
        return 0;
    default:
        break;
    }
    return Default(message, wParam, lParam);
}

void Image::Create(Form& form, const ControlDescription& description) {
    Window::RegisterWindowClass(kImageClass, 0, nullptr, GetSysColorBrush(COLOR_BTNFACE));
    CreateControl(form, description, kImageClass, 0, 0, L"");
}

Image::~Image() {
    if (picture_) DeleteObject(picture_);
}

void Image::SetPicture(HBITMAP bitmap) {
    if (picture_) DeleteObject(picture_);
    picture_ = bitmap;
    InvalidateRect(Handle(), nullptr, TRUE);
}

LRESULT Image::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        if (picture_) {
            RECT r;
            GetClientRect(Handle(), &r);
            BITMAP bm{};
            GetObjectW(picture_, sizeof(bm), &bm);
            HDC memory = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(memory, picture_);
            SetStretchBltMode(dc, HALFTONE);
            SetBrushOrgEx(dc, 0, 0, nullptr);
            StretchBlt(dc, 0, 0, r.right, r.bottom, memory, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
            SelectObject(memory, old);
            DeleteDC(memory);
        }
        EndPaint(Handle(), &ps);
        return 0;
    }
    case WM_SETCURSOR:
        if (SetHandCursor(Description())) return TRUE;
        break;
    case WM_LBUTTONDOWN:
        pressed_ = true;
        return 0;
    case WM_LBUTTONUP:
        if (pressed_ && OnClick) {
            pressed_ = false;
            OnClick();
        }
        pressed_ = false;
        return 0;
    default:
        break;
    }
    return Default(message, wParam, lParam);
}

}  // namespace winui
