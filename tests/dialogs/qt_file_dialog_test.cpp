#include "dialogs/cmd1.h"
#include "platform/text_file.h"
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
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, &owner, [timer, act] {
        auto* widget = qobject_cast<T*>(QApplication::activeModalWidget());
        if (widget == nullptr || !widget->isVisible()) {
            return;
        }
        timer->stop();
        act(*widget);
    });
    timer->start();
}

// The dialog's own accept, which QFileDialog keeps protected: it checks the choice and may ask.
void Accept(QDialog& dialog) {
    dialog.accept();
}

// Types `name` into the dialog's file name box, as the user would; the box then decides over
// the list view's selection, which fills in only once the folder has been read. False when the
// dialog has no such box.
bool TypeName(QFileDialog& dialog, const QString& name) {
    auto* box = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (box == nullptr) {
        return false;
    }
    box->setText(name);
    return true;
}

QString PathText(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

} // namespace

class QtFileDialogTest : public QObject {
    Q_OBJECT

private slots:
    void saveProposesTheNameAndAsksBeforeReplacing() {
        TempFolder folder;
        const auto backup = folder.path() / "backup";
        std::filesystem::create_directory(backup);
        fq::WriteTextFile((backup / "ferquor.ini").string(), "old");

        fq::cmd1 dialog(folder.slashed());
        dialog.setFilter("All File (*.*)\0*.*\0"s);
        dialog.setFileName((backup / "ferquor.ini").string());
        dialog.setFlags(6);

        QObject scope;
        QString title;
        QString shownFolder;
        QStringList proposed;
        QString filter;
        int questions = 0;
        WhenOpen<QFileDialog>(scope, [&](QFileDialog& fileDialog) {
            title = fileDialog.windowTitle();
            shownFolder = fileDialog.directory().absolutePath();
            proposed = fileDialog.selectedFiles();
            filter = fileDialog.selectedNameFilter();
            WhenOpen<QMessageBox>(scope, [&](QMessageBox& box) {
                ++questions;
                box.button(QMessageBox::Yes)->click();
            });
            Accept(fileDialog);
        });
        QCOMPARE(dialog.ShowSave(), (backup / "ferquor.ini").string());
        QCOMPARE(title, QStringLiteral("Ferrow Quorvel"));
        QCOMPARE(shownFolder, PathText(backup));
        QCOMPARE(proposed, QStringList(PathText(backup / "ferquor.ini")));
        QCOMPARE(filter, QStringLiteral("All File (*.*) (*)"));
        QCOMPARE(questions, 1);
        QCOMPARE(dialog.InitDir(), backup.string());
        QCOMPARE(dialog.FilterIndex(), 1);

        // Without flag 2 an existing file is replaced without a question. The dialog starts on
        // the filter FilterIndex names, and the one the user ends with is counted from 1.
        dialog.setFlags(0);
        dialog.setFilter("Everything\0*.*\0Settings\0*.ini\0"s);
        dialog.setFilterIndex(2);
        QObject quietScope;
        WhenOpen<QFileDialog>(quietScope, [&](QFileDialog& fileDialog) {
            filter = fileDialog.selectedNameFilter();
            fileDialog.selectNameFilter(fileDialog.nameFilters().value(0));
            Accept(fileDialog);
        });
        WhenOpen<QMessageBox>(quietScope, [&](QMessageBox& box) {
            ++questions;
            box.button(QMessageBox::Yes)->click();
        });
        QCOMPARE(dialog.ShowSave(), (backup / "ferquor.ini").string());
        QCOMPARE(filter, QStringLiteral("Settings (*.ini)"));
        QCOMPARE(questions, 1);
        QCOMPARE(dialog.FilterIndex(), 1);
    }

    void openFollowsTheUserAndCancelStillMovesInitDir() {
        TempFolder folder;
        const auto sites = folder.path() / "sites";
        std::filesystem::create_directory(sites);
        fq::WriteTextFile((sites / "ferquor.ini").string(), "x");

        fq::cmd1 dialog(folder.slashed());
        dialog.setFilter("ferquor.ini");
        QObject scope;
        QString shownFolder;
        QStringList filters;
        WhenOpen<QFileDialog>(scope, [&](QFileDialog& fileDialog) {
            shownFolder = fileDialog.directory().absolutePath();
            filters = fileDialog.nameFilters();
            fileDialog.setDirectory(PathText(sites));
            if (TypeName(fileDialog, QStringLiteral("ferquor.ini"))) {
                Accept(fileDialog);
            } else {
                fileDialog.reject();
            }
        });
        QCOMPARE(dialog.ShowOpen(), (sites / "ferquor.ini").string());
        QCOMPARE(shownFolder, PathText(folder.path()));
        QCOMPARE(filters, (QStringList{QStringLiteral("ferquor.ini (ferquor.ini)"),
                                       QStringLiteral("All Files (*.*) (*)")}));
        QCOMPARE(dialog.InitDir(), sites.string());

        QObject cancelScope;
        WhenOpen<QFileDialog>(cancelScope, [&](QFileDialog& fileDialog) {
            shownFolder = fileDialog.directory().absolutePath();
            fileDialog.setDirectory(PathText(folder.path()));
            fileDialog.reject();
        });
        QCOMPARE(dialog.ShowOpen(), ""s);
        QCOMPARE(shownFolder, PathText(sites));
        QCOMPARE(dialog.InitDir(), folder.path().string());
    }

    void browseForFolderGivesTheFolderAndOneZeroCharacter() {
        TempFolder folder;
        const auto site = folder.path() / "site";
        std::filesystem::create_directory(site);
        fq::cmd1 dialog(folder.slashed());

        QObject scope;
        QString title;
        WhenOpen<QFileDialog>(scope, [&](QFileDialog& fileDialog) {
            title = fileDialog.windowTitle();
            fileDialog.setDirectory(PathText(site));
            Accept(fileDialog);
        });
        QCOMPARE(dialog.BrowseForFolder("Choose the site's folder"), site.string() + '\0');
        QCOMPARE(title, QStringLiteral("Choose the site's folder"));

        QObject cancelScope;
        WhenOpen<QFileDialog>(cancelScope, [](QFileDialog& fileDialog) { fileDialog.reject(); });
        QCOMPARE(dialog.BrowseForFolder(""), ""s);
    }
};

QTEST_MAIN(QtFileDialogTest)
#include "qt_file_dialog_test.moc"
