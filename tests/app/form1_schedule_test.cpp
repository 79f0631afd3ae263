#include "app/form1.h"
#include "check/alert_window.h"
#include "fake_banner_browser.h"
#include "platform/text_file.h"
#include "temp_folder.h"

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

using fq::Form1;

namespace {

constexpr std::int64_t kStart = 36000; // 10:00:00

// One active site whose local copy holds a.php of 10 bytes; the server answers with the
// size set in `serverSize`, so a different size reads as a change. The clock moves by hand.
struct ScheduleFixture {
    ScheduleFixture() {
        fq::WriteTextFile(site.slashed() + "a.php", "0123456789");
        fq::WriteTextFile(program.slashed() + "ferquor.ini",
                          "php<>pw\r\nhttp://127.0.0.1:9/<>" + site.slashed());
        fq::Form1Environment environment;
        environment.appFolder = program.slashed();
        environment.makeBrowser = MakeFakeBannerBrowser;
        environment.trayAvailable = [] { return true; };
        environment.now = [this] { return now; };
        environment.postForm = [this](const std::string&, const std::string&,
                                      const fq::MessagePump&, const fq::HttpLimits&) {
            ++requests;
            if (duringRequest) {
                duringRequest();
            }
            return serverSize + "-";
        };
        form = std::make_unique<Form1>(std::move(environment));
        form->Form_Load();
    }

    QString alertText() const { return form->alertWindow()->Te->toPlainText(); }
    QString alertCount() const { return form->alertWindow()->Le->text(); }

    TempFolder program;
    TempFolder site;
    std::int64_t now = kStart;
    int requests = 0;
    std::string serverSize = "10";
    std::function<void()> duringRequest;
    std::unique_ptr<Form1> form;
};

const QString kChangedLine = QStringLiteral(" Total Web : 1     Changed : 1");

} // namespace

class Form1ScheduleTest : public QObject {
    Q_OBJECT

private slots:
    void firstCheckStrictlyAfterThreeMinutesThenHourly() {
        ScheduleFixture fixture;
        fixture.form->Timer1_Timer();
        QCOMPARE(fixture.form->schedule().NextCheckTime(), kStart + 180);
        fixture.now = kStart + 180;
        fixture.form->Timer1_Timer();
        QCOMPARE(fixture.requests, 0);

        // A tick that arrives during the pass starts nothing.
        fixture.duringRequest = [&fixture] { fixture.form->Timer1_Timer(); };
        fixture.now = kStart + 181;
        fixture.form->Timer1_Timer();
        QCOMPARE(fixture.requests, 1);
        QCOMPARE(fixture.form->schedule().NextCheckTime(), kStart + 181 + 3600);
        QCOMPARE(fixture.form->ui().LaStatus->text(),
                 QStringLiteral(" Total Web : 1     Changed : 0"));
        QVERIFY(fixture.form->alertWindow() == nullptr);

        fixture.duringRequest = nullptr;
        fixture.now = kStart + 181 + 3600;
        fixture.form->Timer1_Timer();
        QCOMPARE(fixture.requests, 1);
        fixture.now += 1;
        fixture.form->Timer1_Timer();
        QCOMPARE(fixture.requests, 2);
    }

    void scheduledChangesPileUpInTheAlertWindow() {
        ScheduleFixture fixture;
        fixture.serverSize = "99";
        fixture.form->Timer1_Timer();
        fixture.now = kStart + 181;
        fixture.form->Timer1_Timer(); // the pass leaves its line, the same tick delivers it
        QCOMPARE(fixture.form->pendingAlert(), std::string());
        QVERIFY(fixture.form->alertWindow()->isVisible());
        QCOMPARE(fixture.alertCount(), QStringLiteral("1"));

        fixture.now += 3601;
        fixture.form->Timer1_Timer();
        QCOMPARE(fixture.alertCount(), QStringLiteral("2"));
        QCOMPARE(fixture.alertText(),
                 QStringLiteral("\n") + kChangedLine + QStringLiteral("\n") + kChangedLine);

        // "OK" throws the window away; the next alert starts a fresh one.
        QTest::mouseClick(fixture.form->alertWindow()->Co, Qt::LeftButton);
        QTRY_VERIFY(fixture.form->alertWindow() == nullptr);
        fixture.now += 3601;
        fixture.form->Timer1_Timer();
        QCOMPARE(fixture.alertCount(), QStringLiteral("1"));
        QCOMPARE(fixture.alertText(), QStringLiteral("\n") + kChangedLine);
    }

    void checkNowRaisesNoAlertAndRestartsTheSchedule() {
        ScheduleFixture fixture;
        fixture.serverSize = "99";
        fixture.form->Timer1_Timer();
        fixture.now = kStart + 1860; // 10:31
        QTest::mouseClick(fixture.form->ui().cmdCheck, Qt::LeftButton);
        QCOMPARE(fixture.requests, 1);
        QCOMPARE(fixture.form->ui().LaStatus->text(), kChangedLine);
        QCOMPARE(fixture.form->schedule().NextCheckTime(), kStart + 1860 + 3600);
        fixture.form->Timer1_Timer();
        QVERIFY(fixture.form->alertWindow() == nullptr);
        QCOMPARE(fixture.requests, 1);
    }

    void switchedOffChecksSkipPassesButTheScheduleAdvances() {
        ScheduleFixture fixture;
        fixture.form->ui().mActive->trigger();
        fixture.form->Timer1_Timer();
        fixture.now = kStart + 181;
        fixture.form->Timer1_Timer();
        QCOMPARE(fixture.requests, 0);
        QCOMPARE(fixture.form->schedule().NextCheckTime(), kStart + 181 + 3600);

        // A manual check still works.
        fixture.form->cmdCheck_Click();
        QCOMPARE(fixture.requests, 1);
    }
};

QTEST_MAIN(Form1ScheduleTest)
#include "form1_schedule_test.moc"
