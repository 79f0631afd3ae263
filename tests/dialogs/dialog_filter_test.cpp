#include "dialogs/dialog_filter.h"

#include <gtest/gtest.h>

using namespace std::string_literals;
using Filters = std::vector<std::string>;

TEST(DialogFilter, PairsBecomeNameFiltersWithTheirPatterns) {
    // The default keeps its description, trailing blank included, and lists every file.
    EXPECT_EQ(fq::DefaultDialogFilter(), "All Files (*.*) \0*.*\0"s);
    EXPECT_EQ(fq::NameFiltersFromNative(fq::DefaultDialogFilter()),
              Filters{"All Files (*.*)  (*)"});
    // The export filter.
    EXPECT_EQ(fq::NameFiltersFromNative("All File (*.*)\0*.*\0"s), Filters{"All File (*.*) (*)"});
    // Several pairs, pattern lists with ";" and blanks; "*.*" inside a list too.
    EXPECT_EQ(
        fq::NameFiltersFromNative("Pages\0*.htm; *.html\0Ini\0ferquor.ini\0Any\0*.txt;*.*\0"s),
        (Filters{"Pages (*.htm *.html)", "Ini (ferquor.ini)", "Any (*.txt *)"}));
    // Without the final zero character the last pattern still counts.
    EXPECT_EQ(fq::NameFiltersFromNative("Text\0*.txt"s), Filters{"Text (*.txt)"});
}

TEST(DialogFilter, BareDescriptionNamesItsFilesAndFallsBackToAllFiles) {
    EXPECT_EQ(fq::NameFiltersFromNative("ferquor.ini"),
              (Filters{"ferquor.ini (ferquor.ini)", "All Files (*.*)  (*)"}));
    EXPECT_EQ(fq::NameFiltersFromNative("Text\0*.txt\0ferquor.ini\0"s),
              (Filters{"Text (*.txt)", "ferquor.ini (ferquor.ini)", "All Files (*.*)  (*)"}));
}

TEST(DialogFilter, AnEmptyItemEndsTheList) {
    EXPECT_TRUE(fq::NameFiltersFromNative("").empty());
    EXPECT_TRUE(fq::NameFiltersFromNative("\0*.*\0"s).empty());
    EXPECT_EQ(fq::NameFiltersFromNative("Text\0*.txt\0\0Pages\0*.htm\0"s), Filters{"Text (*.txt)"});
}

TEST(DialogFilter, FilterIndexIsOneBasedWithZeroMeaningTheFirst) {
    EXPECT_EQ(fq::NameFilterPosition(0, 3), 0);
    EXPECT_EQ(fq::NameFilterPosition(1, 3), 0);
    EXPECT_EQ(fq::NameFilterPosition(3, 3), 2);
    EXPECT_EQ(fq::NameFilterPosition(4, 3), 0);
    EXPECT_EQ(fq::NameFilterPosition(-1, 3), 0);
    EXPECT_EQ(fq::NameFilterPosition(1, 0), 0);
    EXPECT_EQ(fq::FilterIndexAt(0), 1);
    EXPECT_EQ(fq::FilterIndexAt(2), 3);
    EXPECT_EQ(fq::FilterIndexAt(-1), 0);
}
