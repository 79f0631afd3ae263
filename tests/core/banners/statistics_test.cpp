#include "core/banners/leading_number.h"
#include "core/banners/sponsor_slot.h"
#include "core/banners/statistics.h"

#include <gtest/gtest.h>
#include <utility>

TEST(Statistics, LeadingNumbersReadLikeTheSizesAndIdsTheyCome) {
    const std::pair<const char*, double> cases[] = {
        {"17", 17}, {"17-4", 17}, {"  1200 bytes", 1200}, {"-3.5x", -3.5}, {"0-4", 0}, {"", 0},
        {"x1", 0},  {"+.5", 0.5}};
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(fq::LeadingNumber(text), value) << text;
    }
}

TEST(Statistics, ClicksOnRealBannersAreReportedAsTheyStand) {
    EXPECT_EQ(fq::StatisticsAddress("http://m.test/", "256C4D", fq::kStartEvent),
              "http://m.test/adm/sendstat.php?app=FQV&key=256C4D&do=start");
    EXPECT_EQ(fq::StripClickEvent("17"), "&do=click&banner=17");
    EXPECT_EQ(fq::SponsorClickEvent("17-3"), "&do=click&banner=17");
    // The sponsor window names the slot: the second piece between dashes, if any.
    EXPECT_EQ(fq::SponsorSlotOf("17-3-x"), "3");
    EXPECT_EQ(fq::SponsorSlotOf("17-"), "");
    EXPECT_EQ(fq::SponsorSlotOf("17"), std::nullopt);
    for (const char* nothing : {"", "0", "0-42", "x17"}) {
        EXPECT_FALSE(fq::StripClickEvent(nothing) || fq::SponsorClickEvent(nothing)) << nothing;
    }
}
