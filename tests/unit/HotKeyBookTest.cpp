// The hot-key service's bookkeeping over a fake platform that can refuse combinations:
// indexes, the exact RegisterHotKey arguments, change releasing first, the pressed
// event only for registered values, and everything released at the end.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <tuple>
#include <vector>

#include "common/HotKeyBook.h"

namespace {

class FakePlatform : public HotKeyPlatform {
public:
    std::set<std::pair<std::uint32_t, std::uint32_t>> heldElsewhere;  // (modifiers, key)
    std::vector<std::tuple<char, std::uint16_t, std::uint32_t, std::uint32_t>> calls;
    std::set<std::uint16_t> indexes;
    std::set<std::pair<std::uint32_t, std::uint32_t>> registered;
    std::map<std::uint16_t, std::pair<std::uint32_t, std::uint32_t>> byIndex;
    bool unregisterFails = false;
    std::uint16_t next = 0xC000;

    std::uint16_t NewIndex() override {
        indexes.insert(next);
        return next++;
    }
    void FreeIndex(std::uint16_t index) override { indexes.erase(index); }
    bool Register(std::uint16_t index, std::uint32_t modifiers, std::uint32_t key) override {
        calls.emplace_back('R', index, modifiers, key);
        if (heldElsewhere.count({modifiers, key}) || registered.count({modifiers, key})) return false;
        registered.insert({modifiers, key});
        byIndex[index] = {modifiers, key};
        return true;
    }
    bool Unregister(std::uint16_t index) override {
        calls.emplace_back('U', index, 0, 0);
        if (byIndex.count(index)) registered.erase(byIndex[index]), byIndex.erase(index);
        return !unregisterFails;
    }
};

TEST(HotKeyBook, RegistersWithTheExactModifiersAndKey) {
    struct {
        Shortcut value;
        std::uint32_t modifiers;
        std::uint32_t key;
    } cases[] = {
        {0x4051, kModControl, 'Q'},
        {0x8077, kModAlt, 0x77},
        {0x6074, kModControl | kModShift, 0x74},
        {0x10000 | 0x4041, kModWin | kModControl, 'A'},
    };
    for (const auto& c : cases) {
        FakePlatform platform;
        HotKeyBook book(platform);
        const std::uint16_t index = book.Add(c.value);
        EXPECT_NE(index, 0);
        ASSERT_EQ(platform.calls.size(), 1u);
        EXPECT_EQ(platform.calls[0], std::make_tuple('R', index, c.modifiers, c.key));
    }
}

TEST(HotKeyBook, ARefusedCombinationGivesZeroAndKeepsNothing) {
    FakePlatform platform;
    platform.heldElsewhere.insert({kModControl, 'Q'});
    HotKeyBook book(platform);
    EXPECT_EQ(book.Add(0x4051), 0);
    EXPECT_EQ(book.Count(), 0u);
    EXPECT_TRUE(platform.indexes.empty());  // the index was given back
}

TEST(HotKeyBook, IndexesAreNonzeroAndUniqueAmongLiveRegistrations) {
    FakePlatform platform;
    HotKeyBook book(platform);
    const std::uint16_t a = book.Add(0x4051);
    const std::uint16_t b = book.Add(0x4052);
    EXPECT_NE(a, 0);
    EXPECT_NE(b, 0);
    EXPECT_NE(a, b);
}

TEST(HotKeyBook, ChangeReleasesFirstEvenForTheSameValueAndWhateverUnregisterSays) {
    FakePlatform platform;
    platform.unregisterFails = true;
    HotKeyBook book(platform);
    const std::uint16_t first = book.Add(0x4051);
    const std::uint16_t second = book.Change(first, 0x4051);
    EXPECT_NE(second, 0);
    ASSERT_EQ(platform.calls.size(), 3u);
    EXPECT_EQ(std::get<0>(platform.calls[1]), 'U');
    EXPECT_EQ(std::get<1>(platform.calls[1]), first);
    EXPECT_EQ(std::get<0>(platform.calls[2]), 'R');
    EXPECT_EQ(book.Count(), 1u);
}

TEST(HotKeyBook, ChangeToARefusedValueLosesTheOldOneAndAnUnknownIndexRegistersNothing) {
    FakePlatform platform;
    platform.heldElsewhere.insert({kModControl, 0x74});
    HotKeyBook book(platform);
    const std::uint16_t first = book.Add(0x4051);
    EXPECT_EQ(book.Change(first, 0x4074), 0);
    EXPECT_EQ(book.Count(), 0u);
    EXPECT_TRUE(platform.registered.empty());

    const std::size_t calls = platform.calls.size();
    EXPECT_EQ(book.Change(0, 0x4051), 0);
    EXPECT_EQ(book.Change(0x1234, 0x4051), 0);
    EXPECT_EQ(platform.calls.size(), calls);  // nothing asked of the platform
}

TEST(HotKeyBook, PressedOnlyForAValueItRegistered) {
    FakePlatform platform;
    HotKeyBook book(platform);
    book.Add(0x4051);
    EXPECT_EQ(book.Pressed(kModControl, 'Q'), 0x4051u);
    EXPECT_EQ(book.Pressed(kModControl | kModShift, 'Q'), std::nullopt);
    EXPECT_EQ(book.Pressed(kModControl, 'W'), std::nullopt);
    // Flags other than the four modifiers in the message do not matter.
    EXPECT_EQ(book.Pressed(kModControl | 0x4000, 'Q'), 0x4051u);
}

TEST(HotKeyBook, EverythingIsReleasedAtTheEnd) {
    FakePlatform platform;
    {
        HotKeyBook book(platform);
        book.Add(0x4051);
        book.Add(0x8077);
    }
    EXPECT_TRUE(platform.registered.empty());
    EXPECT_TRUE(platform.indexes.empty());
}

}  // namespace
