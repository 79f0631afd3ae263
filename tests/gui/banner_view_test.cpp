#include "core/platform/text_file.h"
#include "gui/banner_view.h"
#include "temp_folder.h"

#include <QImage>
#include <QScrollBar>
#include <QTest>

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
        QStringList heard;
        connect(&view, &fq::BannerView::mouseUp, this,
                [&heard](Qt::MouseButton button, const QString& alt, const QString& title) {
                    heard.append(QStringLiteral("up %1 %2|%3").arg(button).arg(alt, title));
                });
        connect(&view, &fq::BannerView::mouseOver, this,
                [&heard](const QString& alt, const QString& title) {
                    heard.append(QStringLiteral("over %1|%2").arg(alt, title));
                });
        view.resize(60, 70); // a picture a line, the last one out of view
        view.navigate(folder.slashed() + "page.html");
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const QString page = view.toHtml();
        const auto image = [&view](int index) {
            QTextCursor cursor(view.document());
            cursor.setPosition(index);
            return view.cursorRect(cursor).center() + QPoint(20, 0);
        };

        QWidget* area = view.viewport();
        QTest::mouseRelease(area, Qt::RightButton, {}, image(0));
        QTest::mouseRelease(area, Qt::MiddleButton, {}, QPoint(58, 2));
        QTest::mouseMove(area, image(1));
        QTest::mouseMove(area, image(0));
        for (int index : {0, 1, 2}) {
            QTest::mouseClick(area, Qt::LeftButton, {}, image(index));
        }
        view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
        QTest::mouseRelease(area, Qt::RightButton, {}, image(2));
        const QStringList expected = {
            QStringLiteral("up 2 17|Shop A"), QStringLiteral("up 4 |"),
            QStringLiteral("over 0-42|"),     QStringLiteral("over 17|Shop A"),
            QStringLiteral("up 1 17|Shop A"), QStringLiteral("up 1 0-42|"),
            QStringLiteral("up 1 3|"),        QStringLiteral("up 2 3|")};
        QCOMPARE(heard, expected);
        QCOMPARE(opened, QList<QUrl>{QUrl(QStringLiteral("http://a.example/x"))});
        QCOMPARE(view.toHtml(), page);
    }
};

QTEST_MAIN(BannerViewTest)
#include "banner_view_test.moc"
