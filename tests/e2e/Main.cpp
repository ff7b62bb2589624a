// The driver's entry: GoogleTest, plus a screenshot of the screen at the first failure
// of each scenario, written beside the XML report (KESTROW_E2E_SHOTS names the folder).
#include <windows.h>

#include <objbase.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "e2e/Harness.h"

namespace {

class ScreenshotOnFailure : public ::testing::EmptyTestEventListener {
public:
    explicit ScreenshotOnFailure(std::wstring folder) : folder_(std::move(folder)) {}

    void OnTestStart(const ::testing::TestInfo&) override { taken_ = false; }

    void OnTestPartResult(const ::testing::TestPartResult& result) override {
        if (!result.failed() || taken_) return;
        taken_ = true;
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(test->test_suite_name()) + "." + test->name() + ".bmp";
        e2e::SaveScreenshot(folder_ + L"\\" + std::wstring(name.begin(), name.end()));
    }

private:
    std::wstring folder_;
    bool taken_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    // The driver compares physical pixels and positions, also on scaled displays.
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // for the system's image decoders
    ::testing::InitGoogleTest(&argc, argv);
    if (const wchar_t* folder = _wgetenv(L"KESTROW_E2E_SHOTS"))
        ::testing::UnitTest::GetInstance()->listeners().Append(new ScreenshotOnFailure(folder));
    return RUN_ALL_TESTS();
}
