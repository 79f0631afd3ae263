#pragma once

#include "gui/twips_layout.h"

#include <vector>

class QAbstractItemModel;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTreeView;
class QWidget;

namespace fq {

class BannerView;
class ClickableImage;

// The controls of the main window and its two menus,
// which are only ever shown as popup menus.
struct MainWindowControls {
    QLabel* urlLabel = nullptr;
    QLineEdit* urlEdit = nullptr;
    QLabel* folderLabel = nullptr;
    QLineEdit* folderEdit = nullptr;
    ClickableImage* folderImage = nullptr; // picks the local folder
    QPushButton* addButton = nullptr;
    QPushButton* saveButton = nullptr;
    QLabel* typesLabel = nullptr;
    QLineEdit* typesEdit = nullptr; // the watched file types
    QPushButton* checkNowButton = nullptr;
    BannerView* bannerView = nullptr;
    ClickableImage* moreImage = nullptr; // opens every banner
    QTreeView* siteView = nullptr;
    QPlainTextEdit* scriptEdit = nullptr;   // the report script, over the site list
    QPlainTextEdit* tutorialView = nullptr; // the tutorial, over the site list
    QPlainTextEdit* detailBox = nullptr;    // the changed files of the clicked row
    QLabel* statusLabel = nullptr;
    QPushButton* backupButton = nullptr;
    QPushButton* tutorialButton = nullptr;
    QPushButton* scriptButton = nullptr;

    QMenu* listMenu = nullptr;
    QAction* removeAction = nullptr;
    QMenu* backupMenu = nullptr;
    QAction* exportAction = nullptr;
    QAction* importAction = nullptr;
};

// Creates every control as a child of `window` in its focus order (MainWindowDesign places
// them), and the menus owned by the window; gives the window its icon and font. The site view shows
// `siteModel`.
MainWindowControls BuildMainWindowControls(QWidget* window, QAbstractItemModel* siteModel);

// The outer size (frame included) for which the design table gives its positions: the
// design's client area of 8910 by 6330 twips in a frame of 60-twip borders and a 345-twip
// title bar. Only the differences from it matter.
inline constexpr TwipsSize kMainWindowDesignOuter{9030, 6735};

// The main window's design table: every control's place and how it follows the window's
// edges as the window is resized.
std::vector<TwipsPlace> MainWindowDesign(const MainWindowControls& ui);

} // namespace fq
