// The main window, the layout of its controls and its tray icon.
#include "app_fixture.h"
#include "core/desktop/autostart_entry.h"
#include "gui/banner_view.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSystemTrayIcon>

using namespace test;

namespace {

QAction* Item(fq::Application& app, const char* name) {
    return app.tray().menu()->findChild<QAction*>(QLatin1String(name));
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void bytesThatAreNotUtf8ReachTheScanAndComeBackAsRead() {
        MainWindowFixture f;
        const std::string database = "php<>pw\xE9\r\nhttp://a.test/<>" +
                                     f.watchedFolder("caf\xE9") + "\r\nhttp://b.test/<>" +
                                     f.watchedFolder("b");
        f.environment.postForm = Answering("5-");
        Write(f.watchedFolder("b") + "two.php", "2"); // one field for two files
        fq::MainWindow& window = f.start(database);

        f.app->checks().checkNow();
        QVERIFY(window.sites().at(0).result.status == fq::SiteStatus::kOk);
        // A site that gave no report says why, in its tooltip and in the detail box.
        const QString why = QStringLiteral("the answer is not a list of sizes");
        const auto tip = [&f](int row) {
            return f.ui().siteView->model()->index(row, 3).data(Qt::ToolTipRole).toString();
        };
        QCOMPARE(tip(1), why);
        f.clickRow(1);
        QCOMPARE(f.ui().detailBox->toPlainText(), why + u'\n');
        QVERIFY(tip(0).startsWith(QStringLiteral("Checked by size only")));

        // Clicking the row and saving it unchanged keeps its bytes, as does a close.
        f.clickRow(0);
        QTest::mouseClick(f.ui().saveButton, Qt::LeftButton);
        QVERIFY(!window.close());
        QCOMPARE(f.database(), database);
    }

    void editingTheListAndTheTypesBox() {
        MainWindowFixture f;
        fq::MainWindow& window = f.start();
        const QAbstractItemModelTester tester(
            f.ui().siteView->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        // A first run's own password shows in the script.
        const std::string password = window.reportPassword();
        QVERIFY(f.ui().scriptEdit->toPlainText().contains(ToQ(password)));
        f.type(f.ui().urlEdit, QString());
        QTest::mouseClick(f.ui().addButton, Qt::LeftButton);
        QCOMPARE(f.warnings, QStringList{QStringLiteral("Please fill web URL and local path !")});

        // Enter in either box is Add.
        for (QLineEdit* box : {f.ui().urlEdit, f.ui().folderEdit}) {
            const QString name = box == f.ui().urlEdit ? QStringLiteral("b") : QStringLiteral("a");
            f.type(f.ui().urlEdit, QStringLiteral("http://%1.test").arg(name));
            f.type(f.ui().folderEdit, QStringLiteral("/srv/%1").arg(name));
            QTest::keyClick(box, Qt::Key_Return);
        }
        const std::string added = "php,js,htm,asp<>" + password +
                                  "\r\nhttp://a.test/<>/srv/a/\r\nhttp://b.test/<>/srv/b/";
        QCOMPARE(f.database(), added);

        // Save writes the boxes into the clicked row only; the file follows a moment later.
        f.clickRow(1);
        QCOMPARE(f.ui().urlEdit->text(), QStringLiteral("http://a.test/"));
        f.type(f.ui().urlEdit, QStringLiteral("http://c.test"));
        QTest::mouseClick(f.ui().saveButton, Qt::LeftButton);
        QCOMPARE(window.sites().at(1).site.webUrl, std::string("http://c.test/"));
        QCOMPARE(window.sites().at(0).site.webUrl, std::string("http://b.test/"));
        QCOMPARE(f.database(), added);

        // The "No." header flips every tick to the opposite of the first row's.
        QHeaderView* header = f.ui().siteView->header();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(0) + 5, 5));
        QVERIFY(!window.sites().at(0).site.active && !window.sites().at(1).site.active);
        QTRY_VERIFY(f.database().ends_with("\r\nhttp://c.test/<>/srv/a/<>1"));

        // Remove takes the clicked row, saves, and leaves no row selected for "Save".
        window.removeSelectedSite();
        QCOMPARE(window.selectedRow(), 0);
        QCOMPARE(f.database(), "php,js,htm,asp<>" + password + "\r\nhttp://b.test/<>/srv/b/<>1");
        QVERIFY(!f.ui().saveButton->isEnabled());
        QVERIFY(!f.ui().siteView->currentIndex().isValid());

        f.type(f.ui().typesEdit, QStringLiteral("reset"));
        QCOMPARE(f.ui().typesEdit->text(), QStringLiteral("php,js,htm,asp"));

        // However small it is made, every control stays inside and none covers another.
        window.resize(300, 200);
        QList<QWidget*> shown = window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        // The "more" picture sits on the banner strip by design.
        shown.removeIf([](const QWidget* control) {
            return !control->isVisible() || control->objectName() == u"moreImage";
        });
        for (qsizetype a = 0; a < shown.size(); ++a) {
            QVERIFY(window.rect().contains(shown[a]->geometry()));
            for (qsizetype b = a + 1; b < shown.size(); ++b) {
                QVERIFY2(!shown[a]->geometry().intersects(shown[b]->geometry()),
                         qPrintable(shown[a]->objectName() + u' ' + shown[b]->objectName()));
            }
        }
    }

    // What is copied and when is the store's; the window asks for the file and shows the end.
    void importAndExportAskForAFileAndNameTheOneThatFailed() {
        MainWindowFixture f;
        fq::MainWindow& window = f.start("php<>pw\r\nhttp://a.test/<>/srv/a/");
        QAbstractItemModel* model = f.ui().siteView->model();
        model->setData(model->index(0, 0), Qt::Unchecked, Qt::CheckStateRole);
        QVERIFY(!window.sites().at(0).site.active);

        f.dialogs->answers = {f.home.slashed() + "gone/copy.ini", f.home.slashed() + "gone.ini"};
        window.exportDatabase();
        QCOMPARE(f.dialogs->lastRequest.proposedPath, f.home.slashed() + "ferquor.ini");
        QVERIFY(f.dialogs->lastRequest.confirmOverwrite);
        window.importDatabase();
        QCOMPARE(f.warnings.size(), 2);
        QVERIFY(f.warnings[0].contains(QStringLiteral("gone/copy.ini")));
        QVERIFY(f.warnings[1].contains(QStringLiteral("gone.ini")));

        const std::string copy = f.home.slashed() + "copy.ini";
        Write(copy, "js<>new\r\nhttp://y.test/<>/srv/y/\r\nhttp://z.test/<>/srv/z/<>1");
        f.dialogs->answers = {copy};
        window.importDatabase();
        QCOMPARE(window.sites().size(), 2);
        QCOMPARE(f.ui().typesEdit->text(), QStringLiteral("js"));
    }

    void thePasswordWrittenInTheScriptIsKeptWhenItCloses() {
        MainWindowFixture f;
        f.start("php<>old");
        QTest::mouseClick(f.ui().scriptButton, Qt::LeftButton);
        QPlainTextEdit* script = f.ui().scriptEdit;
        script->setPlainText(
            script->toPlainText().replace(QStringLiteral("'old'"), QStringLiteral("'new'")));
        QTest::mouseClick(f.ui().scriptButton, Qt::LeftButton);
        QVERIFY(script->isHidden());
        QCOMPARE(f.database(), std::string("php<>new\r\n"));

        // "<>" would split a field at the next start: it is refused once, naming the box, and
        // the box keeps it; the password survives a restart.
        f.type(f.ui().typesEdit, QStringLiteral("php<>js"));
        QTest::mouseClick(f.ui().scriptButton, Qt::LeftButton);
        script->setPlainText(
            script->toPlainText().replace(QStringLiteral("'new'"), QStringLiteral("'n<>w'")));
        QTest::mouseClick(f.ui().scriptButton, Qt::LeftButton);
        QVERIFY(!script->isHidden() && f.ui().typesEdit->text() == QStringLiteral("php<>js"));
        QVERIFY(f.warnings.size() == 2 && f.warnings[0].startsWith(QStringLiteral("The File T")) &&
                f.warnings[1].startsWith(QStringLiteral("The password")));
        QVERIFY(!f.app->window().close());
        f.app.reset();
        f.start();
        // Typed key by key, "php<" was the last text the file could hold.
        QCOMPARE(f.database(), std::string("php<<>new\r\n"));
    }

    void withoutATrayTheMinimisedWindowStaysInTheTaskbar() {
        MainWindowFixture f;
        f.environment.trayAvailable = [] { return false; };
        // A site file that cannot be read is named; that it stays is the store's test.
        std::filesystem::create_directory(f.databasePath());
        fq::MainWindow& window = f.start();
        QVERIFY(
            f.warnings.size() == 1 &&
            f.warnings[0].startsWith(QStringLiteral("Could not read ") + ToQ(f.databasePath())));
        window.setWindowState(Qt::WindowMinimized);
        QVERIFY(window.isVisible() && window.isMinimized());
        QVERIFY(f.ui().bannerView->isHidden());
        // The tray's menu is the window's own, where no control has a right click of its own.
        emit window.customContextMenuRequested(f.ui().siteView->geometry().center());
        QVERIFY(!f.app->tray().menu()->isVisible());
        emit window.customContextMenuRequested(QPoint(5, 5));
        QTRY_VERIFY(f.app->tray().menu()->isVisible());
    }

    // Only the entry's own argument tells a start at log-in; an entry that an earlier version
    // wrote, without it, is brought up to date at any start. Either way a second start brings
    // the window forward.
    void onlyALoginStartStaysInTheTray() {
        for (const bool atLogin : {false, true}) {
            MainWindowFixture f;
            f.environment.autostartFolder = f.home.slashed();
            f.environment.executablePath = "/opt/ferquor/ferquor";
            f.environment.startedAtLogin = atLogin;
            Write(f.home.slashed() + "ferquor.desktop",
                  "[Desktop Entry]\nExec=/opt/ferquor/ferquor\n");
            QCOMPARE(f.start().isVisible(), !atLogin);
            QVERIFY(Item(*f.app, "runAtStartupAction")->isChecked());
            QVERIFY(fq::RegistrationToRun(f.home.slashed(), "/opt/ferquor/ferquor") ==
                    fq::AutostartRegistration::kCurrent);
        }
    }

    // Exit ends the event loop for good, so it comes last.
    void theMenuAndTheIconReachTheProgram() {
        MainWindowFixture f;
        f.environment.postForm = Answering("5-");
        const std::string autostart = f.home.slashed() + "autostart";
        f.environment.autostartFolder = autostart;
        f.environment.executablePath = "/opt/ferquor/ferquor";
        fq::MainWindow& window = f.start("php<>pw\r\nhttp://a.test/<>" + f.watchedFolder("a"));

        // "Active" off: the scheduled pass does not come, though it would find the site fine.
        Item(*f.app, "activeAction")->trigger();
        f.scheduledPass();
        QVERIFY(window.sites().at(0).result.status == fq::SiteStatus::kNotChecked);

        // "Run at start-up" writes the entry; unticking removes it as the core's test shows.
        QAction* run = Item(*f.app, "runAtStartupAction");
        run->trigger();
        QVERIFY(run->isChecked() && !std::filesystem::is_empty(autostart));

        window.setWindowState(Qt::WindowMinimized); // as the window manager does
        QVERIFY(!window.isVisible());
        emit f.app->tray().icon()->activated(QSystemTrayIcon::DoubleClick);
        QVERIFY(window.isVisible() && !window.isMinimized());

        Item(*f.app, "exitAction")->trigger();
        QVERIFY(f.app->ending());
        QVERIFY(!f.app->tray().icon()->isVisible());
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
