// The settings window; see Form2.h.
#include "Form2.h"

#include <shellapi.h>

#include "Settings.h"
#include "SettingsRules.h"
#include "common/JpegDecode.h"
#include "common/Texts.h"
#include "resources/Form2Layout.h"
#include "winui/App.h"
#include "winui/Dialogs.h"
#include "winui/IniFile.h"
#include "winui/Text.h"

TForm2* Form2 = nullptr;
ProfileFile* SettingsIni = nullptr;

namespace {

constexpr wchar_t kClassName[] = L"TForm2";
// A fixed dialog frame whose only border icon is the close box.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | DS_MODALFRAME;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CONTROLPARENT;

const ControlDescription& Described(int id) {
    for (const ControlDescription& c : form2::kControls)
        if (c.id == id) return c;
    return form2::kControls[0];
}

std::wstring HelpText() {
    std::wstring text;
    for (const char* line : texts::kHelpLines) {
        if (!text.empty()) text += L"\r\n";
        text += winui::FromGbk(line);
    }
    return text;
}

}  // namespace

void TForm2::Build() {
    RegisterWindowClass(kClassName, 0, LoadIconW(GetModuleHandleW(nullptr), L"MAINICON"),
                        GetSysColorBrush(COLOR_BTNFACE));
    CreateFormWindow(kClassName, kExStyle, kStyle, winui::FromGbk(form2::kForm2.caption),
                     {.left = 0, .top = 0, .clientWidth = form2::kForm2.clientWidth,
                      .clientHeight = form2::kForm2.clientHeight, .centreOnFirstShow = true},
                     &form2::kForm2);
    SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(form2::kForm2.font)), FALSE);

    // In the description's order, which is the tab and stacking order.
    Memo1.Create(*this, Described(form2::kMemo1), HelpText());
    Panel1.Create(*this, Described(form2::kPanel1));
    Image1.Create(*this, Described(form2::kImage1));
    Edit1.Create(*this, Described(form2::kEdit1));
    HotKey2.Create(*this, Described(form2::kHotKey2));
    CheckBox1.Create(*this, Described(form2::kCheckBox1));
    Label2.Create(*this, Described(form2::kLabel2));
    Label1.Create(*this, Described(form2::kLabel1));
    SpeedButton4.Create(*this, Described(form2::kSpeedButton4));
    SpeedButton3.Create(*this, Described(form2::kSpeedButton3));
    SpeedButton1.Create(*this, Described(form2::kSpeedButton1));
    SpeedButton2.Create(*this, Described(form2::kSpeedButton2));
    LoadBanner();

    // The icon is there before the creation handler runs, and the loop never shows
    // the window by itself: only FormCreate decides the first visible state.
    const HICON small = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON,
                                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    CoolTrayIcon1.Create(small, winui::FromGbk(texts::kTrayHint),
                         {{winui::FromGbk(texts::kMenuOpen), [this] { O1Click(); }},
                          {winui::FromGbk(texts::kMenuExit), [this] { Exit1Click(); }}},
                         Handle());
    CoolTrayIcon1.OnClick = [this] { CoolTrayIcon1Click(); };
    CoolTrayIcon1.Show();
    winui::Application().OnMinimize = [this] { CoolTrayIcon1.Show(); };

    HotKeyManager1.Create();
    HotKeyManager1.OnHotKeyPressed = [this](Shortcut value, std::uint16_t index) {
        HotKeyManager1HotKeyPressed(value, index);
    };
    SpeedButton1.OnClick = [this] { SpeedButton1Click(); };
    SpeedButton2.OnClick = [this] { SpeedButton2Click(); };
    SpeedButton3.OnClick = [this] { SpeedButton3Click(); };
    SpeedButton4.OnClick = [this] { SpeedButton4Click(); };
    Image1.OnClick = [this] { SpeedButton4Click(); };

    FormCreate();
}

void TForm2::LoadBanner() {
    HRSRC found = FindResourceW(nullptr, L"BANNER", MAKEINTRESOURCEW(10));  // RT_RCDATA
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    if (!loaded) return;
    const auto* data = static_cast<const std::uint8_t*>(LockResource(loaded));
    const std::optional<DecodedImage> image = DecodeJpeg(data, SizeofResource(nullptr, found));
    if (!image) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = image->width;
    info.bmiHeader.biHeight = -image->height;  // top-down, as decoded
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return;
    std::copy(image->bgrx.begin(), image->bgrx.end(), static_cast<std::uint8_t*>(bits));
    Image1.SetPicture(bitmap);
}

void TForm2::FormCreate() {
    // Any failure ends these steps silently: the window must come up, with its
    // defaults, even when the settings cannot be loaded.
    try {
        SkinCaption2.Activate(Handle());
        SettingsIni = new winui::IniFile(texts::kIniFileName);
        Edit1.SetText(winui::FromGbk(ReadQualityText(*SettingsIni)));
        HotKey2.SetValue(static_cast<std::uint32_t>(ReadHotKeyValue(*SettingsIni)));
        if (ReadHideAtStart(*SettingsIni)) {
            CheckBox1.SetChecked(true);
            Hide();
        } else {
            CheckBox1.SetChecked(false);
            Show();
        }
        BindHotKey();
    } catch (...) {
    }
    ApplyDateGate();
}

void TForm2::ApplyDateGate() {
    SYSTEMTIME today;
    GetLocalTime(&today);
    if (!ShortenedOn(today.wYear, today.wMonth, today.wDay)) return;
    RECT r;
    GetWindowRect(Handle(), &r);
    SetWindowPos(Handle(), nullptr, 0, 0, r.right - r.left, r.bottom - r.top - Scale(form2::kShortenedBy),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string TForm2::QualityText() const {
    return winui::ToGbk(Edit1.Text());
}

bool TForm2::QualityPasses() {
    const QualityCheck check = CheckQuality(QualityText());
    if (check == QualityCheck::kOk) return true;
    winui::InformationBox(QualityMessage(check));
    Edit1.SetFocus();
    return false;
}

void TForm2::SpeedButton1Click() {
    if (!QualityPasses()) return;
    // The settings file object exists unless creation failed before making it.
    if (!SettingsIni) SettingsIni = new winui::IniFile(texts::kIniFileName);
    SaveSettings(*SettingsIni, QualityText(), HotKey2.Value(), CheckBox1.Checked());
    // A refused combination keeps the window open so another can be chosen; the file
    // has been written already.
    if (!BindHotKey()) return;
    Hide();
}

bool TForm2::BindHotKey() {
    // With no registration held (none at start, or the last one refused) the new value
    // is registered afresh, so one refusal does not leave the hot key dead for the run.
    const Shortcut value = HotKey2.Value();
    HotKeyIndex = HotKeyIndex ? HotKeyManager1.ChangeHotKey(HotKeyIndex, value) : HotKeyManager1.AddHotKey(value);
    if (HotKeyIndex != 0) return true;
    winui::InformationBox(texts::kHotKeyRefused);
    return false;
}

void TForm2::HotKeyManager1HotKeyPressed(Shortcut value, std::uint16_t index) {
    if (Visible()) {
        // The registered combination never reaches the box by typing while it is
        // registered; this is how it can still be entered there.
        if (HotKey2.Focused()) HotKey2.Enter(value);
        return;
    }
    SetForegroundWindow(winui::Application().Handle());
    if (index == HotKeyIndex) {
        if (CaptureTrigger) CaptureTrigger();
    } else {
        winui::InformationBox(texts::kUnknownHotKey);
    }
}

void TForm2::SpeedButton2Click() {
    Close();
}

void TForm2::CoolTrayIcon1Click() {
    Show();
}

void TForm2::O1Click() {
    Show();
}

void TForm2::Exit1Click() {
    Close();
}

void TForm2::SpeedButton3Click() {
    if (!QualityPasses()) return;
    Hide();
    if (CaptureTrigger) CaptureTrigger();
}

void TForm2::SpeedButton4Click() {
    // Opening the page is a courtesy: the shell's answer is not reported.
    const std::wstring address = winui::FromGbk(CleanAddress(kStoredHomepage, kHomepageFiller));
    ShellExecuteW(Handle(), nullptr, address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
