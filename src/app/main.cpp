#include "app/application.h"
#include "app/termination_signal.h"
#include "core/banners/machine_key.h"
#include "core/desktop/autostart_entry.h"
#include "core/desktop/executable_path.h"
#include "core/desktop/instance_lock.h"
#include "core/desktop/show_request.h"
#include "core/files/data_folder.h"
#include "core/text/path_text.h"
#include "gui/program_name.h"

#include <QApplication>
#include <QDir>
#include <QSessionManager>
#include <cstdlib>
#include <string>

namespace {

// The program while main() runs it. When the connection to the display breaks, Qt ends the
// process with exit() from inside the event loop: no signal, no aboutToQuit, no exit
// sequence. The exit handler below still saves the site file then.
fq::Application* g_running = nullptr;

void SaveWhenEndedAbruptly() {
    if (g_running != nullptr && !g_running->ending()) {
        g_running->window().saveUnattended();
    }
}

// Stands for the program in the exit handler while it exists.
struct RunningProgram {
    explicit RunningProgram(fq::Application& program) {
        g_running = &program;
        std::atexit(SaveWhenEndedAbruptly);
    }
    ~RunningProgram() { g_running = nullptr; }
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;
};

// The maker's site as built, or FERQUOR_BASE_URL when set, for trying another deployment.
std::string MakerSite() {
    const char* chosen = std::getenv("FERQUOR_BASE_URL");
    const std::string url = chosen != nullptr ? chosen : FERQUOR_BASE_URL;
    return url.empty() ? url : fq::EnsureTrailing(url, '/');
}

} // namespace

int main(int argc, char** argv) {
    const std::string executablePath = fq::ExecutablePath();
    const std::string appFolder = fq::FolderOf(executablePath);
    const std::string dataFolder = fq::DataFolder(appFolder);
    // Read before Qt takes the arguments it knows out of argv.
    const bool startedAtLogin = argc > 1 && std::string(argv[1]) == fq::kLoginStartArgument;

    // A second start on the same data brings the running one forward and ends, before
    // anything else; should that not answer, it still ends without a word.
    const fq::InstanceLock instanceLock(dataFolder);
    if (!instanceLock.held()) {
        static_cast<void>(
            fq::AskToShow(instanceLock.showRequestSocket(), std::chrono::seconds(10)));
        return 0;
    }

    QApplication application(argc, argv);
    // The window hides instead of closing; only Exit ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationName(QLatin1String(fq::kProgramName));

    fq::Environment environment;
    environment.appFolder = appFolder;
    environment.dataFolder = dataFolder;
    environment.baseUrl = MakerSite();
    environment.machineKey = fq::MachineKey(); // once: the same machine keeps its key
    environment.executablePath = executablePath;
    environment.autostartFolder = fq::AutostartFolder();
    environment.cacheFolder = fq::CacheFolder();
    environment.homeFolder = fq::EnsureTrailing(QDir::homePath().toStdString(), '/');
    environment.startedAtLogin = startedAtLogin;
    environment.showRequestSocket = instanceLock.showRequestSocket();
    fq::Application program(std::move(environment));
    const RunningProgram running(program);
    fq::TerminationSignal termination;
    QObject::connect(&termination, &fq::TerminationSignal::received, &program,
                     &fq::Application::exit);
    // The desktop session asks for our data when it ends: saved without a question, the
    // session may still be cancelled. Whatever ends the event loop other than Exit (the
    // session manager, for one) runs the exit sequence, which saves, on the way out.
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &program,
                     [&program](QSessionManager&) { program.window().saveUnattended(); });
    QObject::connect(&application, &QCoreApplication::aboutToQuit, &program,
                     &fq::Application::exit);
    program.start();
    // Start-up lets events run while it reports the start, and a termination request may
    // have ended the program already; the event loop would then never be told to end.
    if (program.ending()) {
        return 0;
    }
    return QApplication::exec();
}
