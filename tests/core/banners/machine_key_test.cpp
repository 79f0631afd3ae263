#include "core/banners/machine_key.h"

#include <filesystem>
#include <gtest/gtest.h>

TEST(MachineKey, JoinsSizeAndSerialDropsZerosAndKeepsFirstAndLastThree) {
    struct Case {
        std::uint64_t totalBytes;
        std::optional<std::int32_t> serial;
        const char* key;
    };
    const Case cases[] = {
        {256060510208, 0x1A2B3C4D, "256C4D"},
        {0, std::nullopt, "339339"}, // nothing known: 0 and 12345
        {500107862016, static_cast<std::int32_t>(0xC4D2E1F0), "517339"}, // negative
        {42949672960, 0x00001000, "429961"},
        {1000, 0, "133339"}, // zero serial; "1339" overlaps
        {0, 1, "11"},        // "1" is doubled
        {999999999999999, 0x1000, "999991"},
        {1000000000000000, 0x1000, "1E+151"},
        {1234567890123456, 0x1000, "1.2151"},
        {1999999999999999, 0x1000, "2E+151"}, // 15 significant digits
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fq::MachineKeyOf(c.totalBytes, c.serial), c.key) << c.totalBytes;
    }
    // This machine's key begins with the digits of its root file system's size.
    const std::string key = fq::MachineKey();
    const auto rootBytes = std::filesystem::space("/").capacity;
    EXPECT_EQ(key.size(), 6u);
    EXPECT_EQ(key.substr(0, 3), fq::MachineKeyOf(rootBytes, 1).substr(0, 3)) << key;
}
