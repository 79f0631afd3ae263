#include "gui/main_window_layout.h"

namespace fq {

MainWindowLayout LayOutMainWindow(int outerWidth, int outerHeight) {
    const int W = outerWidth;
    const int B = outerHeight - 1000; // the line of the bottom buttons
    MainWindowLayout layout;
    layout.detailLeft = W - 2600;
    layout.detailHeight = B - 2100;
    layout.siteViewWidth = W - 2800;
    layout.siteViewHeight = B - 2060;
    layout.scriptButton = {W - 1250, B};
    layout.tutorialButton = {W - 2350, B};
    layout.backupButton = {W - 3450, B};
    layout.statusTop = B + 130;
    layout.bannerView = {20, 1200, W - 140, 750};
    layout.moreImage = {W - 500, 1220};
    return layout;
}

} // namespace fq
