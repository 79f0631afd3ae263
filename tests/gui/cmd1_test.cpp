#include "gui/cmd1.h"

#include <QDir>
#include <QTest>

using namespace std::string_literals;
using fq::FileDialogAnswer;
using fq::FileDialogRequest;

namespace {

// Answers every dialog with `answer` and remembers which dialog was asked for and how.
class FakeRunner : public fq::FileDialogRunner {
public:
    FileDialogAnswer runOpen(const FileDialogRequest& r) override { return record("open", r); }
    FileDialogAnswer runSave(const FileDialogRequest& r) override { return record("save", r); }
    FileDialogAnswer runFolder(const FileDialogRequest& r) override { return record("folder", r); }

    FileDialogAnswer answer;
    std::string kind;
    FileDialogRequest request;

private:
    FileDialogAnswer record(const char* dialogKind, const FileDialogRequest& asked) {
        kind = dialogKind;
        request = asked;
        return answer;
    }
};

FileDialogAnswer Chosen(const QString& path, const QString& lastFolder, int filter = 0) {
    return FileDialogAnswer{true, path, filter, lastFolder};
}

FileDialogAnswer Cancelled(const QString& lastFolder, int filter = 0) {
    return FileDialogAnswer{false, QString(), filter, lastFolder};
}

} // namespace

class Cmd1Test : public QObject {
    Q_OBJECT

private slots:
    void newObjectHasTheDefaultsAndEachDialogStartsWhereItShould() {
        auto runner = std::make_shared<FakeRunner>();
        fq::cmd1 dialog("/opt/ferquor/", runner);
        QCOMPARE(dialog.FileName(), ""s);
        QCOMPARE(dialog.InitDir(), "/opt/ferquor"s);
        QCOMPARE(dialog.DialogTitle(), "Ferrow Quorvel"s);
        QCOMPARE(dialog.Filter(), "All Files (*.*) \0*.*\0"s);
        QCOMPARE(dialog.Flags(), 0);
        QCOMPARE(dialog.FilterIndex(), 0);
        QCOMPARE(dialog.hwndOwner(), 0);

        // The folder dialog starts in the home folder and leaves InitDir alone.
        runner->answer = Chosen(QStringLiteral("/home/me/site"), QStringLiteral("/home/me"));
        QCOMPARE(dialog.BrowseForFolder(""), "/home/me/site\0"s);
        QCOMPARE(runner->kind, "folder"s);
        QCOMPARE(runner->request.startFolder, QDir::homePath());

        runner->answer = Chosen(QStringLiteral("/opt/ferquor/ferquor.ini"), QStringLiteral("/srv"));
        QCOMPARE(dialog.ShowOpen(), "/opt/ferquor/ferquor.ini"s);
        QCOMPARE(runner->kind, "open"s);
        QCOMPARE(runner->request.title, QStringLiteral("Ferrow Quorvel"));
        QCOMPARE(runner->request.startFolder, QStringLiteral("/opt/ferquor"));
        QCOMPARE(runner->request.nameFilters, QStringList{QStringLiteral("All Files (*.*)  (*)")});
        QCOMPARE(dialog.InitDir(), "/srv"s);

        // A name without a folder opens where the user was last time; cancelling still moves
        // InitDir. Texts cross the dialog as UTF-8.
        dialog.setFileName("s\xc3\xbc.ini");
        runner->answer = Cancelled(QStringLiteral("/srv/b\u00e4k"));
        QCOMPARE(dialog.ShowSave(), ""s);
        QCOMPARE(runner->request.startFolder, QStringLiteral("/srv"));
        QCOMPARE(runner->request.preselectedName, QStringLiteral("s\u00fc.ini"));
        QCOMPARE(dialog.InitDir(), "/srv/b\xc3\xa4k"s);
        QCOMPARE(dialog.FileName(), "s\xc3\xbc.ini"s);
        runner->answer = Chosen(QStringLiteral("/srv/\u00fcber.ini"), QStringLiteral("/srv"));
        QCOMPARE(dialog.ShowOpen(), "/srv/\xc3\xbc"
                                    "ber.ini"s);
    }

    void onlyTheSaveDialogStoresTheFilterInUseAndFlagTwoAsksBeforeOverwriting() {
        auto runner = std::make_shared<FakeRunner>();
        fq::cmd1 dialog("/opt/ferquor/", runner);
        dialog.setFilter("Text\0*.txt\0Pages\0*.htm;*.html\0All\0*.*\0"s);
        dialog.setFilterIndex(2);
        dialog.setFlags(4);
        runner->answer = Chosen(QStringLiteral("/a/b.txt"), QStringLiteral("/a"), 0);
        dialog.ShowOpen();
        QCOMPARE(runner->request.selectedFilter, 1);
        QCOMPARE(dialog.FilterIndex(), 2);

        // Cancelling the save dialog still takes the filter the user ended with.
        runner->answer = Cancelled(QStringLiteral("/a"), 2);
        dialog.ShowSave();
        QCOMPARE(runner->kind, "save"s);
        QVERIFY(!runner->request.confirmOverwrite);
        QCOMPARE(dialog.FilterIndex(), 3);
        dialog.setFlags(6);
        dialog.ShowSave();
        QVERIFY(runner->request.confirmOverwrite);
    }
};

QTEST_MAIN(Cmd1Test)
#include "cmd1_test.moc"
