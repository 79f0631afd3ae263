#include "gui/alert_window.h"
#include "main_window_fixture.h"

#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <filesystem>

namespace {

// A report transport that answers every request with `answer`.
fq::PostFormFunction Answering(const std::string& answer) {
    return [answer](const std::string&, const std::string&, const fq::MessagePump&,
                    const fq::HttpLimits&) { return answer; };
}

std::string Status(const fq::MainWindow& window, int row) {
    return window.sites().at(row).result.status;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void bytesThatAreNotUtf8ReachTheScanAndComeBackAsRead() {
        MainWindowFixture f;
        const std::string local = f.home.slashed() + "caf\xE9/";
        std::filesystem::create_directories(local);
        fq::WriteTextFile(local + "index.php", "12345");
        const std::string database = "php<>pw\xE9\r\nhttp://a.test/<>" + local;
        f.environment.postForm = Answering("5-");
        fq::MainWindow& window = f.start(database);

        window.checkNow();
        QCOMPARE(Status(window, 0), std::string("OK"));
        QCOMPARE(window.sites().at(0).result.total, std::string("0 : 1"));

        // Clicking the row and saving it unchanged keeps its bytes, as does a close.
        f.clickRow(0);
        QTest::mouseClick(f.ui().saveButton, Qt::LeftButton);
        QVERIFY(!window.close());
        QCOMPARE(f.database(), database);
    }

    void editingTheListAndTheTypesBox() {
        MainWindowFixture f;
        fq::MainWindow& window = f.start();
        f.type(f.ui().urlEdit, QString());
        QTest::mouseClick(f.ui().addButton, Qt::LeftButton);
        QCOMPARE(f.warnings, QStringList{QStringLiteral("Please fill web URL and local path !")});
        QCOMPARE(window.sites().size(), 0);

        for (const char* name : {"b", "a"}) {
            f.type(f.ui().urlEdit, QStringLiteral("http://%1.test").arg(QLatin1String(name)));
            f.type(f.ui().folderEdit, QStringLiteral("/srv/%1").arg(QLatin1String(name)));
            QTest::mouseClick(f.ui().addButton, Qt::LeftButton);
        }
        const std::string added = "php,js,htm,asp<>\r\nhttp://a.test/<>/srv/a/\r\n"
                                  "http://b.test/<>/srv/b/";
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
        QCOMPARE(f.database(), std::string("php,js,htm,asp<>\r\nhttp://b.test/<>/srv/b/<>1"));
        f.type(f.ui().urlEdit, QStringLiteral("http://d.test"));
        QTest::mouseClick(f.ui().saveButton, Qt::LeftButton);
        QCOMPARE(window.sites().at(0).site.webUrl, std::string("http://b.test/"));

        f.type(f.ui().typesEdit, QStringLiteral("reset"));
        QCOMPARE(f.ui().typesEdit->text(), QStringLiteral("php,js,htm,asp"));
        f.type(f.ui().typesEdit, QStringLiteral("Reset"));
        QCOMPARE(f.ui().typesEdit->text(), QStringLiteral("Reset"));
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
        QCOMPARE(f.dialogs->requests.back().proposedPath, f.home.slashed() + "ferquor.ini");
        QVERIFY(f.dialogs->requests.back().confirmOverwrite);
        window.exportDatabase();
        window.importDatabase();
        QCOMPARE(f.warnings.size(), 2);
        QVERIFY(f.warnings[0].contains(QStringLiteral("gone/copy.ini")));
        QVERIFY(f.warnings[1].contains(QStringLiteral("gone.ini")));
        QVERIFY(!window.sites().at(0).site.active);
        QCOMPARE(window.sites().at(1).site.webUrl, std::string("http://c.test/"));
        QCOMPARE(f.database(), database);

        // A completed import replaces the file and the window's state.
        fq::WriteTextFile(copy, "js<>new\r\nhttp://z.test/<>/srv/z/<>1");
        f.dialogs->answers = {copy};
        window.importDatabase();
        QCOMPARE(window.sites().size(), 1);
        QCOMPARE(window.reportPassword(), std::string("new"));
        QCOMPARE(f.ui().typesEdit->text(), QStringLiteral("js"));
        QCOMPARE(f.database(), fq::ReadTextFile(copy));
    }

    void aSaveThatFailsIsShownOnce() {
        MainWindowFixture f;
        std::filesystem::create_directory(f.databasePath());
        fq::MainWindow& window = f.start();
        f.type(f.ui().folderEdit, QStringLiteral("/srv/a"));
        QTest::mouseClick(f.ui().addButton, Qt::LeftButton);
        QCOMPARE(f.warnings.size(), 1);
        QVERIFY(f.warnings[0].startsWith(QStringLiteral("Could not save ") +
                                         QString::fromStdString(f.databasePath())));
        QVERIFY(std::filesystem::is_directory(f.databasePath()));
        QCOMPARE(window.sites().size(), 1);
    }

    void scheduledChecksRaiseAlertsThatCollectUntilOk() {
        MainWindowFixture f;
        const std::string local = f.home.slashed();
        fq::WriteTextFile(local + "index.php", "12345");
        f.environment.postForm = Answering("999-");
        fq::MainWindow& window = f.start("php<>pw\r\nhttp://a.test/<>" + local);

        window.tick();
        f.clock->seconds += 180;
        window.tick();
        QVERIFY(window.alertWindow() == nullptr);
        f.clock->seconds += 1;
        window.tick();
        QCOMPARE(Status(window, 0), std::string("Changed"));
        QCOMPARE(window.sites().at(0).result.detail, std::string("index.php\r\n"));
        fq::AlertWindow* alert = window.alertWindow();
        QVERIFY(alert != nullptr && alert->isVisible());
        QCOMPARE(alert->counterLabel()->text(), QStringLiteral("1"));
        QCOMPARE(alert->alertText()->toPlainText(),
                 QStringLiteral("\n Total Web : 1     Changed : 1"));

        // A manual check raises no alert and starts the hour again.
        f.clock->seconds += 3601;
        QTest::mouseClick(f.ui().checkNowButton, Qt::LeftButton);
        QCOMPARE(*window.schedule().NextCheckTime(), f.clock->seconds + 3600);
        QCOMPARE(alert->counterLabel()->text(), QStringLiteral("1"));
        f.clock->seconds += 3601;
        window.tick();
        QCOMPARE(alert->counterLabel()->text(), QStringLiteral("2"));

        const QPointer<fq::AlertWindow> closing(alert);
        QTest::mouseClick(alert->okButton(), Qt::LeftButton);
        QTRY_VERIFY(closing.isNull());
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
