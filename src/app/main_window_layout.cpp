#include "app/main_window_layout.h"

namespace fq {

MainWindowLayout LayOutMainWindow(int outerWidth, int outerHeight) {
    const int W = outerWidth;
    const int B = outerHeight - 1000; // the line of the bottom buttons
    MainWindowLayout layout;
    layout.txtDetailLeft = W - 2600;
    layout.txtDetailHeight = B - 2100;
    layout.lvWebWidth = W - 2800;
    layout.lvWebHeight = B - 2060;
    layout.cmdPHP = {W - 1250, B};
    layout.cmdTutor = {W - 2350, B};
    layout.cmdBackup = {W - 3450, B};
    layout.LaStatusTop = B + 130;
    layout.Browser1 = {20, 1200, W - 140, 750};
    layout.ImMore = {W - 500, 1220};
    return layout;
}

} // namespace fq
