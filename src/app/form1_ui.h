#pragma once

#include "app/banner_browser.h"

#include <array>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

namespace fq {

class ClickableImage;

// The controls of the main window, created at their design positions, and its three hidden
// menus, which are only ever shown as popup menus.
struct Form1Ui {
    QLineEdit* txtFileType = nullptr;
    QPushButton* cmdBackup = nullptr;
    QPushButton* cmdTutor = nullptr;
    ClickableImage* ImMore = nullptr;
    BannerBrowser* Browser1 = nullptr;
    QLineEdit* txtURL = nullptr;
    QLineEdit* txtPath = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdCheck = nullptr;
    QPushButton* cmdPHP = nullptr;
    QPlainTextEdit* txtDetail = nullptr;
    QPushButton* cmdSave = nullptr;
    std::array<QPlainTextEdit*, 2> txtPHP{}; // 0: the report script, 1: the tutorial
    QTreeWidget* lvWeb = nullptr;
    std::array<QLabel*, 3> La{};
    QLabel* LaStatus = nullptr;
    ClickableImage* ImOpen = nullptr;

    QMenu* mPopup = nullptr;
    QAction* mActive = nullptr;
    QAction* mStartup = nullptr;
    QAction* mExit = nullptr;
    QMenu* mDel = nullptr;
    QAction* aRemove = nullptr;
    QMenu* mBackup = nullptr;
    QAction* mExport = nullptr;
    QAction* mImport = nullptr;
};

// Creates every control as a child of `window` in its design place and focus order, with the
// banner strip from `makeBrowser` (empty: on Qt WebEngine), and the menus owned by the window;
// gives the window its icon and font.
Form1Ui BuildForm1Ui(QWidget* window, const BannerBrowserFactory& makeBrowser);

} // namespace fq
