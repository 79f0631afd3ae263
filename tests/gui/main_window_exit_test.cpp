#include "main_window_fixture.h"
#include "php_server.h"

#include <QTimer>
#include <chrono>
#include <filesystem>
#include <thread>

// Exit ends the event loop for good, so it has a test program of its own.
class MainWindowExitTest : public QObject {
    Q_OBJECT

private slots:
    void exitDuringAPassAbortsTheRequestAndAsksNoFurtherSite() {
        // Two servers, so that a request for the second site would be logged at once.
        TempFolder slow, next;
        const std::string slowLog = slow.slashed() + "requests.log";
        const std::string nextLog = next.slashed() + "requests.log";
        fq::WriteTextFile(slow.slashed() + "_report.php", "<?php file_put_contents('" + slowLog +
                                                              "', 'x', FILE_APPEND); sleep(5);");
        fq::WriteTextFile(next.slashed() + "_report.php",
                          "<?php file_put_contents('" + nextLog + "', 'x', FILE_APPEND);");
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
        QVERIFY(window.sites().at(0).result.status.empty());
    }
};

QTEST_MAIN(MainWindowExitTest)
#include "main_window_exit_test.moc"
