#include "app_fixture.h"
#include "core/desktop/autostart_entry.h"
#include "core/desktop/show_request.h"
#include "gui/banner_view.h"

#include <QAction>
#include <QMenu>
#include <QSystemTrayIcon>
#include <future>

using namespace std::chrono_literals;

using namespace test;

namespace {

QAction* Item(fq::Application& app, const char* name) {
    return app.tray().menu()->findChild<QAction*>(QLatin1String(name));
}

} // namespace

class TrayIconTest : public QObject {
    Q_OBJECT

private slots:
    void withoutATrayTheMinimisedWindowStaysInTheTaskbar() {
        MainWindowFixture f;
        f.environment.trayAvailable = [] { return false; };
        fq::MainWindow& window = f.start();
        window.setWindowState(Qt::WindowMinimized);
        QVERIFY(window.isVisible() && window.isMinimized());
        QVERIFY(f.ui().bannerView->isHidden());
        // The tray's menu is the window's own.
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

        // "Run at start-up" writes and removes the entry, and is ticked as the disk says.
        QAction* run = Item(*f.app, "runAtStartupAction");
        for (const bool registered : {true, false}) {
            QVERIFY(run->isChecked() != registered);
            run->trigger();
            QCOMPARE(run->isChecked(), registered);
            QCOMPARE(std::filesystem::is_empty(autostart), !registered);
        }
        std::filesystem::remove(autostart);
        QVERIFY(fq::WriteTextFile(autostart, "x")); // a folder that cannot be made
        run->trigger();
        QVERIFY(!run->isChecked());

        window.setWindowState(Qt::WindowMinimized); // as the window manager does
        QVERIFY(!window.isVisible());
        emit f.app->tray().icon()->activated(QSystemTrayIcon::DoubleClick);
        QVERIFY(window.isVisible() && !window.isMinimized());

        Item(*f.app, "exitAction")->trigger();
        QVERIFY(f.app->ending());
        QVERIFY(!f.app->tray().icon()->isVisible());
    }
};

QTEST_MAIN(TrayIconTest)
#include "tray_icon_test.moc"
