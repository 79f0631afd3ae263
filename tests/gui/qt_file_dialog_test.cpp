#include "core/platform/text_file.h"
#include "gui/cmd1.h"
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

using namespace std::string_literals;

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

// The dialog's own accept, which QFileDialog keeps protected: it checks the choice and may ask.
void Accept(QDialog& dialog) {
    dialog.accept();
}

// Answers every question with "Yes" and counts them.
void AnswerYes(QObject& owner, int& questions) {
    WhenOpen<QMessageBox>(owner, [&owner, &questions](QMessageBox& box) {
        ++questions;
        AnswerYes(owner, questions);
        box.button(QMessageBox::Yes)->click();
    });
}

QString PathText(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

} // namespace

class QtFileDialogTest : public QObject {
    Q_OBJECT

private slots:
    void saveProposesTheNameAndAsksBeforeReplacingOnlyWithFlagTwo() {
        TempFolder folder;
        const auto backup = folder.path() / "backup";
        const std::string file = (backup / "ferquor.ini").string();
        std::filesystem::create_directory(backup);
        fq::WriteTextFile(file, "old");
        fq::cmd1 dialog(folder.slashed());
        dialog.setFilter("All File (*.*)\0*.*\0"s);
        dialog.setFileName(file);
        dialog.setFlags(6);

        QObject scope;
        int questions = 0;
        AnswerYes(scope, questions);
        QString shownFolder, filter;
        QStringList proposed;
        WhenOpen<QFileDialog>(scope, [&](QFileDialog& fileDialog) {
            shownFolder = fileDialog.directory().absolutePath();
            proposed = fileDialog.selectedFiles();
            filter = fileDialog.selectedNameFilter();
            Accept(fileDialog);
        });
        QCOMPARE(dialog.ShowSave(), file);
        QCOMPARE(shownFolder, PathText(backup));
        QCOMPARE(proposed, QStringList(QString::fromStdString(file)));
        QCOMPARE(filter, QStringLiteral("All File (*.*) (*)"));
        QCOMPARE(questions, 1);
        QCOMPARE(dialog.InitDir(), backup.string());
        QCOMPARE(dialog.FilterIndex(), 1);

        // Without flag 2 an existing file is replaced without a question. The dialog starts on
        // the filter FilterIndex names, and the one the user ends with is counted from 1.
        dialog.setFlags(0);
        dialog.setFilter("Everything\0*.*\0Settings\0*.ini\0"s);
        dialog.setFilterIndex(2);
        WhenOpen<QFileDialog>(scope, [&](QFileDialog& fileDialog) {
            filter = fileDialog.selectedNameFilter();
            fileDialog.selectNameFilter(fileDialog.nameFilters().value(0));
            Accept(fileDialog);
        });
        QCOMPARE(dialog.ShowSave(), file);
        QCOMPARE(filter, QStringLiteral("Settings (*.ini)"));
        QCOMPARE(questions, 1);
        QCOMPARE(dialog.FilterIndex(), 1);
    }

    void openAndFolderDialogsFollowTheUserAndCancelStillMovesInitDir() {
        TempFolder folder;
        const auto sites = folder.path() / "sites";
        std::filesystem::create_directory(sites);
        fq::WriteTextFile((sites / "ferquor.ini").string(), "x");
        fq::cmd1 dialog(folder.slashed());
        dialog.setFilter("ferquor.ini");

        QObject scope;
        QString shownFolder;
        WhenOpen<QFileDialog>(scope, [&](QFileDialog& fileDialog) {
            shownFolder = fileDialog.directory().absolutePath();
            fileDialog.setDirectory(PathText(sites));
            // Typed into the name box, as the user would: the box decides over the list's
            // selection, which fills in only once the folder has been read.
            auto* box = fileDialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            if (box == nullptr) {
                fileDialog.reject();
                return;
            }
            box->setText(QStringLiteral("ferquor.ini"));
            Accept(fileDialog);
        });
        QCOMPARE(dialog.ShowOpen(), (sites / "ferquor.ini").string());
        QCOMPARE(shownFolder, PathText(folder.path()));
        QCOMPARE(dialog.InitDir(), sites.string());

        WhenOpen<QFileDialog>(scope, [&](QFileDialog& fileDialog) {
            shownFolder = fileDialog.directory().absolutePath();
            fileDialog.setDirectory(PathText(folder.path()));
            fileDialog.reject();
        });
        QCOMPARE(dialog.ShowOpen(), ""s);
        QCOMPARE(shownFolder, PathText(sites));
        QCOMPARE(dialog.InitDir(), folder.path().string());

        QString title;
        WhenOpen<QFileDialog>(scope, [&](QFileDialog& fileDialog) {
            title = fileDialog.windowTitle();
            fileDialog.setDirectory(PathText(sites));
            Accept(fileDialog);
        });
        QCOMPARE(dialog.BrowseForFolder("Choose the site's folder"), sites.string() + '\0');
        QCOMPARE(title, QStringLiteral("Choose the site's folder"));
        WhenOpen<QFileDialog>(scope, [](QFileDialog& fileDialog) { fileDialog.reject(); });
        QCOMPARE(dialog.BrowseForFolder(""), ""s);
    }
};

QTEST_MAIN(QtFileDialogTest)
#include "qt_file_dialog_test.moc"
