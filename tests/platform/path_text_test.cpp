#include "platform/path_text.h"

#include <gtest/gtest.h>

using fq::EnsureTrailing;
using fq::UpToLast;

TEST(PathText, EnsureTrailingAddsTheCharacterOnce) {
    EXPECT_EQ(EnsureTrailing("/home/web/site", '/'), "/home/web/site/");
    EXPECT_EQ(EnsureTrailing("/home/web/site/", '/'), "/home/web/site/");
    EXPECT_EQ(EnsureTrailing("", '/'), "/");
    EXPECT_EQ(EnsureTrailing("http://a.com/X", 'x'), "http://a.com/Xx");
}

TEST(PathText, UpToLastCutsAfterTheLastSeparator) {
    EXPECT_EQ(UpToLast("/home/me/ferquor.ini", "/"), "/home/me/");
    EXPECT_EQ(UpToLast("ferquor.ini", "/"), "");
    EXPECT_EQ(UpToLast("a<>b<>c", "<>"), "a<>b<>");
}

TEST(PathText, SplitAndReplaceWorkOnEveryOccurrence) {
    EXPECT_EQ(fq::SplitText("a<>b<><>c", "<>"), (std::vector<std::string>{"a", "b", "", "c"}));
    EXPECT_EQ(fq::SplitText("", "\r\n"), (std::vector<std::string>{""}));
    EXPECT_EQ(fq::SplitText("x\r\n", "\r\n"), (std::vector<std::string>{"x", ""}));
    EXPECT_EQ(fq::ReplaceAll("lark lark Lark", "lark", "pw"), "pw pw Lark");
    EXPECT_EQ(fq::ReplaceAll("lark", "lark", ""), "");
}

TEST(PathText, TrimBlanksRemovesSpacesAtBothEndsOnly) {
    EXPECT_EQ(fq::TrimBlanks("  a b  "), "a b");
    EXPECT_EQ(fq::TrimBlanks("   "), "");
    EXPECT_EQ(fq::TrimBlanks("\tx\n"), "\tx\n");
}
