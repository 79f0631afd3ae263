#include "gui/dialog_filter.h"

#include <gtest/gtest.h>

using namespace std::string_literals;
using Filters = std::vector<std::string>;

TEST(DialogFilter, PairsBecomeNameFiltersUpToAnEmptyItem) {
    // Pattern lists with ";" and blanks; "*.*" inside a list too.
    EXPECT_EQ(
        fq::NameFiltersFromNative("Pages\0*.htm; *.html\0Ini\0ferquor.ini\0Any\0*.txt;*.*\0"s),
        (Filters{"Pages (*.htm *.html)", "Ini (ferquor.ini)", "Any (*.txt *)"}));
    // Without the final zero character the last pattern still counts.
    EXPECT_EQ(fq::NameFiltersFromNative("Text\0*.txt"s), Filters{"Text (*.txt)"});
    // A bare last description names its own files and brings the all-files filter along.
    EXPECT_EQ(fq::NameFiltersFromNative("Text\0*.txt\0ferquor.ini\0"s),
              (Filters{"Text (*.txt)", "ferquor.ini (ferquor.ini)", "All Files (*.*)  (*)"}));
    EXPECT_TRUE(fq::NameFiltersFromNative("").empty());
    EXPECT_TRUE(fq::NameFiltersFromNative("\0*.*\0"s).empty());
    EXPECT_EQ(fq::NameFiltersFromNative("Text\0*.txt\0\0Pages\0*.htm\0"s), Filters{"Text (*.txt)"});
}

TEST(DialogFilter, FilterIndexIsOneBasedWithZeroMeaningTheFirst) {
    for (const int outside : {0, 4, -1}) {
        EXPECT_EQ(fq::NameFilterPosition(outside, 3), 0) << outside;
    }
    EXPECT_EQ(fq::NameFilterPosition(3, 3), 2);
    EXPECT_EQ(fq::NameFilterPosition(1, 0), 0);
    EXPECT_EQ(fq::FilterIndexAt(-1), 0);
}
