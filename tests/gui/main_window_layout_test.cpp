#include "gui/main_window_layout.h"

#include <gtest/gtest.h>

using fq::LayOutMainWindow;

TEST(MainWindowLayout, MinimumSizeIsWhereTheFirstSizesReachZero) {
    const auto smallest =
        LayOutMainWindow(fq::kMainWindowMinimumWidth, fq::kMainWindowMinimumHeight);
    EXPECT_EQ(smallest.siteViewWidth, 0);
    EXPECT_EQ(smallest.detailHeight, 0);
    EXPECT_GE(smallest.siteViewHeight, 0);
    EXPECT_GE(smallest.bannerView.width, 0);

    const auto narrower =
        LayOutMainWindow(fq::kMainWindowMinimumWidth - 1, fq::kMainWindowMinimumHeight - 1);
    EXPECT_LT(narrower.siteViewWidth, 0);
    EXPECT_LT(narrower.detailHeight, 0);
}
