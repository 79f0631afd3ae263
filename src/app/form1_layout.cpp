// The main window's size and place, and the layout of its controls on every resize.

#include "app/clickable_image.h"
#include "app/form1.h"
#include "app/main_window_layout.h"
#include "app/twips.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>

namespace fq {
namespace {

constexpr int kDesignClientWidth = 8910;
constexpr int kDesignClientHeight = 6330;

} // namespace

void Form1::PlaceWindow() {
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

void Form1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void Form1::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    // The window manager's frame is part of the outer size, and it becomes known only once
    // the window has been framed, which reaches us as a move.
    Form_Resize();
}

void Form1::Form_Resize() {
    // A minimised window leaves the screen and the taskbar for the tray, and its banner strip
    // stops drawing. Without a notification area it stays minimised in the taskbar, or nothing
    // could bring it back. Nothing moves either way.
    if (isMinimized()) {
        if (TrayAvailable()) {
            hide();
            ui_.Browser1->hide();
        }
        return;
    }
    const qreal dpi = logicalDpiX();
    const auto px = [dpi](int twips) { return TwipsToPixels(twips, dpi); };
    const QRect outer = frameGeometry();
    const MainWindowLayout layout =
        LayOutMainWindow(PixelsToTwips(outer.width(), dpi), PixelsToTwips(outer.height(), dpi));

    QPlainTextEdit* detail = ui_.txtDetail;
    detail->setGeometry(px(layout.txtDetailLeft), detail->y(), detail->width(),
                        px(layout.txtDetailHeight));
    ui_.lvWeb->resize(px(layout.lvWebWidth), px(layout.lvWebHeight));
    ui_.cmdPHP->move(px(layout.cmdPHP.left), px(layout.cmdPHP.top));
    ui_.cmdTutor->move(px(layout.cmdTutor.left), px(layout.cmdTutor.top));
    ui_.cmdBackup->move(px(layout.cmdBackup.left), px(layout.cmdBackup.top));
    for (QPlainTextEdit* text : ui_.txtPHP) {
        text->resize(ui_.lvWeb->size());
    }
    ui_.LaStatus->move(ui_.LaStatus->x(), px(layout.LaStatusTop));
    const TwipsRect strip = layout.Browser1;
    ui_.Browser1->setGeometry(px(strip.left), px(strip.top), px(strip.width), px(strip.height));
    ui_.ImMore->move(px(layout.ImMore.left), px(layout.ImMore.top));
}

} // namespace fq
