#include "app_fixture.h"
#include "gui/banner_view.h"

#include <QAction>
#include <QMenu>
#include <QSystemTrayIcon>

using namespace test;

namespace {

QAction* Item(fq::Application& app, const char* name) {
    return app.tray().menu()->findChild<QAction*>(QLatin1String(name));
}

} // namespace

class TrayIconTest : public QObject {
    Q_OBJECT

private slots:
    void activeOffStopsTheScheduledChecks() {
        MainWindowFixture f;
        int asked = 0;
        f.environment.postForm = [&asked](const std::string&, const std::string&,
                                          const fq::MessagePump&, const fq::HttpLimits&) {
            ++asked;
            return std::optional<std::string>("5-");
        };
        f.start("php<>pw\r\nhttp://a.test/<>" + f.home.slashed());
        Item(*f.app, "activeAction")->trigger();
        f.app->checks().tick();
        f.clock->seconds += 3601;
        f.app->checks().tick();
        QCoreApplication::processEvents();
        QCOMPARE(asked, 0);
    }

    void runOnStartUpWritesAndRemovesTheEntryAndTicksWhatIsOnDisk() {
        MainWindowFixture f;
        f.environment.autostartFolder = f.home.slashed() + "autostart";
        f.environment.executablePath = "/opt/ferquor/ferquor";
        f.start();
        QAction* run = Item(*f.app, "runAtStartupAction");
        QVERIFY(!run->isChecked());
        run->trigger();
        QVERIFY(run->isChecked());
        QVERIFY(!std::filesystem::is_empty(f.environment.autostartFolder));
        run->trigger();
        QVERIFY(!run->isChecked());
        QVERIFY(std::filesystem::is_empty(f.environment.autostartFolder));

        // A folder that cannot be made: the tick stays off.
        QVERIFY(fq::WriteTextFile(f.home.slashed() + "file", "x"));
        MainWindowFixture g;
        g.environment.autostartFolder = f.home.slashed() + "file/autostart";
        g.start();
        Item(*g.app, "runAtStartupAction")->trigger();
        QVERIFY(!Item(*g.app, "runAtStartupAction")->isChecked());
    }

    void aDoubleClickBringsTheHiddenWindowBack() {
        MainWindowFixture f;
        fq::MainWindow& window = f.start();
        window.setWindowState(Qt::WindowMinimized); // as the window manager does
        QVERIFY(!window.isVisible());
        emit f.app->tray().icon()->activated(QSystemTrayIcon::DoubleClick);
        QVERIFY(window.isVisible() && !window.isMinimized());
    }

    void withoutATrayTheMinimisedWindowStaysInTheTaskbar() {
        MainWindowFixture f;
        f.environment.trayAvailable = [] { return false; };
        fq::MainWindow& window = f.start();
        window.setWindowState(Qt::WindowMinimized);
        QVERIFY(window.isVisible() && window.isMinimized());
        QVERIFY(f.ui().bannerView->isHidden());
    }

    // Exit ends the event loop for good, so it runs last.
    void exitHidesTheIconSavesOnceAndEnds() {
        MainWindowFixture f;
        f.start();
        Item(*f.app, "exitAction")->trigger();
        QVERIFY(f.app->ending());
        QVERIFY(!f.app->tray().icon()->isVisible());
        QVERIFY(f.database().starts_with("php,js,htm,asp<>"));
    }
};

QTEST_MAIN(TrayIconTest)
#include "tray_icon_test.moc"
