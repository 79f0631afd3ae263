#include "core/files/text_file.h"
#include "core/net/http_client.h"
#include "gui/alert_window.h"
#include "gui/banner_view.h"
#include "gui/clickable_image.h"
#include "gui/file_dialogs.h"
#include "gui/main_window.h"
#include "gui/sponsor_window.h"
#include "manual_clock.h"
#include "php_server.h"
#include "picture_point.h"
#include "temp_folder.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QVariantMap>
#include <algorithm>
#include <cctype>
#include <chrono>
#include <deque>
#include <filesystem>
#include <memory>
#include <thread>

namespace {

// Answers every dialog with the next prepared path (none left: cancel), keeping the request.
class ScriptedDialogs : public fq::FileDialogs {
public:
    std::deque<std::string> answers;
    fq::FileRequest lastRequest;

    std::optional<std::string> openFile(const fq::FileRequest& request) override {
        return answer(request);
    }
    std::optional<std::string> saveFile(const fq::FileRequest& request) override {
        return answer(request);
    }
    std::optional<std::string> pickFolder(const std::string&) override { return answer({}); }

private:
    std::optional<std::string> answer(const fq::FileRequest& request) {
        lastRequest = request;
        if (answers.empty()) {
            return std::nullopt;
        }
        const std::string next = answers.front();
        answers.pop_front();
        return next;
    }
};

// A main window over a temporary program folder, with a notification area, scripted
// dialogs, a clock moved by hand and a message box that only records its text.
// Adjust `environment` before start().
struct MainWindowFixture {
    MainWindowFixture() {
        environment.appFolder = folder.slashed();
        environment.homeFolder = home.slashed();
        environment.dialogs = dialogs;
        environment.warn = [this](QWidget*, const QString&, const QString& text) {
            warnings.append(text);
        };
        environment.trayAvailable = [] { return true; };
        environment.clock = clock;
    }

    // Writes `database` as "ferquor.ini" unless it is empty, then builds and loads a window.
    fq::MainWindow& start(const std::string& database = {}) {
        if (!database.empty()) {
            // The window then starts as on a first run, which the test's checks will show.
            QTest::qVerify(fq::WriteTextFile(databasePath(), database).ok(), "written", "",
                           __FILE__, __LINE__);
        }
        window = std::make_unique<fq::MainWindow>(environment);
        window->start();
        return *window;
    }

    std::string databasePath() const { return folder.slashed() + "ferquor.ini"; }
    std::string database() const { return fq::ReadTextFile(databasePath()); }
    const fq::MainWindowControls& ui() const { return window->controls(); }

    // Replaces the box's text by typing, as a user would.
    static void type(QLineEdit* box, const QString& text) {
        box->selectAll();
        QTest::keyClicks(box, text);
    }

    void clickRow(int row) const {
        QTreeView* view = ui().siteView;
        const QRect area = view->visualRect(view->model()->index(row, 1));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, area.center());
    }

    TempFolder folder;
    TempFolder home;
    std::shared_ptr<ScriptedDialogs> dialogs = std::make_shared<ScriptedDialogs>();
    std::shared_ptr<ManualClock> clock = std::make_shared<ManualClock>();
    QStringList warnings;
    fq::MainWindowEnvironment environment;
    std::unique_ptr<fq::MainWindow> window;
};

QString ToQ(const std::string& text) {
    return QString::fromStdString(text);
}

// A report transport that answers every request with `answer`.
fq::PostFormFunction Answering(const std::string& answer) {
    return [answer](const std::string&, const std::string&, const fq::MessagePump&,
                    const fq::HttpLimits&) { return answer; };
}

} // namespace

// Stands in for the desktop's notification service on the tests' own session bus, over a
// connection of its own: keeps what each notification says and sends the user's choice.
class NotificationServiceStandIn : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    NotificationServiceStandIn() {
        bus_.registerObject(kPath, this, QDBusConnection::ExportAllSlots);
        bus_.registerService(kInterface);
    }
    ~NotificationServiceStandIn() override { QDBusConnection::disconnectFromBus(bus_.name()); }

    void choose(uint id, const QString& action) {
        bus_.send(QDBusMessage::createSignal(kPath, kInterface, QStringLiteral("ActionInvoked"))
                  << id << action);
    }

    QStringList shown; // application, summary, body and actions of each, "|" between

public slots:
    uint Notify(const QString& application, uint, const QString&, const QString& summary,
                const QString& body, const QStringList& actions, const QVariantMap&, int) {
        shown.append(QStringList{application, summary, body, actions.join(u',')}.join(u'|'));
        return static_cast<uint>(shown.size());
    }

private:
    const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
    const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
    QDBusConnection bus_ =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("stand-in"));
};

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void bytesThatAreNotUtf8ReachTheScanAndComeBackAsRead() {
        MainWindowFixture f;
        const std::string local = f.home.slashed() + "caf\xE9/";
        std::filesystem::create_directories(local);
        QVERIFY(fq::WriteTextFile(local + "index.php", "12345"));
        const std::string database = "php<>pw\xE9\r\nhttp://a.test/<>" + local;
        f.environment.postForm = Answering("5-");
        fq::MainWindow& window = f.start(database);

        window.checkNow();
        QVERIFY(window.sites().at(0).result.status == fq::SiteStatus::kOk);

        // Clicking the row and saving it unchanged keeps its bytes, as does a close.
        f.clickRow(0);
        QTest::mouseClick(f.ui().saveButton, Qt::LeftButton);
        QVERIFY(!window.close());
        QCOMPARE(f.database(), database);
    }

    void editingTheListAndTheTypesBox() {
        MainWindowFixture f;
        // Left behind by a save that died a while ago.
        const std::string abandoned = f.databasePath() + ".tmpAb12Cd";
        QVERIFY(fq::WriteTextFile(abandoned, "half"));
        std::filesystem::last_write_time(abandoned, std::filesystem::file_time_type::clock::now() -
                                                        std::chrono::minutes(2));
        fq::MainWindow& window = f.start();
        QVERIFY(!std::filesystem::exists(abandoned));
        // A first run makes a password of its own and shows it in the script.
        const std::string password = window.reportPassword();
        QCOMPARE(password.size(), std::size_t{12});
        QVERIFY(
            std::all_of(password.begin(), password.end(), [](char c) { return std::isalnum(c); }));
        QVERIFY(f.ui().scriptEdit->toPlainText().contains(ToQ(password)));
        f.type(f.ui().urlEdit, QString());
        QTest::mouseClick(f.ui().addButton, Qt::LeftButton);
        QCOMPARE(f.warnings, QStringList{QStringLiteral("Please fill web URL and local path !")});

        for (const char* name : {"b", "a"}) {
            f.type(f.ui().urlEdit, QStringLiteral("http://%1.test").arg(QLatin1String(name)));
            f.type(f.ui().folderEdit, QStringLiteral("/srv/%1").arg(QLatin1String(name)));
            QTest::mouseClick(f.ui().addButton, Qt::LeftButton);
        }
        const std::string added = "php,js,htm,asp<>" + password +
                                  "\r\nhttp://a.test/<>/srv/a/\r\nhttp://b.test/<>/srv/b/";
        QCOMPARE(f.database(), added);

        // Save writes the boxes into the clicked row only; the file waits for the next save.
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

        // Remove takes the clicked row, saves, and leaves no row selected for "Save".
        window.removeSelectedSite();
        QCOMPARE(window.selectedRow(), 0);
        QCOMPARE(f.database(), "php,js,htm,asp<>" + password + "\r\nhttp://b.test/<>/srv/b/<>1");
        f.type(f.ui().urlEdit, QStringLiteral("http://d.test"));
        QTest::mouseClick(f.ui().saveButton, Qt::LeftButton);
        QCOMPARE(window.sites().at(0).site.webUrl, std::string("http://b.test/"));

        f.type(f.ui().typesEdit, QStringLiteral("reset"));
        QCOMPARE(f.ui().typesEdit->text(), QStringLiteral("php,js,htm,asp"));
    }

    void aFailedImportOrExportChangesNothingAndSaysWhy() {
        MainWindowFixture f;
        const std::string database =
            "php<>pw\r\nhttp://a.test/<>/srv/a/\r\nhttp://b.test/<>/srv/b/";
        fq::MainWindow& window = f.start(database);
        QAbstractItemModel* model = f.ui().siteView->model();
        model->setData(model->index(0, 0), Qt::Unchecked, Qt::CheckStateRole);
        f.clickRow(1);
        f.type(f.ui().urlEdit, QStringLiteral("http://c.test"));
        QTest::mouseClick(f.ui().saveButton, Qt::LeftButton);

        // Export copies the file as last saved, without the unsaved edits.
        const std::string copy = f.home.slashed() + "copy.ini";
        f.dialogs->answers = {copy, f.home.slashed() + "gone/copy.ini",
                              f.home.slashed() + "gone.ini"};
        window.exportDatabase();
        QCOMPARE(fq::ReadTextFile(copy), database);
        QCOMPARE(f.dialogs->lastRequest.proposedPath, f.home.slashed() + "ferquor.ini");
        QVERIFY(f.dialogs->lastRequest.confirmOverwrite);
        window.exportDatabase();
        window.importDatabase();
        QCOMPARE(f.warnings.size(), 2);
        QVERIFY(f.warnings[0].contains(QStringLiteral("gone/copy.ini")));
        QVERIFY(f.warnings[1].contains(QStringLiteral("gone.ini")));
        QVERIFY(!window.sites().at(0).site.active);
        QCOMPARE(window.sites().at(1).site.webUrl, std::string("http://c.test/"));
        QCOMPARE(f.database(), database);

        // A completed import replaces the file and the window's state.
        QVERIFY(fq::WriteTextFile(copy, "js<>new\r\nhttp://z.test/<>/srv/z/<>1"));
        f.dialogs->answers = {copy};
        window.importDatabase();
        QCOMPARE(window.sites().size(), 1);
        QCOMPARE(window.reportPassword(), std::string("new"));
        QCOMPARE(f.ui().typesEdit->text(), QStringLiteral("js"));
        QCOMPARE(f.database(), fq::ReadTextFile(copy));
    }

    void aDatabaseFileThatCannotBeReadIsNeverWrittenOver() {
        for (const bool folder : {true, false}) {
            MainWindowFixture f;
            const std::string path = f.databasePath();
            if (folder) {
                std::filesystem::create_directory(path);
            } else { // a sparse file beyond any database's size
                QVERIFY(fq::WriteTextFile(path, "php<>pw\r\nhttp://a.test/<>/srv/a/"));
                std::filesystem::resize_file(path, 17u << 20);
            }
            const auto written = std::filesystem::last_write_time(path);
            fq::MainWindow& window = f.start();
            QCOMPARE(f.warnings.size(), 1);
            QVERIFY(f.warnings[0].startsWith(QStringLiteral("Could not read ") + ToQ(path)));
            QCOMPARE(window.sites().size(), 0);
            f.type(f.ui().folderEdit, QStringLiteral("/srv/b"));
            QTest::mouseClick(f.ui().addButton, Qt::LeftButton);
            QVERIFY(!window.close());
            QCOMPARE(f.warnings.size(), 1);
            QVERIFY(std::filesystem::last_write_time(path) == written);
        }
    }

    void linesEndedByLfAloneLoadAndASaveThatFailsIsShown() {
        MainWindowFixture f;
        fq::MainWindow& window =
            f.start("php<>pw\nhttp://b.test/<>/srv/b/\nhttp://a.test/<>/srv/a/\n");
        QCOMPARE(window.sites().size(), 2);
        QVERIFY(!window.close());
        QCOMPARE(f.database(),
                 std::string("php<>pw\r\nhttp://a.test/<>/srv/a/\r\nhttp://b.test/<>/srv/b/"));

        std::filesystem::remove(f.databasePath());
        std::filesystem::create_directory(f.databasePath());
        f.type(f.ui().urlEdit, QStringLiteral("http://c.test"));
        f.type(f.ui().folderEdit, QStringLiteral("/srv/c"));
        QTest::mouseClick(f.ui().addButton, Qt::LeftButton);
        QCOMPARE(f.warnings.size(), 1);
        QVERIFY(
            f.warnings[0].startsWith(QStringLiteral("Could not save ") + ToQ(f.databasePath())));
    }

    void aPassShowsItsProgressAndScheduledAlertsCollectAndReachTheDesktop() {
        MainWindowFixture f;
        std::string database = "php<>pw";
        for (const char* name : {"a", "b"}) {
            const std::string local = f.home.slashed() + name + "/";
            std::filesystem::create_directory(local);
            QVERIFY(fq::WriteTextFile(local + "index.php", "12345"));
            database += "\r\nhttp://" + std::string(name) + ".test/<>" + local;
        }
        // "a" has changed; "b" too once its answer is set so. Each request notes the tray
        // icon's tooltip and whether "Check Now" could be pressed.
        std::string answerOfB = "5-";
        QStringList progress;
        f.environment.postForm = [&](const std::string& url, const std::string&,
                                     const fq::MessagePump&, const fq::HttpLimits&) {
            progress.append(f.window->findChild<QSystemTrayIcon*>()->toolTip() +
                            QLatin1String(f.ui().checkNowButton->isEnabled() ? " on" : " off"));
            return url.starts_with("http://a.") ? std::string("999-") : answerOfB;
        };
        fq::MainWindow& window = f.start(database);

        // A manual check shows its progress and raises no alert.
        QTest::mouseClick(f.ui().checkNowButton, Qt::LeftButton);
        QCOMPARE(progress, (QStringList{
                               QStringLiteral("Ferrow Quorvel - checking http://a.test/ "
                                              "(1 more to go) off"),
                               QStringLiteral("Ferrow Quorvel - checking http://b.test/ "
                                              "(the last one) off"),
                           }));
        QCOMPARE(window.findChild<QSystemTrayIcon*>()->toolTip(), window.windowTitle());
        QVERIFY(f.ui().checkNowButton->isEnabled());
        QVERIFY(window.alertWindow() == nullptr);

        // The scheduled pass an hour later runs after the tick that starts it, and the next
        // tick brings its alert; no notification service runs yet, which changes nothing.
        const auto scheduledPass = [&] {
            f.clock->seconds += 3601;
            window.tick();
            QCoreApplication::processEvents();
            window.tick();
        };
        scheduledPass();
        QCOMPARE(progress.mid(2), progress.mid(0, 2));
        fq::AlertWindow* alert = window.alertWindow();
        QVERIFY(alert != nullptr && alert->isVisible());
        QCOMPARE(alert->counterLabel()->text(), QStringLiteral("1"));

        // The next alert adds its line, and goes to the desktop as well.
        NotificationServiceStandIn service;
        answerOfB = "999-";
        scheduledPass();
        QCOMPARE(alert->counterLabel()->text(), QStringLiteral("2"));
        QCOMPARE(
            alert->alertText()->toPlainText(),
            QStringLiteral("\n Total Web : 2     Changed : 1\n Total Web : 2     Changed : 2"));
        QTRY_COMPARE(service.shown,
                     QStringList{QStringLiteral(
                         "Ferrow Quorvel|Ferrow Quorvel| Total Web : 2     "
                         "Changed : 2\nhttp://a.test/\nhttp://b.test/|default,Show")});

        // Choosing the notification brings the window back from the tray.
        window.hide();
        service.choose(1, QStringLiteral("default"));
        QTRY_VERIFY(window.isVisible());
        const QPointer<fq::AlertWindow> closing(alert);
        QTest::mouseClick(alert->okButton(), Qt::LeftButton);
        QTRY_VERIFY(closing.isNull());
    }

    void theMakersSiteHearsOfTheStartAndOfBannerClicksInTheStripAndTheSponsorWindow() {
        MainWindowFixture f;
        const TempFolder stats;
        ::setenv("FERQUOR_STATS_DB", (stats.slashed() + "stats.sqlite").c_str(), 1);
        PhpServer maker(FERQUOR_SITE_DIR);
        QVERIFY(maker.running());
        f.environment.baseUrl = maker.url();
        QList<QUrl> opened;
        f.environment.openUrl = [&opened](const QUrl& url) { opened.append(url); };
        const std::string pages = f.folder.slashed() + "php/";
        std::filesystem::create_directory(pages);
        for (const char* page : {"000.html", "001.html"}) {
            QVERIFY(fq::WriteTextFile(pages + page, "<div></div>"));
        }
        std::filesystem::copy_file(FERQUOR_SITE_DIR "/../php/free.gif", pages + "free.gif");
        fq::MainWindow& window = f.start("php<>pw");

        // The banner strip is updated from the maker's site a second after start; a click on
        // a banner is counted there, and its link goes to the browser.
        window.tick();
        f.clock->seconds += 2;
        window.tick();
        fq::BannerView* strip = f.ui().bannerView;
        QVERIFY(strip->rotating()); // five banners: two groups
        QTest::mouseClick(strip->viewport(), Qt::LeftButton, {},
                          PicturePoint(*strip, QStringLiteral("1")));
        QCOMPARE(opened, QList<QUrl>{QUrl(QStringLiteral("https://www.example.com/hosting"))});

        // Any button opens the sponsor window; a second opening brings up the same window,
        // restored.
        QTest::mouseRelease(f.ui().moreImage, Qt::RightButton);
        const QPointer<fq::SponsorWindow> sponsor(window.sponsorWindow());
        QVERIFY(sponsor && QTest::qWaitForWindowExposed(sponsor));
        auto* page = sponsor->findChild<fq::BannerView*>();
        auto* slot = sponsor->findChild<QLabel*>(QStringLiteral("slotLabel"));
        auto* title = sponsor->findChild<QLabel*>(QStringLiteral("titleLabel"));
        QCOMPARE(slot->text() + title->text(), QStringLiteral("86ฝนตกที่หน้าต่าง"));
        sponsor->showMinimized();
        QTest::mouseRelease(f.ui().moreImage, Qt::LeftButton);
        QCOMPARE(window.sponsorWindow(), sponsor.data());
        QVERIFY(!sponsor->isMinimized());

        // Slot 7 holds banner 3; slot 8 is unsold.
        QWidget* area = page->viewport();
        const auto hover = [&](const QPoint& at) {
            // Sent to the page itself: the test's cursor would reach whichever window is on top.
            QMouseEvent move(QEvent::MouseMove, at, area->mapToGlobal(at), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(area, &move);
            return slot->text() + QLatin1Char('|') + title->text();
        };
        QCOMPARE(hover(PicturePoint(*page, QStringLiteral("0-8"))), QStringLiteral("8|"));
        QCOMPARE(hover(PicturePoint(*page, QStringLiteral("3-7"))),
                 QStringLiteral("7|Tidy Themes"));
        QCOMPARE(hover(QPoint(area->width() - 2, area->height() - 2)), QStringLiteral("7|"));
        for (const char* alt : {"3-7", "0-8"}) {
            QTest::mouseRelease(area, Qt::MiddleButton, {},
                                PicturePoint(*page, QLatin1String(alt)));
        }
        QTest::mouseClick(sponsor->findChild<QPushButton*>(QStringLiteral("advertiseButton")),
                          Qt::LeftButton);
        QCOMPARE(opened.last(), QUrl(ToQ(maker.url() + "banner.php")));

        // The site counted one start and a click on each of the two banners.
        const std::string counted = fq::FetchUrlText(maker.url() + "adm/stats.php").value_or("");
        ::unsetenv("FERQUOR_STATS_DB");
        const QRegularExpression oneStartTwoClicks(
            QStringLiteral(R"(<table border=1>\n<tr><td>[-0-9]{10}</td><td>1</td></tr>\n</table>\n)"
                           R"(<h2>Clicks per banner</h2>\n<table border=1>\n)"
                           R"(<tr><td>1</td><td>1</td></tr>\n<tr><td>3</td><td>1</td></tr>\n)"));
        QVERIFY2(ToQ(counted).contains(oneStartTwoClicks), counted.c_str());

        // Each opening reads the page as it is then.
        QVERIFY(fq::WriteTextFile(pages + "banner2.html", "<p>newer</p>"));
        QTest::mouseClick(sponsor->findChild<QPushButton*>(QStringLiteral("closeButton")),
                          Qt::LeftButton);
        QTRY_VERIFY(sponsor.isNull());
        QTest::mouseRelease(f.ui().moreImage, Qt::LeftButton);
        QCOMPARE(window.sponsorWindow()->findChild<fq::BannerView*>()->toPlainText(),
                 QStringLiteral("newer"));
    }

    // Exit ends the event loop for good, so it runs last.
    void exitDuringAPassAbortsTheRequestAndAsksNoFurtherSite() {
        // Two servers, so that a request for the second site would be logged at once.
        TempFolder slow, next;
        const std::string slowLog = slow.slashed() + "requests.log";
        const std::string nextLog = next.slashed() + "requests.log";
        QVERIFY(fq::WriteTextFile(slow.slashed() + "_report.php",
                                  "<?php file_put_contents('" + slowLog +
                                      "', 'x', FILE_APPEND); sleep(5);"));
        QVERIFY(fq::WriteTextFile(next.slashed() + "_report.php",
                                  "<?php file_put_contents('" + nextLog + "', 'x', FILE_APPEND);"));
        PhpServer slowServer(slow.path()), nextServer(next.path());
        QVERIFY(slowServer.running() && nextServer.running());

        MainWindowFixture f;
        const std::string database =
            "php<>pw\r\n" + slowServer.url() + "<>/srv/a/\r\n" + nextServer.url() + "<>/srv/b/";
        fq::MainWindow& window = f.start(database);
        f.type(f.ui().typesEdit, QStringLiteral("php,js"));
        QTimer::singleShot(500, &window, &fq::MainWindow::exitProgram);
        const auto started = std::chrono::steady_clock::now();
        window.checkNow();
        const auto took = std::chrono::steady_clock::now() - started;

        // Well before the slow server's answer: the request in flight was given up.
        QVERIFY(took < std::chrono::seconds(3));
        QVERIFY(window.ending());
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        QCOMPARE(fq::ReadTextFile(slowLog), std::string("x"));
        QVERIFY(!std::filesystem::exists(nextLog));
        QVERIFY(f.database().starts_with("php,js<>pw\r\n"));
        QVERIFY(window.sites().at(0).result.status == fq::SiteStatus::kNotChecked);
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
