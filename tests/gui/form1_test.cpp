#include "core/platform/autostart_store.h"
#include "form1_fixture.h"

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>
#include <filesystem>
#include <sys/inotify.h>
#include <unistd.h>

using fq::Form1;

namespace {

// Counts the files renamed into `folder`: every save of the database is one.
class SaveCounter {
public:
    explicit SaveCounter(const TempFolder& folder) : fd_(inotify_init1(IN_NONBLOCK)) {
        inotify_add_watch(fd_, folder.path().c_str(), IN_MOVED_TO);
    }
    ~SaveCounter() { close(fd_); }
    int count() {
        alignas(inotify_event) char buffer[4096];
        for (ssize_t got; (got = read(fd_, buffer, sizeof buffer)) > 0;) {
            for (char* at = buffer; at < buffer + got;) {
                const auto* event = reinterpret_cast<inotify_event*>(at);
                saves_ += std::string(event->name) == "ferquor.ini" ? 1 : 0;
                at += sizeof(inotify_event) + event->len;
            }
        }
        return saves_;
    }

private:
    int fd_;
    int saves_ = 0;
};

} // namespace

class Form1Test : public QObject {
    Q_OBJECT

private slots:
    void startsWithDefaultsLoadsTheDatabaseAndSurvivesAnUnreadableOne() {
        // Without a notification area a close saves but only minimises.
        Form1Fixture f;
        f.trayAvailable = false;
        Form1& fresh = f.start();
        QCOMPARE(fresh.windowTitle(), QStringLiteral("Ferrow Quorvel 2020 - v1.4 - Freeware"));
        QCOMPARE(f.ui().LaStatus->text(), QStringLiteral(" Total Web : 0"));
        QCOMPARE(f.ui().txtFileType->text(), QStringLiteral("php,js,htm,asp"));
        QVERIFY(fresh.reportPassword().empty());
        QVERIFY(f.ui().txtPHP[0]->toPlainText().contains(QStringLiteral("==\"lark\")")));
        const auto* strip = dynamic_cast<const FakeBannerBrowser*>(f.ui().Browser1);
        QVERIFY(strip != nullptr);
        QCOMPARE(strip->navigations, std::vector<std::string>{f.folder.slashed() + "php/000.html"});
        QVERIFY(!fresh.close());
        QCOMPARE(f.database(), std::string("php,js,htm,asp<>\r\n"));
        QVERIFY(fresh.isMinimized() && fresh.isVisible());
        // Restored from the taskbar, the window shows its banner strip again.
        QVERIFY(!f.ui().Browser1->isHidden());

        // "reset" in the settings line brings back the default list.
        Form1& form =
            f.start("reset<>s3cret\r\nhttp://b.com<>/w/b/\r\n\r\nhttp://a.com/<>/w/a/<>1");
        QCOMPARE(f.ui().LaStatus->text(), QStringLiteral(" Total Web : 2"));
        QCOMPARE(f.ui().txtFileType->text(), QStringLiteral("php,js,htm,asp"));
        QCOMPARE(form.reportPassword(), std::string("s3cret"));
        QVERIFY(f.ui().txtPHP[0]->toPlainText().contains(QStringLiteral("==\"s3cret\")")));
        QCOMPARE(f.rows(), QStringLiteral("1 http://b.com /w/b/\n2 http://a.com/ /w/a/ -"));
        QVERIFY(f.ui().lvWeb->isColumnHidden(fq::kColumnLocalPath));
        QVERIFY(f.ui().lvWeb->isColumnHidden(fq::kColumnDetail));

        // An unreadable file leaves the list and the types as they were.
        f.ui().txtFileType->setText(QStringLiteral("php"));
        fq::WriteTextFile(f.databasePath(), "");
        form.LoadWebDatabase();
        QCOMPARE(f.ui().lvWeb->topLevelItemCount(), 2);
        QCOMPARE(f.ui().txtFileType->text(), QStringLiteral("php"));
        QCOMPARE(f.ui().LaStatus->text(), QStringLiteral(" Total Web : 0"));
    }

    void closeHidesIntoTheTrayWhichRestoresItAndExitSavesOnce() {
        Form1Fixture f;
        SaveCounter saves(f.folder);
        Form1& form = f.start("php,js<>pw\r\n"
                              "http://b.com<>/w/b/\r\n"
                              "http://B.com/<>/w/B/<>1\r\n"
                              "http://a.com/<>/w/a/");
        QCOMPARE(form.trayIcon()->toolTip(), form.windowTitle());
        QVERIFY(form.trayIcon()->isVisible() || !QSystemTrayIcon::isSystemTrayAvailable());
        form.TrayActivated(QSystemTrayIcon::DoubleClick);
        QVERIFY(form.isVisible() && !form.isMinimized());

        // The list's own check box is the active flag and reaches the file on close.
        f.row(2)->setCheckState(fq::kColumnNumber, Qt::Unchecked);
        QVERIFY(!form.close());
        QCOMPARE(f.database(), std::string("php,js<>pw\r\n"
                                           "http://B.com/<>/w/B/<>1\r\n"
                                           "http://a.com/<>/w/a/<>1\r\n"
                                           "http://b.com/<>/w/b/"));
        QVERIFY(!form.isVisible());
        QVERIFY(f.ui().Browser1->isHidden());
        // The rows on screen keep their order and text until the next load.
        QCOMPARE(f.cell(0, fq::kColumnWebUrl), QStringLiteral("http://b.com"));

        // Only a double-click brings the window back.
        form.TrayActivated(QSystemTrayIcon::Trigger);
        form.TrayActivated(QSystemTrayIcon::MiddleClick);
        QVERIFY(!form.isVisible());
        form.TrayActivated(QSystemTrayIcon::DoubleClick);
        QVERIFY(form.isVisible() && !form.isMinimized());
        QVERIFY(!f.ui().Browser1->isHidden());

        QAction* active = f.ui().mActive;
        QVERIFY(active->isChecked());
        QCOMPARE(form.checksActive(), 1);
        active->trigger();
        QVERIFY(!active->isChecked());
        QCOMPARE(form.checksActive(), 0);
        active->trigger();
        QCOMPARE(form.checksActive(), 1);

        const int savesBeforeExit = saves.count();
        QTimer::singleShot(0, &form, [&form] { form.ui().mExit->trigger(); });
        QTimer::singleShot(5000, &form, [] { QCoreApplication::exit(1); });
        QCOMPARE(QCoreApplication::exec(), 0);
        QCOMPARE(saves.count(), savesBeforeExit + 1);
        QVERIFY(!form.trayIcon()->isVisible());
    }

    void startsInTheTrayOnlyWhenRegisteredUnderTheSamePath() {
        Form1Fixture f;
        const std::string executable = f.folder.slashed() + "my tools/ferquor";
        const std::string autostart = f.folder.slashed() + "autostart/";
        f.environment.executablePath = executable;
        f.environment.autostartFolder = autostart;
        fq::WriteRegString(autostart, "ferquor", executable);
        QVERIFY(!f.start().isVisible());
        QVERIFY(f.ui().Browser1->isHidden());
        QVERIFY(f.ui().mStartup->isChecked());

        for (const std::string& other :
             {f.folder.slashed() + "old/ferquor", f.folder.slashed() + "my tools/FERQUOR"}) {
            fq::WriteRegString(autostart, "ferquor", other);
            QVERIFY(f.start().isVisible());
            QVERIFY(!f.ui().mStartup->isChecked());
        }

        // "Run on start up" registers this executable, and unticked removes the entry.
        f.ui().mStartup->trigger();
        QVERIFY(f.ui().mStartup->isChecked());
        QCOMPARE(fq::ReadRegString(autostart, "ferquor"), executable);
        f.ui().mStartup->trigger();
        QVERIFY(!std::filesystem::exists(autostart + "ferquor.desktop"));
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
