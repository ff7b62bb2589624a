// The scenarios' fixture; see Scenario.h.
#include "Scenario.h"

#include "resources/Form2Layout.h"

namespace e2e {

namespace {

// A scenario may have put folders in the settings file's places to make them unwritable.
void RemoveSettingsFiles() {
    for (const std::wstring& path : {SettingsFilePath(), VirtualStoreSettingsPath()}) {
        DeleteFileW(path.c_str());
        RemoveDirectoryW(path.c_str());
    }
}

}  // namespace

void Scenario::SetUp() {
    KillAllKestrow();
    RemoveSettingsFiles();
    ASSERT_EQ(CountKestrowProcesses(), 0);
}

void Scenario::TearDown() {
    KillAllKestrow();
    RemoveSettingsFiles();
    EXPECT_EQ(CountKestrowProcesses(), 0);
}

HWND Scenario::StartShown(Process& process) {
    process = Launch();
    HWND window = WaitForVisibleWindow(process.Id(), L"TForm2");
    EXPECT_NE(window, nullptr) << "no settings window";
    EXPECT_TRUE(process.WaitIdle());
    return window;
}

HWND Scenario::StartAndSettle(Process& process) {
    process = Launch();
    HWND window = nullptr;
    EXPECT_TRUE(WaitFor([&] { return (window = FindWindowOf(process.Id(), L"TForm5")) != nullptr; }));
    EXPECT_TRUE(process.WaitIdle());
    return FindWindowOf(process.Id(), L"TForm2");
}

void Scenario::WriteSettings(const std::string& bytes) {
    EXPECT_TRUE(WriteFileBytes(SettingsFilePath(), bytes)) << "cannot write the settings file";
}

std::string Scenario::ReadSettings() {
    return FileBytes(SettingsFilePath());
}

void Scenario::WriteHiddenSettings(int hotKey, const std::string& quality) {
    WriteSettings("[jtzl]\r\n" + kQualityKey + "=" + quality + "\r\n[HotKey2]\r\n" + kHotKeyKey + "=" +
                  std::to_string(hotKey) + "\r\n[yincang]\r\n" + kHideKey + "=1\r\n");
}

HWND ControlOf(HWND form, int id) {
    HWND found = GetDlgItem(form, id);
    if (!found) found = GetDlgItem(GetDlgItem(form, form2::kPanel1), id);
    return found;
}

}  // namespace e2e
