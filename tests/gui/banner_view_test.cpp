#include "core/files/text_file.h"
#include "gui/banner_view.h"
#include "picture_point.h"
#include "temp_folder.h"

#include <QImage>
#include <QTest>
#include <chrono>
#include <string>

using namespace Qt::Literals::StringLiterals;

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
    void showsOneGroupAtATimeWhileItIsShown() {
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
        fq::BannerView view;
        QStringList under; // the banner at the first banner's place, at each release
        connect(&view, &fq::BannerView::mouseUp, this,
                [&under](Qt::MouseButton, const QString& alt) { under.append(alt); });
        view.rotateGroups(std::chrono::hours(1)); // stepped by hand below
        view.resize(300, 35);                     // less than a group's height
        view.navigate(folder.slashed() + "strip.html");
        QVERIFY(!view.rotating());
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QVERIFY(view.rotating());
        const QPoint firstPlace = PicturePoint(view, u"1"_s);
        // A clicked link's focus frame does not outlive its group.
        view.openUrl = [](const QUrl&) {};
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, firstPlace);
        QVERIFY(view.textCursor().hasSelection());
        view.showNextGroup();
        QVERIFY(!view.textCursor().hasSelection());
        view.showNextGroup();
        view.showNextGroup();
        under.clear();
        for (int step = 0; step < 4; ++step) {
            QTest::mouseRelease(view.viewport(), Qt::RightButton, {}, firstPlace);
            view.showNextGroup();
        }
        view.navigate(folder.slashed() + "strip.html");
        QTest::mouseRelease(view.viewport(), Qt::RightButton, {}, firstPlace);
        QCOMPARE(under, (QStringList{u"1"_s, u"5"_s, u"9"_s, u"1"_s, u"1"_s}));
        view.hide();
        QVERIFY(!view.rotating());
        view.show();
        QVERIFY(view.rotating());
        view.navigate(folder.slashed() + "one.html");
        QVERIFY(!view.rotating());
    }
};

QTEST_MAIN(BannerViewTest)
#include "banner_view_test.moc"
