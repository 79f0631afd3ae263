#include "sites/sort_strings.h"

#include <gtest/gtest.h>

using Texts = std::vector<std::string>;

TEST(SortStrings, OrdersByByteValue) {
    Texts texts = {"b", "B", "a", "\xe9", "~", "A", ""};
    fq::SortStrings(texts, 1);
    EXPECT_EQ(texts, (Texts{"", "A", "B", "a", "b", "~", "\xe9"}));
}

TEST(SortStrings, PrefixFirstAndEqualTextsKeepTheirOrder) {
    Texts texts = {"abc", "ab", "abd", "ab"};
    fq::SortStrings(texts, 1);
    EXPECT_EQ(texts, (Texts{"ab", "ab", "abc", "abd"}));

    // Stability is visible through identity: tag equal keys by position.
    Texts lines = {"x<>2", "x<>1"};
    fq::SortStrings(lines, 1);
    EXPECT_EQ(lines, (Texts{"x<>1", "x<>2"}));
}

TEST(SortStrings, StartPositionIgnoresTheFirstCharacters) {
    Texts texts = {"zb", "ya", "xb", "w"};
    fq::SortStrings(texts, 2);
    EXPECT_EQ(texts, (Texts{"w", "ya", "zb", "xb"}));

    Texts none;
    fq::SortStrings(none, 1);
    EXPECT_TRUE(none.empty());
}
