#include "form1_fixture.h"
#include "report_site.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

// Report requests go through the real transport and are recorded with the status caption
// shown while each one runs.
struct CheckFixture : Form1Fixture {
    explicit CheckFixture(const std::string& database) {
        environment.postForm = [this](const std::string& url, const std::string& body,
                                      const fq::MessagePump& pump, const fq::HttpLimits& limits) {
            captionsDuringRequests.push_back(ui().LaStatus->text());
            bodies.push_back(body);
            return fq::PostForm(url, body, pump, limits);
        };
        start(database);
    }

    // Status, Total and Detail of a row.
    QString result(int index) const {
        return QStringList({cell(index, fq::kColumnStatus), cell(index, fq::kColumnTotal),
                            cell(index, fq::kColumnDetail)})
            .join(QStringLiteral(" | "));
    }

    QStringList captionsDuringRequests;
    std::vector<std::string> bodies;
};

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

class Form1CheckTest : public QObject {
    Q_OBJECT

private slots:
    void checkFillsTheRowsTheCaptionAndTheAlert() {
        ReportSites sites;
        QVERIFY(sites.running());
        const std::string good = sites.addSite("good", "s3cret");
        sites.writeBoth("good", "index.php", "home");
        const std::string hacked = sites.addSite("hacked", "s3cret");
        sites.writeBoth("hacked", "index.php", "home");
        sites.writeBoth("hacked", "lib/x.js", "x");
        sites.writeServer("hacked", "index.php", "home<script>");
        CheckFixture f("php,js<>s3cret\r\n" + good + "<>" + sites.localFolder("good") + "\r\n" +
                       hacked + "<>" + sites.localFolder("hacked") +
                       "\r\nhttp://127.0.0.1:9/off/<>/nowhere/<>1");

        f.form->CheckWeb(false);
        QCOMPARE(f.captionsDuringRequests, QStringList({QStringLiteral("Checking ") + Q(good),
                                                        QStringLiteral("Checking ") + Q(hacked)}));
        QCOMPARE(f.result(0), QStringLiteral("OK | 0 : 1 | "));
        QCOMPARE(f.result(1), QStringLiteral("Changed | 1 : 2 | index.php\r\n"));
        QCOMPARE(f.result(2), QStringLiteral(" |  | "));
        QCOMPARE(f.ui().LaStatus->text(), QStringLiteral(" Total Web : 3     Changed : 1"));
        QVERIFY(f.form->pendingAlert().empty());

        // The detail box shows the changed files of the row clicked.
        f.form->lvWeb_ItemClick(f.row(1));
        QCOMPARE(f.ui().txtDetail->toPlainText(), QStringLiteral("index.php\n"));

        f.form->CheckWeb(true);
        QCOMPARE(f.form->pendingAlert(), std::string(" Total Web : 3     Changed : 1"));
    }

    void phpCodeSavesThePasswordTutorialDoesNotAndEditedRowsAreScannedAfresh() {
        ReportSites sites;
        QVERIFY(sites.running());
        const std::string url = sites.addSite("a", "n3w");
        sites.writeBoth("a", "index.php", "home");
        sites.writeServer("a", "more.php", "more");
        sites.writeLocal("b", "index.php", "home");
        sites.writeLocal("b", "more.php", "more");
        CheckFixture f("php<>lark\r\n" + url + "<>" + sites.localFolder("a"));
        QPlainTextEdit* script = f.ui().txtPHP[0];
        QPlainTextEdit* tutorial = f.ui().txtPHP[1];
        QVERIFY(tutorial->toPlainText().startsWith(QStringLiteral("How to use this program\n")));
        f.form->CheckWeb(false);
        QCOMPARE(f.cell(0, fq::kColumnStatus), QStringLiteral("No report"));

        // Edited, then left with "Tutorial": the edit stays, the password does not change.
        QTest::mouseClick(f.ui().cmdPHP, Qt::LeftButton);
        QVERIFY(script->isVisible());
        script->setPlainText(
            script->toPlainText().replace(QStringLiteral("\"lark\""), QStringLiteral("\"n3w\"")));
        QTest::mouseClick(f.ui().cmdTutor, Qt::LeftButton);
        QVERIFY(!script->isVisible() && tutorial->isVisible());
        QCOMPARE(f.form->reportPassword(), std::string("lark"));
        QTest::mouseClick(f.ui().cmdTutor, Qt::LeftButton);
        QVERIFY(!tutorial->isVisible());

        // Closed with "Php Code": saved, written to the database and sent by the next check.
        QTest::mouseClick(f.ui().cmdPHP, Qt::LeftButton);
        QVERIFY(script->toPlainText().contains(QStringLiteral("==\"n3w\")")));
        QTest::mouseClick(f.ui().cmdTutor, Qt::LeftButton);
        QTest::mouseClick(f.ui().cmdPHP, Qt::LeftButton);
        QVERIFY(!tutorial->isVisible());
        QTest::mouseClick(f.ui().cmdPHP, Qt::LeftButton);
        QVERIFY(!script->isVisible());
        QCOMPARE(f.form->reportPassword(), std::string("n3w"));
        QVERIFY(f.database().starts_with("php<>n3w\r\n"));
        f.form->CheckWeb(true);
        QCOMPARE(f.result(0), QStringLiteral("OK | 0 : 1 | "));
        QVERIFY(f.bodies.back().starts_with(".state=1&pw=n3w&path="));

        // The row now points at another copy: a scheduled pass must not reuse the old list.
        f.form->lvWeb_ItemClick(f.row(0));
        f.ui().txtPath->setText(Q(sites.localFolder("b")));
        f.form->cmdSave_Click();
        f.form->CheckWeb(true);
        QCOMPARE(f.result(0), QStringLiteral("OK | 0 : 2 | "));

        // Both quotes removed: the empty password.
        QTest::mouseClick(f.ui().cmdPHP, Qt::LeftButton);
        script->setPlainText(
            script->toPlainText().replace(QStringLiteral("\"n3w\""), QStringLiteral("n3w")));
        QTest::mouseClick(f.ui().cmdPHP, Qt::LeftButton);
        QCOMPARE(f.form->reportPassword(), std::string());
        QVERIFY(f.database().starts_with("php<>\r\n"));
    }
};

QTEST_MAIN(Form1CheckTest)
#include "form1_check_test.moc"
