#include "gui/main_window_controls.h"

#include "core/check/report_script.h"
#include "core/check/tutorial_text.h"
#include "core/sites/watched_types.h"
#include "gui/banner_view.h"
#include "gui/clickable_image.h"
#include "gui/control_makers.h"
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

QPlainTextEdit* MakeTextArea(QWidget* window, const char* name, const QString& text) {
    auto* box = Named(new QPlainTextEdit(text, window), name);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab walks the window's focus order here too instead of typing a tab.
    box->setTabChangesFocus(true);
    return box;
}

QTreeView* MakeSiteView(QWidget* window, QAbstractItemModel* siteModel) {
    auto* view = Named(new QTreeView(window), "siteView");
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

QMenu* MakeMenu(QWidget* window, const char* name, const char* caption) {
    return Named(new QMenu(QLatin1String(caption), window), name);
}

// A picture that fills its control exactly, whatever the screen's scale.
ClickableImage* MakeImage(QWidget* window, const char* name, const char* file) {
    auto* image = Named(new ClickableImage(window), name);
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
    ui.listMenu = MakeMenu(window, "listMenu", "Del");
    ui.removeAction = AddMenuItem(ui.listMenu, "removeAction", "Remove");

    ui.backupMenu = MakeMenu(window, "backupMenu", "Backup");
    ui.exportAction = AddMenuItem(ui.backupMenu, "exportAction", "Export");
    ui.importAction = AddMenuItem(ui.backupMenu, "importAction", "Import");
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
    ui.typesEdit = Named(new QLineEdit(ToQt(kDefaultWatchedTypes), window), "typesEdit");
    ui.typesEdit->setToolTip(QStringLiteral("type reset to restore default"));
    ui.backupButton = MakeButton(window, "backupButton", "Backup");
    ui.tutorialButton = MakeButton(window, "tutorialButton", "Tutorial");
    ui.moreImage = MakeImage(window, "moreImage", ":/main_window/im_more.gif");
    ui.moreImage->setToolTip(QStringLiteral("แบนเนอร์ทั้งหมด"));
    ui.moreImage->setClickButtons(Qt::AllButtons);
    ui.moreImage->setFocusPolicy(Qt::TabFocus);
    ui.moreImage->setCursor(Qt::PointingHandCursor);
    ui.bannerView = Named(new BannerView(window), "bannerView");
    // A strip, like a web page with overflow hidden: what does not fit stays out of view.
    ui.bannerView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ui.bannerView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ui.bannerView->rotateGroups(kBannerGroupTime);
    ui.urlEdit = Named(new QLineEdit(QStringLiteral("http://"), window), "urlEdit");
    ui.folderEdit = Named(new QLineEdit(window), "folderEdit");
    ui.addButton = MakeButton(window, "addButton", "Add");
    ui.checkNowButton = MakeButton(window, "checkNowButton", "Check Now");
    ui.scriptButton = MakeButton(window, "scriptButton", "Php Code");
    ui.detailBox = MakeTextArea(window, "detailBox", QString());
    ui.saveButton = MakeButton(window, "saveButton", "Save");
    ui.saveButton->setEnabled(false);
    ui.siteView = MakeSiteView(window, siteModel);
    // Both texts lie exactly over the site list and cover it while shown.
    ui.tutorialView = MakeTextArea(window, "tutorialView", LinesToQt(TutorialText()));
    ui.scriptEdit = MakeTextArea(window, "scriptEdit", LinesToQt(ReportScriptTemplate()));
    for (QPlainTextEdit* text : {ui.scriptEdit, ui.tutorialView}) {
        text->setLineWrapMode(QPlainTextEdit::NoWrap);
        // The script is indented with tabs; four blanks wide keeps its lines in view.
        text->setTabStopDistance(4 * text->fontMetrics().horizontalAdvance(QLatin1Char(' ')));
        text->hide();
    }

    const Qt::Alignment right = Qt::AlignRight;
    ui.typesLabel = MakeLabel(window, "typesLabel", "File Type :", right);
    ui.urlLabel = MakeLabel(window, "urlLabel", "Web URL :", right);
    ui.folderLabel = MakeLabel(window, "folderLabel", "Folder :", right);
    ui.statusLabel = MakeLabel(window, "statusLabel", "Total Web : ", Qt::AlignLeft);
    ui.folderImage = MakeImage(window, "folderImage", ":/main_window/im_open.png");
    ui.folderImage->setCursor(Qt::PointingHandCursor);
    // The picture sits at the right end of the banner strip, in front of it.
    ui.moreImage->raise();

    SetTabOrder(ui);
    BuildMenus(window, ui);
    return ui;
}

std::vector<TwipsPlace> MainWindowDesign(const MainWindowControls& ui) {
    // The list and the banner strip grow with the window; the detail box and the bottom
    // buttons follow its right and bottom edges, the status line stays just below them.
    const int W = kMainWindowDesignOuter.width;
    const int B = kMainWindowDesignOuter.height - 1000; // the line of the bottom buttons
    const unsigned corner = kFollowRight | kFollowBottom;
    const unsigned stretch = kStretchWidth | kStretchHeight;
    return {
        {ui.urlLabel, {120, 405, 855, 255}},
        {ui.urlEdit, {1080, 240, 3495, 375}},
        {ui.folderLabel, {120, 780, 855, 255}},
        {ui.folderEdit, {1080, 645, 3135, 375}},
        {ui.folderImage, {4320, 720, 240, 240}},
        {ui.addButton, {4680, 240, 975, 375}},
        {ui.saveButton, {4680, 720, 975, 375}},
        {ui.typesLabel, {6360, 900, 855, 255}},
        {ui.typesEdit, {7320, 840, 1455, 315}},
        {ui.checkNowButton, {7680, 240, 1095, 495}},
        {ui.bannerView, {20, 1200, W - 140, 750}, kStretchWidth},
        {ui.moreImage, {W - 500, 1220, 285, 270}, kFollowRight},
        // Both texts lie exactly over the site list and cover it while shown.
        {ui.siteView, {100, 2040, W - 2800, B - 2060}, stretch},
        {ui.scriptEdit, {100, 2040, W - 2800, B - 2060}, stretch},
        {ui.tutorialView, {100, 2040, W - 2800, B - 2060}, stretch},
        {ui.detailBox, {W - 2600, 2060, 2340, B - 2100}, kFollowRight | kStretchHeight},
        {ui.statusLabel, {120, B + 130, 4215, 255}, kFollowBottom},
        {ui.backupButton, {W - 3450, B, 975, 375}, corner},
        {ui.tutorialButton, {W - 2350, B, 975, 375}, corner},
        {ui.scriptButton, {W - 1250, B, 975, 375}, corner},
    };
}

} // namespace fq
