#include "core/platform/text_file.h"
#include "gui/qt_file_dialogs.h"
#include "temp_folder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>

namespace {

// Calls `act` once a modal widget of type T is open. The dialogs appear only inside their own
// exec(), so a timer owned by `owner` looks for them from within that loop.
template <typename T>
void WhenOpen(QObject& owner, std::function<void(T&)> act) {
    auto* timer = new QTimer(&owner);
    QObject::connect(timer, &QTimer::timeout, &owner, [timer, act] {
        auto* widget = qobject_cast<T*>(QApplication::activeModalWidget());
        if (widget != nullptr && widget->isVisible()) {
            timer->stop();
            act(*widget);
        }
    });
    timer->start(10);
}

// QFileDialog keeps its accept() protected; the dialog's own accept checks the choice.
void Accept(QDialog& dialog) {
    dialog.accept();
}

QString PathText(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

} // namespace

class QtFileDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void saveProposesTheFileAndAsksBeforeReplacingIt() {
        TempFolder folder;
        const std::string file = folder.slashed() + "ferquor.ini";
        fq::WriteTextFile(file, "old");
        fq::QtFileDialogs dialogs("/");
        QObject scope;
        int questions = 0;
        QString shownFolder, title;
        QStringList proposed, filters;
        WhenOpen<QFileDialog>(scope, [&](QFileDialog& dialog) {
            WhenOpen<QMessageBox>(scope, [&](QMessageBox& box) {
                ++questions;
                box.button(QMessageBox::Yes)->click();
            });
            title = dialog.windowTitle();
            shownFolder = dialog.directory().absolutePath();
            proposed = dialog.selectedFiles();
            filters = dialog.nameFilters();
            Accept(dialog);
        });
        const auto chosen = dialogs.saveFile({{"All File (*.*) (*)"}, file, true});
        QCOMPARE(chosen.value_or(""), file);
        QCOMPARE(title, QStringLiteral("Ferrow Quorvel"));
        QCOMPARE(shownFolder, PathText(folder.path()));
        QCOMPARE(proposed, QStringList(PathText(file)));
        QCOMPARE(filters, QStringList(QStringLiteral("All File (*.*) (*)")));
        QCOMPARE(questions, 1);
    }

    void openRemembersTheFolderAndCancelGivesNothing() {
        TempFolder folder;
        const auto sites = folder.path() / "sites";
        std::filesystem::create_directory(sites);
        fq::WriteTextFile((sites / "ferquor.ini").string(), "x");
        fq::QtFileDialogs dialogs(folder.slashed());
        QObject scope;
        QString shownFolder;
        WhenOpen<QFileDialog>(scope, [&](QFileDialog& dialog) {
            shownFolder = dialog.directory().absolutePath();
            dialog.setDirectory(PathText(sites));
            // Typed into the name box, as the user would.
            auto* box = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            box->setText(QStringLiteral("ferquor.ini"));
            Accept(dialog);
        });
        QCOMPARE(dialogs.openFile({}).value_or(""), (sites / "ferquor.ini").string());
        QCOMPARE(shownFolder, PathText(folder.path()));

        // The next dialog without a proposed folder opens where the last one closed.
        WhenOpen<QFileDialog>(scope, [&](QFileDialog& dialog) {
            shownFolder = dialog.directory().absolutePath();
            dialog.reject();
        });
        QVERIFY(!dialogs.openFile({}).has_value());
        QCOMPARE(shownFolder, PathText(sites));

        WhenOpen<QFileDialog>(scope, [&](QFileDialog& dialog) {
            dialog.setDirectory(PathText(sites));
            Accept(dialog);
        });
        QCOMPARE(dialogs.pickFolder("").value_or(""), sites.string());
        WhenOpen<QFileDialog>(scope, [](QFileDialog& dialog) { dialog.reject(); });
        QVERIFY(!dialogs.pickFolder("").has_value());
    }
};

QTEST_MAIN(QtFileDialogsTest)
#include "qt_file_dialogs_test.moc"
