// The default exception report's text: a full stop only after characters sorting after ".".
#include <gtest/gtest.h>

#include "common/Failure.h"

namespace {

TEST(ReportText, AppendsAFullStopOnlyAfterCharactersSortingAfterIt) {
    struct {
        const wchar_t* message;
        const wchar_t* shown;
    } cases[] = {
        {L"Cannot open clipboard", L"Cannot open clipboard."},
        {L"JPEG error #21", L"JPEG error #21."},
        {L"Stream write error.", L"Stream write error."},
        {L"done!", L"done!"},
        {L"(x)", L"(x)"},
        {L"a-", L"a-"},
        {L"a/", L"a/."},
        {L"\u672a\u77e5\u7684\u70ed\u952e", L"\u672a\u77e5\u7684\u70ed\u952e."},
        {L"", L""},
    };
    for (const auto& c : cases) EXPECT_EQ(ReportText(c.message), c.shown);
}

TEST(Failure, CarriesItsMessageUnchanged) {
    const Failure f(L"Cannot create file \"C:\\x.jpg\". Access denied");
    EXPECT_EQ(f.Message(), L"Cannot create file \"C:\\x.jpg\". Access denied");
}

}  // namespace
