#include "gui/twips_layout.h"

#include "gui/twips.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>

namespace fq {

TwipsRect Anchored(const TwipsRect& design, unsigned anchors, TwipsSize designOuter,
                   TwipsSize outer) {
    const int wider = outer.width - designOuter.width;
    const int taller = outer.height - designOuter.height;
    TwipsRect placed = design;
    placed.left += (anchors & kFollowRight) != 0 ? wider : 0;
    placed.top += (anchors & kFollowBottom) != 0 ? taller : 0;
    placed.width += (anchors & kStretchWidth) != 0 ? wider : 0;
    placed.height += (anchors & kStretchHeight) != 0 ? taller : 0;
    return placed;
}

TwipsLayout::TwipsLayout(QWidget* window, TwipsSize designOuter, std::vector<TwipsPlace> table)
    : QObject(window), window_(window), designOuter_(designOuter), table_(std::move(table)) {
    outerSize = [window] { return window->frameGeometry().size(); };
    window->installEventFilter(this);
    update();
}

void TwipsLayout::update() {
    if (window_->isMinimized()) {
        return;
    }
    const QSize outer = outerSize();
    if (outer == laidOutFor_) {
        return;
    }
    laidOutFor_ = outer;
    const qreal dpi = window_->logicalDpiX();
    const TwipsSize twips{PixelsToTwips(outer.width(), dpi), PixelsToTwips(outer.height(), dpi)};
    for (const TwipsPlace& place : table_) {
        const TwipsRect at = Anchored(place.design, place.anchors, designOuter_, twips);
        place.control->setGeometry(TwipsToPixels(at.left, dpi), TwipsToPixels(at.top, dpi),
                                   TwipsToPixels(at.width, dpi), TwipsToPixels(at.height, dpi));
    }
}

bool TwipsLayout::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Resize:
    case QEvent::Move:
    case QEvent::Show:
    case QEvent::WindowStateChange:
    case QEvent::ActivationChange:
        update();
        break;
    case QEvent::Paint:
        // Controls move after the paint, not in the middle of it.
        if (!window_->isMinimized() && outerSize() != laidOutFor_) {
            QMetaObject::invokeMethod(this, &TwipsLayout::update, Qt::QueuedConnection);
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void CentreOnScreen(QWidget* window, QSize size) {
    QRect placed(QPoint(0, 0), size);
    if (const QScreen* shownOn = window->screen()) {
        const QRect available = shownOn->availableGeometry();
        placed.setSize(placed.size().boundedTo(available.size()));
        placed.moveCenter(available.center());
    }
    window->setGeometry(placed);
}

void PresentWindow(QWidget* window) {
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace fq
