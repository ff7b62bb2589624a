// The end-to-end driver's toolkit; see Harness.h.
#include "Harness.h"

#include <shlobj.h>
#include <tlhelp32.h>
#include <wincodec.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace e2e {

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition()) return true;
        if (GetTickCount64() >= deadline) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

Process::Process(Process&& other) noexcept : handle_(other.handle_), id_(other.id_) {
    other.handle_ = nullptr;
    other.id_ = 0;
}

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        Kill();
        if (handle_) CloseHandle(handle_);
        handle_ = other.handle_;
        id_ = other.id_;
        other.handle_ = nullptr;
        other.id_ = 0;
    }
    return *this;
}

Process::~Process() {
    Kill();
    if (handle_) CloseHandle(handle_);
}

bool Process::Running() const {
    return handle_ && WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT;
}

bool Process::WaitIdle(DWORD timeoutMs) {
    return handle_ && WaitForInputIdle(handle_, timeoutMs) == 0;
}

DWORD Process::WaitExit(DWORD timeoutMs) {
    if (!handle_) return STILL_ACTIVE;
    WaitFor([&] { return !Running(); }, timeoutMs);
    DWORD code = STILL_ACTIVE;
    if (!Running()) GetExitCodeProcess(handle_, &code);
    return code;
}

void Process::Kill() {
    if (!Running()) return;
    TerminateProcess(handle_, 99);
    WaitForSingleObject(handle_, kTimeoutMs);
}

std::wstring KestrowPath() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path);
    dir.resize(dir.find_last_of(L"\\/") + 1);
    return dir + L"kestrow.exe";
}

namespace {

Process Start(bool suspended, HANDLE* thread) {
    std::wstring commandLine = L"\"" + KestrowPath() + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, suspended ? CREATE_SUSPENDED : 0,
                        nullptr, nullptr, &si, &pi))
        throw std::runtime_error("cannot start kestrow.exe");
    if (thread)
        *thread = pi.hThread;
    else
        CloseHandle(pi.hThread);
    return Process(pi.hProcess, pi.dwProcessId);
}

}  // namespace

Process Launch() {
    return Start(false, nullptr);
}

std::vector<Process> LaunchTogether(int count) {
    // All processes are created suspended and released one right after the other, so
    // their mutex creations race as closely as the system allows.
    std::vector<Process> processes;
    std::vector<HANDLE> threads;
    for (int i = 0; i < count; ++i) {
        HANDLE thread = nullptr;
        processes.push_back(Start(true, &thread));
        threads.push_back(thread);
    }
    for (HANDLE t : threads) ResumeThread(t);
    for (HANDLE t : threads) CloseHandle(t);
    return processes;
}

namespace {

template <typename F>
void ForEachKestrow(F f) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL ok = Process32FirstW(snapshot, &entry); ok; ok = Process32NextW(snapshot, &entry))
        if (_wcsicmp(entry.szExeFile, L"kestrow.exe") == 0) f(entry.th32ProcessID);
    CloseHandle(snapshot);
}

}  // namespace

void KillAllKestrow() {
    ForEachKestrow([](DWORD id) {
        HANDLE h = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
        if (!h) return;
        TerminateProcess(h, 99);
        WaitForSingleObject(h, kTimeoutMs);
        CloseHandle(h);
    });
}

int CountKestrowProcesses() {
    int n = 0;
    ForEachKestrow([&](DWORD) { ++n; });
    return n;
}

std::wstring SettingsFilePath() {
    wchar_t dir[MAX_PATH];
    GetWindowsDirectoryW(dir, MAX_PATH);
    return std::wstring(dir) + L"\\kestrow.ini";
}

std::wstring VirtualStoreSettingsPath() {
    wchar_t local[MAX_PATH];
    SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, local);
    wchar_t dir[MAX_PATH];
    GetWindowsDirectoryW(dir, MAX_PATH);
    return std::wstring(local) + L"\\VirtualStore\\" + std::wstring(dir).substr(3) + L"\\kestrow.ini";
}

namespace {

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

DWORD ProcessOf(HWND window) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    return id;
}

std::wstring TextOf(HWND window) {
    wchar_t text[1024] = L"";
    GetWindowTextW(window, text, 1024);
    return text;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = L"";
    GetClassNameW(window, name, 256);
    return name;
}

HWND FindVisibleWindow(DWORD processId, const wchar_t* className, const wchar_t* title) {
    for (HWND w : TopLevelWindows()) {
        if (ProcessOf(w) != processId || !IsWindowVisible(w)) continue;
        if (ClassOf(w) != className) continue;
        if (title && TextOf(w) != title) continue;
        return w;
    }
    return nullptr;
}

HWND FindWindowOf(DWORD processId, const wchar_t* className) {
    for (HWND w : TopLevelWindows())
        if (ProcessOf(w) == processId && ClassOf(w) == className) return w;
    return nullptr;
}

HWND WaitForVisibleWindow(DWORD processId, const wchar_t* className, const wchar_t* title) {
    HWND found = nullptr;
    WaitFor([&] { return (found = FindVisibleWindow(processId, className, title)) != nullptr; });
    return found;
}

HWND FindSaveDialog(DWORD processId) {
    for (HWND w : TopLevelWindows())
        if (ProcessOf(w) == processId && IsWindowVisible(w) && ClassOf(w) == L"#32770" && GetDlgItem(w, kFileNameBox))
            return w;
    return nullptr;
}

std::wstring MessageBoxText(HWND box) {
    return TextOf(GetDlgItem(box, 0xFFFF));
}

namespace {

// Absolute coordinates are 0..65535 over the primary screen; rounding up lands on the
// intended pixel (x * 65535 / (width - 1) is one pixel off on the right half).
INPUT AbsoluteMouse(int x, int y, DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>(std::ceil(x * 65536.0 / GetSystemMetrics(SM_CXSCREEN)));
    input.mi.dy = static_cast<LONG>(std::ceil(y * 65536.0 / GetSystemMetrics(SM_CYSCREEN)));
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return input;
}

}  // namespace

std::wstring ControlText(HWND control) {
    wchar_t text[4096] = L"";
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(control, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, kTimeoutMs, &copied);
    return text;
}

HWND FocusOfThread(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

void MoveMouse(int x, int y) {
    // Wine moves the X pointer after an injected move, and the X server can still
    // report the previous place after that: the pointer then jumps back. So a move counts
    // only once the pointer has stayed at its target for a little while; else it is sent
    // again.
    const auto there = [&] {
        POINT p;
        return GetCursorPos(&p) && p.x == x && p.y == y;
    };
    for (int attempt = 0; attempt < 5; ++attempt) {
        INPUT input = AbsoluteMouse(x, y, 0);
        SendInput(1, &input, sizeof(input));
        if (WaitFor(there, 1000) && !WaitFor([&] { return !there(); }, 60)) return;
    }
}

void Click(int x, int y) {
    MoveMouse(x, y);
    // The press and the release carry the position too: the X server's own pointer can
    // still report an older position in between, and the button must act where asked.
    INPUT inputs[2] = {AbsoluteMouse(x, y, MOUSEEVENTF_LEFTDOWN), AbsoluteMouse(x, y, MOUSEEVENTF_LEFTUP)};
    SendInput(2, inputs, sizeof(INPUT));
}

void PressButton(int x, int y, MouseButton button) {
    MoveMouse(x, y);
    DWORD down = MOUSEEVENTF_LEFTDOWN, up = MOUSEEVENTF_LEFTUP;
    if (button == MouseButton::kRight) down = MOUSEEVENTF_RIGHTDOWN, up = MOUSEEVENTF_RIGHTUP;
    if (button == MouseButton::kMiddle) down = MOUSEEVENTF_MIDDLEDOWN, up = MOUSEEVENTF_MIDDLEUP;
    INPUT inputs[2] = {AbsoluteMouse(x, y, down), AbsoluteMouse(x, y, up)};
    SendInput(2, inputs, sizeof(INPUT));
}

void ClickCentreOf(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    const POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    // A window raised by another process may still be behind for a moment: click only
    // once the window is the one under its centre.
    WaitFor([&] { return WindowFromPoint(centre) == window; });
    Click(centre.x, centre.y);
}

void PressKeys(std::initializer_list<WORD> chord) {
    std::vector<INPUT> inputs;
    for (WORD key : chord) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = key;
        inputs.push_back(in);
    }
    for (auto it = std::rbegin(chord); it != std::rend(chord); ++it) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = *it;
        in.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(in);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void TypeText(const std::wstring& text) {
    std::vector<INPUT> inputs;
    for (wchar_t c : text) {
        for (DWORD up : {0ul, static_cast<unsigned long>(KEYEVENTF_KEYUP)}) {
            INPUT in{};
            in.type = INPUT_KEYBOARD;
            in.ki.wScan = c;
            in.ki.dwFlags = KEYEVENTF_UNICODE | up;
            inputs.push_back(in);
        }
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

bool ReplaceFocusedText(HWND control, const std::wstring& text) {
    PressKeys({VK_END});
    PressKeys({VK_SHIFT, VK_HOME});
    PressKeys({VK_DELETE});
    TypeText(text);
    return WaitFor([&] { return ControlText(control) == text; });
}

bool TypeInto(HWND edit, const std::wstring& text) {
    ClickCentreOf(edit);
    return ReplaceFocusedText(edit, text);
}

void ClickCloseBox(HWND window) {
    // Find the close box by asking the window what lies under points of its caption,
    // from the right end, so no frame metrics need to be guessed.
    RECT r;
    GetWindowRect(window, &r);
    for (int y = r.top + 2; y < r.top + 40; y += 2) {
        for (int x = r.right - 2; x > r.right - 60; x -= 2) {
            DWORD_PTR hit = 0;
            SendMessageTimeoutW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_BLOCK, kTimeoutMs, &hit);
            if (hit == HTCLOSE) {
                Click(x, y);
                return;
            }
        }
    }
}

DriverWindow::DriverWindow(int x, int y, int width, int height) {
    static const wchar_t kClass[] = L"KestrowE2eDriver";
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kClass;
    RegisterClassExW(&wc);
    handle_ = CreateWindowExW(0, kClass, L"driver", WS_POPUP | WS_VISIBLE, x, y, width, height, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(handle_);
    WaitFor([&] { return GetForegroundWindow() == handle_; });
}

DriverWindow::~DriverWindow() {
    DestroyWindow(handle_);
}

bool SaveScreenshot(const std::wstring& path) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;  // bottom-up, as BMP files store rows
    info.biPlanes = 1;
    info.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
        GdiFlush();  // the bits are read directly below
        SelectObject(memory, old);
        const DWORD size = static_cast<DWORD>(width) * height * 4;
        // Opaque: viewers take the fourth byte of a 32-bit bitmap for alpha.
        auto* pixels = static_cast<std::uint32_t*>(bits);
        for (DWORD i = 0; i < size / 4; ++i) pixels[i] |= 0xFF000000u;
        BITMAPFILEHEADER file{};
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof(file) + sizeof(info);
        file.bfSize = file.bfOffBits + size;
        HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            ok = WriteFile(h, &file, sizeof(file), &written, nullptr) &&
                 WriteFile(h, &info, sizeof(info), &written, nullptr) && WriteFile(h, bits, size, &written, nullptr);
            CloseHandle(h);
        }
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok;
}

std::vector<std::uint32_t> ScreenPixels() {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
        GdiFlush();
        std::copy_n(static_cast<const std::uint32_t*>(bits), pixels.size(), pixels.data());
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

std::size_t CountDifferences(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b) {
    if (a.size() != b.size()) return std::max(a.size(), b.size());
    std::size_t n = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        if ((a[i] ^ b[i]) & 0x00FFFFFF) ++n;
    return n;
}

PatternWindow::PatternWindow() {
    width_ = GetSystemMetrics(SM_CXSCREEN);
    height_ = GetSystemMetrics(SM_CYSCREEN);
    pixels_.resize(static_cast<std::size_t>(width_) * height_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            pixels_[static_cast<std::size_t>(y) * width_ + x] =
                static_cast<std::uint32_t>(((x * 7 + y * 3) & 0xFF) << 16 | ((x ^ y) & 0xFF) << 8 | ((y * 5 + x) & 0xFF));
    static const wchar_t kClass[] = L"KestrowE2ePattern";
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = Procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClass;
    RegisterClassExW(&wc);
    handle_ = CreateWindowExW(0, kClass, L"pattern", WS_POPUP, 0, 0, width_, height_, nullptr, nullptr,
                              GetModuleHandleW(nullptr), this);
    SetWindowLongPtrW(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ShowWindow(handle_, SW_SHOW);
    UpdateWindow(handle_);
    WaitFor([&] { return CountDifferences(ScreenPixels(), pixels_) == 0; });
}

PatternWindow::~PatternWindow() {
    DestroyWindow(handle_);
}

LRESULT CALLBACK PatternWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<PatternWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_PAINT && self) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = self->width_;
        info.bmiHeader.biHeight = -self->height_;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        SetDIBitsToDevice(dc, 0, 0, self->width_, self->height_, 0, 0, 0, self->height_, self->pixels_.data(), &info,
                          DIB_RGB_COLORS);
        EndPaint(window, &ps);
        return 0;
    }
    if (message == WM_ERASEBKGND) return 1;
    return DefWindowProcW(window, message, wParam, lParam);
}

std::optional<Image> ClipboardBitmap() {
    std::optional<Image> result;
    if (!WaitFor([] { return OpenClipboard(nullptr) != FALSE; }, 2000)) return result;
    if (HBITMAP bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP))) {
        BITMAP bm{};
        GetObjectW(bitmap, sizeof(bm), &bm);
        Image image;
        image.width = bm.bmWidth;
        image.height = bm.bmHeight;
        image.pixels.resize(static_cast<std::size_t>(bm.bmWidth) * bm.bmHeight);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = bm.bmWidth;
        info.bmiHeader.biHeight = -bm.bmHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        HDC screen = GetDC(nullptr);
        if (GetDIBits(screen, bitmap, 0, bm.bmHeight, image.pixels.data(), &info, DIB_RGB_COLORS) == bm.bmHeight)
            result = std::move(image);
        ReleaseDC(nullptr, screen);
    }
    CloseClipboard();
    return result;
}

void PutTextOnClipboard(const std::wstring& text) {
    if (!WaitFor([] { return OpenClipboard(nullptr) != FALSE; }, 2000)) return;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::copy_n(text.c_str(), text.size() + 1, static_cast<wchar_t*>(GlobalLock(memory)));
    GlobalUnlock(memory);
    if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
    CloseClipboard();
}

std::wstring ClipboardText() {
    std::wstring text;
    if (!WaitFor([] { return OpenClipboard(nullptr) != FALSE; }, 2000)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

std::optional<Image> DecodeImageFile(const std::wstring& path) {
    std::optional<Image> result;
    IWICImagingFactory* factory = nullptr;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory))))
        return result;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICFormatConverter* converter = nullptr;
    UINT width = 0, height = 0;
    if (SUCCEEDED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                     WICDecodeMetadataCacheOnDemand, &decoder)) &&
        SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(frame->GetSize(&width, &height)) &&
        SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
        SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr, 0,
                                        WICBitmapPaletteTypeCustom))) {
        Image image;
        image.width = static_cast<int>(width);
        image.height = static_cast<int>(height);
        image.pixels.resize(static_cast<std::size_t>(width) * height);
        if (SUCCEEDED(converter->CopyPixels(nullptr, width * 4, static_cast<UINT>(image.pixels.size() * 4),
                                            reinterpret_cast<BYTE*>(image.pixels.data())))) {
            for (auto& p : image.pixels) p &= 0x00FFFFFF;
            result = std::move(image);
        }
    }
    if (converter) converter->Release();
    if (frame) frame->Release();
    if (decoder) decoder->Release();
    factory->Release();
    return result;
}

Image RegionOf(const std::vector<std::uint32_t>& screen, int screenWidth, int left, int top, int right, int bottom) {
    Image image;
    image.width = right - left;
    image.height = bottom - top;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) image.pixels.push_back(screen[static_cast<std::size_t>(y) * screenWidth + x]);
    return image;
}

std::string FileBytes(const std::wstring& path) {
    std::string bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    LARGE_INTEGER size{};
    GetFileSizeEx(file, &size);
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty()) ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    bytes.resize(read);
    CloseHandle(file);
    return bytes;
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    CloseHandle(file);
    return ok;
}

int Scaled(int designPixels) {
    return MulDiv(designPixels, static_cast<int>(GetDpiForSystem()), USER_DEFAULT_SCREEN_DPI);
}

bool IsAbove(HWND a, HWND b) {
    const std::vector<HWND> order = TopLevelWindows();
    const auto ia = std::find(order.begin(), order.end(), a);
    const auto ib = std::find(order.begin(), order.end(), b);
    return ia != order.end() && ib != order.end() && ia < ib;
}

}  // namespace e2e
