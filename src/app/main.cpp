#include "app/form1.h"
#include "app/termination_signal.h"
#include "platform/executable_path.h"
#include "platform/instance_lock.h"

#include <QApplication>

int main(int argc, char** argv) {
    const std::string appFolder = fq::FolderOf(fq::ExecutablePath());

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

    fq::Form1 form(fq::Form1Environment{appFolder});
    fq::TerminationSignal termination;
    QObject::connect(&termination, &fq::TerminationSignal::received, &form,
                     &fq::Form1::mExit_Click);
    form.Form_Load();
    return QApplication::exec();
}
