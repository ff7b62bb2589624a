// The settings window's portable rules; see SettingsRules.h.
#include "SettingsRules.h"

#include "common/IntParse.h"
#include "common/Texts.h"

QualityCheck CheckQuality(std::string_view text) {
    if (text.empty()) return QualityCheck::kEmpty;
    const std::optional<std::int32_t> value = ParseInteger(text);
    if (!value) return QualityCheck::kNotInteger;
    if (*value < 0 || *value > 100) return QualityCheck::kOutOfRange;
    return QualityCheck::kOk;
}

const char* QualityMessage(QualityCheck check) {
    switch (check) {
    case QualityCheck::kEmpty:
        return texts::kQualityEmpty;
    case QualityCheck::kNotInteger:
        return texts::kQualityNotInteger;
    case QualityCheck::kOutOfRange:
        return texts::kQualityOutOfRange;
    case QualityCheck::kOk:
        break;
    }
    return "";
}

std::string CleanAddress(std::string_view stored, std::string_view token) {
    std::string address(stored);
    if (token.empty()) return address;
    for (std::size_t at = address.find(token); at != std::string::npos; at = address.find(token))
        address.erase(at, token.size());
    return address;
}

int DaySerial(int year, int month, int day) {
    // Days from 1970-01-01 of the proleptic Gregorian calendar (H. Hinnant's
    // days_from_civil), then moved to the 1899-12-30 epoch (25569 days earlier).
    year -= month <= 2;
    const int era = (year >= 0 ? year : year - 399) / 400;
    const int yearOfEra = year - era * 400;
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468 + 25569;
}

bool ShortenedOn(int year, int month, int day) {
    return DaySerial(year, month, day) <= 43212;
}
