#include "core/platform/text_file.h"
#include "gui/qt_file_dialogs.h"
#include "temp_folder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

// Calls `act` on the next modal widget of type T. The dialogs appear only inside their own
// exec(), so a timer owned by `owner` looks for them from within that loop.
template <typename T>
void WhenOpen(QObject& owner, std::function<void(T&)> act) {
    auto* timer = new QTimer(&owner);
    QObject::connect(timer, &QTimer::timeout, &owner, [timer, act] {
        if (auto* widget = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            act(*widget);
        }
    });
    timer->start(10);
}

// The dialog's own accept (protected in QFileDialog) checks the choice, and may ask first.
void Accept(QDialog& dialog) {
    dialog.accept();
}

} // namespace

class QtFileDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void saveProposesTheFileAsksBeforeReplacingItAndTheFolderIsRemembered() {
        TempFolder folder, elsewhere;
        const std::string file = folder.slashed() + "ferquor.ini";
        fq::WriteTextFile(file, "old");
        fq::QtFileDialogs dialogs(elsewhere.slashed());
        QObject scope;
        int questions = 0;
        QStringList seen; // the title, folder and file each dialog showed first
        const auto look = [&seen](QFileDialog& dialog) {
            seen << dialog.windowTitle() << dialog.directory().absolutePath()
                 << dialog.selectedFiles().value(0);
        };
        WhenOpen<QFileDialog>(scope, [&](QFileDialog& dialog) {
            look(dialog);
            WhenOpen<QMessageBox>(scope, [&](QMessageBox& box) {
                ++questions;
                box.button(QMessageBox::Yes)->click();
            });
            Accept(dialog);
        });
        QCOMPARE(dialogs.saveFile({{"All File (*.*) (*)"}, file, true}).value_or(""), file);
        QCOMPARE(questions, 1);

        // Without a proposed path, the next dialog opens where the last one closed.
        WhenOpen<QFileDialog>(scope, [&](QFileDialog& dialog) {
            look(dialog);
            dialog.reject();
        });
        QVERIFY(!dialogs.openFile({}).has_value());
        const QString title = QStringLiteral("Ferrow Quorvel");
        const QString shown = QString::fromStdString(folder.path().string());
        QCOMPARE(seen, (QStringList{title, shown, QString::fromStdString(file), title, shown,
                                    QString()}));
    }
};

QTEST_MAIN(QtFileDialogsTest)
#include "qt_file_dialogs_test.moc"
