// The settings file on Windows: our reader and writer against the system's own
// private-profile functions on the same files, the exact bytes of a new file, the
// user's virtual-store copy when the Windows directory cannot be written, and files
// that cannot be read or written losing nothing.
#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/Failure.h"
#include "setkey/Settings.h"
#include "support/Files.h"
#include "winui/IniFile.h"

namespace {

std::string ReadBytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string Narrow(const std::wstring& path) {
    std::string s;
    for (wchar_t c : path) s += static_cast<char>(c);  // temp paths here are ASCII
    return s;
}

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        root = std::wstring(temp) + L"kestrow-ini-" + std::to_wstring(GetCurrentProcessId());
        windowsDir = root + L"\\windows";
        storeDir = root + L"\\store";
        SHCreateDirectoryExW(nullptr, windowsDir.c_str(), nullptr);
        windowsFile = windowsDir + L"\\kestrow.ini";
        storeFile = storeDir + L"\\kestrow.ini";
    }
    void TearDown() override {
        std::wstring from = root + L'\0';
        SHFILEOPSTRUCTW op{};
        op.wFunc = FO_DELETE;
        op.pFrom = from.c_str();
        op.fFlags = FOF_NO_UI;
        SHFileOperationW(&op);
    }

    std::wstring root, windowsDir, storeDir, windowsFile, storeFile;
};

// Files that exercise the reading rules, each queried for every name it mentions and a
// few it lacks; our reader must give what GetPrivateProfileStringA gives.
const char* const kCorpus[] = {
    "[s]\r\nk=v\r\n",
    "[S]\r\nK=v\r\nj = w \r\n",
    "  [ s ]  \r\n  k  =  v \r\n\t j\t=\tx\t\r\n",
    "[s]\nk=lf\nj=2\n",
    "[s]\rk=cr\rj=3\r",
    "[s]\r\nk=last",
    "[s]\r\nk=\r\nj=   \r\n",
    "[s]\r\nk\r\nj=1\r\n",
    "[s]\r\nk=first\r\nk=second\r\n[s]\r\nk=third\r\nj=two\r\n",
    "[s]x\r\nk=v\r\n[t]]\r\nj=w\r\n",
    "[s\r\nk=v\r\n[t]\r\nj=1\r\n",
    "x[s]\r\nk=v\r\n",
    "[s]\r\n[t]\r\nk=v\r\n",
    "[s]\r\n;k=v\r\nk=w\r\n; comment line\r\n",
    "[s]\r\nk=a=b\r\nj==\r\n",
    "[s]\r\nk=\"quoted\"\r\nj='single'\r\nq=\"a\"b\"\r\nh=\"half\r\nm=\"x'\r\nn=\"\r\ne=\"\"\r\n",
    "[s]\r\n k =\"  q  \" \r\n",
    "\r\n\r\n[s]\r\n\r\nk=v\r\n\r\n\r\n[t]\r\n\r\nj=w\r\n",
    "[jtzl]\r\n\xBD\xD8\xCD\xBC\xD6\xCA\xC1\xBF=50\r\n[HotKey2]\r\n\xBD\xD8\xCD\xBC\xC8\xC8\xBC\xFC=0x4051\r\n",
    "[JTZL]\r\n \xBD\xD8\xCD\xBC\xD6\xCA\xC1\xBF = $32 \r\n[yincang]\r\n\xD2\xFE\xB2\xD8=no\r\n",
    "[s]\r\nk=\xA1\xA1" "50\xA1\xA1\r\n",
    "",
    "\r\n",
    "no section=1\r\n[s]\r\nk=v\r\n",
};
const char* const kSections[] = {"s", "S", "t", "t]", "jtzl", "HotKey2", "yincang", "missing"};
const char* const kKeys[] = {"k", "j", "q", "h", "m", "n", "e", ";k", "missing", "\xBD\xD8\xCD\xBC\xD6\xCA\xC1\xBF",
                             "\xBD\xD8\xCD\xBC\xC8\xC8\xBC\xFC", "\xD2\xFE\xB2\xD8"};

TEST_F(IniFileTest, ReadsEveryFileAsThePrivateProfileFunctionsDo) {
    winui::WindowsProfileStore store(windowsFile, L"");
    ProfileFile ini("kestrow.ini", store);
    const std::string path = Narrow(windowsFile);
    for (const char* content : kCorpus) {
        WriteBytes(windowsFile, content);
        for (const char* section : kSections) {
            for (const char* key : kKeys) {
                char buffer[2048];
                GetPrivateProfileStringA(section, key, "<default>", buffer, sizeof(buffer), path.c_str());
                EXPECT_EQ(ini.ReadString(section, key, "<default>"), buffer)
                    << "file: " << content << "\nsection: " << section << " key: " << key;
            }
        }
    }
}

TEST_F(IniFileTest, WritesLeaveFilesThatReadAsThePrivateProfileFunctionsLeaveThem) {
    const std::wstring theirsFile = windowsDir + L"\\theirs.ini";
    const std::string theirs = Narrow(theirsFile);
    const std::string ours = Narrow(windowsFile);
    winui::WindowsProfileStore store(windowsFile, L"");
    ProfileFile ini("kestrow.ini", store);
    struct Write {
        const char* section;
        const char* key;
        const char* value;
    };
    const Write writes[] = {{"s", "k", "new"}, {"S", "added", "1"}, {"t", "j", "2"}, {"fresh", "k", "3"}, {"s", "K", "again"}};
    for (const char* content : kCorpus) {
        WriteBytes(windowsFile, content);
        WriteBytes(theirsFile, content);
        for (const Write& w : writes) {
            ini.WriteString(w.section, w.key, w.value);
            WritePrivateProfileStringA(w.section, w.key, w.value, theirs.c_str());
        }
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, theirs.c_str());  // flush the system's cache
        for (const char* section : kSections) {
            for (const char* key : {"k", "j", "added", "missing"}) {
                char mine[2048], system[2048];
                GetPrivateProfileStringA(section, key, "<default>", mine, sizeof(mine), ours.c_str());
                GetPrivateProfileStringA(section, key, "<default>", system, sizeof(system), theirs.c_str());
                EXPECT_STREQ(mine, system) << "file: " << content << "\nsection: " << section << " key: " << key;
            }
        }
    }
}

TEST_F(IniFileTest, ADefaultSaveCreatesTheSameBytesAsTheSystem) {
    winui::WindowsProfileStore store(windowsFile, L"");
    ProfileFile ini("kestrow.ini", store);
    SaveSettings(ini, "50", 16465, false);

    const std::wstring theirsFile = windowsDir + L"\\theirs.ini";
    const std::string theirs = Narrow(theirsFile);
    WritePrivateProfileStringA("jtzl", "\xBD\xD8\xCD\xBC\xD6\xCA\xC1\xBF", "50", theirs.c_str());
    WritePrivateProfileStringA("HotKey2", "\xBD\xD8\xCD\xBC\xC8\xC8\xBC\xFC", "16465", theirs.c_str());
    WritePrivateProfileStringA("yincang", "\xD2\xFE\xB2\xD8", "0", theirs.c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, theirs.c_str());

    EXPECT_EQ(ReadBytes(windowsFile),
              "[jtzl]\r\n\xBD\xD8\xCD\xBC\xD6\xCA\xC1\xBF=50\r\n[HotKey2]\r\n\xBD\xD8\xCD\xBC\xC8\xC8\xBC\xFC=16465\r\n"
              "[yincang]\r\n\xD2\xFE\xB2\xD8=0\r\n");
    EXPECT_EQ(ReadBytes(windowsFile), ReadBytes(theirsFile));
}

TEST_F(IniFileTest, UnwritableWindowsDirectoryFallsBackToTheUsersCopy) {
    winui::WindowsProfileStore store(windowsFile, storeFile);
    ProfileFile ini("kestrow.ini", store);
    // A folder of the file's name cannot be replaced, as a protected file cannot.
    ASSERT_TRUE(CreateDirectoryW(windowsFile.c_str(), nullptr));

    SaveSettings(ini, "70", 16465, true);
    EXPECT_NE(ReadBytes(storeFile).find("=70\r\n"), std::string::npos);
    EXPECT_EQ(ReadQualityText(ini), "70");
    EXPECT_TRUE(ReadHideAtStart(ini));

    // Once the copy exists it is read and written even when the Windows file is back.
    RemoveDirectoryW(windowsFile.c_str());
    WriteBytes(windowsFile, "[jtzl]\r\n\xBD\xD8\xCD\xBC\xD6\xCA\xC1\xBF=10\r\n");
    EXPECT_EQ(ReadQualityText(ini), "70");
    SaveSettings(ini, "80", 16465, false);
    EXPECT_EQ(ReadQualityText(ini), "80");
    EXPECT_EQ(ReadBytes(windowsFile), "[jtzl]\r\n\xBD\xD8\xCD\xBC\xD6\xCA\xC1\xBF=10\r\n");
}

TEST_F(IniFileTest, NeitherPlaceWritableReportsTheErrorAndChangesNothing) {
    winui::WindowsProfileStore store(windowsFile, storeFile);
    ProfileFile ini("kestrow.ini", store);
    ASSERT_TRUE(CreateDirectoryW(windowsFile.c_str(), nullptr));
    SHCreateDirectoryExW(nullptr, storeFile.c_str(), nullptr);  // a folder in the copy's place too
    try {
        SaveSettings(ini, "70", 16465, true);
        FAIL() << "no failure";
    } catch (const Failure& f) {
        EXPECT_EQ(f.Message(), L"Unable to write to kestrow.ini");
    }
    // No temporary file is left behind in either folder.
    EXPECT_EQ(FilesIn(windowsDir), std::vector<std::wstring>{L"kestrow.ini"});
    EXPECT_EQ(FilesIn(storeDir), std::vector<std::wstring>{L"kestrow.ini"});
}

TEST_F(IniFileTest, AFileHeldWithoutSharingReadsAsDefaultsAndIsNotReplaced) {
    const std::string before = "[jtzl]\r\n\xBD\xD8\xCD\xBC\xD6\xCA\xC1\xBF=10\r\n[keep]\r\nx=1\r\n";
    WriteBytes(windowsFile, before);
    winui::WindowsProfileStore store(windowsFile, storeFile);
    ProfileFile ini("kestrow.ini", store);
    HANDLE held = CreateFileW(windowsFile.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(ReadQualityText(ini), "50");
    EXPECT_THROW(SaveSettings(ini, "70", 16465, false), Failure);
    CloseHandle(held);
    EXPECT_EQ(ReadBytes(windowsFile), before);
    EXPECT_EQ(FilesIn(windowsDir), std::vector<std::wstring>{L"kestrow.ini"});
}

TEST_F(IniFileTest, AFileSavedWithAByteOrderMarkIsReadAndKeepsItsForm) {
    // 截图质量=60 in UTF-8 with a BOM, as an editor may save it.
    WriteBytes(windowsFile, "\xEF\xBB\xBF[jtzl]\r\n\xE6\x88\xAA\xE5\x9B\xBE\xE8\xB4\xA8\xE9\x87\x8F=60\r\n");
    winui::WindowsProfileStore store(windowsFile, L"");
    ProfileFile ini("kestrow.ini", store);
    EXPECT_EQ(ReadQualityText(ini), "60");
    SaveSettings(ini, "61", 16465, false);
    const std::string after = ReadBytes(windowsFile);
    EXPECT_EQ(after.compare(0, 3, "\xEF\xBB\xBF"), 0);
    EXPECT_NE(after.find("\xE6\x88\xAA\xE5\x9B\xBE\xE8\xB4\xA8\xE9\x87\x8F=61\r\n"), std::string::npos);
    EXPECT_EQ(ReadQualityText(ini), "61");
}

TEST_F(IniFileTest, TheBareNameLivesInTheWindowsDirectoryAndTheUsersVirtualStore) {
    winui::WindowsProfileStore store("kestrow.ini");
    wchar_t windows[MAX_PATH];
    GetWindowsDirectoryW(windows, MAX_PATH);
    EXPECT_EQ(store.WindowsFile(), std::wstring(windows) + L"\\kestrow.ini");
    wchar_t local[MAX_PATH];
    SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, local);
    const std::wstring windowsName = std::wstring(windows).substr(3);  // without "C:\"
    EXPECT_EQ(store.VirtualStoreFile(), std::wstring(local) + L"\\VirtualStore\\" + windowsName + L"\\kestrow.ini");
}

}  // namespace
