#include "gui/main_window_layout.h"

#include <gtest/gtest.h>

using fq::LayOutMainWindow;

TEST(MainWindowLayout, MinimumSizeIsWhereTheFirstSizesReachZero) {
    const auto smallest =
        LayOutMainWindow(fq::kMainWindowMinimumWidth, fq::kMainWindowMinimumHeight);
    EXPECT_EQ(smallest.lvWebWidth, 0);
    EXPECT_EQ(smallest.txtDetailHeight, 0);
    EXPECT_GE(smallest.lvWebHeight, 0);
    EXPECT_GE(smallest.Browser1.width, 0);

    const auto narrower =
        LayOutMainWindow(fq::kMainWindowMinimumWidth - 1, fq::kMainWindowMinimumHeight - 1);
    EXPECT_LT(narrower.lvWebWidth, 0);
    EXPECT_LT(narrower.txtDetailHeight, 0);
}

TEST(MainWindowLayout, ControlsKeepTheirDistancesAtEverySize) {
    constexpr int kButtonWidth = 975;
    constexpr int kListLeft = 100;
    constexpr int kListTop = 2040;
    for (int width = fq::kMainWindowMinimumWidth; width <= 30000; width += 997) {
        for (int height = fq::kMainWindowMinimumHeight; height <= 20000; height += 1003) {
            SCOPED_TRACE(testing::Message() << width << " x " << height);
            const auto at = LayOutMainWindow(width, height);
            // The list ends 100 twips before the detail box, which keeps 260 twips from the
            // right edge.
            EXPECT_EQ(at.txtDetailLeft - (kListLeft + at.lvWebWidth), 100);
            EXPECT_EQ(width - (at.txtDetailLeft + 2340), 260);
            // The bottom buttons stand in a row 125 twips apart, below the list, above the
            // status line, and end 275 twips before the right edge.
            EXPECT_EQ(at.cmdTutor.left - (at.cmdBackup.left + kButtonWidth), 125);
            EXPECT_EQ(at.cmdPHP.left - (at.cmdTutor.left + kButtonWidth), 125);
            EXPECT_EQ(width - (at.cmdPHP.left + kButtonWidth), 275);
            EXPECT_EQ(at.cmdBackup.top, at.cmdPHP.top);
            EXPECT_EQ(at.cmdTutor.top, at.cmdPHP.top);
            EXPECT_GT(at.cmdPHP.top, kListTop + at.lvWebHeight);
            EXPECT_EQ(at.LaStatusTop - at.cmdPHP.top, 130);
        }
    }
}
