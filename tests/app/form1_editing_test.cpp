#include "app/form1.h"
#include "app/site_rows.h"
#include "fake_banner_browser.h"
#include "platform/text_file.h"
#include "temp_folder.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <memory>

using fq::Form1;

namespace {

// A main window over a temporary program folder whose message box only records its text.
struct EditingFixture {
    explicit EditingFixture(const std::string& database = {}) {
        if (!database.empty()) {
            fq::WriteTextFile(databasePath(), database);
        }
        fq::Form1Environment environment;
        environment.appFolder = folder.slashed();
        environment.makeBrowser = MakeFakeBannerBrowser;
        environment.warn = [this](QWidget*, const QString& caption, const QString& text) {
            warnings.push_back(caption + QStringLiteral(" | ") + text);
        };
        form = std::make_unique<Form1>(std::move(environment));
        form->Form_Load();
        exposed = QTest::qWaitForWindowExposed(form.get());
    }

    std::string databasePath() const { return folder.slashed() + "ferquor.ini"; }
    std::string database() const { return fq::ReadTextFile(databasePath()); }
    const fq::Form1Ui& ui() const { return form->ui(); }
    QTreeWidgetItem* row(int index) const { return ui().lvWeb->topLevelItem(index); }

    void type(QLineEdit* box, const QString& text) const {
        box->selectAll();
        QTest::keyClicks(box, text);
        if (text.isEmpty()) {
            QTest::keyClick(box, Qt::Key_Delete);
        }
    }

    void click(int index) const {
        QTreeWidget* list = ui().lvWeb;
        const QRect area = list->visualRect(list->model()->index(index, fq::kColumnWebUrl));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, area.center());
    }

    TempFolder folder;
    bool exposed = false;
    QStringList warnings;
    std::unique_ptr<Form1> form;
};

const char* kThreeSites = "php<>pw\r\n"
                          "http://a.com/<>/w/a/\r\n"
                          "http://b.com/<>/w/b/\r\n"
                          "http://c.com/<>/w/c/";

} // namespace

class Form1EditingTest : public QObject {
    Q_OBJECT

private slots:
    void addStoresBothBoxesWithTheirFinalSlash() {
        EditingFixture fixture;
        QCOMPARE(fixture.ui().txtURL->text(), QStringLiteral("http://"));
        fixture.type(fixture.ui().txtPath, QStringLiteral("/home/me/site"));
        QTest::mouseClick(fixture.ui().cmdAdd, Qt::LeftButton);
        fixture.type(fixture.ui().txtURL, QStringLiteral("http://b.org"));
        fixture.type(fixture.ui().txtPath, QStringLiteral("/srv/b/"));
        QTest::mouseClick(fixture.ui().cmdAdd, Qt::LeftButton);

        QCOMPARE(fixture.ui().lvWeb->topLevelItemCount(), 2);
        QCOMPARE(fixture.row(1)->text(fq::kColumnNumber), QStringLiteral("2"));
        QCOMPARE(fixture.row(1)->checkState(fq::kColumnNumber), Qt::Checked);
        QCOMPARE(fixture.database(), std::string("php,js,htm,asp<>\r\n"
                                                 "http://<>/home/me/site/\r\n"
                                                 "http://b.org/<>/srv/b/"));
        // The boxes keep what was typed.
        QCOMPARE(fixture.ui().txtPath->text(), QStringLiteral("/srv/b/"));
        QVERIFY(fixture.warnings.isEmpty());
    }

    void addWithAnEmptyBoxWarnsAndWritesNothing() {
        EditingFixture fixture;
        QTest::mouseClick(fixture.ui().cmdAdd, Qt::LeftButton);
        fixture.type(fixture.ui().txtURL, QString());
        fixture.type(fixture.ui().txtPath, QStringLiteral("/w/"));
        QTest::mouseClick(fixture.ui().cmdAdd, Qt::LeftButton);
        const QString expected =
            QStringLiteral("Ferrow Quorvel | Please fill web URL and local path !");
        QCOMPARE(fixture.warnings, QStringList({expected, expected}));
        QCOMPARE(fixture.ui().lvWeb->topLevelItemCount(), 0);
        QVERIFY(fixture.database().empty());
    }

    void rowClickLoadsTheBoxesAndSaveWritesBackWithoutSaving() {
        EditingFixture fixture(kThreeSites);
        QVERIFY(fixture.exposed);
        QVERIFY(!fixture.ui().cmdSave->isEnabled());
        fixture.click(1);
        QCOMPARE(fixture.form->selectedRow(), 2);
        QCOMPARE(fixture.ui().txtURL->text(), QStringLiteral("http://b.com/"));
        QCOMPARE(fixture.ui().txtPath->text(), QStringLiteral("/w/b/"));
        QVERIFY(fixture.ui().cmdSave->isEnabled());

        fixture.type(fixture.ui().txtURL, QStringLiteral("http://bb.com"));
        fixture.type(fixture.ui().txtPath, QString());
        QTest::mouseClick(fixture.ui().cmdSave, Qt::LeftButton);
        QCOMPARE(fixture.row(1)->text(fq::kColumnWebUrl), QStringLiteral("http://bb.com/"));
        QCOMPARE(fixture.row(1)->text(fq::kColumnLocalPath), QStringLiteral("/"));
        QCOMPARE(fixture.database(), std::string(kThreeSites));
    }

    void removeRenumbersSavesAndForgetsTheSelection() {
        EditingFixture fixture(kThreeSites);
        fixture.click(1);

        // A right click anywhere over the list offers "Remove".
        QTest::mouseClick(fixture.ui().lvWeb->viewport(), Qt::RightButton, {},
                          QPoint(5, fixture.ui().lvWeb->viewport()->height() - 5));
        QTRY_VERIFY(fixture.ui().mDel->isVisible());
        fixture.ui().mDel->hide();

        fixture.ui().aRemove->trigger();
        QCOMPARE(fixture.ui().lvWeb->topLevelItemCount(), 2);
        QCOMPARE(fixture.row(0)->text(fq::kColumnNumber), QStringLiteral("1"));
        QCOMPARE(fixture.row(1)->text(fq::kColumnNumber), QStringLiteral("2"));
        QCOMPARE(fixture.row(1)->text(fq::kColumnWebUrl), QStringLiteral("http://c.com/"));
        QCOMPARE(fixture.database(), std::string("php<>pw\r\n"
                                                 "http://a.com/<>/w/a/\r\n"
                                                 "http://c.com/<>/w/c/"));

        // The boxes still show the removed site; "Save" now touches no row.
        QTest::mouseClick(fixture.ui().cmdSave, Qt::LeftButton);
        QCOMPARE(fixture.row(1)->text(fq::kColumnWebUrl), QStringLiteral("http://c.com/"));
        fixture.ui().aRemove->trigger();
        QCOMPARE(fixture.ui().lvWeb->topLevelItemCount(), 2);
    }

    void numberHeaderFlipsEveryBoxToTheOppositeOfRowOne() {
        EditingFixture fixture(kThreeSites);
        fixture.row(1)->setCheckState(fq::kColumnNumber, Qt::Unchecked);
        QHeaderView* header = fixture.ui().lvWeb->header();
        const QPoint numberHeader(header->sectionViewportPosition(0) + 5, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, numberHeader);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(fixture.row(i)->checkState(fq::kColumnNumber), Qt::Unchecked);
        }
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, numberHeader);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(fixture.row(i)->checkState(fq::kColumnNumber), Qt::Checked);
        }
        // Other headers do nothing, and nothing is written.
        fixture.form->lvWeb_ColumnClick(fq::kColumnStatus);
        QCOMPARE(fixture.row(0)->checkState(fq::kColumnNumber), Qt::Checked);
        QCOMPARE(fixture.database(), std::string(kThreeSites));
    }

    void resetWordRestoresTheDefaultTypes() {
        EditingFixture fixture;
        QLineEdit* types = fixture.ui().txtFileType;
        // Pasted whole: only the exact word counts.
        types->setText(QStringLiteral("Reset"));
        QCOMPARE(types->text(), QStringLiteral("Reset"));
        types->setText(QStringLiteral("reset "));
        QCOMPARE(types->text(), QStringLiteral("reset "));
        // Typed letter by letter, it fires as soon as the box reads "reset".
        fixture.type(types, QStringLiteral("reset"));
        QCOMPARE(types->text(), QStringLiteral("php,js,htm,asp"));
    }
};

QTEST_MAIN(Form1EditingTest)
#include "form1_editing_test.moc"
