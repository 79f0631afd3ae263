#pragma once

#include <QtGlobal>
#include <cmath>

namespace fq {

// Positions are designed in twips (1/1440 inch) and become pixels at the screen's logical DPI.
inline int TwipsToPixels(int twips, qreal logicalDpi) {
    return static_cast<int>(std::lround(twips * logicalDpi / 1440.0));
}

inline int PixelsToTwips(int pixels, qreal logicalDpi) {
    return static_cast<int>(std::lround(pixels * 1440.0 / logicalDpi));
}

} // namespace fq
