#include "core/platform/text_file.h"
#include "gui/banner_view.h"
#include "temp_folder.h"

#include <QImage>
#include <QSignalSpy>
#include <QTest>

// Each signal heard, its arguments joined by "|" (a mouse button as its number).
static QStringList Heard(const QSignalSpy& spy) {
    QStringList heard;
    for (const QVariantList& arguments : spy) {
        QStringList texts;
        for (const QVariant& argument : arguments) {
            const bool text = argument.typeId() == QMetaType::QString;
            texts.append(text ? argument.toString() : QString::number(argument.toInt()));
        }
        heard.append(texts.join(QLatin1Char('|')));
    }
    return heard;
}

class BannerViewTest : public QObject {
    Q_OBJECT

private slots:
    void reportsTheElementUnderTheMouseAndSendsOnlyWebLinksOut() {
        const TempFolder folder;
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        QVERIFY(picture.save(QString::fromStdString(folder.slashed() + "a.png")));
        fq::WriteTextFile(folder.slashed() + "page.html",
                          "<a href='http://a.example/x' target='_blank'><img src='a.png' "
                          "title='Shop A' alt='17'></a><a href='javascript:void(0);'><img "
                          "src='a.png' title='' alt='0-42'></a><a href='file:///etc/passwd'><img "
                          "src='a.png' alt='3'></a>");
        fq::BannerView view;
        QList<QUrl> opened;
        view.openUrl = [&opened](const QUrl& url) { opened.append(url); };
        view.resize(400, 100);
        view.navigate(folder.slashed() + "page.html");
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const QString page = view.toHtml();
        QWidget* area = view.viewport();
        const auto image = [&view](int index) {
            QTextCursor cursor(view.document());
            cursor.setPosition(index);
            return view.cursorRect(cursor).center() + QPoint(20, 0);
        };
        QSignalSpy ups(&view, &fq::BannerView::mouseUp);
        QSignalSpy overs(&view, &fq::BannerView::mouseOver);

        QTest::mouseRelease(area, Qt::RightButton, {}, image(0));
        QTest::mouseRelease(area, Qt::MiddleButton, {}, QPoint(390, 90));
        QCOMPARE(Heard(ups), (QStringList{QStringLiteral("2|17|Shop A"), QStringLiteral("4||")}));
        QTest::mouseMove(area, image(1));
        QTest::mouseMove(area, image(0));
        QCOMPARE(Heard(overs), (QStringList{QStringLiteral("0-42|"), QStringLiteral("17|Shop A")}));

        for (int index : {0, 1, 2}) {
            QTest::mouseClick(area, Qt::LeftButton, {}, image(index));
        }
        QCOMPARE(opened, QList<QUrl>{QUrl(QStringLiteral("http://a.example/x"))});
        QCOMPARE(view.toHtml(), page);
    }
};

QTEST_MAIN(BannerViewTest)
#include "banner_view_test.moc"
