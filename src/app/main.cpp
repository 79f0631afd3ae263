#include "app/form1.h"
#include "app/termination_signal.h"
#include "platform/autostart_store.h"
#include "platform/executable_path.h"
#include "platform/instance_lock.h"
#include "platform/path_text.h"

#include <QApplication>
#include <QDir>

int main(int argc, char** argv) {
    const std::string executablePath = fq::ExecutablePath();
    const std::string appFolder = fq::FolderOf(executablePath);

    // A second start for the same program folder ends silently, before anything else.
    const fq::InstanceLock instanceLock(appFolder);
    if (!instanceLock.held()) {
        return 0;
    }

    // The embedded browser shares its graphics contexts with the widgets.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    // The window hides instead of closing; only Exit ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationName(QStringLiteral("Ferrow Quorvel"));

    fq::Form1Environment environment;
    environment.appFolder = appFolder;
    environment.executablePath = executablePath;
    environment.autostartFolder = fq::AutostartFolder();
    environment.homeFolder = fq::EnsureTrailing(QDir::homePath().toStdString(), '/');
    fq::Form1 form(std::move(environment));
    fq::TerminationSignal termination;
    QObject::connect(&termination, &fq::TerminationSignal::received, &form,
                     &fq::Form1::mExit_Click);
    form.Form_Load();
    return QApplication::exec();
}
