#pragma once
// The program over a temporary program folder, for the widget tests of its collaborators.
#include "app/application.h"
#include "core/files/text_file.h"
#include "gui/banner_strip.h"
#include "gui/check_controller.h"
#include "gui/file_dialogs.h"
#include "gui/main_window.h"
#include "gui/tray_icon.h"
#include "manual_clock.h"
#include "temp_folder.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>
#include <QTreeView>
#include <deque>
#include <filesystem>
#include <memory>

namespace test {

// Answers every dialog with the next prepared path (none left: cancel), keeping the request.
class ScriptedDialogs : public fq::FileDialogs {
public:
    std::deque<std::string> answers;
    fq::FileRequest lastRequest;

    std::optional<std::string> openFile(const fq::FileRequest& request) override {
        return answer(request);
    }
    std::optional<std::string> saveFile(const fq::FileRequest& request) override {
        return answer(request);
    }
    std::optional<std::string> pickFolder(const std::string&) override { return answer({}); }

private:
    std::optional<std::string> answer(const fq::FileRequest& request) {
        lastRequest = request;
        if (answers.empty()) {
            return std::nullopt;
        }
        const std::string next = answers.front();
        answers.pop_front();
        return next;
    }
};

// Writes a file a test needs; a failure fails the test.
inline void Write(const std::string& path, const std::string& content) {
    QTest::qVerify(static_cast<bool>(fq::WriteTextFile(path, content)), "fq::WriteTextFile",
                   path.c_str(), __FILE__, __LINE__);
}

// A main window over a temporary program folder, with a notification area, scripted
// dialogs, a clock moved by hand and a message box that only records its text.
// Adjust `environment` before start().
struct MainWindowFixture {
    MainWindowFixture() {
        environment.appFolder = folder.slashed();
        environment.homeFolder = home.slashed();
        environment.dialogs = dialogs;
        environment.warn = [this](QWidget*, const QString&, const QString& text) {
            warnings.append(text);
        };
        environment.trayAvailable = [] { return true; };
        environment.clock = clock;
    }

    // Writes `database` as "ferquor.ini" unless it is empty, then builds and loads a window.
    fq::MainWindow& start(const std::string& database = {}) {
        if (!database.empty()) {
            Write(databasePath(), database);
        }
        app = std::make_unique<fq::Application>(environment);
        app->start();
        return app->window();
    }

    // A local folder "name/" in the home folder holding a five-byte "index.php".
    std::string watchedFolder(const std::string& name) const {
        const std::string local = home.slashed() + name + "/";
        std::filesystem::create_directories(local);
        Write(local + "index.php", "12345");
        return local;
    }

    // An hour on: the tick that starts the scheduled pass, the pass, and the tick after it.
    // A schedule that never ticked starts its count first.
    void scheduledPass() {
        app->checks().tick();
        clock->seconds += 3601;
        app->checks().tick();
        QCoreApplication::processEvents();
        app->checks().tick();
    }

    std::string databasePath() const { return folder.slashed() + "ferquor.ini"; }
    std::string database() const { return fq::ReadTextFile(databasePath()); }
    const fq::MainWindowControls& ui() const { return app->window().controls(); }

    // Replaces the box's text by typing, as a user would.
    static void type(QLineEdit* box, const QString& text) {
        box->selectAll();
        QTest::keyClicks(box, text);
    }

    void clickRow(int row) const {
        QTreeView* view = ui().siteView;
        const QRect area = view->visualRect(view->model()->index(row, 1));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, area.center());
    }

    TempFolder folder;
    TempFolder home;
    std::shared_ptr<ScriptedDialogs> dialogs = std::make_shared<ScriptedDialogs>();
    std::shared_ptr<ManualClock> clock = std::make_shared<ManualClock>();
    QStringList warnings;
    fq::Environment environment;
    std::unique_ptr<fq::Application> app;
};

QString ToQ(const std::string& text) {
    return QString::fromStdString(text);
}

// A whole answer with status 200.
fq::HttpAnswer Ok(const std::string& body) {
    return {fq::TransferFailure::kNone, 200, body, ""};
}

// A report transport that answers every request with `answer`.
fq::PostFormFunction Answering(const std::string& answer) {
    return [answer](const std::string&, const std::string&, const fq::MessagePump&,
                    const fq::HttpLimits&) { return Ok(answer); };
}

} // namespace test
