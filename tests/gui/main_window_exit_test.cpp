#include "main_window_fixture.h"
#include "php_server.h"

#include <QTimer>
#include <chrono>
#include <cstdlib>
#include <thread>

// Exit ends the event loop for good, so it has a test program of its own.
class MainWindowExitTest : public QObject {
    Q_OBJECT

private slots:
    void exitDuringAPassAbortsTheRequestAndAsksNoFurtherSite() {
        TempFolder server;
        const std::string log = server.slashed() + "requests.log";
        fq::WriteTextFile(server.slashed() + "_report.php",
                          "<?php file_put_contents('" + log + "', 'x', FILE_APPEND); sleep(5);");
        // Several workers, so that a second request would be logged at once.
        ::setenv("PHP_CLI_SERVER_WORKERS", "4", 1);
        PhpServer php(server.path());
        QVERIFY(php.running());

        MainWindowFixture f;
        f.environment.postForm = {};
        const std::string database =
            "php<>pw\r\n" + php.url() + "<>/srv/a/\r\n" + php.url() + "b/<>/srv/b/";
        fq::MainWindow& window = f.start(database);
        QTimer::singleShot(500, &window, &fq::MainWindow::exitProgram);
        const auto started = std::chrono::steady_clock::now();
        window.checkNow();
        const auto took = std::chrono::steady_clock::now() - started;

        // Well before the server's answer: the request in flight was given up.
        QVERIFY(took < std::chrono::seconds(3));
        QVERIFY(window.ending());
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        QCOMPARE(fq::ReadTextFile(log), std::string("x"));
        QCOMPARE(f.database(), database);
        QVERIFY(window.sites().at(0).result.status.empty());
    }
};

QTEST_MAIN(MainWindowExitTest)
#include "main_window_exit_test.moc"
