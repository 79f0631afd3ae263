#include "app_fixture.h"
#include "gui/alert_window.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTimer>
#include <chrono>
#include <thread>

using namespace test;

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

class CheckControllerTest : public QObject {
    Q_OBJECT

private slots:
    void aPassShowsItsProgressAndScheduledAlertsOfChangedOrSilencedSitesReachTheDesktop() {
        MainWindowFixture f;
        // "a" has changed; "b" answers until its answer is taken away. Each request notes the
        // tray icon's tooltip and whether "Check Now" could be pressed.
        std::optional<std::string> answerOfB = "5-";
        QStringList progress;
        f.environment.postForm = [&](const std::string& url, const std::string& body,
                                     const fq::MessagePump&, const fq::HttpLimits&) {
            if (body.starts_with("fq=")) {
                return Ok(""); // scripts that know only the size request
            }
            progress.append(f.app->tray().icon()->toolTip() +
                            QLatin1String(f.ui().checkNowButton->isEnabled() ? " on" : " off"));
            if (url.starts_with("http://a.") || answerOfB) {
                return Ok(url.starts_with("http://a.") ? std::string("999-") : *answerOfB);
            }
            return fq::FailedTransfer(fq::TransferFailure::kRefused);
        };
        fq::MainWindow& window = f.start("php<>pw\r\nhttp://a.test/<>" + f.watchedFolder("a") +
                                         "\r\nhttp://b.test/<>" + f.watchedFolder("b"));

        // A manual check shows its progress and raises no alert.
        QTest::mouseClick(f.ui().checkNowButton, Qt::LeftButton);
        QCOMPARE(progress, (QStringList{
                               QStringLiteral("Ferrow Quorvel - checking http://a.test/ "
                                              "(1 more to go) off"),
                               QStringLiteral("Ferrow Quorvel - checking http://b.test/ "
                                              "(the last one) off"),
                           }));
        QCOMPARE(f.app->tray().icon()->toolTip(), window.windowTitle());
        QVERIFY(f.ui().checkNowButton->isEnabled());
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
        const QPointer<fq::AlertWindow> closing(alert);
        QTest::mouseClick(alert->okButton(), Qt::LeftButton);
        QTRY_VERIFY(closing.isNull());

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
        // Enter there is OK.
        restarted.hide();
        service.choose(1, QStringLiteral("default"));
        QTRY_VERIFY(restarted.isVisible());
        const QPointer<fq::AlertWindow> last(f.app->checks().alertWindow());
        QTRY_COMPARE(QApplication::activeWindow(), last.data());
        QTest::keyClick(last, Qt::Key_Return);
        QTRY_VERIFY(last.isNull());

        // Removed, the site forgets that it answered; the other is kept beside the site file.
        f.clickRow(1);
        restarted.removeSelectedSite();
        QCOMPARE(fq::ReadTextFile(f.folder.slashed() + "answered-sites.txt"), "0 http://a.test/\n");
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

QTEST_MAIN(CheckControllerTest)
#include "check_controller_test.moc"
