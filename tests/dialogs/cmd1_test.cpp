#include "dialogs/cmd1.h"

#include <QDir>
#include <QTest>

using namespace std::string_literals;
using fq::FileDialogAnswer;
using fq::FileDialogRequest;

namespace {

// Answers every dialog with `answer` and remembers which dialog was asked for and how.
class FakeRunner : public fq::FileDialogRunner {
public:
    FileDialogAnswer runOpen(const FileDialogRequest& request) override {
        return record("open", request);
    }
    FileDialogAnswer runSave(const FileDialogRequest& request) override {
        return record("save", request);
    }
    FileDialogAnswer runFolder(const FileDialogRequest& request) override {
        return record("folder", request);
    }

    FileDialogAnswer answer;
    QString kind;
    FileDialogRequest request;
    int calls = 0;

private:
    FileDialogAnswer record(const char* dialogKind, const FileDialogRequest& asked) {
        kind = QLatin1String(dialogKind);
        request = asked;
        ++calls;
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
    void newObjectOpensInTheProgramFolderWithTheDefaults() {
        auto runner = std::make_shared<FakeRunner>();
        fq::cmd1 dialog("/opt/ferquor/", runner);
        QCOMPARE(dialog.FileName(), ""s);
        QCOMPARE(dialog.InitDir(), "/opt/ferquor"s);
        QCOMPARE(dialog.DialogTitle(), "Ferrow Quorvel"s);
        QCOMPARE(dialog.Filter(), "All Files (*.*) \0*.*\0"s);
        QCOMPARE(dialog.Flags(), 0);
        QCOMPARE(dialog.FilterIndex(), 0);
        QCOMPARE(dialog.hwndOwner(), 0);

        runner->answer =
            Chosen(QStringLiteral("/opt/ferquor/ferquor.ini"), QStringLiteral("/opt/ferquor"));
        QCOMPARE(dialog.ShowOpen(), "/opt/ferquor/ferquor.ini"s);
        QCOMPARE(runner->kind, QStringLiteral("open"));
        QCOMPARE(runner->request.title, QStringLiteral("Ferrow Quorvel"));
        QCOMPARE(runner->request.startFolder, QStringLiteral("/opt/ferquor"));
        QCOMPARE(runner->request.preselectedName, QString());
        QCOMPARE(runner->request.nameFilters, QStringList{QStringLiteral("All Files (*.*)  (*)")});
        QCOMPARE(runner->request.selectedFilter, 0);
        QCOMPARE(dialog.FileName(), ""s);
    }

    void fileNameChoosesTheStartFolderAndInitDirFollowsTheUser() {
        auto runner = std::make_shared<FakeRunner>();
        fq::cmd1 dialog("/opt/ferquor/", runner);
        dialog.setFileName("/home/me/ferquor.ini");
        runner->answer =
            Chosen(QStringLiteral("/srv/backup/ferquor.ini"), QStringLiteral("/srv/backup"));
        QCOMPARE(dialog.ShowOpen(), "/srv/backup/ferquor.ini"s);
        QCOMPARE(runner->request.startFolder, QStringLiteral("/home/me/"));
        QCOMPARE(runner->request.preselectedName, QStringLiteral("ferquor.ini"));
        QCOMPARE(dialog.InitDir(), "/srv/backup"s);
        QCOMPARE(dialog.FileName(), "/home/me/ferquor.ini"s);

        // A name without a folder opens where the user was last time.
        dialog.setFileName("other.ini");
        runner->answer = Chosen(QStringLiteral("/srv/other.ini"), QStringLiteral("/srv"));
        QCOMPARE(dialog.ShowSave(), "/srv/other.ini"s);
        QCOMPARE(runner->request.startFolder, QStringLiteral("/srv/backup"));
        QCOMPARE(runner->request.preselectedName, QStringLiteral("other.ini"));
        QCOMPARE(dialog.InitDir(), "/srv"s);
    }

    void cancelReturnsNothingAndStillMovesInitDir() {
        auto runner = std::make_shared<FakeRunner>();
        fq::cmd1 dialog("/opt/ferquor/", runner);
        runner->answer = Cancelled(QStringLiteral("/tmp/looked"));
        QCOMPARE(dialog.ShowOpen(), ""s);
        QCOMPARE(dialog.InitDir(), "/tmp/looked"s);
        runner->answer = Cancelled(QStringLiteral("/var"));
        QCOMPARE(dialog.ShowSave(), ""s);
        QCOMPARE(dialog.InitDir(), "/var"s);
    }

    void onlyTheSaveDialogStoresTheFilterInUse() {
        auto runner = std::make_shared<FakeRunner>();
        fq::cmd1 dialog("/opt/ferquor/", runner);
        dialog.setFilter("Text\0*.txt\0Pages\0*.htm;*.html\0All\0*.*\0"s);
        dialog.setFilterIndex(2);
        runner->answer = Chosen(QStringLiteral("/a/b.htm"), QStringLiteral("/a"), 2);
        dialog.ShowSave();
        QCOMPARE(runner->request.nameFilters,
                 (QStringList{QStringLiteral("Text (*.txt)"),
                              QStringLiteral("Pages (*.htm *.html)"), QStringLiteral("All (*)")}));
        QCOMPARE(runner->request.selectedFilter, 1);
        QCOMPARE(dialog.FilterIndex(), 3);

        runner->answer = Chosen(QStringLiteral("/a/b.txt"), QStringLiteral("/a"), 0);
        dialog.ShowOpen();
        QCOMPARE(runner->request.selectedFilter, 2);
        QCOMPARE(dialog.FilterIndex(), 3);

        // Cancelling the save dialog still takes the filter the user ended with.
        runner->answer = Cancelled(QStringLiteral("/a"), 0);
        dialog.ShowSave();
        QCOMPARE(dialog.FilterIndex(), 1);
    }

    void flagTwoAsksBeforeOverwriting() {
        auto runner = std::make_shared<FakeRunner>();
        fq::cmd1 dialog("/opt/ferquor/", runner);
        runner->answer = Cancelled(QStringLiteral("/"));
        dialog.ShowSave();
        QVERIFY(!runner->request.confirmOverwrite);
        dialog.setFlags(4);
        dialog.ShowSave();
        QVERIFY(!runner->request.confirmOverwrite);
        dialog.setFlags(6);
        dialog.ShowSave();
        QVERIFY(runner->request.confirmOverwrite);
        QCOMPARE(runner->kind, QStringLiteral("save"));
    }

    void textsCrossTheDialogAsUtf8() {
        auto runner = std::make_shared<FakeRunner>();
        fq::cmd1 dialog("/opt/f\xc3\xa9rquor/", runner);
        dialog.setFileName("/home/m\xc3\xa9/s\xc3\xbc.ini");
        runner->answer =
            Chosen(QStringLiteral("/home/m\u00e9/\u00fcber.ini"), QStringLiteral("/home/m\u00e9"));
        QCOMPARE(dialog.ShowSave(), "/home/m\xc3\xa9/\xc3\xbc"
                                    "ber.ini"s);
        QCOMPARE(runner->request.startFolder, QStringLiteral("/home/m\u00e9/"));
        QCOMPARE(runner->request.preselectedName, QStringLiteral("s\u00fc.ini"));
        QCOMPARE(dialog.InitDir(), "/home/m\xc3\xa9"s);
    }

    void browseForFolderAddsOneZeroCharacter() {
        auto runner = std::make_shared<FakeRunner>();
        fq::cmd1 dialog("/opt/ferquor/", runner);
        runner->answer = Chosen(QStringLiteral("/home/me/site"), QStringLiteral("/home/me"));
        const std::string chosen = dialog.BrowseForFolder("");
        QCOMPARE(chosen, "/home/me/site\0"s);
        QCOMPARE(chosen.size(), std::size_t{14});
        QCOMPARE(runner->kind, QStringLiteral("folder"));
        QCOMPARE(runner->request.title, QString());
        QCOMPARE(runner->request.startFolder, QDir::homePath());
        QVERIFY(runner->request.nameFilters.isEmpty());

        runner->answer = Cancelled(QStringLiteral("/home/me"));
        QCOMPARE(dialog.BrowseForFolder("Pick the site's folder"), ""s);
        QCOMPARE(runner->request.title, QStringLiteral("Pick the site's folder"));
        // The folder dialog leaves the file dialogs' settings alone.
        QCOMPARE(dialog.InitDir(), "/opt/ferquor"s);
        QCOMPARE(dialog.FilterIndex(), 0);
        QCOMPARE(runner->calls, 2);
    }
};

QTEST_MAIN(Cmd1Test)
#include "cmd1_test.moc"
