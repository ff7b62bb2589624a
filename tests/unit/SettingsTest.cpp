// The settings file object and the settings' loading and saving steps, over a store in
// memory that can refuse writes: defaults, the integer rule, the exact bytes of a new
// file, and that a failed or impossible write loses nothing.
#include <gtest/gtest.h>

#include <string>

#include "common/Failure.h"
#include "common/ProfileFile.h"
#include "common/Shortcut.h"
#include "setkey/Settings.h"

namespace {

class MemoryStore : public ProfileStore {
public:
    LoadedProfile loaded;     // what the "file" holds
    int savesAllowed = 1000;  // saves after this many fail
    int saves = 0;

    void Set(std::string bytes) {
        loaded.state = LoadedProfile::State::kLoaded;
        loaded.gbk = std::move(bytes);
    }
    LoadedProfile Load() const override { return loaded; }
    bool Save(const std::string& gbk, TextEncoding encoding) override {
        if (saves >= savesAllowed) return false;
        ++saves;
        loaded.state = LoadedProfile::State::kLoaded;
        loaded.gbk = gbk;
        loaded.encoding = encoding;
        return true;
    }
};

// GBK bytes of the three keys.
const std::string kQuality = "\xBD\xD8\xCD\xBC\xD6\xCA\xC1\xBF";
const std::string kHotKey = "\xBD\xD8\xCD\xBC\xC8\xC8\xBC\xFC";
const std::string kHide = "\xD2\xFE\xB2\xD8";

class SettingsTest : public ::testing::Test {
protected:
    MemoryStore store;
    ProfileFile ini{"kestrow.ini", store};
};

TEST_F(SettingsTest, NoFileGivesTheDefaults) {
    EXPECT_EQ(ReadQualityText(ini), "50");
    EXPECT_EQ(ReadHotKeyValue(ini), 16465);
    EXPECT_FALSE(ReadHideAtStart(ini));
    EXPECT_EQ(store.saves, 0);  // reading writes nothing
}

TEST_F(SettingsTest, HotKeyValuesReadByTheIntegerRule) {
    struct {
        const char* stored;
        std::int32_t read;
    } cases[] = {
        {"16465", 16465},
        {"0x4051", 16465},
        {"0X4051", 16465},
        {"$4051", 16465},
        {"x4051", 16465},
        {"-0x1", -1},
        {"16465abc", 16465},      // not an integer: the default
        {"16465 x", 16465},
        {"", 16465},
        {"0x", 16465},
        {"5.5", 16465},
        {"2147483648", 16465},
        {"32887", 32887},
        {"82001", 82001},         // 16465 + 65536: the box drops bit 16 later
        {"16465 ", 16465},        // trailing blanks are trimmed by the reader
    };
    for (const auto& c : cases) {
        store.Set("[HotKey2]\r\n" + kHotKey + "=" + c.stored + "\r\n");
        EXPECT_EQ(ReadHotKeyValue(ini), c.read) << c.stored;
    }
    store.Set("[HotKey2]\r\n" + kHotKey + "=82001\r\n");
    EXPECT_EQ(HotKeyBoxValue(static_cast<std::uint32_t>(ReadHotKeyValue(ini))), 16465u);
}

TEST_F(SettingsTest, HideFlagIsSetByAnyIntegerButZero) {
    struct {
        const char* file;
        bool hidden;
    } cases[] = {
        {"[yincang]\r\n\xD2\xFE\xB2\xD8=1\r\n", true},
        {"[yincang]\r\n\xD2\xFE\xB2\xD8=2\r\n", true},
        {"[yincang]\r\n\xD2\xFE\xB2\xD8=-1\r\n", true},
        {"[yincang]\r\n\xD2\xFE\xB2\xD8=0\r\n", false},
        {"[yincang]\r\n\xD2\xFE\xB2\xD8=no\r\n", false},
        {"[yincang]\r\n", false},
    };
    for (const auto& c : cases) {
        store.Set(c.file);
        EXPECT_EQ(ReadHideAtStart(ini), c.hidden) << c.file;
    }
}

TEST_F(SettingsTest, QualityPresentButEmptyIsEmptyAndMissingIsFifty) {
    store.Set("[jtzl]\r\n" + kQuality + "=\r\n");
    EXPECT_EQ(ReadQualityText(ini), "");
    store.Set("[jtzl]\r\nother=1\r\n");
    EXPECT_EQ(ReadQualityText(ini), "50");
}

TEST_F(SettingsTest, SavingTheDefaultsCreatesExactlyTheseBytes) {
    SaveSettings(ini, "50", 16465, false);
    EXPECT_EQ(store.loaded.gbk, "[jtzl]\r\n" + kQuality + "=50\r\n[HotKey2]\r\n" + kHotKey + "=16465\r\n[yincang]\r\n" +
                                    kHide + "=0\r\n");
    EXPECT_EQ(store.loaded.encoding, TextEncoding::kGbk);
}

TEST_F(SettingsTest, SaveWritesTheTextsAsTypedAndTheValuesInDecimal) {
    SaveSettings(ini, "$32", kShortcutAlt | 0x77, true);  // Alt+F8
    EXPECT_EQ(store.loaded.gbk, "[jtzl]\r\n" + kQuality + "=$32\r\n[HotKey2]\r\n" + kHotKey + "=32887\r\n[yincang]\r\n" +
                                    kHide + "=1\r\n");
    EXPECT_EQ(ReadQualityText(ini), "$32");

    // A second save edits the same lines and keeps whatever else the file holds.
    store.Set("; notes\r\n[yincang]\r\n" + kHide + "=1\r\n[other]\r\nx=y\r\n");
    SaveSettings(ini, "80", 16465, false);
    EXPECT_EQ(store.loaded.gbk, "; notes\r\n[yincang]\r\n" + kHide + "=0\r\n[other]\r\nx=y\r\n[jtzl]\r\n" + kQuality +
                                    "=80\r\n[HotKey2]\r\n" + kHotKey + "=16465\r\n");
}

TEST_F(SettingsTest, AFailingWriteStopsTheSaveAndKeepsTheEarlierKeys) {
    store.savesAllowed = 1;
    try {
        SaveSettings(ini, "70", 16465, true);
        FAIL() << "no failure";
    } catch (const Failure& f) {
        EXPECT_EQ(f.Message(), L"Unable to write to kestrow.ini");
    }
    EXPECT_EQ(store.saves, 1);
    EXPECT_EQ(ReadQualityText(ini), "70");
    EXPECT_EQ(store.loaded.gbk.find("HotKey2"), std::string::npos);
}

TEST_F(SettingsTest, AnUnreadableFileReadsAsDefaultsAndIsNeverOverwritten) {
    store.loaded.state = LoadedProfile::State::kUnreadable;
    EXPECT_EQ(ReadQualityText(ini), "50");
    EXPECT_EQ(ReadHotKeyValue(ini), 16465);
    EXPECT_THROW(SaveSettings(ini, "50", 16465, false), Failure);
    EXPECT_EQ(store.saves, 0);
}

TEST_F(SettingsTest, AValueThatWouldAddLinesIsNotWritten) {
    EXPECT_THROW(ini.WriteString("jtzl", "k", "50\r\n[evil]"), Failure);
    EXPECT_THROW(ini.WriteString("jtzl", "k", std::string("5\0", 2)), Failure);
    EXPECT_EQ(store.saves, 0);
}

TEST_F(SettingsTest, BadFilesReadSafely) {
    // Binary garbage, a file cut in the middle of a line, duplicates.
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 131 + 7) & 0xFF);
    store.Set(binary);
    EXPECT_EQ(ReadHotKeyValue(ini), 16465);
    store.Set("[jtzl]\r\n" + kQuality + "=7");
    EXPECT_EQ(ReadQualityText(ini), "7");
    store.Set("[jtzl]\r\n" + kQuality + "=1\r\n" + kQuality + "=2\r\n[jtzl]\r\n" + kQuality + "=3\r\n");
    EXPECT_EQ(ReadQualityText(ini), "1");

    // A multi-megabyte file with the key at its end.
    std::string big;
    for (int i = 0; i < 200000; ++i) big += "[s" + std::to_string(i) + "]\r\nk=v\r\n";
    store.Set(big + "[jtzl]\r\n" + kQuality + "=90\r\n");
    EXPECT_EQ(ReadQualityText(ini), "90");
    SaveSettings(ini, "91", 16465, false);
    EXPECT_EQ(ReadQualityText(ini), "91");
    EXPECT_EQ(store.loaded.gbk.compare(0, big.size(), big), 0);

    // A value longer than the read buffer comes back cut to 2047 bytes.
    store.Set("[jtzl]\r\n" + kQuality + "=" + std::string(5000, '9') + "\r\n");
    EXPECT_EQ(ReadQualityText(ini), std::string(2047, '9'));
}

TEST_F(SettingsTest, WriteIntegerIsPlainDecimal) {
    struct {
        std::int32_t value;
        const char* text;
    } cases[] = {{0, "0"}, {7, "7"}, {-1, "-1"}, {65535, "65535"}, {INT32_MIN, "-2147483648"}};
    for (const auto& c : cases) {
        ini.WriteInteger("s", "k", c.value);
        EXPECT_EQ(ini.ReadString("s", "k", "?"), c.text);
    }
}

}  // namespace
