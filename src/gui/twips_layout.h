#pragma once

#include <QObject>
#include <QSize>
#include <functional>
#include <vector>

class QWidget;

namespace fq {

struct TwipsSize {
    int width = 0;
    int height = 0;
};

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const TwipsRect&) const = default;
};

// How a control follows the window's outer edges when the window changes size.
enum Anchor : unsigned {
    kFixed = 0,
    kFollowRight = 1u << 0,   // its left edge keeps its distance from the window's right edge
    kFollowBottom = 1u << 1,  // its top edge keeps its distance from the window's bottom edge
    kStretchWidth = 1u << 2,  // its right edge keeps its distance from the window's right edge
    kStretchHeight = 1u << 3, // its bottom edge keeps its distance from the window's bottom edge
};

// One row of a window's design table: where the control stands, in twips from the top left
// of the client area, when the window's outer size is the table's design size.
struct TwipsPlace {
    QWidget* control = nullptr;
    TwipsRect design;
    unsigned anchors = kFixed;
};

// The anchoring rule: `design` (for the outer size `designOuter`) moved and stretched by how
// much `outer` differs from it. Every size and position is in twips.
TwipsRect Anchored(const TwipsRect& design, unsigned anchors, TwipsSize designOuter,
                   TwipsSize outer);

// Applies a window's design table from the window's outer size (frame included), now and
// whenever that size may have changed: a resize, a move, a change of state, a show, a paint.
// The window manager's frame becomes known only once it has framed the window, which can
// arrive after the first layout without any resize; the next event then lays out again, so a
// freshly shown window stands as a resized one does. Nothing moves while it is minimised.
class TwipsLayout : public QObject {
    Q_OBJECT

public:
    TwipsLayout(QWidget* window, TwipsSize designOuter, std::vector<TwipsPlace> table);

    // Lays the table out for the window's outer size, unless that is the size laid out last.
    void update();

    // The window's outer size in pixels; by default its frame geometry's. Tests replace it.
    std::function<QSize()> outerSize;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
    TwipsSize designOuter_;
    std::vector<TwipsPlace> table_;
    QSize laidOutFor_;
};

// Gives `window` the client size `size` in pixels, kept within its screen, in the middle of it.
void CentreOnScreen(QWidget* window, QSize size);

// Brings `window` back from minimised, shows it, and puts it in front with the keyboard focus.
void PresentWindow(QWidget* window);

} // namespace fq
