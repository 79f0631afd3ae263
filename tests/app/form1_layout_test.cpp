#include "app/clickable_image.h"
#include "app/form1.h"
#include "app/twips.h"
#include "fake_banner_browser.h"
#include "temp_folder.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>
#include <initializer_list>
#include <map>

using fq::Form1;

namespace {

// The layout's collaborators: a fake strip and a notification area to hide into.
fq::Form1Environment Environment(const TempFolder& folder) {
    fq::Form1Environment environment;
    environment.appFolder = folder.slashed();
    environment.trayAvailable = [] { return true; };
    environment.makeBrowser = MakeFakeBannerBrowser;
    return environment;
}

using Geometries = std::map<QString, QRect>;

// Every named widget of the window (controls and menus) with its place.
Geometries Controls(const Form1& form) {
    Geometries all;
    for (const QWidget* child : form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->objectName().isEmpty()) {
            all[child->objectName()] = child->geometry();
        }
    }
    return all;
}

QString Describe(const QRect& r) {
    return QStringLiteral("(%1,%2 %3x%4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// The controls whose place differs from the expected one, empty when none does.
QString Differences(const Geometries& actual, const Geometries& expected) {
    QString differences;
    for (const auto& [name, place] : expected) {
        const auto found = actual.find(name);
        if (found == actual.end() || found->second != place) {
            differences +=
                name + QStringLiteral(": ") +
                (found == actual.end() ? QStringLiteral("missing") : Describe(found->second)) +
                QStringLiteral(" instead of ") + Describe(place) + QLatin1Char('\n');
        }
    }
    return differences;
}

int Px(const QWidget& widget, int twips) {
    return fq::TwipsToPixels(twips, widget.logicalDpiX());
}

void VerifyScriptTextsCoverTheList(const Form1& form) {
    for (const QPlainTextEdit* text : form.ui().txtPHP) {
        QCOMPARE(text->geometry(), form.ui().lvWeb->geometry());
    }
}

} // namespace

class Form1LayoutTest : public QObject {
    Q_OBJECT

private slots:
    void controlsFollowTheOuterSizeOfTheWindow() {
        TempFolder folder;
        Form1 form(Environment(folder));
        form.Form_Load();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const fq::Form1Ui& ui = form.ui();

        // The outer size, not the client area, is what the layout starts from.
        const int W = fq::PixelsToTwips(form.frameGeometry().width(), form.logicalDpiX());
        const int B = fq::PixelsToTwips(form.frameGeometry().height(), form.logicalDpiX()) - 1000;
        QCOMPARE(ui.Browser1->geometry(),
                 QRect(Px(form, 20), Px(form, 1200), Px(form, W - 140), Px(form, 750)));
        QCOMPARE(ui.cmdPHP->pos(), QPoint(Px(form, W - 1250), Px(form, B)));
        QCOMPARE(ui.LaStatus->y(), Px(form, B + 130));
        QVERIFY(ui.Browser1->geometry().contains(ui.ImMore->geometry()));
        VerifyScriptTextsCoverTheList(form);

        const int step = Px(form, 1000);
        const Geometries designed = Controls(form);
        form.resize(form.width() + step, form.height());
        Geometries wider = designed;
        for (const char* name : {"txtDetail", "cmdPHP", "cmdTutor", "cmdBackup", "ImMore"}) {
            wider[QLatin1String(name)].translate(step, 0);
        }
        for (const char* name : {"lvWeb", "txtPHP0", "txtPHP1", "Browser1"}) {
            wider[QLatin1String(name)].adjust(0, 0, step, 0);
        }
        QCOMPARE(Differences(Controls(form), wider), QString());
        VerifyScriptTextsCoverTheList(form);

        form.resize(form.width(), form.height() + step);
        Geometries taller = wider;
        for (const char* name : {"cmdPHP", "cmdTutor", "cmdBackup", "LaStatus"}) {
            taller[QLatin1String(name)].translate(0, step);
        }
        for (const char* name : {"lvWeb", "txtPHP0", "txtPHP1", "txtDetail"}) {
            taller[QLatin1String(name)].adjust(0, 0, 0, step);
        }
        QCOMPARE(Differences(Controls(form), taller), QString());
        VerifyScriptTextsCoverTheList(form);

        // A shown script text lies over the list and takes its clicks.
        ui.txtPHP[0]->show();
        const QPoint listMiddle = ui.lvWeb->geometry().center();
        QVERIFY(ui.txtPHP[0]->isAncestorOf(form.childAt(listMiddle)));
    }

    void minimisingHidesTheWindowAndTheStripAndMovesNothing() {
        TempFolder folder;
        Form1 form(Environment(folder));
        form.Form_Load();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const Geometries shown = Controls(form);

        form.setWindowState(form.windowState() | Qt::WindowMinimized);
        QTRY_VERIFY(!form.isVisible());
        QVERIFY(form.ui().Browser1->isHidden());
        QCOMPARE(Differences(Controls(form), shown), QString());
    }

    void firstShownAtDesignSizeInTheMiddleOfTheScreen() {
        TempFolder folder;
        Form1 form(Environment(folder));
        form.Form_Load();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.size(), QSize(Px(form, 8910), Px(form, 6330)));
        const QPoint offCentre =
            form.geometry().center() - form.screen()->availableGeometry().center();
        QVERIFY2(offCentre.manhattanLength() <= 1,
                 qPrintable(QStringLiteral("%1,%2").arg(offCentre.x()).arg(offCentre.y())));
    }

    void windowStopsAtTheLayoutsSmallestSize() {
        TempFolder folder;
        Form1 form(Environment(folder));
        form.Form_Load();
        form.resize(10, 10);
        QCOMPARE(form.size(), QSize(Px(form, 2800), Px(form, 3100)));
        QVERIFY(form.ui().lvWeb->geometry().right() < form.ui().txtDetail->x());
    }

    void tabWalksTheDesignOrderAndSkipsLabels() {
        TempFolder folder;
        Form1 form(Environment(folder));
        form.Form_Load();
        const fq::Form1Ui& ui = form.ui();
        // Everything that can take the focus is shown and enabled for the walk.
        ui.cmdSave->setEnabled(true);
        for (QPlainTextEdit* text : ui.txtPHP) {
            text->show();
        }
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        ui.cmdSave->setFocus();
        QSignalSpy moreClicks(ui.ImMore, &fq::ClickableImage::clicked);

        QStringList walked;
        for (int press = 0; press < 15; ++press) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            walked.append(QApplication::focusWidget()->objectName());
            if (QApplication::focusWidget() == ui.ImMore) {
                QTest::keyClick(ui.ImMore, Qt::Key_Space);
            }
        }
        QCOMPARE(walked, QStringList({
                             QStringLiteral("txtDetail"),
                             QStringLiteral("txtPHP0"),
                             QStringLiteral("cmdPHP"),
                             QStringLiteral("lvWeb"),
                             QStringLiteral("cmdCheck"),
                             QStringLiteral("cmdAdd"),
                             QStringLiteral("txtPath"),
                             QStringLiteral("txtURL"),
                             QStringLiteral("Browser1"),
                             QStringLiteral("ImMore"),
                             QStringLiteral("cmdTutor"),
                             QStringLiteral("txtPHP1"),
                             QStringLiteral("cmdBackup"),
                             QStringLiteral("txtFileType"),
                             QStringLiteral("cmdSave"),
                         }));
        // The banner picture, once it has the focus, is clicked from the keyboard too.
        QCOMPARE(moreClicks.count(), 1);
    }

    void designTextsFitTheirControls() {
        TempFolder folder;
        Form1 form(Environment(folder));
        form.Form_Load();
        const fq::Form1Ui& ui = form.ui();
        for (const QLabel* label : {ui.La[0], ui.La[1], ui.La[2], ui.LaStatus}) {
            QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(label->text()));
        }
        const QLineEdit* types = ui.txtFileType;
        QVERIFY(types->fontMetrics().horizontalAdvance(types->text()) <
                types->contentsRect().width() - types->textMargins().left());
        for (const QPushButton* button :
             {ui.cmdAdd, ui.cmdSave, ui.cmdCheck, ui.cmdPHP, ui.cmdTutor, ui.cmdBackup}) {
            QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) < button->width(),
                     qPrintable(button->text()));
        }
    }

    void picturesFillTheirControls() {
        TempFolder folder;
        Form1 form(Environment(folder));
        QVERIFY(form.windowIcon().availableSizes().contains(QSize(48, 48)));
        const QPixmap more = form.ui().ImMore->pixmap();
        QCOMPARE(more.size(), QSize(19, 18));
        QCOMPARE(form.ui().ImMore->size(), QSize(Px(form, 285), Px(form, 270)));
        QVERIFY(form.ui().ImMore->hasScaledContents());
        QCOMPARE(form.ui().ImMore->frameWidth(), 0);
        QCOMPARE(form.ui().ImOpen->pixmap().size(), QSize(16, 16));
    }
};

QTEST_MAIN(Form1LayoutTest)
#include "form1_layout_test.moc"
