#include "gui/main_window_controls.h"

#include "core/check/report_script.h"
#include "core/check/tutorial_text.h"
#include "core/sites/watched_types.h"
#include "gui/banner_view.h"
#include "gui/clickable_image.h"
#include "gui/qt_text.h"
#include "gui/site_list_model.h"
#include "gui/twips.h"

#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeView>

// The pictures are compiled into the static GUI library, which the linker would drop unless
// something refers to them.
static void LoadMainWindowImages() {
    Q_INIT_RESOURCE(main_window_images);
}

namespace fq {
namespace {

// Long enough to read a banner group's titles, short enough that every group gets seen.
constexpr std::chrono::seconds kBannerGroupTime{6};

struct Twips {
    int left, top, width, height;
};

template <typename Control>
Control* Place(Control* control, const char* name, Twips at) {
    control->setObjectName(QLatin1String(name));
    PlaceInTwips(control, at.left, at.top, at.width, at.height);
    return control;
}

QPushButton* MakeButton(QWidget* window, const char* name, const char* caption, Twips at) {
    return Place(new QPushButton(QLatin1String(caption), window), name, at);
}

QLabel* MakeLabel(QWidget* window, const char* name, const char* caption, Twips at,
                  Qt::Alignment alignment) {
    auto* label = Place(new QLabel(QLatin1String(caption), window), name, at);
    label->setAlignment(alignment | Qt::AlignVCenter);
    return label;
}

QPlainTextEdit* MakeTextArea(QWidget* window, const char* name, const QString& text, Twips at) {
    auto* box = Place(new QPlainTextEdit(text, window), name, at);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab walks the window's focus order here too instead of typing a tab.
    box->setTabChangesFocus(true);
    return box;
}

QTreeView* MakeSiteView(QWidget* window, QAbstractItemModel* siteModel) {
    auto* view = Place(new QTreeView(window), "siteView", {100, 2040, 2775, 1815});
    view->setModel(siteModel);
    view->setRootIsDecorated(false);
    view->setItemsExpandable(false);
    view->setAllColumnsShowFocus(true);
    view->setUniformRowHeights(true);
    view->setContextMenuPolicy(Qt::PreventContextMenu);
    view->header()->setStretchLastSection(false);
    view->header()->setSectionsMovable(false);
    view->header()->setSectionsClickable(true);
    const int widthsInTwips[SiteListModel::kColumnCount] = {700, 3200, 0, 1000, 800, 0};
    for (int column = 0; column < SiteListModel::kColumnCount; ++column) {
        view->setColumnWidth(column, TwipsToPixels(widthsInTwips[column], view->logicalDpiX()));
    }
    // "Local Path" and "Detail" are shown by the edit boxes instead.
    view->setColumnHidden(SiteListModel::kLocalPath, true);
    view->setColumnHidden(SiteListModel::kDetail, true);
    return view;
}

QAction* AddItem(QMenu* menu, const char* name, const char* caption) {
    QAction* action = menu->addAction(QLatin1String(caption));
    action->setObjectName(QLatin1String(name));
    return action;
}

QMenu* MakeMenu(QWidget* window, const char* name, const char* caption) {
    auto* menu = new QMenu(QLatin1String(caption), window);
    menu->setObjectName(QLatin1String(name));
    return menu;
}

// A picture that fills its control exactly, whatever the screen's scale.
ClickableImage* MakeImage(QWidget* window, const char* name, const char* file, Twips at) {
    auto* image = Place(new ClickableImage(window), name, at);
    image->setPixmap(QPixmap(QLatin1String(file)));
    image->setScaledContents(true);
    return image;
}

// The keyboard focus order of the design; the folder picture has no place in it.
void SetTabOrder(const MainWindowControls& ui) {
    const std::array<QWidget*, 15> order = {
        ui.saveButton,     ui.detailBox,      ui.scriptEdit,   ui.scriptButton, ui.siteView,
        ui.checkNowButton, ui.addButton,      ui.folderEdit,   ui.urlEdit,      ui.bannerView,
        ui.moreImage,      ui.tutorialButton, ui.tutorialView, ui.backupButton, ui.typesEdit};
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

void BuildMenus(QWidget* window, MainWindowControls& ui) {
    ui.trayMenu = MakeMenu(window, "trayMenu", "&SysTray");
    ui.activeAction = AddItem(ui.trayMenu, "activeAction", "&Active");
    ui.activeAction->setCheckable(true);
    ui.activeAction->setChecked(true);
    ui.runAtStartupAction = AddItem(ui.trayMenu, "runAtStartupAction", "&Run on start up");
    ui.runAtStartupAction->setCheckable(true);
    ui.trayMenu->addSeparator();
    ui.exitAction = AddItem(ui.trayMenu, "exitAction", "&Exit");

    ui.listMenu = MakeMenu(window, "listMenu", "Del");
    ui.removeAction = AddItem(ui.listMenu, "removeAction", "Remove");

    ui.backupMenu = MakeMenu(window, "backupMenu", "Backup");
    ui.exportAction = AddItem(ui.backupMenu, "exportAction", "Export");
    ui.importAction = AddItem(ui.backupMenu, "importAction", "Import");
}

} // namespace

MainWindowControls BuildMainWindowControls(QWidget* window, QAbstractItemModel* siteModel) {
    LoadMainWindowImages();
    window->setWindowIcon(QIcon(QStringLiteral(":/main_window/icon.png")));
    // The design places its texts for an 8-point font; the desktop's usual 9 to 11 points
    // would not fit the labels and boxes. The desktop's font family stays.
    QFont font = window->font();
    font.setPointSize(8);
    window->setFont(font);
    MainWindowControls ui;
    ui.typesEdit = Place(new QLineEdit(ToQt(kDefaultWatchedTypes), window), "typesEdit",
                         {7320, 840, 1455, 315});
    ui.typesEdit->setToolTip(QStringLiteral("type reset to restore default"));
    ui.backupButton = MakeButton(window, "backupButton", "Backup", {5640, 4800, 975, 375});
    ui.tutorialButton = MakeButton(window, "tutorialButton", "Tutorial", {6720, 4800, 975, 375});
    ui.moreImage =
        MakeImage(window, "moreImage", ":/main_window/im_more.gif", {8520, 1200, 285, 270});
    ui.moreImage->setToolTip(QStringLiteral("แบนเนอร์ทั้งหมด"));
    ui.moreImage->setClickButtons(Qt::AllButtons);
    ui.moreImage->setFocusPolicy(Qt::TabFocus);
    ui.moreImage->setCursor(Qt::PointingHandCursor);
    ui.bannerView = Place(new BannerView(window), "bannerView", {0, 1200, 8535, 720});
    // A strip, like a web page with overflow hidden: what does not fit stays out of view.
    ui.bannerView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ui.bannerView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ui.bannerView->rotateGroups(kBannerGroupTime);
    ui.urlEdit =
        Place(new QLineEdit(QStringLiteral("http://"), window), "urlEdit", {1080, 240, 3495, 375});
    ui.folderEdit = Place(new QLineEdit(window), "folderEdit", {1080, 645, 3135, 375});
    ui.addButton = MakeButton(window, "addButton", "Add", {4680, 240, 975, 375});
    ui.checkNowButton = MakeButton(window, "checkNowButton", "Check Now", {7680, 240, 1095, 495});
    ui.scriptButton = MakeButton(window, "scriptButton", "Php Code", {7800, 4800, 975, 375});
    ui.detailBox = MakeTextArea(window, "detailBox", QString(), {6480, 2060, 2340, 2055});
    ui.saveButton = MakeButton(window, "saveButton", "Save", {4680, 720, 975, 375});
    ui.saveButton->setEnabled(false);
    ui.siteView = MakeSiteView(window, siteModel);
    // Both texts lie exactly over the site list and cover it while shown.
    ui.tutorialView =
        MakeTextArea(window, "tutorialView", LinesToQt(TutorialText()), {100, 2040, 1575, 1335});
    ui.scriptEdit = MakeTextArea(window, "scriptEdit", LinesToQt(ReportScriptTemplate()),
                                 {100, 2040, 1575, 1335});
    for (QPlainTextEdit* text : {ui.scriptEdit, ui.tutorialView}) {
        text->setLineWrapMode(QPlainTextEdit::NoWrap);
        // The script is indented with tabs; four blanks wide keeps its lines in view.
        text->setTabStopDistance(4 * text->fontMetrics().horizontalAdvance(QLatin1Char(' ')));
        text->hide();
    }

    const Qt::Alignment right = Qt::AlignRight;
    ui.typesLabel = MakeLabel(window, "typesLabel", "File Type :", {6360, 900, 855, 255}, right);
    ui.urlLabel = MakeLabel(window, "urlLabel", "Web URL :", {120, 405, 855, 255}, right);
    ui.folderLabel = MakeLabel(window, "folderLabel", "Folder :", {120, 780, 855, 255}, right);
    ui.statusLabel =
        MakeLabel(window, "statusLabel", "Total Web : ", {120, 4920, 4215, 255}, Qt::AlignLeft);
    ui.folderImage =
        MakeImage(window, "folderImage", ":/main_window/im_open.png", {4320, 720, 240, 240});
    ui.folderImage->setCursor(Qt::PointingHandCursor);
    // The picture sits at the right end of the banner strip, in front of it.
    ui.moreImage->raise();

    SetTabOrder(ui);
    BuildMenus(window, ui);
    return ui;
}

} // namespace fq
