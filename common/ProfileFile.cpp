// The settings file object; see ProfileFile.h.
#include "ProfileFile.h"

#include "Failure.h"
#include "IniText.h"
#include "IntParse.h"

std::string ProfileFile::ReadString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
    const LoadedProfile loaded = store_.Load();
    std::optional<std::string> value;
    if (loaded.state == LoadedProfile::State::kLoaded) value = IniText(loaded.gbk).Read(section, key);
    return std::string(TruncateGbk(value ? std::string_view(*value) : defaultValue, kProfileValueLimit));
}

std::int32_t ProfileFile::ReadInteger(std::string_view section, std::string_view key,
                                      std::int32_t defaultValue) const {
    std::string text = ReadString(section, key, "");
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.replace(0, 2, "$");
    return ParseInteger(text).value_or(defaultValue);
}

void ProfileFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    // A value must stay one line, or it would add lines of its own to the file.
    if (value.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos) FailWrite();
    const LoadedProfile loaded = store_.Load();
    // A file that exists but cannot be read must not be replaced by one holding only
    // this key: that would lose everything else in it.
    if (loaded.state == LoadedProfile::State::kUnreadable) FailWrite();
    IniText text(loaded.gbk);
    text.Write(section, key, value);
    if (!store_.Save(text.Bytes(), loaded.encoding)) FailWrite();
}

void ProfileFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
    WriteString(section, key, std::to_string(value));
}

void ProfileFile::FailWrite() const {
    throw Failure(L"Unable to write to " + std::wstring(fileName_.begin(), fileName_.end()));
}
