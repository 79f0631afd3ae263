#include "core/files/text_file.h"
#include "gui/banner_view.h"
#include "picture_point.h"
#include "temp_folder.h"

#include <QImage>
#include <QScrollBar>
#include <QTest>
#include <chrono>
#include <string>

namespace {

// Writes `page` as `name` beside the picture "a.png" it may show.
bool WritePage(const TempFolder& folder, const std::string& name, const std::string& page) {
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    return picture.save(QString::fromStdString(folder.slashed() + "a.png")) &&
           fq::WriteTextFile(folder.slashed() + name, page);
}

} // namespace

class BannerViewTest : public QObject {
    Q_OBJECT

private slots:
    void showsOneGroupAtATimeReportsWhatIsUnderTheMouseAndSendsOnlyWebLinksOut() {
        const TempFolder folder;
        // Nine banners in groups of four, then a note whose picture is no banner.
        std::string strip;
        for (int id = 1; id <= 9; ++id) {
            strip += (id % 4 == 1 ? "<div>" : "") + std::string("<a href='http://a.example/'>") +
                     "<img src='a.png' alt='" + std::to_string(id) + "'></a> " +
                     (id % 4 == 0 || id == 9 ? "</div>" : "");
        }
        QVERIFY(WritePage(folder, "strip.html", strip + "<p><img src='a.png'></p>"));
        QVERIFY(fq::WriteTextFile(folder.slashed() + "one.html",
                                  "<div><a href='x'><img src='a.png'></a>"));
        QVERIFY(fq::WriteTextFile(
            folder.slashed() + "links.html",
            "<a href='http://a.example/x' target='_blank'><img src='a.png' "
            "title='Shop A' alt='17'></a><a href='javascript:void(0);'><img "
            "src='a.png' title='' alt='0-42'></a><a href='file:///etc/passwd'><img "
            "src='a.png' alt='3'></a>"));
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

        view.rotateGroups(std::chrono::hours(1)); // stepped by hand below
        view.resize(300, 35);                     // less than a group's height
        view.navigate(folder.slashed() + "strip.html");
        QVERIFY(!view.rotating());
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QVERIFY(view.rotating());
        QWidget* area = view.viewport();
        const QPoint firstPlace = PicturePoint(view, QStringLiteral("1"));
        for (int step = 0; step < 4; ++step) {
            QTest::mouseRelease(area, Qt::RightButton, {}, firstPlace);
            view.showNextGroup();
        }
        view.navigate(folder.slashed() + "strip.html");
        QTest::mouseRelease(area, Qt::RightButton, {}, firstPlace);
        QCOMPARE(heard, (QStringList{QStringLiteral("up 2 1|"), QStringLiteral("up 2 5|"),
                                     QStringLiteral("up 2 9|"), QStringLiteral("up 2 1|"),
                                     QStringLiteral("up 2 1|")}));
        view.hide();
        QVERIFY(!view.rotating());
        view.show();
        QVERIFY(view.rotating());
        view.navigate(folder.slashed() + "one.html");
        QVERIFY(!view.rotating());

        heard.clear();
        view.resize(60, 70); // a picture a line, the last one out of view
        view.navigate(folder.slashed() + "links.html");
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const QString page = view.toHtml();
        const auto image = [&view](const char* alt) {
            return PicturePoint(view, QLatin1String(alt));
        };
        QTest::mouseRelease(area, Qt::RightButton, {}, image("17"));
        QTest::mouseRelease(area, Qt::MiddleButton, {}, QPoint(58, 2));
        QTest::mouseMove(area, image("0-42"));
        QTest::mouseMove(area, image("17"));
        for (const char* alt : {"17", "0-42", "3"}) {
            QTest::mouseClick(area, Qt::LeftButton, {}, image(alt));
        }
        view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
        QTest::mouseRelease(area, Qt::RightButton, {}, image("3"));
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
