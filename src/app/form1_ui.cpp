#include "app/form1_ui.h"

#include "app/qt_text.h"
#include "app/site_rows.h"
#include "app/twips.h"
#include "check/report_script.h"
#include "sites/watched_types.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTreeWidget>

namespace fq {
namespace {

QLabel* MakeLabel(QWidget* window, const char* name, const QString& text, int left, int top,
                  int width, int height, Qt::Alignment alignment) {
    auto* label = new QLabel(text, window);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(alignment | Qt::AlignVCenter);
    PlaceInTwips(label, left, top, width, height);
    return label;
}

QTreeWidget* MakeSiteList(QWidget* window) {
    auto* list = new QTreeWidget(window);
    list->setObjectName(QStringLiteral("lvWeb"));
    list->setColumnCount(kSiteColumnCount);
    list->setHeaderLabels({QStringLiteral("No."), QStringLiteral("Web URL"),
                           QStringLiteral("Local Path"), QStringLiteral("Status"),
                           QStringLiteral("Total"), QStringLiteral("Detail")});
    list->setRootIsDecorated(false);
    list->setAllColumnsShowFocus(true);
    list->setUniformRowHeights(true);
    list->header()->setStretchLastSection(false);
    list->header()->setSectionsMovable(false);
    const int widthsInTwips[kSiteColumnCount] = {700, 3200, 0, 1000, 800, 0};
    for (int column = 0; column < kSiteColumnCount; ++column) {
        list->setColumnWidth(column, TwipsToPixels(widthsInTwips[column], list->logicalDpiX()));
    }
    // "Local Path" and "Detail" hold data only; the edit boxes show them.
    list->setColumnHidden(kColumnLocalPath, true);
    list->setColumnHidden(kColumnDetail, true);
    PlaceInTwips(list, 100, 2040, 2775, 1815);
    return list;
}

QPlainTextEdit* MakeHiddenTextBox(QWidget* window, const char* name, const QString& text) {
    auto* box = new QPlainTextEdit(text, window);
    box->setObjectName(QLatin1String(name));
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->hide();
    PlaceInTwips(box, 100, 2040, 1575, 1335);
    return box;
}

} // namespace

Form1Ui BuildForm1Ui(QWidget* window) {
    Form1Ui ui;
    ui.txtFileType = new QLineEdit(ToQt(kDefaultWatchedTypes), window);
    ui.txtFileType->setObjectName(QStringLiteral("txtFileType"));
    ui.txtFileType->setToolTip(QStringLiteral("type reset to restore default"));
    PlaceInTwips(ui.txtFileType, 7320, 840, 1455, 315);

    ui.lvWeb = MakeSiteList(window);
    ui.txtPHP[0] = MakeHiddenTextBox(window, "txtPHP0", LinesToQt(ReportScriptTemplate()));
    ui.txtPHP[1] = MakeHiddenTextBox(window, "txtPHP1", QString());

    const Qt::Alignment right = Qt::AlignRight;
    ui.La[2] = MakeLabel(window, "La2", QStringLiteral("File Type :"), 6360, 900, 855, 255, right);
    ui.LaStatus = MakeLabel(window, "LaStatus", QStringLiteral("Total Web : "), 120, 4920, 4215,
                            255, Qt::AlignLeft);
    return ui;
}

} // namespace fq
