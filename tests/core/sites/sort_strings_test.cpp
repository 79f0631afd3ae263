#include "core/sites/sort_strings.h"

#include <gtest/gtest.h>

using Texts = std::vector<std::string>;

TEST(SortStrings, ByteOrderPrefixFirstAndStable) {
    Texts texts = {"b", "B", "abc", "ab", "\xe9", "~", "abd", "A", "", "ab"};
    fq::SortStrings(texts, 1);
    EXPECT_EQ(texts, (Texts{"", "A", "B", "ab", "ab", "abc", "abd", "b", "~", "\xe9"}));
    // Equal keys keep their order: from position 2 on, "zb" and "xb" are the same.
    texts = {"zb", "ya", "xb", "w"};
    fq::SortStrings(texts, 2);
    EXPECT_EQ(texts, (Texts{"w", "ya", "zb", "xb"}));
}
