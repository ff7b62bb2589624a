// The settings file object on Windows: a bare file name resolved to the Windows
// directory, as the private-profile functions resolve it. A 64-bit program gets no file
// virtualisation, so this store does what that virtualisation did for the old 32-bit
// program: when the Windows directory's file cannot be written for lack of access, the
// user's copy %LOCALAPPDATA%\VirtualStore\<Windows folder>\<name> is written instead,
// and that copy is read whenever it exists. Files are replaced whole through a
// temporary file in the same folder, so a failed write leaves the old file intact.
#pragma once

#include <string>

#include "common/ProfileFile.h"

namespace winui {

class WindowsProfileStore : public ProfileStore {
public:
    // The bare name in the Windows directory and in the user's virtual store.
    explicit WindowsProfileStore(const std::string& fileName);
    // Explicit places (tests use folders of their own).
    WindowsProfileStore(std::wstring windowsFile, std::wstring virtualStoreFile);

    LoadedProfile Load() const override;
    bool Save(const std::string& gbk, TextEncoding encoding) override;

    const std::wstring& WindowsFile() const { return windowsFile_; }
    const std::wstring& VirtualStoreFile() const { return virtualStoreFile_; }

private:
    std::wstring windowsFile_;
    std::wstring virtualStoreFile_;
};

namespace detail {
// Holds the store so that it is built before the ProfileFile that refers to it.
struct StoreHolder {
    explicit StoreHolder(const std::string& fileName) : store(fileName) {}
    WindowsProfileStore store;
};
}  // namespace detail

// ProfileFile over the Windows store of a bare file name.
class IniFile : private detail::StoreHolder, public ProfileFile {
public:
    explicit IniFile(const std::string& fileName) : StoreHolder(fileName), ProfileFile(fileName, store) {}
};

}  // namespace winui
