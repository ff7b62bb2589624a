// The fixture of every end-to-end scenario: it starts from a clean state (no settings
// file in the Windows directory or the user's virtual store, no kestrow.exe running)
// and leaves none behind.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "e2e/Harness.h"

namespace e2e {

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
};

// A control of the settings window by its identifier.
HWND ControlOf(HWND form, int id);

}  // namespace e2e
