#include "app/form1.h"
#include "app/site_rows.h"
#include "fake_banner_browser.h"
#include "platform/text_file.h"
#include "report_site.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <memory>

using fq::Form1;

namespace {

// A main window over a temporary program folder whose report requests go through the real
// transport and are recorded with the status caption shown while each one runs.
struct CheckFixture {
    explicit CheckFixture(const std::string& database = {}) {
        if (!database.empty()) {
            fq::WriteTextFile(databasePath(), database);
        }
        fq::Form1Environment environment;
        environment.appFolder = folder.slashed();
        environment.trayAvailable = [] { return false; };
        environment.makeBrowser = MakeFakeBannerBrowser;
        environment.postForm = [this](const std::string& url, const std::string& body,
                                      const fq::MessagePump& pump, const fq::HttpLimits& limits) {
            captionsDuringRequests.push_back(form->ui().LaStatus->text());
            bodies.push_back(body);
            return fq::PostForm(url, body, pump, limits);
        };
        form = std::make_unique<Form1>(std::move(environment));
        form->Form_Load();
        exposed = QTest::qWaitForWindowExposed(form.get());
    }

    std::string databasePath() const { return folder.slashed() + "ferquor.ini"; }
    const fq::Form1Ui& ui() const { return form->ui(); }
    QString cell(int row, int column) const { return ui().lvWeb->topLevelItem(row)->text(column); }
    QStringList result(int row) const {
        return {cell(row, fq::kColumnStatus), cell(row, fq::kColumnTotal),
                cell(row, fq::kColumnDetail)};
    }

    TempFolder folder;
    bool exposed = false;
    QStringList captionsDuringRequests;
    std::vector<std::string> bodies;
    std::unique_ptr<Form1> form;
};

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

QStringList Texts(std::initializer_list<const char*> texts) {
    QStringList list;
    for (const char* text : texts) {
        list.append(QString::fromUtf8(text));
    }
    return list;
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
        CheckFixture fixture("php,js<>s3cret\r\n" + good + "<>" + sites.localFolder("good") +
                             "\r\n" + hacked + "<>" + sites.localFolder("hacked") +
                             "\r\nhttp://127.0.0.1:9/off/<>/nowhere/<>1");
        QVERIFY(fixture.exposed);

        fixture.form->CheckWeb(false);
        QCOMPARE(fixture.captionsDuringRequests,
                 QStringList({QStringLiteral("Checking ") + Q(good),
                              QStringLiteral("Checking ") + Q(hacked)}));
        QCOMPARE(fixture.result(0), Texts({"OK", "0 : 1", ""}));
        QCOMPARE(fixture.result(1), Texts({"Changed", "1 : 2", "index.php\r\n"}));
        QCOMPARE(fixture.result(2), Texts({"", "", ""}));
        QCOMPARE(fixture.ui().LaStatus->text(), QStringLiteral(" Total Web : 3     Changed : 1"));
        QVERIFY(fixture.form->pendingAlert().empty());

        // The detail box shows the changed files of the row clicked.
        fixture.form->lvWeb_ItemClick(fixture.ui().lvWeb->topLevelItem(1));
        QCOMPARE(fixture.ui().txtDetail->toPlainText(), QStringLiteral("index.php\n"));

        fixture.form->CheckWeb(true);
        QCOMPARE(fixture.form->pendingAlert(), std::string(" Total Web : 3     Changed : 1"));
    }

    void anEditedRowIsScannedAfresh() {
        ReportSites sites;
        QVERIFY(sites.running());
        const std::string url = sites.addSite("a", "pw");
        sites.writeBoth("a", "index.php", "home");
        sites.writeLocal("b", "index.php", "home");
        sites.writeLocal("b", "more.php", "more");
        sites.writeServer("a", "more.php", "more");
        CheckFixture fixture("php<>pw\r\n" + url + "<>" + sites.localFolder("a"));
        fixture.form->CheckWeb(true);
        QCOMPARE(fixture.result(0), Texts({"OK", "0 : 1", ""}));

        // The row now points at another copy: a scheduled pass must not reuse the old list.
        fixture.form->lvWeb_ItemClick(fixture.ui().lvWeb->topLevelItem(0));
        fixture.ui().txtPath->setText(Q(sites.localFolder("b")));
        fixture.form->cmdSave_Click();
        fixture.form->CheckWeb(true);
        QCOMPARE(fixture.result(0), Texts({"OK", "0 : 2", ""}));
    }

    void phpCodeKeepsThePasswordAndTutorialDoesNot() {
        ReportSites sites;
        QVERIFY(sites.running());
        const std::string url = sites.addSite("a", "n3w");
        sites.writeBoth("a", "index.php", "home");
        CheckFixture fixture("php<>lark\r\n" + url + "<>" + sites.localFolder("a"));
        QVERIFY(fixture.exposed);
        QPlainTextEdit* script = fixture.ui().txtPHP[0];
        QPlainTextEdit* tutorial = fixture.ui().txtPHP[1];
        QVERIFY(tutorial->toPlainText().startsWith(QStringLiteral("How to use this program\n")));

        fixture.form->CheckWeb(false);
        QCOMPARE(fixture.cell(0, fq::kColumnStatus), QStringLiteral("No report"));

        // Edited, then left with "Tutorial": the edit stays, the password does not change.
        QTest::mouseClick(fixture.ui().cmdPHP, Qt::LeftButton);
        QVERIFY(script->isVisible());
        script->setPlainText(
            script->toPlainText().replace(QStringLiteral("\"lark\""), QStringLiteral("\"n3w\"")));
        QTest::mouseClick(fixture.ui().cmdTutor, Qt::LeftButton);
        QVERIFY(!script->isVisible());
        QVERIFY(tutorial->isVisible());
        QCOMPARE(fixture.form->reportPassword(), std::string("lark"));
        QTest::mouseClick(fixture.ui().cmdTutor, Qt::LeftButton);
        QVERIFY(!tutorial->isVisible());

        // Closed with "Php Code": saved, written to the database and sent by the next check.
        QTest::mouseClick(fixture.ui().cmdPHP, Qt::LeftButton);
        QVERIFY(script->toPlainText().contains(QStringLiteral("==\"n3w\")")));
        QTest::mouseClick(fixture.ui().cmdTutor, Qt::LeftButton);
        QTest::mouseClick(fixture.ui().cmdPHP, Qt::LeftButton);
        QVERIFY(!tutorial->isVisible());
        QTest::mouseClick(fixture.ui().cmdPHP, Qt::LeftButton);
        QVERIFY(!script->isVisible());
        QCOMPARE(fixture.form->reportPassword(), std::string("n3w"));
        QVERIFY(fq::ReadTextFile(fixture.databasePath()).starts_with("php<>n3w\r\n"));
        fixture.form->CheckWeb(false);
        QCOMPARE(fixture.cell(0, fq::kColumnStatus), QStringLiteral("OK"));
        QVERIFY(fixture.bodies.back().starts_with(".state=1&pw=n3w&path="));

        // Both quotes removed: the empty password.
        QTest::mouseClick(fixture.ui().cmdPHP, Qt::LeftButton);
        script->setPlainText(
            script->toPlainText().replace(QStringLiteral("\"n3w\""), QStringLiteral("n3w")));
        QTest::mouseClick(fixture.ui().cmdPHP, Qt::LeftButton);
        QCOMPARE(fixture.form->reportPassword(), std::string());
        QVERIFY(fq::ReadTextFile(fixture.databasePath()).starts_with("php<>\r\n"));
    }
};

QTEST_MAIN(Form1CheckTest)
#include "form1_check_test.moc"
