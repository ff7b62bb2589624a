// The three user settings in kestrow.ini and the order in which the settings window
// reads and writes them. Reading never fails and applies the defaults; a save writes all
// three keys in order, and a failing write ends it with the earlier keys written.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/ProfileFile.h"
#include "common/Shortcut.h"

// The quality text as stored, unvalidated; "50" when the key is missing.
std::string ReadQualityText(const ProfileFile& ini);
// The hot key as stored (the hot-key box keeps only part of it); Ctrl+Q when missing
// or not an integer.
std::int32_t ReadHotKeyValue(const ProfileFile& ini);
// Whether the settings window starts hidden: any integer but 0.
bool ReadHideAtStart(const ProfileFile& ini);

// Writes the quality text unchanged, the hot-key box's value in decimal and the
// hide-at-start flag as 1 or 0, in that order.
void SaveSettings(ProfileFile& ini, std::string_view qualityText, Shortcut hotKey, bool hideAtStart);
