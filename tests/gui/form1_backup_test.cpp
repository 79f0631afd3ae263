#include "form1_fixture.h"
#include "gui/clickable_image.h"

namespace {

const std::string kSaved = "php,css<>s3cret\r\nhttp://b.com/<>/w/b/\r\nhttp://a.com/<>/w/a/<>1";

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

class Form1BackupTest : public QObject {
    Q_OBJECT

private slots:
    void exportCopiesTheFileAsLastSavedAndTheFolderImageFillsThePath() {
        Form1Fixture f;
        f.start(kSaved);
        f.row(0)->setCheckState(fq::kColumnNumber, Qt::Unchecked);
        const std::string target = f.home.slashed() + "copy.ini";
        fq::WriteTextFile(target, "an older, longer backup that must be replaced whole");
        f.dialogs->answers = {Q(target)};
        f.form->mExport_Click();
        QCOMPARE(fq::ReadTextFile(target), kSaved);
        const fq::FileDialogRequest& request = f.dialogs->requests.at(0);
        QCOMPARE(request.startFolder, Q(f.home.slashed()));
        QCOMPARE(request.preselectedName, QStringLiteral("ferquor.ini"));
        QVERIFY(request.confirmOverwrite);
        QCOMPARE(request.nameFilters, QStringList({QStringLiteral("All File (*.*) (*)")}));

        f.form->mExport_Click(); // cancelled
        QCOMPARE(fq::ReadTextFile(target), kSaved);

        // The folder image fills the path box with the chosen folder and its final "/".
        f.dialogs->answers = {Q(f.home.path().string())};
        QTest::mouseClick(f.ui().ImOpen, Qt::LeftButton);
        QCOMPARE(f.ui().txtPath->text(), Q(f.home.slashed()));
        f.form->ImOpen_Click(); // cancelled
        QCOMPARE(f.ui().txtPath->text(), Q(f.home.slashed()));
    }

    void importReplacesTheDatabaseAndReloads() {
        Form1Fixture f;
        f.start("php<>old\r\nhttp://old.com/<>/w/old/");
        const std::string exported = f.home.slashed() + "exported.ini";
        fq::WriteTextFile(exported, kSaved);
        f.dialogs->answers = {Q(exported)};
        f.form->mImport_Click();
        QCOMPARE(f.dialogs->requests.at(0).preselectedName, QStringLiteral("ferquor.ini"));
        QCOMPARE(f.database(), kSaved);
        const QString rows = QStringLiteral("1 http://b.com/ /w/b/\n2 http://a.com/ /w/a/ -");
        QCOMPARE(f.rows(), rows);
        QCOMPARE(f.ui().txtFileType->text(), QStringLiteral("php,css"));
        QCOMPARE(f.form->reportPassword(), std::string("s3cret"));

        // The database itself, or a file that vanished before the copy, changes nothing.
        f.dialogs->answers = {Q(f.databasePath()), Q(f.home.slashed() + "gone.ini")};
        f.form->mImport_Click();
        f.form->mImport_Click();
        QCOMPARE(f.database(), kSaved);
        QCOMPARE(f.rows(), rows);

        // An empty first line gives the default settings.
        fq::WriteTextFile(exported, "\r\nhttp://a.com/<>/w/a/");
        f.dialogs->answers = {Q(exported)};
        f.form->mImport_Click();
        QCOMPARE(f.ui().txtFileType->text(), QStringLiteral("php,js,htm,asp"));
        QCOMPARE(f.form->reportPassword(), std::string("lark"));
        QCOMPARE(f.rows(), QStringLiteral("1 http://a.com/ /w/a/"));
    }
};

QTEST_MAIN(Form1BackupTest)
#include "form1_backup_test.moc"
