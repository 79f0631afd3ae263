#include "form1_fixture.h"
#include "gui/alert_window.h"

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <functional>

namespace {

// One active site whose local copy holds a.php of 10 bytes; the server answers with the
// size set in `serverSize`, so a different size reads as a change.
struct ScheduleFixture : Form1Fixture {
    ScheduleFixture() {
        fq::WriteTextFile(site.slashed() + "a.php", "0123456789");
        environment.postForm = [this](const std::string&, const std::string&,
                                      const fq::MessagePump&, const fq::HttpLimits&) {
            ++requests;
            if (duringRequest) {
                duringRequest();
            }
            return serverSize + "-";
        };
        start("php<>pw\r\nhttp://127.0.0.1:9/<>" + site.slashed());
    }

    void tick() { form->Timer1_Timer(); }
    std::int64_t next() const { return form->schedule().NextCheckTime().value_or(-1); }
    QString alertText() const { return form->alertWindow()->Te->toPlainText(); }
    QString alertCount() const { return form->alertWindow()->Le->text(); }

    TempFolder site;
    int requests = 0;
    std::string serverSize = "10";
    std::function<void()> duringRequest;
};

constexpr std::int64_t kStart = 36000;
const QString kChangedLine = QStringLiteral(" Total Web : 1     Changed : 1");

} // namespace

class Form1ScheduleTest : public QObject {
    Q_OBJECT

private slots:
    void firstCheckStrictlyAfterThreeMinutesThenHourlyOnlyWhenActiveOrAskedFor() {
        ScheduleFixture f;
        f.tick();
        QCOMPARE(f.next(), kStart + 180);
        f.now = kStart + 180;
        f.tick();
        QCOMPARE(f.requests, 0);

        // A tick that arrives during the pass starts nothing.
        f.duringRequest = [&f] { f.tick(); };
        f.now = kStart + 181;
        f.tick();
        QCOMPARE(f.requests, 1);
        QCOMPARE(f.next(), kStart + 181 + 3600);
        QCOMPARE(f.ui().LaStatus->text(), QStringLiteral(" Total Web : 1     Changed : 0"));
        QVERIFY(f.form->alertWindow() == nullptr);
        f.duringRequest = nullptr;
        f.now = kStart + 181 + 3600;
        f.tick();
        QCOMPARE(f.requests, 1);
        f.now += 1;
        f.tick();
        QCOMPARE(f.requests, 2);

        // Switched off: the pass is skipped but the schedule advances; a manual check works.
        f.ui().mActive->trigger();
        f.now += 3601;
        f.tick();
        QCOMPARE(f.requests, 2);
        QCOMPARE(f.next(), f.now + 3600);
        f.form->cmdCheck_Click();
        QCOMPARE(f.requests, 3);

        // "Check Now" finding a change raises no alert and restarts the schedule.
        f.ui().mActive->trigger();
        f.serverSize = "99";
        f.now += 1860;
        QTest::mouseClick(f.ui().cmdCheck, Qt::LeftButton);
        QCOMPARE(f.requests, 4);
        QCOMPARE(f.ui().LaStatus->text(), kChangedLine);
        QCOMPARE(f.next(), f.now + 3600);
        f.tick();
        QVERIFY(f.form->alertWindow() == nullptr);
        QCOMPARE(f.requests, 4);
    }

    void scheduledChangesPileUpInTheAlertWindow() {
        ScheduleFixture f;
        f.serverSize = "99";
        f.tick();
        f.now = kStart + 181;
        f.tick(); // the pass leaves its line, the same tick delivers it
        QCOMPARE(f.form->pendingAlert(), std::string());
        QVERIFY(f.form->alertWindow()->isVisible());
        QCOMPARE(f.alertCount(), QStringLiteral("1"));
        f.now += 3601;
        f.tick();
        QCOMPARE(f.alertCount(), QStringLiteral("2"));
        QCOMPARE(f.alertText(),
                 QStringLiteral("\n") + kChangedLine + QStringLiteral("\n") + kChangedLine);

        // "OK" throws the window away; the next alert starts a fresh one.
        QTest::mouseClick(f.form->alertWindow()->Co, Qt::LeftButton);
        QTRY_VERIFY(f.form->alertWindow() == nullptr);
        f.now += 3601;
        f.tick();
        QCOMPARE(f.alertCount(), QStringLiteral("1"));
        QCOMPARE(f.alertText(), QStringLiteral("\n") + kChangedLine);
    }
};

QTEST_MAIN(Form1ScheduleTest)
#include "form1_schedule_test.moc"
