// What the program does on its timers: check passes and their alerts, and beside them the
// banner strip's refresh from the maker's site.
#include "app_fixture.h"
#include "core/net/http_client.h"
#include "gui/alert_window.h"
#include "gui/banner_view.h"
#include "gui/clickable_image.h"
#include "gui/sponsor_window.h"
#include "php_server.h"
#include "picture_point.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <chrono>
#include <thread>

using namespace test;
using namespace Qt::Literals::StringLiterals;

namespace {

// Writes `page` as `name` beside the picture "a.png" it may show.
bool WritePage(const TempFolder& folder, const std::string& name, const std::string& page) {
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    return picture.save(QString::fromStdString(folder.slashed() + "a.png")) &&
           fq::WriteTextFile(folder.slashed() + name, page);
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

class TimersTest : public QObject {
    Q_OBJECT

private slots:
    void showsOneGroupAtATimeWhileItIsShown() {
        const TempFolder folder;
        // Nine banners in groups of four, then a note whose picture is no banner.
        std::string strip;
        for (int id = 1; id <= 9; ++id) {
            strip += (id % 4 == 1 ? "<div>" : "") + std::string("<a href='http://a.example/'>") +
                     "<img src='a.png' alt='" + std::to_string(id) + "'></a> " +
                     (id % 4 == 0 || id == 9 ? "</div>" : "");
        }
        QVERIFY(WritePage(folder, "strip.html", strip + "<p><img src='a.png'></p>"));
        fq::BannerView view;
        QStringList under; // the banner at the first banner's place, at each release
        connect(&view, &fq::BannerView::mouseUp, this,
                [&under](Qt::MouseButton, const QString& alt) { under.append(alt); });
        view.rotateGroups(std::chrono::hours(1)); // stepped by hand below
        view.resize(300, 35);                     // less than a group's height
        view.navigate(folder.slashed() + "strip.html");
        QVERIFY(!view.rotating());
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QVERIFY(view.rotating());
        const QPoint firstPlace = PicturePoint(view, u"1"_s);
        // A clicked link's focus frame does not outlive its group.
        view.openUrl = [](const QUrl&) {};
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, firstPlace);
        QVERIFY(view.textCursor().hasSelection());
        view.showNextGroup();
        QVERIFY(!view.textCursor().hasSelection());
        for (int step = 0; step < 4; ++step) {
            QTest::mouseRelease(view.viewport(), Qt::RightButton, {}, firstPlace);
            view.showNextGroup();
        }
        QCOMPARE(under, (QStringList{u"1"_s, u"5"_s, u"9"_s, u"1"_s, u"5"_s}));
        view.hide();
        QVERIFY(!view.rotating());
    }

    // The refresh runs beside the check schedule: a picture that drips in for ever holds up
    // neither the first scheduled pass nor the end, and a refresh cut short stores no list.
    void aDrippingPictureHoldsUpNeitherTheScheduledCheckNorTheEnd() {
        PhpServer maker(FERQUOR_SERVER_CONFIGS "/dripping_maker");
        MainWindowFixture f;
        f.environment.baseUrl = maker.url();
        f.start();
        fq::BannerStrip& strip = f.app->bannerStrip();
        f.app->checks().tick();
        strip.tick();
        f.clock->seconds += 2;
        strip.tick();
        f.scheduledPass();
        QVERIFY(f.ui().statusLabel->text().contains(QStringLiteral("Changed : 0")));
        QVERIFY(strip.refreshing());
        f.app->exit();
        QTRY_VERIFY(!strip.refreshing());
        QVERIFY(!std::filesystem::exists(f.folder.slashed() + "banner/banner.txt"));
    }

    void theMakersSiteHearsOfTheStartAndOfBannerClicksInTheStripAndTheSponsorWindow() {
        MainWindowFixture f;
        const TempFolder stats;
        ::setenv("FERQUOR_STATS_DB", (stats.slashed() + "stats.sqlite").c_str(), 1);
        PhpServer maker(FERQUOR_SITE_DIR);
        f.environment.baseUrl = maker.url();
        QList<QUrl> opened;
        f.environment.openUrl = [&opened](const QUrl& url) { opened.append(url); };
        const std::string pages = f.folder.slashed() + "php/";
        std::filesystem::create_directory(pages);
        for (const char* page : {"000.html", "001.html"}) {
            Write(pages + page, "<div></div>");
        }
        std::filesystem::copy_file(FERQUOR_SITE_DIR "/../php/free.gif", pages + "free.gif");
        f.start("php<>pw");

        // The strip is updated from the maker's site a second after start, and shows its
        // five banners in two groups; a click goes to the browser and is counted.
        f.app->bannerStrip().tick();
        f.clock->seconds += 2;
        f.app->bannerStrip().tick();
        fq::BannerView* strip = f.ui().bannerView;
        QTRY_VERIFY(strip->rotating());
        QTest::mouseClick(strip->viewport(), Qt::LeftButton, {}, PicturePoint(*strip, u"1"_s));
        QCOMPARE(opened, QList<QUrl>{QUrl(u"https://www.example.com/hosting"_s)});
        QVERIFY(PicturePoint(*strip, u"1"_s).x() >= 0); // the page stays in the strip

        // Any button opens the sponsor window, and opening it again brings up the same one.
        // Slot 7 holds banner 3, slot 8 is unsold.
        QTest::mouseRelease(f.ui().moreImage, Qt::RightButton);
        const QPointer<fq::SponsorWindow> sponsor(f.app->bannerStrip().sponsorWindow());
        QVERIFY(sponsor && QTest::qWaitForWindowExposed(sponsor));
        QTest::mouseRelease(f.ui().moreImage, Qt::LeftButton);
        QCOMPARE(f.app->bannerStrip().sponsorWindow(), sponsor.data());
        QWidget* page = sponsor->findChild<fq::BannerView*>()->viewport();
        for (const QString& alt : {u"3-7"_s, u"0-8"_s}) {
            QTest::mouseRelease(page, Qt::MiddleButton, {},
                                PicturePoint(*sponsor->findChild<fq::BannerView*>(), alt));
        }
        QTest::mouseClick(sponsor->findChild<QPushButton*>(u"advertiseButton"_s), Qt::LeftButton);
        QCOMPARE(opened.last(), QUrl(ToQ(maker.url() + "banner.php")));

        // The site counted one start and a click on each of the two banners.
        const std::string counted = fq::FetchUrlText(maker.url() + "adm/stats.php").value_or("");
        ::unsetenv("FERQUOR_STATS_DB");
        const QRegularExpression oneStartTwoClicks(
            uR"(<table border=1>\n<tr><td>[-0-9]{10}</td><td>1</td></tr>\n</table>\n)"
            uR"(<h2>Clicks per banner</h2>\n<table border=1>\n)"
            uR"(<tr><td>1</td><td>1</td></tr>\n<tr><td>3</td><td>1</td></tr>\n)"_s);
        QVERIFY2(ToQ(counted).contains(oneStartTwoClicks), counted.c_str());
    }

    void aPassShowsItsProgressAndScheduledAlertsOfChangedOrSilencedSitesReachTheDesktop() {
        MainWindowFixture f;
        // "a" has changed; "b" answers until its answer is taken away. Each request notes the
        // tray icon's tooltip.
        std::optional<std::string> answerOfB = "5-";
        QStringList progress;
        f.environment.postForm = [&](const std::string& url, const std::string& body,
                                     const fq::MessagePump&, const fq::HttpLimits&) {
            if (body.starts_with("fq=")) {
                return Ok(""); // scripts that know only the size request
            }
            progress.append(f.app->tray().icon()->toolTip());
            if (url.starts_with("http://a.") || answerOfB) {
                return Ok(url.starts_with("http://a.") ? std::string("999-") : *answerOfB);
            }
            return fq::FailedTransfer(fq::TransferFailure::kRefused);
        };
        fq::MainWindow& window = f.start("php<>pw\r\nhttp://a.test/<>" + f.watchedFolder("a") +
                                         "\r\nhttp://b.test/<>" + f.watchedFolder("b"));

        // A manual check shows its progress and raises no alert.
        QTest::mouseClick(f.ui().checkNowButton, Qt::LeftButton);
        QCOMPARE(progress.last(),
                 QStringLiteral("Ferrow Quorvel - checking http://b.test/ (the last one)"));
        QCOMPARE(f.app->tray().icon()->toolTip(), window.windowTitle());
        QVERIFY(f.app->checks().alertWindow() == nullptr);

        // The scheduled pass an hour later runs after the tick that starts it, and the next
        // tick brings its alert; no notification service runs yet, which changes nothing.
        f.scheduledPass();
        QCOMPARE(progress.mid(2), progress.mid(0, 2));
        fq::AlertWindow* alert = f.app->checks().alertWindow();
        QVERIFY(alert != nullptr && alert->isVisible());
        QCOMPARE(alert->counterLabel()->text(), QStringLiteral("1"));

        // "b" falls silent. A manual pass alerts for nothing and does not count, so the next
        // scheduled pass is b's first silent one: its line names a alone.
        answerOfB.reset();
        f.app->checks().checkNow();
        f.scheduledPass();
        QCOMPARE(alert->counterLabel()->text(), QStringLiteral("2"));
        QCOMPARE(
            alert->alertText()->toPlainText(),
            QStringLiteral("\n Total Web : 2     Changed : 1\n Total Web : 2     Changed : 1"));

        // Its second silent scheduled pass, after a restart, alerts as a change does, and goes
        // to the desktop as well.
        f.app.reset();
        fq::MainWindow& restarted = f.start();
        NotificationServiceStandIn service;
        f.scheduledPass();
        QCOMPARE(f.app->checks().alertWindow()->alertText()->toPlainText(),
                 QStringLiteral("\n Total Web : 2     Changed : 1     No report : 1"));
        QTRY_COMPARE(service.shown, QStringList{QStringLiteral(
                                        "Ferrow Quorvel|Ferrow Quorvel| Total Web : 2     Changed "
                                        ": 1     No report : 1\nhttp://a.test/\nhttp://b.test/ "
                                        "(No report)|default,Show")});

        // Choosing the notification brings the window back from the tray, the alert above it;
        // Enter there clicks OK, which closes it.
        restarted.hide();
        service.choose(1, QStringLiteral("default"));
        QTRY_VERIFY(restarted.isVisible());
        const QPointer<fq::AlertWindow> last(f.app->checks().alertWindow());
        QTRY_COMPARE(QApplication::activeWindow(), last.data());
        QTest::keyClick(last, Qt::Key_Return);
        QTRY_VERIFY(last.isNull());
    }

    // Exit ends the event loop for good, so it runs last. Ctrl+Q is Exit.
    void exitDuringAPassEndsItAndAsksNoFurtherSite() {
        MainWindowFixture f;
        QStringList asked;
        // Like a transfer, the transport lets events run until it is told the program ends.
        f.environment.postForm = [&asked](const std::string& url, const std::string&,
                                          const fq::MessagePump& pump, const fq::HttpLimits&) {
            asked.append(ToQ(url));
            while (pump()) {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            return Ok("1-");
        };
        fq::MainWindow& window = f.start("php<>pw\r\nhttp://a.test/<>" + f.watchedFolder("a") +
                                         "\r\nhttp://b.test/<>" + f.watchedFolder("b"));
        f.type(f.ui().typesEdit, QStringLiteral("php,js"));
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTimer::singleShot(100, &window,
                           [&window] { QTest::keyClick(&window, Qt::Key_Q, Qt::ControlModifier); });
        f.app->checks().checkNow();

        QCOMPARE(asked, QStringList{QStringLiteral("http://a.test/_report.php")});
        QVERIFY(f.app->ending());
        QVERIFY(f.database().starts_with("php,js<>pw\r\n"));
        QVERIFY(window.sites().at(0).result.status == fq::SiteStatus::kNotChecked);
    }
};

QTEST_MAIN(TimersTest)
#include "timers_test.moc"
