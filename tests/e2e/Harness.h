// The end-to-end driver's toolkit: it runs inside the same Wine session as kestrow.exe,
// starts and ends the program, finds its windows and message boxes, injects real mouse
// and keyboard input, and waits for conditions with timeouts (never fixed sleeps).
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

// Failure bound for every wait; conditions normally hold within milliseconds.
constexpr DWORD kTimeoutMs = 5000;

// Pumps the driver's own messages in short slices until the condition holds or the
// timeout passes; returns whether it held.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = kTimeoutMs);

// A started kestrow.exe. Killed (and waited for) on destruction unless it has ended.
class Process {
public:
    Process() = default;
    Process(HANDLE handle, DWORD id) : handle_(handle), id_(id) {}
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process();

    DWORD Id() const { return id_; }
    HANDLE Handle() const { return handle_; }
    bool Running() const;
    // Waits until the program waits for input with none pending (WaitForInputIdle).
    bool WaitIdle(DWORD timeoutMs = kTimeoutMs);
    // Waits for the end; returns the exit code, or STILL_ACTIVE when it did not end.
    DWORD WaitExit(DWORD timeoutMs = kTimeoutMs);
    void Kill();

private:
    HANDLE handle_ = nullptr;
    DWORD id_ = 0;
};

std::wstring KestrowPath();
// Starts kestrow.exe; with suspended, its main thread waits for Resume.
Process Launch();
std::vector<Process> LaunchTogether(int count);

// Ends every kestrow.exe of the session, whoever started it.
void KillAllKestrow();
int CountKestrowProcesses();

// The settings file in the Windows directory, and the user's virtual-store copy.
std::wstring SettingsFilePath();
std::wstring VirtualStoreSettingsPath();

// Top-level windows, in z-order from the top.
std::vector<HWND> TopLevelWindows();
DWORD ProcessOf(HWND window);
std::wstring TextOf(HWND window);
std::wstring ClassOf(HWND window);
// A visible top-level window of the process with that class (and title, when given).
HWND FindVisibleWindow(DWORD processId, const wchar_t* className, const wchar_t* title = nullptr);
// A top-level window of the process with that class, visible or not.
HWND FindWindowOf(DWORD processId, const wchar_t* className);
HWND WaitForVisibleWindow(DWORD processId, const wchar_t* className, const wchar_t* title = nullptr);
// The save dialog's file name box, a control of the dialog.
constexpr int kFileNameBox = 0x47c;
// The save dialog of a process (a #32770 window with a file name box), if one is open.
HWND FindSaveDialog(DWORD processId);

// The text of a message box (its static with id 0xFFFF).
std::wstring MessageBoxText(HWND box);
// The text a control holds (asked with WM_GETTEXT, which works across processes).
std::wstring ControlText(HWND control);
// The window with the keyboard focus in the thread that owns the given window.
HWND FocusOfThread(HWND window);

// Real input through SendInput; each pointer move waits until the pointer is there.
void MoveMouse(int x, int y);
void Click(int x, int y);
void ClickCentreOf(HWND window);
enum class MouseButton { kLeft, kRight, kMiddle };
// Press and release of one button at a point.
void PressButton(int x, int y, MouseButton button);
void PressKeys(std::initializer_list<WORD> chord);
// Types the text as characters (VK_PACKET), whatever the keyboard layout.
void TypeText(const std::wstring& text);
// Replaces the text of the control that has the focus by typing, as a user would; true
// when the control shows it.
bool ReplaceFocusedText(HWND control, const std::wstring& text);
// Clicks into an edit box and replaces its text the same way.
bool TypeInto(HWND edit, const std::wstring& text);
// Clicks the caption's close box of a top-level window.
void ClickCloseBox(HWND window);

// A plain window of the driver's own, to stand in front of the program.
class DriverWindow {
public:
    DriverWindow(int x, int y, int width, int height);
    ~DriverWindow();
    DriverWindow(const DriverWindow&) = delete;
    DriverWindow& operator=(const DriverWindow&) = delete;
    HWND Handle() const { return handle_; }

private:
    HWND handle_ = nullptr;
};

// Writes the whole primary screen as a 32-bit BMP file (for failure reports).
bool SaveScreenshot(const std::wstring& path);

// The primary screen's pixels, top-down rows of 0x00RRGGBB.
std::vector<std::uint32_t> ScreenPixels();
// How many pixels differ in colour (the unused byte is ignored).
std::size_t CountDifferences(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b);

// A borderless window over the whole primary screen showing a fixed pattern in which
// neighbouring pixels differ, so any misplaced pixel shows.
class PatternWindow {
public:
    PatternWindow();
    ~PatternWindow();
    PatternWindow(const PatternWindow&) = delete;
    PatternWindow& operator=(const PatternWindow&) = delete;
    HWND Handle() const { return handle_; }
    const std::vector<std::uint32_t>& Pixels() const { return pixels_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND handle_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

// An image as 0x00RRGGBB pixels, top-down.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};
// The clipboard's bitmap, if it holds one.
std::optional<Image> ClipboardBitmap();
// Puts a text on the clipboard (to see later whether anything replaced it).
void PutTextOnClipboard(const std::wstring& text);
std::wstring ClipboardText();
// Decodes an image file with the system's codecs (WIC), independent of the program.
std::optional<Image> DecodeImageFile(const std::wstring& path);
// The part of the pattern between two corners, as the program copies a region.
Image RegionOf(const std::vector<std::uint32_t>& screen, int screenWidth, int left, int top, int right, int bottom);
// The file's bytes; empty when it cannot be read.
std::string FileBytes(const std::wstring& path);
// Creates or replaces the file with these bytes; false when it could not.
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);

// Pixels designed at 96 dpi at the system's dpi.
int Scaled(int designPixels);

// Whether a lies above b in the z-order of top-level windows.
bool IsAbove(HWND a, HWND b);

}  // namespace e2e
