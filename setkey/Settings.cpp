// Loading and saving of the user settings; see Settings.h.
#include "Settings.h"

#include "common/Texts.h"

std::string ReadQualityText(const ProfileFile& ini) {
    return ini.ReadString(texts::kQualitySection, texts::kQualityKey, texts::kDefaultQuality);
}

std::int32_t ReadHotKeyValue(const ProfileFile& ini) {
    return ini.ReadInteger(texts::kHotKeySection, texts::kHotKeyKey, static_cast<std::int32_t>(kDefaultCaptureShortcut));
}

bool ReadHideAtStart(const ProfileFile& ini) {
    return ini.ReadInteger(texts::kHideSection, texts::kHideKey, 0) != 0;
}

void SaveSettings(ProfileFile& ini, std::string_view qualityText, Shortcut hotKey, bool hideAtStart) {
    ini.WriteString(texts::kQualitySection, texts::kQualityKey, qualityText);
    ini.WriteInteger(texts::kHotKeySection, texts::kHotKeyKey, static_cast<std::int32_t>(hotKey));
    ini.WriteInteger(texts::kHideSection, texts::kHideKey, hideAtStart ? 1 : 0);
}
