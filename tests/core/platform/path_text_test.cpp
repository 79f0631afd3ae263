#include "core/platform/path_text.h"

#include <gtest/gtest.h>

using Pieces = std::vector<std::string>;

TEST(PathText, TrailingLastSplitReplaceAndTrim) {
    EXPECT_EQ(fq::EnsureTrailing("/home/web/site", '/'), "/home/web/site/");
    EXPECT_EQ(fq::EnsureTrailing("/home/web/site/", '/'), "/home/web/site/");
    EXPECT_EQ(fq::EnsureTrailing("", '/'), "/");
    EXPECT_EQ(fq::UpToLast("/home/me/ferquor.ini", "/"), "/home/me/");
    EXPECT_EQ(fq::UpToLast("ferquor.ini", "/"), "");
    EXPECT_EQ(fq::UpToLast("a<>b<>c", "<>"), "a<>b<>");
    EXPECT_EQ(fq::SplitText("a<>b<><>c", "<>"), (Pieces{"a", "b", "", "c"}));
    EXPECT_EQ(fq::SplitText("", "\r\n"), (Pieces{""}));
    EXPECT_EQ(fq::SplitText("x\r\n", "\r\n"), (Pieces{"x", ""}));
    EXPECT_EQ(fq::ReplaceAll("lark lark Lark", "lark", "pw"), "pw pw Lark");
    EXPECT_EQ(fq::TrimBlanks("  a b  "), "a b");
    EXPECT_EQ(fq::TrimBlanks("   "), "");
    EXPECT_EQ(fq::TrimBlanks("\tx\n"), "\tx\n");
}
