// The delivery after a real selection over the pattern: the clipboard's bitmap is the
// region, the save dialog writes a JPEG that the system's own decoder reads back as the
// region at the quality typed (not saved), a cancel writes nothing, another extension
// still gets JPEG content, failures are reported and keep the old file, and a region of
// zero size delivers nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "e2e/CaptureScenario.h"
#include "support/Files.h"

namespace {

using namespace e2e;

// The standard luminance quantisation table in the order DQT stores it (zigzag), and
// libjpeg's scaling of it for a quality.
constexpr int kLuminanceZigzag[64] = {16, 11, 12, 14, 12, 10, 16, 14, 13, 14, 18, 17, 16, 19, 24,  40,
                                      26, 24, 22, 22, 24, 49, 35, 37, 29, 40, 58, 51, 61, 60, 57,  51,
                                      56, 55, 64, 72, 92, 78, 64, 68, 87, 69, 55, 56, 80, 109, 81, 87,
                                      95, 98, 103, 104, 103, 62, 77, 113, 121, 112, 100, 120, 92, 101, 103, 99};

int ScaledQuantiser(int base, int quality) {
    const int scale = quality < 50 ? 5000 / quality : 200 - quality * 2;
    return std::clamp((base * scale + 50) / 100, 1, 255);
}

class Delivery : public CaptureScenario {
protected:
    void SetUp() override {
        CaptureScenario::SetUp();
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder = std::wstring(temp) + L"kestrow-e2e-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(folder.c_str(), nullptr);
        for (const std::wstring& name : FilesIn(folder)) DeleteFileW((folder + L"\\" + name).c_str());
    }
    void TearDown() override {
        CaptureScenario::TearDown();
        for (const std::wstring& name : FilesIn(folder)) DeleteFileW((folder + L"\\" + name).c_str());
        RemoveDirectoryW(folder.c_str());
    }

    std::wstring folder;
};

TEST_F(Delivery, ClipboardAndJpegHoldTheRegionAtTheTypedQuality) {
    ASSERT_NO_FATAL_FAILURE(StartCapture(L"95"));
    Select(120, 90, 521, 330);  // 401 x 240, an odd width
    const Image region = RegionOf(original, width, 120, 90, 521, 330);

    HWND dialog = WaitForSaveDialog();
    ASSERT_NE(dialog, nullptr) << "no save dialog";
    EXPECT_FALSE(IsWindowVisible(capture));  // hidden before the dialog opens
    const std::optional<Image> clip = ClipboardBitmap();
    ASSERT_TRUE(clip.has_value());
    EXPECT_EQ(clip->width, region.width);
    EXPECT_EQ(clip->height, region.height);
    EXPECT_EQ(CountDifferences(clip->pixels, region.pixels), 0u);

    const std::wstring path = folder + L"\\region.jpg";
    SaveAs(dialog, path);
    ASSERT_TRUE(WaitFor([&] { return FileBytes(path).size() > 2 && !FindSaveDialog(); }));
    ASSERT_TRUE(app.WaitIdle());
    const std::string bytes = FileBytes(path);
    ASSERT_EQ(bytes.substr(0, 2), "\xFF\xD8");

    // The first quantisation table is the luminance table at quality 95.
    const std::size_t dqt = bytes.find("\xFF\xDB");
    ASSERT_NE(dqt, std::string::npos);
    for (int i = 0; i < 64; ++i)
        EXPECT_EQ(static_cast<unsigned char>(bytes[dqt + 5 + i]), ScaledQuantiser(kLuminanceZigzag[i], 95)) << i;

    const std::optional<Image> decoded = DecodeImageFile(path);
    ASSERT_TRUE(decoded.has_value());
    ASSERT_EQ(decoded->width, region.width);
    ASSERT_EQ(decoded->height, region.height);
    double total = 0;
    for (std::size_t i = 0; i < region.pixels.size(); ++i)
        for (int shift : {0, 8, 16})
            total += std::abs(static_cast<int>((decoded->pixels[i] >> shift) & 0xFF) -
                              static_cast<int>((region.pixels[i] >> shift) & 0xFF));
    // The pattern is hard for JPEG (every pixel differs from its neighbours); this bound
    // still catches swapped channels, shifted rows or a wrong region.
    EXPECT_LT(total / (region.pixels.size() * 3.0), 12.0);

    EXPECT_EQ(FilesIn(folder), std::vector<std::wstring>{L"region.jpg"});
    EXPECT_EQ(ReadSettings(), "");  // the typed quality was used, not saved
    EXPECT_FALSE(IsWindowVisible(capture));
}

TEST_F(Delivery, CancelWritesNothingAndKeepsTheRegionOnTheClipboard) {
    ASSERT_NO_FATAL_FAILURE(StartCapture());
    Select(10, 10, 60, 40);
    HWND dialog = WaitForSaveDialog();
    ASSERT_NE(dialog, nullptr);
    ClickCentreOf(GetDlgItem(dialog, IDCANCEL));
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
    ASSERT_TRUE(app.WaitIdle());
    EXPECT_TRUE(FilesIn(folder).empty());
    const std::optional<Image> clip = ClipboardBitmap();
    ASSERT_TRUE(clip.has_value());
    EXPECT_EQ(CountDifferences(clip->pixels, RegionOf(original, width, 10, 10, 60, 40).pixels), 0u);
    EXPECT_FALSE(IsWindowVisible(capture));
}

TEST_F(Delivery, AClipboardHeldBrieflyByAnotherProgramIsWaitedFor) {
    ASSERT_NO_FATAL_FAILURE(StartCapture());
    PressButton(30, 30, MouseButton::kLeft);
    MoveMouse(90, 70);
    ASSERT_TRUE(OpenClipboard(nullptr));  // as another program holding it for a moment
    PressButton(90, 70, MouseButton::kLeft);
    // Holding it is the point here: a third of the program's one-second patience.
    WaitFor([] { return false; }, 300);
    CloseClipboard();
    HWND dialog = WaitForSaveDialog();
    ASSERT_NE(dialog, nullptr) << "the delivery gave up";
    const std::optional<Image> clip = ClipboardBitmap();
    ASSERT_TRUE(clip.has_value());
    EXPECT_EQ(CountDifferences(clip->pixels, RegionOf(original, width, 30, 30, 90, 70).pixels), 0u);
    ClickCentreOf(GetDlgItem(dialog, IDCANCEL));
}

TEST_F(Delivery, AnotherExtensionStillGetsJpegContentAndAnExistingFileIsReplaced) {
    const std::wstring path = folder + L"\\picture.png";
    ASSERT_TRUE(WriteFileBytes(path, ""));
    ASSERT_NO_FATAL_FAILURE(StartCapture());
    Select(200, 200, 260, 230);
    HWND dialog = WaitForSaveDialog();
    ASSERT_NE(dialog, nullptr);
    SaveAs(dialog, path);
    ASSERT_TRUE(WaitFor([&] { return FileBytes(path).size() > 2; })) << "no question, no file";
    EXPECT_EQ(FileBytes(path).substr(0, 2), "\xFF\xD8");
    ASSERT_TRUE(app.WaitIdle());
    EXPECT_EQ(FilesIn(folder), std::vector<std::wstring>{L"picture.png"});
}

TEST_F(Delivery, TheDialogReopensWithTheLastPathAndReplacesWithoutAsking) {
    const std::wstring path = folder + L"\\same.jpg";
    ASSERT_NO_FATAL_FAILURE(StartCapture());
    Select(100, 100, 180, 160);
    HWND dialog = WaitForSaveDialog();
    ASSERT_NE(dialog, nullptr);
    SaveAs(dialog, path);
    ASSERT_TRUE(WaitFor([&] { return FileBytes(path).size() > 2 && !FindSaveDialog(); }));
    ASSERT_TRUE(app.WaitIdle());
    const std::string first = FileBytes(path);

    // The next capture, by the hot key, opens the dialog on the same path; confirming
    // at once replaces the file.
    PressKeys({VK_CONTROL, 'Q'});
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(capture) != FALSE; }));
    ASSERT_TRUE(app.WaitIdle());
    Select(300, 200, 420, 260);
    dialog = WaitForSaveDialog();
    ASSERT_NE(dialog, nullptr);
    // The dialog opens in the last folder with the last name in its name box.
    EXPECT_EQ(ControlText(GetDlgItem(dialog, kFileNameBox)), L"same.jpg");
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == dialog; }));
    PressKeys({VK_RETURN});
    ASSERT_TRUE(WaitFor([&] { return FileBytes(path) != first && FileBytes(path).size() > 2; }));
    ASSERT_TRUE(app.WaitIdle());
    const std::optional<Image> decoded = DecodeImageFile(path);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->width, 120);
    EXPECT_EQ(decoded->height, 60);
    EXPECT_EQ(FilesIn(folder), std::vector<std::wstring>{L"same.jpg"});
}

TEST_F(Delivery, FailuresAreReportedAndKeepTheOldFile) {
    enum class Target { kMissingFolder, kHeldOpen, kReadOnly };
    struct Case {
        const char* what;
        std::wstring path;
        Target target;
    };
    const Case cases[] = {
        {"missing folder", folder + L"\\missing\\a.jpg", Target::kMissingFolder},
        {"target held open without sharing", folder + L"\\held.jpg", Target::kHeldOpen},
        {"read-only target", folder + L"\\locked.jpg", Target::kReadOnly},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string oldBytes = "old picture";
        HANDLE held = INVALID_HANDLE_VALUE;
        if (c.target == Target::kHeldOpen) {
            held = CreateFileW(c.path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            DWORD written = 0;
            WriteFile(held, oldBytes.data(), static_cast<DWORD>(oldBytes.size()), &written, nullptr);
        } else if (c.target == Target::kReadOnly) {
            ASSERT_TRUE(WriteFileBytes(c.path, oldBytes));
            ASSERT_TRUE(SetFileAttributesW(c.path.c_str(), FILE_ATTRIBUTE_READONLY));
        }
        ASSERT_NO_FATAL_FAILURE(StartCapture());
        Select(300, 300, 340, 330);
        HWND dialog = WaitForSaveDialog();
        ASSERT_NE(dialog, nullptr);
        SaveAs(dialog, c.path);
        HWND report = WaitForReport();
        ASSERT_NE(report, nullptr) << "no report";
        const std::wstring text = MessageBoxText(report);
        const std::wstring prefix = L"Cannot create file \"" + c.path + L"\". ";
        EXPECT_EQ(text.substr(0, prefix.size()), prefix) << "report: " << std::string(text.begin(), text.end());
        EXPECT_GT(text.size(), prefix.size() + 1) << "no reason given";
        EXPECT_EQ(text.back(), L'.');
        ClickCentreOf(GetDlgItem(report, IDOK));
        ASSERT_TRUE(app.WaitIdle());
        EXPECT_FALSE(IsWindowVisible(capture));
        if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
        if (c.target == Target::kMissingFolder) {
            EXPECT_TRUE(FilesIn(folder).empty());
        } else {
            EXPECT_EQ(FileBytes(c.path), oldBytes);
            EXPECT_EQ(FilesIn(folder), std::vector<std::wstring>{c.path.substr(folder.size() + 1)});
            SetFileAttributesW(c.path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(c.path.c_str());
        }
        app.Kill();
    }
}

// Fills the volume until only `room` bytes are free; false when it could not.
bool FillVolume(const std::wstring& root, const std::wstring& filler, ULONGLONG room) {
    ULARGE_INTEGER free{};
    if (!GetDiskFreeSpaceExW(root.c_str(), &free, nullptr, nullptr) || free.QuadPart < room) return false;
    HANDLE file = CreateFileW(filler.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const std::vector<char> zeros(64 * 1024);
    ULONGLONG left = free.QuadPart - room;
    bool ok = true;
    while (ok && left > 0) {
        const DWORD chunk = static_cast<DWORD>(std::min<ULONGLONG>(left, zeros.size()));
        DWORD written = 0;
        ok = WriteFile(file, zeros.data(), chunk, &written, nullptr) && written == chunk;
        left -= chunk;
    }
    CloseHandle(file);
    return ok && GetDiskFreeSpaceExW(root.c_str(), &free, nullptr, nullptr) && free.QuadPart == room;
}

// The test run gives the session a small volume of its own (a 2 MiB tmpfs, which counts
// space in whole 4 KiB pages); the volume is filled so that the write runs out of space
// either while the bitmap is written or, with the bitmap written, while the JPEG is.
TEST_F(Delivery, AVolumeFillingUpDuringTheWriteIsReportedAndKeepsTheOldFile) {
    const char* drive = std::getenv("KESTROW_E2E_SMALL_DRIVE");
    if (!drive) GTEST_SKIP() << "KESTROW_E2E_SMALL_DRIVE not set: no small volume in this session";
    const std::wstring root = std::wstring(drive, drive + std::strlen(drive)) + L"\\";
    const std::wstring target = root + L"full.jpg", filler = root + L"filler.bin";

    // A 400 x 300 region; the bitmap is written at the screen's depth.
    HDC screen = GetDC(nullptr);
    const int bits = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    ASSERT_GE(bits, 16);
    const ULONGLONG rowBytes = (400ull * bits + 31) / 32 * 4;
    const ULONGLONG bitmapPages = (14 + 40 + rowBytes * 300 + 4095) / 4096;
    struct Case {
        const char* what;
        ULONGLONG room;
    };
    const Case cases[] = {
        {"full while the bitmap is written", 16 * 4096},
        // Room for the bitmap and two pages: the JPEG of the pattern needs far more.
        {"full while the JPEG is written", (bitmapPages + 2) * 4096},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string oldBytes = "old picture";
        ASSERT_TRUE(WriteFileBytes(target, oldBytes)) << "the small volume is not there";
        ASSERT_TRUE(FillVolume(root, filler, c.room));
        ASSERT_NO_FATAL_FAILURE(StartCapture());
        Select(100, 100, 500, 400);
        HWND dialog = WaitForSaveDialog();
        ASSERT_NE(dialog, nullptr);
        SaveAs(dialog, target);
        HWND report = WaitForReport();
        ASSERT_NE(report, nullptr) << "no report";
        EXPECT_EQ(MessageBoxText(report), L"Stream write error.");
        ClickCentreOf(GetDlgItem(report, IDOK));
        ASSERT_TRUE(app.WaitIdle());
        EXPECT_FALSE(IsWindowVisible(capture));
        EXPECT_EQ(FileBytes(target), oldBytes);
        EXPECT_EQ(FilesIn(root), (std::vector<std::wstring>{L"filler.bin", L"full.jpg"}));
        DeleteFileW(filler.c_str());
        DeleteFileW(target.c_str());
        app.Kill();
    }
}

TEST_F(Delivery, ARegionOfZeroSizeDeliversNothing) {
    ASSERT_NO_FATAL_FAILURE(StartCapture());
    PutTextOnClipboard(L"kept");
    PressButton(400, 100, MouseButton::kLeft);
    MoveMouse(400, 300);
    PressButton(400, 300, MouseButton::kLeft);  // same column: zero width
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(capture); })) << "the capture window stayed";
    EXPECT_FALSE(WaitFor([&] { return FindSaveDialog() != nullptr; }, 800)) << "a dialog opened";
    EXPECT_EQ(ClipboardText(), L"kept");
    EXPECT_TRUE(FilesIn(folder).empty());
}

}  // namespace
