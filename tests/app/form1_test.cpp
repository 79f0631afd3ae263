#include "app/form1.h"
#include "app/site_rows.h"
#include "fake_banner_browser.h"
#include "platform/text_file.h"
#include "temp_folder.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTreeWidget>

using fq::Form1;

namespace {

QString Row(const Form1& form, int index, int column) {
    return form.ui().lvWeb->topLevelItem(index)->text(column);
}

} // namespace

class Form1Test : public QObject {
    Q_OBJECT

private slots:
    void startsWithDefaultsWhenNoDatabaseExists() {
        TempFolder folder;
        Form1 form(FakeBrowserEnvironment(folder.slashed()));
        form.Form_Load();
        QCOMPARE(form.windowTitle(), QStringLiteral("Ferrow Quorvel 2020 - v1.4 - Freeware"));
        QCOMPARE(form.ui().LaStatus->text(), QStringLiteral(" Total Web : 0"));
        QCOMPARE(form.ui().txtFileType->text(), QStringLiteral("php,js,htm,asp"));
        QCOMPARE(form.ui().lvWeb->topLevelItemCount(), 0);
        QVERIFY(form.reportPassword().empty());
        QVERIFY(form.ui().txtPHP[0]->toPlainText().contains(QStringLiteral("==\"lark\")")));
        QVERIFY(form.isVisible());
        const auto* strip = dynamic_cast<const FakeBannerBrowser*>(form.ui().Browser1);
        QVERIFY(strip != nullptr);
        QCOMPARE(strip->navigations, std::vector<std::string>{folder.slashed() + "php/000.html"});
    }

    void loadsSitesSettingsAndPassword() {
        TempFolder folder;
        fq::WriteTextFile(folder.slashed() + "ferquor.ini",
                          "reset<>s3cret\r\nhttp://b.com<>/w/b/\r\n\r\nhttp://a.com/<>/w/a/<>1");
        Form1 form(FakeBrowserEnvironment(folder.slashed()));
        form.Form_Load();
        QCOMPARE(form.ui().LaStatus->text(), QStringLiteral(" Total Web : 2"));
        // "reset" in the settings line brings back the default list.
        QCOMPARE(form.ui().txtFileType->text(), QStringLiteral("php,js,htm,asp"));
        QCOMPARE(form.reportPassword(), std::string("s3cret"));
        const QString script = form.ui().txtPHP[0]->toPlainText();
        QVERIFY(script.contains(QStringLiteral("==\"s3cret\")")));
        QVERIFY(!script.contains(QStringLiteral("lark")));

        QCOMPARE(Row(form, 0, fq::kColumnNumber), QStringLiteral("1"));
        QCOMPARE(Row(form, 0, fq::kColumnWebUrl), QStringLiteral("http://b.com"));
        QCOMPARE(Row(form, 1, fq::kColumnNumber), QStringLiteral("2"));
        QCOMPARE(Row(form, 1, fq::kColumnLocalPath), QStringLiteral("/w/a/"));
        QCOMPARE(form.ui().lvWeb->topLevelItem(0)->checkState(fq::kColumnNumber), Qt::Checked);
        QCOMPARE(form.ui().lvWeb->topLevelItem(1)->checkState(fq::kColumnNumber), Qt::Unchecked);
        QVERIFY(form.ui().lvWeb->isColumnHidden(fq::kColumnLocalPath));
        QVERIFY(form.ui().lvWeb->isColumnHidden(fq::kColumnDetail));
    }

    void closeRequestSavesSortedAndHides() {
        TempFolder folder;
        const std::string database = folder.slashed() + "ferquor.ini";
        fq::WriteTextFile(database, "php,js<>pw\r\n"
                                    "http://b.com<>/w/b/\r\n"
                                    "http://B.com/<>/w/B/<>1\r\n"
                                    "http://a.com/<>/w/a/");
        Form1 form(FakeBrowserEnvironment(folder.slashed()));
        form.Form_Load();
        QVERIFY(form.isVisible());

        // The list's own check box is the active flag and reaches the file on close.
        form.ui().lvWeb->topLevelItem(2)->setCheckState(fq::kColumnNumber, Qt::Unchecked);
        QVERIFY(!form.close());

        QCOMPARE(fq::ReadTextFile(database), std::string("php,js<>pw\r\n"
                                                         "http://B.com/<>/w/B/<>1\r\n"
                                                         "http://a.com/<>/w/a/<>1\r\n"
                                                         "http://b.com/<>/w/b/"));
        QVERIFY(!form.isVisible());
        // The rows on screen keep their order and text until the next load.
        QCOMPARE(Row(form, 0, fq::kColumnWebUrl), QStringLiteral("http://b.com"));
    }

    void unreadableDatabaseKeepsTheCurrentState() {
        TempFolder folder;
        const std::string database = folder.slashed() + "ferquor.ini";
        fq::WriteTextFile(database, "php<>pw\r\nhttp://a.com/<>/w/a/");
        Form1 form(FakeBrowserEnvironment(folder.slashed()));
        form.Form_Load();
        fq::WriteTextFile(database, "");
        form.LoadWebDatabase();
        QCOMPARE(form.ui().lvWeb->topLevelItemCount(), 1);
        QCOMPARE(form.ui().txtFileType->text(), QStringLiteral("php"));
        QCOMPARE(form.ui().LaStatus->text(), QStringLiteral(" Total Web : 0"));
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
