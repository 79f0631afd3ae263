#include "app_fixture.h"
#include "gui/alert_window.h"

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
    void aPassShowsItsProgressAndScheduledAlertsCollectAndReachTheDesktop() {
        MainWindowFixture f;
        // "a" has changed; "b" too once its answer is set so. Each request notes the tray
        // icon's tooltip and whether "Check Now" could be pressed.
        std::string answerOfB = "5-";
        QStringList progress;
        f.environment.postForm = [&](const std::string& url, const std::string& body,
                                     const fq::MessagePump&, const fq::HttpLimits&) {
            if (body.starts_with("fq=")) {
                return Ok(""); // scripts that know only the size request
            }
            progress.append(f.app->tray().icon()->toolTip() +
                            QLatin1String(f.ui().checkNowButton->isEnabled() ? " on" : " off"));
            return Ok(url.starts_with("http://a.") ? std::string("999-") : answerOfB);
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

        // The next alert adds its line, and goes to the desktop as well.
        NotificationServiceStandIn service;
        answerOfB = "999-";
        f.scheduledPass();
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

    // Exit ends the event loop for good, so it runs last.
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
        QTimer::singleShot(100, f.app.get(), &fq::Application::exit);
        f.app->checks().checkNow();

        QCOMPARE(asked, QStringList{QStringLiteral("http://a.test/_report.php")});
        QVERIFY(f.app->ending());
        QVERIFY(f.database().starts_with("php,js<>pw\r\n"));
        QVERIFY(window.sites().at(0).result.status == fq::SiteStatus::kNotChecked);
    }
};

QTEST_MAIN(CheckControllerTest)
#include "check_controller_test.moc"
