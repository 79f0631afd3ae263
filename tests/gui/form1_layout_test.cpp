#include "fake_banner_browser.h"
#include "gui/clickable_image.h"
#include "gui/form1.h"
#include "gui/twips.h"
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
#include <map>

using fq::Form1;

namespace {

// A loaded main window with a fake banner strip and a notification area to hide into.
struct LoadedForm {
    TempFolder folder;
    Form1 form{Environment()};

    LoadedForm() { form.Form_Load(); }
    fq::Form1Environment Environment() const {
        fq::Form1Environment environment;
        environment.appFolder = folder.slashed();
        environment.trayAvailable = [] { return true; };
        environment.makeBrowser = MakeFakeBannerBrowser;
        return environment;
    }
};

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

// The controls whose place differs from the expected one, empty when none does.
QString Differences(const Geometries& actual, const Geometries& expected) {
    QString differences;
    for (const auto& [name, place] : expected) {
        const auto found = actual.find(name);
        const QRect now = found == actual.end() ? QRect() : found->second;
        if (now != place) {
            QDebug(&differences) << name << now << "instead of" << place << "\n";
        }
    }
    return differences;
}

int Px(const QWidget& widget, int twips) {
    return fq::TwipsToPixels(twips, widget.logicalDpiX());
}

} // namespace

class Form1LayoutTest : public QObject {
    Q_OBJECT

private slots:
    void controlsFollowTheOuterSizeAndMinimisingHidesWithoutMovingThem() {
        LoadedForm loaded;
        Form1& form = loaded.form;
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
        // The script texts lie over the list, and keep doing so as long as they change with it.
        for (const QPlainTextEdit* text : ui.txtPHP) {
            QCOMPARE(text->geometry(), ui.lvWeb->geometry());
        }

        const int step = Px(form, 1000);
        Geometries wider = Controls(form);
        form.resize(form.width() + step, form.height());
        for (const char* name : {"txtDetail", "cmdPHP", "cmdTutor", "cmdBackup", "ImMore"}) {
            wider[QLatin1String(name)].translate(step, 0);
        }
        for (const char* name : {"lvWeb", "txtPHP0", "txtPHP1", "Browser1"}) {
            wider[QLatin1String(name)].adjust(0, 0, step, 0);
        }
        QCOMPARE(Differences(Controls(form), wider), QString());

        form.resize(form.width(), form.height() + step);
        Geometries taller = wider;
        for (const char* name : {"cmdPHP", "cmdTutor", "cmdBackup", "LaStatus"}) {
            taller[QLatin1String(name)].translate(0, step);
        }
        for (const char* name : {"lvWeb", "txtPHP0", "txtPHP1", "txtDetail"}) {
            taller[QLatin1String(name)].adjust(0, 0, 0, step);
        }
        QCOMPARE(Differences(Controls(form), taller), QString());

        // A shown script text lies over the list and takes its clicks.
        ui.txtPHP[0]->show();
        QVERIFY(ui.txtPHP[0]->isAncestorOf(form.childAt(ui.lvWeb->geometry().center())));

        form.setWindowState(form.windowState() | Qt::WindowMinimized);
        QTRY_VERIFY(!form.isVisible());
        QVERIFY(ui.Browser1->isHidden());
        QCOMPARE(Differences(Controls(form), taller), QString());
    }

    void firstShownCentredAtDesignSizeWithEverythingInSightAndNeverSmallerThanTheLayout() {
        LoadedForm loaded;
        Form1& form = loaded.form;
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const fq::Form1Ui& ui = form.ui();
        QCOMPARE(form.size(), QSize(Px(form, 8910), Px(form, 6330)));
        const QPoint offCentre =
            form.geometry().center() - form.screen()->availableGeometry().center();
        QVERIFY2(offCentre.manhattanLength() <= 1,
                 qPrintable(QStringLiteral("%1,%2").arg(offCentre.x()).arg(offCentre.y())));

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
        QVERIFY(form.windowIcon().availableSizes().contains(QSize(48, 48)));
        QCOMPARE(ui.ImMore->pixmap().size(), QSize(19, 18));
        QCOMPARE(ui.ImMore->size(), QSize(Px(form, 285), Px(form, 270)));
        QCOMPARE(ui.ImOpen->pixmap().size(), QSize(16, 16));

        form.resize(10, 10);
        QCOMPARE(form.size(), QSize(Px(form, 2800), Px(form, 3100)));
        QVERIFY(ui.lvWeb->geometry().right() < ui.txtDetail->x());
    }

    void tabWalksTheDesignOrderAndSkipsLabels() {
        LoadedForm loaded;
        Form1& form = loaded.form;
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
        QCOMPARE(walked.join(QLatin1Char(' ')),
                 QStringLiteral("txtDetail txtPHP0 cmdPHP lvWeb cmdCheck cmdAdd "
                                "txtPath txtURL Browser1 ImMore cmdTutor "
                                "txtPHP1 cmdBackup txtFileType cmdSave"));
        // The banner picture, once it has the focus, is clicked from the keyboard too.
        QCOMPARE(moreClicks.count(), 1);
    }
};

QTEST_MAIN(Form1LayoutTest)
#include "form1_layout_test.moc"
