#include "core/banners/banner_pages.h"
#include "core/banners/machine_key.h"
#include "core/banners/sponsor_slot.h"
#include "core/banners/statistics.h"

#include <gtest/gtest.h>
#include <utility>

namespace {

std::string Line(int id, const std::string& slot = "") {
    const std::string n = std::to_string(id);
    return n + "\t" + n + ".gif\t1200\thttp://s.test/" + n + "\tT" + n +
           (slot.empty() ? "" : "\t" + slot) + "\r\n";
}

std::string Entry(int id, const std::string& alt) {
    const std::string n = std::to_string(id);
    return "\t<a href='http://s.test/" + n + "' target='_blank'><img src='../banner/" + n +
           ".gif' title='T" + n + "' alt='" + alt + "'></a> \r\n";
}

std::string Strip(const std::string& list) {
    return fq::StripMarkup(fq::ParseBannerList(list));
}

} // namespace

TEST(BannerPages, StripEntriesComeInGroupsOfFourAndTheLastGroupHasNoLineBreak) {
    std::string four, groupOfFour;
    for (int id = 1; id <= 4; ++id) {
        four += Line(id);
        groupOfFour += Entry(id, std::to_string(id));
    }
    const std::string full = "\t<div>\r\n" + groupOfFour + "\t</div>";
    EXPECT_EQ(Strip(four + "\r\n===\r\n" + Line(9, "1")), full + "\r\n");
    EXPECT_EQ(Strip(four + Line(5)), full + "\r\n\t<div>\r\n" + Entry(5, "5") + "\t</div>");
    EXPECT_EQ(fq::FillPage("<p><div></div></p><div></div>", Strip("===\r\n")), "<p></p>");
}

TEST(BannerPages, SponsorSlotsTakeTheLastExactMatchAndUnsoldSlotsShowTheFreePicture) {
    const std::string list = Line(1) + "\r\n===\r\n" + Line(30, "3") + Line(31, "3") +
                             Line(7, "07") + Line(8, "0") + Line(9, "101") + Line(10, " 7") +
                             Line(11) + "\r\n===\r\n" + Line(12, "4");
    const std::string block = fq::SponsorBlock(fq::ParseBannerList(list));
    EXPECT_TRUE(block.starts_with("\t<div>\r\n"));
    EXPECT_TRUE(block.ends_with("alt='0-100'></a> \r\n\t</div>"));
    EXPECT_NE(block.find(Entry(31, "31-3")), std::string::npos);
    for (const char* absent : {"T30", "T7'", "T8'", "T9'", "T10'", "T11'", "T12'"}) {
        EXPECT_EQ(block.find(absent), std::string::npos) << absent;
    }
    EXPECT_NE(block.find("\t<a href='javascript: void(0);'><img src='../php/free.gif' "
                         "title='' alt='0-42'></a> \r\n"),
              std::string::npos);
}

TEST(BannerPages, LinesThatCouldEscapeTheirPlaceAreLeftOut) {
    const std::string hostile = "1\t../x.gif\t9\thttp://a.test/\tT\r\n"
                                "2\tb.gif\t9\thttp://a.test/\tit's\r\n"
                                "3\tc.gif\t9\tjavascript:alert(1)\tT\r\n"
                                "4\td\\e.gif\t9\tHTTPS://a.test/\tT\r\n"
                                "5\tf.gif\t9\tHTTPS://a.test/\r\n"; // a field short
    EXPECT_EQ(Strip(hostile + Line(6)), "\t<div>\r\n" + Entry(6, "6") + "\t</div>");
}

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
}

TEST(Statistics, OnlyClicksOnRealBannersAreReported) {
    // The sponsor window names the slot: the second piece between dashes, if any.
    EXPECT_EQ(fq::SponsorSlotOf("17-3-x"), "3");
    EXPECT_EQ(fq::SponsorSlotOf("17-"), "");
    EXPECT_EQ(fq::SponsorSlotOf("17"), std::nullopt);
    for (const char* nothing : {"", "0", "0-42", "x17"}) {
        EXPECT_FALSE(fq::StripClickEvent(nothing) || fq::SponsorClickEvent(nothing)) << nothing;
    }
}
