#include "app/form1_ui.h"

#include "app/clickable_image.h"
#include "app/qt_text.h"
#include "app/site_rows.h"
#include "app/twips.h"
#include "app/web_engine_banner_browser.h"
#include "check/report_script.h"
#include "check/tutorial_text.h"
#include "sites/watched_types.h"

#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

// The pictures are compiled into the static GUI library, which the linker would drop unless
// something refers to them.
static void LoadForm1Images() {
    Q_INIT_RESOURCE(form1_images);
}

namespace fq {
namespace {

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

QTreeWidget* MakeSiteList(QWidget* window) {
    auto* list = Place(new QTreeWidget(window), "lvWeb", {100, 2040, 2775, 1815});
    list->setColumnCount(kSiteColumnCount);
    list->setHeaderLabels({QStringLiteral("No."), QStringLiteral("Web URL"),
                           QStringLiteral("Local Path"), QStringLiteral("Status"),
                           QStringLiteral("Total"), QStringLiteral("Detail")});
    list->setRootIsDecorated(false);
    list->setAllColumnsShowFocus(true);
    list->setUniformRowHeights(true);
    list->setContextMenuPolicy(Qt::PreventContextMenu);
    list->header()->setStretchLastSection(false);
    list->header()->setSectionsMovable(false);
    list->header()->setSectionsClickable(true);
    const int widthsInTwips[kSiteColumnCount] = {700, 3200, 0, 1000, 800, 0};
    for (int column = 0; column < kSiteColumnCount; ++column) {
        list->setColumnWidth(column, TwipsToPixels(widthsInTwips[column], list->logicalDpiX()));
    }
    // "Local Path" and "Detail" hold data only; the edit boxes show them.
    list->setColumnHidden(kColumnLocalPath, true);
    list->setColumnHidden(kColumnDetail, true);
    return list;
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

// The keyboard focus order of the design. The labels are numbered in it too, but never take
// the focus; `ImOpen` has no place in it.
void SetTabOrder(const Form1Ui& ui) {
    const std::array<QWidget*, 15> order = {ui.cmdSave,   ui.txtDetail, ui.txtPHP[0],  ui.cmdPHP,
                                            ui.lvWeb,     ui.cmdCheck,  ui.cmdAdd,     ui.txtPath,
                                            ui.txtURL,    ui.Browser1,  ui.ImMore,     ui.cmdTutor,
                                            ui.txtPHP[1], ui.cmdBackup, ui.txtFileType};
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

void BuildMenus(QWidget* window, Form1Ui& ui) {
    ui.mPopup = MakeMenu(window, "mPopup", "&SysTray");
    ui.mActive = AddItem(ui.mPopup, "mActive", "&Active");
    ui.mActive->setCheckable(true);
    ui.mActive->setChecked(true);
    ui.mStartup = AddItem(ui.mPopup, "mStartup", "&Run on start up");
    ui.mStartup->setCheckable(true);
    ui.mPopup->addSeparator();
    ui.mExit = AddItem(ui.mPopup, "mExit", "&Exit");

    ui.mDel = MakeMenu(window, "mDel", "Del");
    ui.aRemove = AddItem(ui.mDel, "aRemove", "Remove");

    ui.mBackup = MakeMenu(window, "mBackup", "Backup");
    ui.mExport = AddItem(ui.mBackup, "mExport", "Export");
    ui.mImport = AddItem(ui.mBackup, "mImport", "Import");
}

} // namespace

Form1Ui BuildForm1Ui(QWidget* window, const BannerBrowserFactory& makeBrowser) {
    LoadForm1Images();
    window->setWindowIcon(QIcon(QStringLiteral(":/form1/icon.png")));
    // The design places its texts for an 8-point font; the desktop's usual 9 to 11 points
    // would not fit the labels and boxes. The desktop's font family stays.
    QFont font = window->font();
    font.setPointSize(8);
    window->setFont(font);
    Form1Ui ui;
    ui.txtFileType = Place(new QLineEdit(ToQt(kDefaultWatchedTypes), window), "txtFileType",
                           {7320, 840, 1455, 315});
    ui.txtFileType->setToolTip(QStringLiteral("type reset to restore default"));
    ui.cmdBackup = MakeButton(window, "cmdBackup", "Backup", {5640, 4800, 975, 375});
    ui.cmdTutor = MakeButton(window, "cmdTutor", "Tutorial", {6720, 4800, 975, 375});
    ui.ImMore = MakeImage(window, "ImMore", ":/form1/im_more.gif", {8520, 1200, 285, 270});
    ui.ImMore->setToolTip(QStringLiteral("แบนเนอร์ทั้งหมด"));
    ui.ImMore->setFocusPolicy(Qt::TabFocus);
    ui.ImMore->setCursor(Qt::PointingHandCursor);
    BannerBrowser* strip = makeBrowser ? makeBrowser(window) : new WebEngineBannerBrowser(window);
    ui.Browser1 = Place(strip, "Browser1", {0, 1200, 8535, 720});
    ui.txtURL =
        Place(new QLineEdit(QStringLiteral("http://"), window), "txtURL", {1080, 240, 3495, 375});
    ui.txtPath = Place(new QLineEdit(window), "txtPath", {1080, 645, 3135, 375});
    ui.cmdAdd = MakeButton(window, "cmdAdd", "Add", {4680, 240, 975, 375});
    ui.cmdCheck = MakeButton(window, "cmdCheck", "Check Now", {7680, 240, 1095, 495});
    ui.cmdPHP = MakeButton(window, "cmdPHP", "Php Code", {7800, 4800, 975, 375});
    ui.txtDetail = MakeTextArea(window, "txtDetail", QString(), {6480, 2060, 2340, 2055});
    ui.cmdSave = MakeButton(window, "cmdSave", "Save", {4680, 720, 975, 375});
    ui.cmdSave->setEnabled(false);
    ui.lvWeb = MakeSiteList(window);
    // Both texts lie exactly over the site list and cover it while shown.
    ui.txtPHP[1] =
        MakeTextArea(window, "txtPHP1", LinesToQt(TutorialText()), {100, 2040, 1575, 1335});
    ui.txtPHP[0] =
        MakeTextArea(window, "txtPHP0", LinesToQt(ReportScriptTemplate()), {100, 2040, 1575, 1335});
    for (QPlainTextEdit* text : ui.txtPHP) {
        text->setLineWrapMode(QPlainTextEdit::NoWrap);
        // The script is indented with tabs; four blanks wide keeps its lines in view.
        text->setTabStopDistance(4 * text->fontMetrics().horizontalAdvance(QLatin1Char(' ')));
        text->hide();
    }

    const Qt::Alignment right = Qt::AlignRight;
    ui.La[2] = MakeLabel(window, "La2", "File Type :", {6360, 900, 855, 255}, right);
    ui.La[0] = MakeLabel(window, "La0", "Web URL :", {120, 405, 855, 255}, right);
    ui.La[1] = MakeLabel(window, "La1", "Folder :", {120, 780, 855, 255}, right);
    ui.LaStatus =
        MakeLabel(window, "LaStatus", "Total Web : ", {120, 4920, 4215, 255}, Qt::AlignLeft);
    ui.ImOpen = MakeImage(window, "ImOpen", ":/form1/im_open.png", {4320, 720, 240, 240});
    ui.ImOpen->setCursor(Qt::PointingHandCursor);
    // The picture sits at the right end of the banner strip, in front of it.
    ui.ImMore->raise();

    SetTabOrder(ui);
    BuildMenus(window, ui);
    return ui;
}

} // namespace fq
