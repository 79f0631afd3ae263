#include "app_fixture.h"
#include "core/net/http_client.h"
#include "gui/banner_view.h"
#include "gui/clickable_image.h"
#include "gui/sponsor_window.h"
#include "php_server.h"
#include "picture_point.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>

using namespace test;

class BannerStripTest : public QObject {
    Q_OBJECT

private slots:
    // A refresh that comes due while the program ends is given up by the ending event pump.
    void noBannerIsFetchedOnceTheProgramEnds() {
        PhpServer maker(FERQUOR_SITE_DIR);
        QVERIFY(maker.running());
        MainWindowFixture f;
        f.environment.baseUrl = maker.url();
        f.start("php<>pw");
        f.app->checks().stop();
        f.app->bannerStrip().tick();
        f.clock->seconds += 2;
        f.app->bannerStrip().tick();
        QVERIFY(!std::filesystem::exists(f.folder.slashed() + "banner/banner.txt"));
    }

    void theMakersSiteHearsOfTheStartAndOfBannerClicksInTheStripAndTheSponsorWindow() {
        MainWindowFixture f;
        const TempFolder stats;
        ::setenv("FERQUOR_STATS_DB", (stats.slashed() + "stats.sqlite").c_str(), 1);
        PhpServer maker(FERQUOR_SITE_DIR);
        QVERIFY(maker.running());
        f.environment.baseUrl = maker.url();
        QList<QUrl> opened;
        f.environment.openUrl = [&opened](const QUrl& url) { opened.append(url); };
        const std::string pages = f.folder.slashed() + "php/";
        std::filesystem::create_directory(pages);
        for (const char* page : {"000.html", "001.html"}) {
            QVERIFY(fq::WriteTextFile(pages + page, "<div></div>"));
        }
        std::filesystem::copy_file(FERQUOR_SITE_DIR "/../php/free.gif", pages + "free.gif");
        f.start("php<>pw");

        // The banner strip is updated from the maker's site a second after start; a click on
        // a banner is counted there, and its link goes to the browser.
        f.app->bannerStrip().tick();
        f.clock->seconds += 2;
        f.app->bannerStrip().tick();
        fq::BannerView* strip = f.ui().bannerView;
        QVERIFY(strip->rotating()); // five banners: two groups
        QTest::mouseClick(strip->viewport(), Qt::LeftButton, {},
                          PicturePoint(*strip, QStringLiteral("1")));
        QCOMPARE(opened, QList<QUrl>{QUrl(QStringLiteral("https://www.example.com/hosting"))});

        // Any button opens the sponsor window; a second opening brings up the same window,
        // restored.
        QTest::mouseRelease(f.ui().moreImage, Qt::RightButton);
        const QPointer<fq::SponsorWindow> sponsor(f.app->bannerStrip().sponsorWindow());
        QVERIFY(sponsor && QTest::qWaitForWindowExposed(sponsor));
        auto* page = sponsor->findChild<fq::BannerView*>();
        auto* slot = sponsor->findChild<QLabel*>(QStringLiteral("slotLabel"));
        auto* title = sponsor->findChild<QLabel*>(QStringLiteral("titleLabel"));
        QCOMPARE(slot->text() + title->text(), QStringLiteral("86ฝนตกที่หน้าต่าง"));
        sponsor->showMinimized();
        QTest::mouseRelease(f.ui().moreImage, Qt::LeftButton);
        QCOMPARE(f.app->bannerStrip().sponsorWindow(), sponsor.data());
        QVERIFY(!sponsor->isMinimized());

        // Slot 7 holds banner 3; slot 8 is unsold.
        QWidget* area = page->viewport();
        const auto hover = [&](const QPoint& at) {
            // Sent to the page itself: the test's cursor would reach whichever window is on top.
            QMouseEvent move(QEvent::MouseMove, at, area->mapToGlobal(at), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(area, &move);
            return slot->text() + QLatin1Char('|') + title->text();
        };
        QCOMPARE(hover(PicturePoint(*page, QStringLiteral("0-8"))), QStringLiteral("8|"));
        QCOMPARE(hover(PicturePoint(*page, QStringLiteral("3-7"))),
                 QStringLiteral("7|Tidy Themes"));
        QCOMPARE(hover(QPoint(area->width() - 2, area->height() - 2)), QStringLiteral("7|"));
        for (const char* alt : {"3-7", "0-8"}) {
            QTest::mouseRelease(area, Qt::MiddleButton, {},
                                PicturePoint(*page, QLatin1String(alt)));
        }
        QTest::mouseClick(sponsor->findChild<QPushButton*>(QStringLiteral("advertiseButton")),
                          Qt::LeftButton);
        QCOMPARE(opened.last(), QUrl(ToQ(maker.url() + "banner.php")));

        // The site counted one start and a click on each of the two banners.
        const std::string counted = fq::FetchUrlText(maker.url() + "adm/stats.php").value_or("");
        ::unsetenv("FERQUOR_STATS_DB");
        const QRegularExpression oneStartTwoClicks(
            QStringLiteral(R"(<table border=1>\n<tr><td>[-0-9]{10}</td><td>1</td></tr>\n</table>\n)"
                           R"(<h2>Clicks per banner</h2>\n<table border=1>\n)"
                           R"(<tr><td>1</td><td>1</td></tr>\n<tr><td>3</td><td>1</td></tr>\n)"));
        QVERIFY2(ToQ(counted).contains(oneStartTwoClicks), counted.c_str());

        // Each opening reads the page as it is then.
        QVERIFY(fq::WriteTextFile(pages + "banner2.html", "<p>newer</p>"));
        QTest::mouseClick(sponsor->findChild<QPushButton*>(QStringLiteral("closeButton")),
                          Qt::LeftButton);
        QTRY_VERIFY(sponsor.isNull());
        QTest::mouseRelease(f.ui().moreImage, Qt::LeftButton);
        QCOMPARE(f.app->bannerStrip().sponsorWindow()->findChild<fq::BannerView*>()->toPlainText(),
                 QStringLiteral("newer"));
    }
};

QTEST_MAIN(BannerStripTest)
#include "banner_strip_test.moc"
