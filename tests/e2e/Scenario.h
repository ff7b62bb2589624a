// The fixture of every end-to-end scenario: it starts from a clean state (no settings
// file in the Windows directory or the user's virtual store, no kestrow.exe running)
// and leaves none behind.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "e2e/Harness.h"

namespace e2e {

// The settings file's keys, GBK bytes: 截图质量 (JPEG quality), 截图热键 (hot key) and
// 隐藏 (start hidden).
inline const std::string kQualityKey = "\xBD\xD8\xCD\xBC\xD6\xCA\xC1\xBF";
inline const std::string kHotKeyKey = "\xBD\xD8\xCD\xBC\xC8\xC8\xBC\xFC";
inline const std::string kHideKey = "\xD2\xFE\xB2\xD8";

class Scenario : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts an instance and waits until its settings window is shown and the program
    // has finished starting (it waits for input in its message loop).
    HWND StartShown(Process& process);
    // Starts an instance and waits until it has finished starting, shown or not.
    HWND StartAndSettle(Process& process);

    // Writes the settings file (GBK bytes) before a start.
    void WriteSettings(const std::string& bytes);
    std::string ReadSettings();
    // Writes a settings file that starts the program hidden, with that hot key and quality.
    void WriteHiddenSettings(int hotKey, const std::string& quality = "50");
};

// A control of the settings window by its identifier.
HWND ControlOf(HWND form, int id);

}  // namespace e2e
