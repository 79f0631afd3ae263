#include "app/clickable_image.h"
#include "app/form1.h"
#include "app/site_rows.h"
#include "dialogs/file_dialog_runner.h"
#include "fake_banner_browser.h"
#include "platform/text_file.h"
#include "temp_folder.h"

#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>
#include <memory>

using fq::Form1;

namespace {

// Answers every dialog with the next prepared path ("" cancels) and keeps the requests.
class ScriptedDialogs : public fq::FileDialogRunner {
public:
    QStringList answers;
    std::vector<fq::FileDialogRequest> requests;

    fq::FileDialogAnswer runOpen(const fq::FileDialogRequest& request) override {
        return answer(request);
    }
    fq::FileDialogAnswer runSave(const fq::FileDialogRequest& request) override {
        return answer(request);
    }
    fq::FileDialogAnswer runFolder(const fq::FileDialogRequest& request) override {
        return answer(request);
    }

private:
    fq::FileDialogAnswer answer(const fq::FileDialogRequest& request) {
        requests.push_back(request);
        fq::FileDialogAnswer result;
        result.path = answers.isEmpty() ? QString() : answers.takeFirst();
        result.accepted = !result.path.isEmpty();
        result.lastFolder = request.startFolder;
        result.selectedFilterIndex = 0;
        return result;
    }
};

struct BackupFixture {
    explicit BackupFixture(const std::string& database) {
        fq::WriteTextFile(databasePath(), database);
        fq::Form1Environment environment;
        environment.appFolder = program.slashed();
        environment.homeFolder = home.slashed();
        environment.dialogs = dialogs;
        environment.trayAvailable = [] { return true; };
        environment.makeBrowser = MakeFakeBannerBrowser;
        form = std::make_unique<Form1>(std::move(environment));
        form->Form_Load();
    }

    std::string databasePath() const { return program.slashed() + "ferquor.ini"; }
    QTreeWidget* list() const { return form->ui().lvWeb; }

    TempFolder program;
    TempFolder home;
    std::shared_ptr<ScriptedDialogs> dialogs = std::make_shared<ScriptedDialogs>();
    std::unique_ptr<Form1> form;
};

const std::string kSaved = "php,css<>s3cret\r\nhttp://b.com/<>/w/b/\r\nhttp://a.com/<>/w/a/<>1";

} // namespace

class Form1BackupTest : public QObject {
    Q_OBJECT

private slots:
    void exportCopiesTheFileAsLastSaved() {
        BackupFixture fixture(kSaved);
        fixture.list()->topLevelItem(0)->setCheckState(fq::kColumnNumber, Qt::Unchecked);
        const std::string target = fixture.home.slashed() + "copy.ini";
        fq::WriteTextFile(target, "an older, longer backup that must be replaced whole");
        fixture.dialogs->answers = {QString::fromStdString(target)};
        fixture.form->mExport_Click();

        QCOMPARE(fq::ReadTextFile(target), kSaved);
        const fq::FileDialogRequest& request = fixture.dialogs->requests.at(0);
        QCOMPARE(request.startFolder, QString::fromStdString(fixture.home.slashed()));
        QCOMPARE(request.preselectedName, QStringLiteral("ferquor.ini"));
        QVERIFY(request.confirmOverwrite);
        QCOMPARE(request.nameFilters, QStringList({QStringLiteral("All File (*.*) (*)")}));

        fixture.form->mExport_Click(); // cancelled
        QCOMPARE(fq::ReadTextFile(target), kSaved);
    }

    void importReplacesTheDatabaseAndReloads() {
        BackupFixture fixture("php<>old\r\nhttp://old.com/<>/w/old/");
        const std::string exported = fixture.home.slashed() + "exported.ini";
        fq::WriteTextFile(exported, kSaved);
        fixture.dialogs->answers = {QString::fromStdString(exported)};
        fixture.form->mImport_Click();

        QCOMPARE(fq::ReadTextFile(fixture.databasePath()), kSaved);
        QCOMPARE(fixture.list()->topLevelItemCount(), 2);
        QCOMPARE(fixture.list()->topLevelItem(0)->text(fq::kColumnNumber), QStringLiteral("1"));
        QCOMPARE(fixture.list()->topLevelItem(0)->text(fq::kColumnWebUrl),
                 QStringLiteral("http://b.com/"));
        QCOMPARE(fixture.list()->topLevelItem(1)->checkState(fq::kColumnNumber), Qt::Unchecked);
        QCOMPARE(fixture.form->ui().txtFileType->text(), QStringLiteral("php,css"));
        QCOMPARE(fixture.form->reportPassword(), std::string("s3cret"));
        QCOMPARE(fixture.dialogs->requests.at(0).preselectedName, QStringLiteral("ferquor.ini"));
    }

    void importWithAnEmptyFirstLineGivesTheDefaultSettings() {
        BackupFixture fixture("php<>old\r\n");
        const std::string exported = fixture.home.slashed() + "ferquor.ini";
        fq::WriteTextFile(exported, "\r\nhttp://a.com/<>/w/a/");
        fixture.dialogs->answers = {QString::fromStdString(exported)};
        fixture.form->mImport_Click();
        QCOMPARE(fixture.form->ui().txtFileType->text(), QStringLiteral("php,js,htm,asp"));
        QCOMPARE(fixture.form->reportPassword(), std::string("lark"));
        QCOMPARE(fixture.list()->topLevelItemCount(), 1);
    }

    void importingTheDatabaseItselfKeepsIt() {
        BackupFixture fixture(kSaved);
        fixture.dialogs->answers = {QString::fromStdString(fixture.databasePath())};
        fixture.form->mImport_Click();
        QCOMPARE(fq::ReadTextFile(fixture.databasePath()), kSaved);
        QCOMPARE(fixture.list()->topLevelItemCount(), 2);

        // A file that vanished before the copy leaves the database and the list alone.
        fixture.dialogs->answers = {QString::fromStdString(fixture.home.slashed() + "gone.ini")};
        fixture.form->mImport_Click();
        QCOMPARE(fq::ReadTextFile(fixture.databasePath()), kSaved);
        QCOMPARE(fixture.list()->topLevelItemCount(), 2);
    }

    void folderImageFillsThePathBox() {
        BackupFixture fixture(kSaved);
        fixture.dialogs->answers = {QString::fromStdString(fixture.home.path().string())};
        QTest::mouseClick(fixture.form->ui().ImOpen, Qt::LeftButton);
        QCOMPARE(fixture.form->ui().txtPath->text(),
                 QString::fromStdString(fixture.home.slashed()));
        fixture.form->ImOpen_Click(); // cancelled
        QCOMPARE(fixture.form->ui().txtPath->text(),
                 QString::fromStdString(fixture.home.slashed()));
    }
};

QTEST_MAIN(Form1BackupTest)
#include "form1_backup_test.moc"
