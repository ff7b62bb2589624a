// The settings file object: an INI file known by name only. It caches nothing and keeps
// nothing open; every read and every write goes to the file through its store, so a
// value is in the file as soon as its write returns. Reads never fail (a missing or
// unreadable file reads as empty); a write that cannot be made throws Failure with
// "Unable to write to <name>".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// How the file's text is encoded on disk. The program writes GBK; a file that an editor
// saved with a byte-order mark is read through it and written back in the same form.
enum class TextEncoding { kGbk, kUtf8Bom, kUtf16LeBom };

struct LoadedProfile {
    enum class State { kMissing, kLoaded, kUnreadable } state = State::kMissing;
    std::string gbk;  // the text, converted to GBK when the file uses another encoding
    TextEncoding encoding = TextEncoding::kGbk;
};

// Where the file's bytes live. The Windows store resolves the bare name to the Windows
// directory (or the user's virtual store); tests use a store in memory.
class ProfileStore {
public:
    virtual ~ProfileStore() = default;
    virtual LoadedProfile Load() const = 0;
    // Replaces the whole file; false when it cannot be written.
    virtual bool Save(const std::string& gbk, TextEncoding encoding) = 0;
};

class ProfileFile {
public:
    // Keeps the name and the store; touches no file.
    ProfileFile(std::string fileName, ProfileStore& store) : fileName_(std::move(fileName)), store_(store) {}

    const std::string& FileName() const { return fileName_; }

    // The value as the private-profile functions return it into a 2048-byte buffer; the
    // default when the file, the section or the key is missing.
    std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
    // The value by the integer rules ("0x"/"0X" read as "$"), or the default when it is
    // missing or not an integer.
    std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t defaultValue) const;

    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    // Plain decimal: a minus sign for negative values, no plus sign, no leading zeros.
    void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);

private:
    [[noreturn]] void FailWrite() const;

    std::string fileName_;
    ProfileStore& store_;
};

// The read buffer of the private-profile functions holds 2048 bytes with the terminator.
inline constexpr std::size_t kProfileValueLimit = 2047;
