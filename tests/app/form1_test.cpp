#include "app/form1.h"
#include "app/site_rows.h"
#include "fake_banner_browser.h"
#include "platform/autostart_store.h"
#include "platform/text_file.h"
#include "temp_folder.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <memory>
#include <sys/inotify.h>
#include <unistd.h>

using fq::Form1;

namespace {

fq::Form1Environment Environment(const TempFolder& folder, bool trayAvailable = true) {
    fq::Form1Environment environment;
    environment.appFolder = folder.slashed();
    environment.trayAvailable = [trayAvailable] { return trayAvailable; };
    environment.makeBrowser = MakeFakeBannerBrowser;
    return environment;
}

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

QString Row(const Form1& form, int index, int column) {
    return form.ui().lvWeb->topLevelItem(index)->text(column);
}

} // namespace

class Form1Test : public QObject {
    Q_OBJECT

private slots:
    void startsWithDefaultsWhenNoDatabaseExists() {
        TempFolder folder;
        Form1 form(Environment(folder));
        form.Form_Load();
        QCOMPARE(form.windowTitle(), QStringLiteral("Ferrow Quorvel 2020 - v1.4 - Freeware"));
        QCOMPARE(form.ui().LaStatus->text(), QStringLiteral(" Total Web : 0"));
        QCOMPARE(form.ui().txtFileType->text(), QStringLiteral("php,js,htm,asp"));
        QCOMPARE(form.ui().lvWeb->topLevelItemCount(), 0);
        QVERIFY(form.reportPassword().empty());
        QVERIFY(form.ui().txtPHP[0]->toPlainText().contains(QStringLiteral("==\"lark\")")));
        QVERIFY(form.isVisible());
        const auto* strip = dynamic_cast<const FakeBannerBrowser*>(form.ui().Browser1);
        QVERIFY(strip != nullptr);
        QCOMPARE(strip->navigations, std::vector<std::string>{folder.slashed() + "php/000.html"});
    }

    void loadsSitesSettingsAndPassword() {
        TempFolder folder;
        fq::WriteTextFile(folder.slashed() + "ferquor.ini",
                          "reset<>s3cret\r\nhttp://b.com<>/w/b/\r\n\r\nhttp://a.com/<>/w/a/<>1");
        Form1 form(Environment(folder));
        form.Form_Load();
        QCOMPARE(form.ui().LaStatus->text(), QStringLiteral(" Total Web : 2"));
        // "reset" in the settings line brings back the default list.
        QCOMPARE(form.ui().txtFileType->text(), QStringLiteral("php,js,htm,asp"));
        QCOMPARE(form.reportPassword(), std::string("s3cret"));
        const QString script = form.ui().txtPHP[0]->toPlainText();
        QVERIFY(script.contains(QStringLiteral("==\"s3cret\")")));
        QVERIFY(!script.contains(QStringLiteral("lark")));

        QCOMPARE(Row(form, 0, fq::kColumnNumber), QStringLiteral("1"));
        QCOMPARE(Row(form, 0, fq::kColumnWebUrl), QStringLiteral("http://b.com"));
        QCOMPARE(Row(form, 1, fq::kColumnNumber), QStringLiteral("2"));
        QCOMPARE(Row(form, 1, fq::kColumnLocalPath), QStringLiteral("/w/a/"));
        QCOMPARE(form.ui().lvWeb->topLevelItem(0)->checkState(fq::kColumnNumber), Qt::Checked);
        QCOMPARE(form.ui().lvWeb->topLevelItem(1)->checkState(fq::kColumnNumber), Qt::Unchecked);
        QVERIFY(form.ui().lvWeb->isColumnHidden(fq::kColumnLocalPath));
        QVERIFY(form.ui().lvWeb->isColumnHidden(fq::kColumnDetail));
    }

    void closeRequestSavesSortedAndHides() {
        TempFolder folder;
        const std::string database = folder.slashed() + "ferquor.ini";
        fq::WriteTextFile(database, "php,js<>pw\r\n"
                                    "http://b.com<>/w/b/\r\n"
                                    "http://B.com/<>/w/B/<>1\r\n"
                                    "http://a.com/<>/w/a/");
        Form1 form(Environment(folder));
        form.Form_Load();
        QVERIFY(form.isVisible());

        // The list's own check box is the active flag and reaches the file on close.
        form.ui().lvWeb->topLevelItem(2)->setCheckState(fq::kColumnNumber, Qt::Unchecked);
        QVERIFY(!form.close());

        QCOMPARE(fq::ReadTextFile(database), std::string("php,js<>pw\r\n"
                                                         "http://B.com/<>/w/B/<>1\r\n"
                                                         "http://a.com/<>/w/a/<>1\r\n"
                                                         "http://b.com/<>/w/b/"));
        QVERIFY(!form.isVisible());
        // The rows on screen keep their order and text until the next load.
        QCOMPARE(Row(form, 0, fq::kColumnWebUrl), QStringLiteral("http://b.com"));
    }

    void withoutANotificationAreaCloseOnlyMinimises() {
        TempFolder folder;
        Form1 form(Environment(folder, false));
        form.Form_Load();
        QVERIFY(!form.close());
        QVERIFY(form.isMinimized());
        QVERIFY(form.isVisible());
        // Restored from the taskbar, the window shows its banner strip again.
        QVERIFY(!form.ui().Browser1->isHidden());
        QVERIFY(!fq::ReadTextFile(folder.slashed() + "ferquor.ini").empty());
    }

    void trayDoubleClickRestoresOnlyAHiddenWindow() {
        TempFolder folder;
        Form1 form(Environment(folder));
        form.Form_Load();
        QVERIFY(form.trayIcon() != nullptr);
        QCOMPARE(form.trayIcon()->toolTip(), form.windowTitle());

        form.TrayActivated(QSystemTrayIcon::Trigger);
        form.TrayActivated(QSystemTrayIcon::MiddleClick);
        QVERIFY(form.isVisible());

        form.close();
        QVERIFY(!form.isVisible());
        QVERIFY(form.ui().Browser1->isHidden());
        form.TrayActivated(QSystemTrayIcon::Trigger);
        QVERIFY(!form.isVisible());
        form.TrayActivated(QSystemTrayIcon::DoubleClick);
        QVERIFY(form.isVisible());
        QVERIFY(!form.isMinimized());
        QVERIFY(!form.ui().Browser1->isHidden());
    }

    void activeItemSwitchesScheduledChecks() {
        TempFolder folder;
        Form1 form(Environment(folder));
        form.Form_Load();
        QAction* active = form.ui().mActive;
        QVERIFY(active->isChecked());
        QCOMPARE(form.checksActive(), 1);
        active->trigger();
        QVERIFY(!active->isChecked());
        QCOMPARE(form.checksActive(), 0);
        active->trigger();
        QCOMPARE(form.checksActive(), 1);
    }

    void exitSavesExactlyOnceAndEnds() {
        TempFolder folder;
        SaveCounter saves(folder);
        Form1 form(Environment(folder));
        form.Form_Load();
        QVERIFY(form.trayIcon()->isVisible() || !QSystemTrayIcon::isSystemTrayAvailable());
        QCOMPARE(saves.count(), 0);
        bool ended = false;
        QTimer::singleShot(0, &form, [&form] { form.ui().mExit->trigger(); });
        QTimer::singleShot(5000, &form, [] { QCoreApplication::exit(1); });
        ended = QCoreApplication::exec() == 0;
        QVERIFY(ended);
        QCOMPARE(saves.count(), 1);
        QVERIFY(!form.trayIcon()->isVisible());
    }

    void registeredStartUnderTheSamePathStartsInTheTray() {
        TempFolder folder;
        const std::string executable = folder.slashed() + "ferquor";
        const std::string autostart = folder.slashed() + "autostart/";
        const auto startWith = [&](const std::string& registeredPath) {
            fq::WriteRegString(autostart, "ferquor", registeredPath);
            auto environment = Environment(folder);
            environment.executablePath = executable;
            environment.autostartFolder = autostart;
            auto form = std::make_unique<Form1>(std::move(environment));
            form->Form_Load();
            return form;
        };

        const auto registered = startWith(executable);
        QVERIFY(!registered->isVisible());
        QVERIFY(registered->ui().Browser1->isHidden());
        QVERIFY(registered->ui().mStartup->isChecked());

        for (const std::string& other :
             {folder.slashed() + "old/ferquor", folder.slashed() + "FERQUOR"}) {
            const auto moved = startWith(other);
            QVERIFY(moved->isVisible());
            QVERIFY(!moved->ui().mStartup->isChecked());
        }
    }

    void runOnStartUpWritesAndRemovesTheEntry() {
        TempFolder folder;
        auto environment = Environment(folder);
        environment.executablePath = "/opt/my tools/ferquor";
        environment.autostartFolder = folder.slashed() + "autostart/";
        Form1 form(std::move(environment));
        form.Form_Load();
        form.ui().mStartup->trigger();
        QVERIFY(form.ui().mStartup->isChecked());
        QCOMPARE(fq::ReadRegString(folder.slashed() + "autostart/", "ferquor"),
                 std::string("/opt/my tools/ferquor"));
        form.ui().mStartup->trigger();
        QVERIFY(
            !QFile::exists(QString::fromStdString(folder.slashed() + "autostart/ferquor.desktop")));
    }

    void unreadableDatabaseKeepsTheCurrentState() {
        TempFolder folder;
        const std::string database = folder.slashed() + "ferquor.ini";
        fq::WriteTextFile(database, "php<>pw\r\nhttp://a.com/<>/w/a/");
        Form1 form(Environment(folder));
        form.Form_Load();
        fq::WriteTextFile(database, "");
        form.LoadWebDatabase();
        QCOMPARE(form.ui().lvWeb->topLevelItemCount(), 1);
        QCOMPARE(form.ui().txtFileType->text(), QStringLiteral("php"));
        QCOMPARE(form.ui().LaStatus->text(), QStringLiteral(" Total Web : 0"));
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
