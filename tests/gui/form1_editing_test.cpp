#include "form1_fixture.h"

#include <QHeaderView>
#include <QMenu>
#include <QPushButton>

namespace {

const char* kThreeSites = "php<>pw\r\n"
                          "http://a.com/<>/w/a/\r\n"
                          "http://b.com/<>/w/b/\r\n"
                          "http://c.com/<>/w/c/";

} // namespace

class Form1EditingTest : public QObject {
    Q_OBJECT

private slots:
    void addNeedsBothBoxesAndStoresThemWithTheirFinalSlash() {
        Form1Fixture f;
        f.start();
        // The design text "http://" is an address; an empty folder is not.
        QCOMPARE(f.ui().txtURL->text(), QStringLiteral("http://"));
        QTest::mouseClick(f.ui().cmdAdd, Qt::LeftButton);
        QVERIFY(f.database().empty());
        f.type(f.ui().txtPath, QStringLiteral("/home/me/site"));
        QTest::mouseClick(f.ui().cmdAdd, Qt::LeftButton);
        f.type(f.ui().txtURL, QString());
        f.type(f.ui().txtPath, QStringLiteral("/w/"));
        QTest::mouseClick(f.ui().cmdAdd, Qt::LeftButton);
        f.type(f.ui().txtURL, QStringLiteral("http://b.org"));
        f.type(f.ui().txtPath, QStringLiteral("/srv/b/"));
        QTest::mouseClick(f.ui().cmdAdd, Qt::LeftButton);

        const QString warning =
            QStringLiteral("Ferrow Quorvel | Please fill web URL and local path !");
        QCOMPARE(f.warnings, QStringList({warning, warning}));
        QCOMPARE(f.rows(), QStringLiteral("1 http:// /home/me/site/\n2 http://b.org/ /srv/b/"));
        QCOMPARE(f.database(), std::string("php,js,htm,asp<>\r\n"
                                           "http://<>/home/me/site/\r\n"
                                           "http://b.org/<>/srv/b/"));
        // The boxes keep what was typed.
        QCOMPARE(f.ui().txtPath->text(), QStringLiteral("/srv/b/"));
    }

    void rowClickLoadsTheBoxesSaveWritesBackAndRemoveForgetsTheRow() {
        Form1Fixture f;
        f.start(kThreeSites);
        QVERIFY(QTest::qWaitForWindowExposed(f.form.get()));
        QVERIFY(!f.ui().cmdSave->isEnabled());
        f.click(1);
        QCOMPARE(f.form->selectedRow(), 2);
        QCOMPARE(f.ui().txtURL->text(), QStringLiteral("http://b.com/"));
        QCOMPARE(f.ui().txtPath->text(), QStringLiteral("/w/b/"));
        QVERIFY(f.ui().cmdSave->isEnabled());

        // "Save" changes the row only; the file waits for the next save.
        f.type(f.ui().txtURL, QStringLiteral("http://bb.com"));
        f.type(f.ui().txtPath, QString());
        QTest::mouseClick(f.ui().cmdSave, Qt::LeftButton);
        QCOMPARE(f.rows(), QStringLiteral("1 http://a.com/ /w/a/\n2 http://bb.com/ /\n"
                                          "3 http://c.com/ /w/c/"));
        QCOMPARE(f.database(), std::string(kThreeSites));

        // A right click anywhere over the list offers "Remove".
        QTest::mouseClick(f.ui().lvWeb->viewport(), Qt::RightButton, {},
                          QPoint(5, f.ui().lvWeb->viewport()->height() - 5));
        QTRY_VERIFY(f.ui().mDel->isVisible());
        f.ui().mDel->hide();
        f.ui().aRemove->trigger();
        const QString left = QStringLiteral("1 http://a.com/ /w/a/\n2 http://c.com/ /w/c/");
        QCOMPARE(f.rows(), left);
        QCOMPARE(f.database(), std::string("php<>pw\r\n"
                                           "http://a.com/<>/w/a/\r\n"
                                           "http://c.com/<>/w/c/"));

        // The boxes still show the removed site; "Save" and "Remove" now touch no row.
        QTest::mouseClick(f.ui().cmdSave, Qt::LeftButton);
        f.ui().aRemove->trigger();
        QCOMPARE(f.rows(), left);
    }

    void numberHeaderFlipsEveryBoxToTheOppositeOfRowOne() {
        Form1Fixture f;
        f.start(kThreeSites);
        const auto boxes = [&f] {
            QString ticks;
            for (int i = 0; i < 3; ++i) {
                ticks += f.row(i)->checkState(fq::kColumnNumber) == Qt::Checked ? u'x' : u'-';
            }
            return ticks;
        };
        f.row(1)->setCheckState(fq::kColumnNumber, Qt::Unchecked);
        QHeaderView* header = f.ui().lvWeb->header();
        const QPoint numberHeader(header->sectionViewportPosition(0) + 5, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, numberHeader);
        QCOMPARE(boxes(), QStringLiteral("---"));
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, numberHeader);
        QCOMPARE(boxes(), QStringLiteral("xxx"));
        // Other headers do nothing, and nothing is written.
        f.form->lvWeb_ColumnClick(fq::kColumnStatus);
        QCOMPARE(boxes(), QStringLiteral("xxx"));
        QCOMPARE(f.database(), std::string(kThreeSites));
    }

    void resetWordRestoresTheDefaultTypes() {
        Form1Fixture f;
        f.start();
        QLineEdit* types = f.ui().txtFileType;
        // Pasted whole: only the exact word counts.
        types->setText(QStringLiteral("Reset"));
        QCOMPARE(types->text(), QStringLiteral("Reset"));
        types->setText(QStringLiteral("reset "));
        QCOMPARE(types->text(), QStringLiteral("reset "));
        // Typed letter by letter, it fires as soon as the box reads "reset".
        f.type(types, QStringLiteral("reset"));
        QCOMPARE(types->text(), QStringLiteral("php,js,htm,asp"));
    }
};

QTEST_MAIN(Form1EditingTest)
#include "form1_editing_test.moc"
