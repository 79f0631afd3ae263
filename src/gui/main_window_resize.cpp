// The main window's size and place, and the layout of its controls on every resize.

#include "gui/banner_view.h"
#include "gui/clickable_image.h"
#include "gui/main_window.h"
#include "gui/main_window_layout.h"
#include "gui/twips.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTreeView>

namespace fq {
namespace {

constexpr int kDesignClientWidth = 8910;
constexpr int kDesignClientHeight = 6330;

} // namespace

void MainWindow::placeWindow() {
    const qreal dpi = logicalDpiX();
    // The frame only adds to the outer size, so a client area of at least the layout's
    // minimum keeps the outer size above it too.
    setMinimumSize(TwipsToPixels(kMainWindowMinimumWidth, dpi),
                   TwipsToPixels(kMainWindowMinimumHeight, dpi));
    // The client area goes in the middle of the screen: the frame is not known before the
    // window manager has put it around the window.
    QRect placed(0, 0, TwipsToPixels(kDesignClientWidth, dpi),
                 TwipsToPixels(kDesignClientHeight, dpi));
    if (const QScreen* shownOn = screen()) {
        placed.moveCenter(shownOn->availableGeometry().center());
    }
    setGeometry(placed);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layOutControls();
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    // The window manager's frame is part of the outer size, and it becomes known only once
    // the window has been framed, which reaches us as a move.
    layOutControls();
}

void MainWindow::layOutControls() {
    // A minimised window leaves the screen and the taskbar for the tray. Without a
    // notification area it stays minimised in the taskbar, or nothing could bring it back.
    // Either way its banner strip stops drawing and rotating, and nothing moves.
    if (isMinimized()) {
        if (trayAvailable()) {
            hide();
        }
        ui_.bannerView->hide();
        return;
    }
    ui_.bannerView->show();
    const qreal dpi = logicalDpiX();
    const auto px = [dpi](int twips) { return TwipsToPixels(twips, dpi); };
    const QRect outer = frameGeometry();
    const MainWindowLayout layout =
        LayOutMainWindow(PixelsToTwips(outer.width(), dpi), PixelsToTwips(outer.height(), dpi));

    QPlainTextEdit* detail = ui_.detailBox;
    detail->setGeometry(px(layout.detailLeft), detail->y(), detail->width(),
                        px(layout.detailHeight));
    ui_.siteView->resize(px(layout.siteViewWidth), px(layout.siteViewHeight));
    ui_.scriptButton->move(px(layout.scriptButton.left), px(layout.scriptButton.top));
    ui_.tutorialButton->move(px(layout.tutorialButton.left), px(layout.tutorialButton.top));
    ui_.backupButton->move(px(layout.backupButton.left), px(layout.backupButton.top));
    ui_.scriptEdit->resize(ui_.siteView->size());
    ui_.tutorialView->resize(ui_.siteView->size());
    ui_.statusLabel->move(ui_.statusLabel->x(), px(layout.statusTop));
    const TwipsRect strip = layout.bannerView;
    ui_.bannerView->setGeometry(px(strip.left), px(strip.top), px(strip.width), px(strip.height));
    ui_.moreImage->move(px(layout.moreImage.left), px(layout.moreImage.top));
}

} // namespace fq
