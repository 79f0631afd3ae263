#pragma once

namespace fq {

struct TwipsPoint {
    int left = 0;
    int top = 0;
};

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The smallest outer window size for which every size of the layout is zero or more.
inline constexpr int kMainWindowMinimumWidth = 2800;
inline constexpr int kMainWindowMinimumHeight = 3100;

// What the main window's resize handling sets, in twips. Every other position and size,
// the tops of the detail box, the list and the script texts included, keeps its design value.
struct MainWindowLayout {
    int detailLeft = 0;
    int detailHeight = 0;
    int siteViewWidth = 0; // the script and tutorial boxes take the size of the list
    int siteViewHeight = 0;
    TwipsPoint scriptButton;
    TwipsPoint tutorialButton;
    TwipsPoint backupButton;
    int statusTop = 0;
    TwipsRect bannerView;
    TwipsPoint moreImage;
};

// Lays the main window out for its outer size in twips (border and title bar included): the
// list and the banner strip grow with the window, the detail box and the bottom buttons follow
// its right and bottom edges. Promises sizes of zero or more from the minimum size upwards.
MainWindowLayout LayOutMainWindow(int outerWidth, int outerHeight);

} // namespace fq
