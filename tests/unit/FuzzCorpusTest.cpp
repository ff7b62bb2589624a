// The inputs the fuzzers found (fuzz/corpus/, refreshed by scripts/fuzz.sh) replayed as
// a regression table through the same checks the fuzzers make.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "fuzz/Properties.h"

namespace {

std::size_t Replay(const char* folder, std::string (*check)(std::string_view)) {
    std::size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(KESTROW_FUZZ_CORPUS) / folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string input((std::istreambuf_iterator<char>(in)), {});
        EXPECT_EQ(check(input), "") << entry.path().filename().string();
        ++count;
    }
    return count;
}

TEST(FuzzCorpus, IntegerConversionAgreesWithTheOracle) {
    EXPECT_GT(Replay("intparse", fuzzcheck::CheckInteger), 10u);
}

TEST(FuzzCorpus, IniReadingAndWritingKeepTheirRules) {
    EXPECT_GT(Replay("initext", fuzzcheck::CheckIni), 10u);
}

TEST(FuzzCorpus, BitmapHeadersOnlyDescribeRowsInsideTheFile) {
    EXPECT_GT(Replay("bmp", fuzzcheck::CheckBmp), 5u);
}

}  // namespace
