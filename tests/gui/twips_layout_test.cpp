#include "gui/main_window_controls.h"
#include "gui/site_list_model.h"
#include "gui/twips.h"
#include "gui/twips_layout.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

class TwipsLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void controlsFollowTheEdgesTheyAreAnchoredTo() {
        const fq::TwipsSize design{9000, 6000};
        const fq::TwipsSize larger{10000, 7000}; // 1000 twips wider and taller
        const fq::TwipsRect at{100, 200, 300, 400};
        QCOMPARE(fq::Anchored(at, fq::kFixed, design, larger), at);
        QCOMPARE(fq::Anchored(at, fq::kFollowRight | fq::kFollowBottom, design, larger),
                 (fq::TwipsRect{1100, 1200, 300, 400}));
        QCOMPARE(fq::Anchored(at, fq::kStretchWidth | fq::kStretchHeight, design, larger),
                 (fq::TwipsRect{100, 200, 1300, 1400}));
    }

    // The window manager frames a window after its first layout, without resizing it; the
    // next event lays it out again for the outer size with the frame.
    void aFreshWindowLaysOutAgainOnceItsFrameArrives() {
        fq::SiteList sites;
        fq::SiteListModel model(sites);
        QWidget window;
        const fq::MainWindowControls ui = fq::BuildMainWindowControls(&window, &model);
        auto* layout =
            new fq::TwipsLayout(&window, fq::kMainWindowDesignOuter, fq::MainWindowDesign(ui));
        QSize frame(0, 0);
        layout->outerSize = [&] { return window.size() + frame; };
        window.resize(600, 420);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const qreal dpi = window.logicalDpiX();
        const auto px = [dpi](int twips) { return fq::TwipsToPixels(twips, dpi); };
        // The bottom buttons stand 1000 twips above the outer bottom edge.
        const auto scriptButtonFor = [&](QSize outer) {
            const int W = fq::PixelsToTwips(outer.width(), dpi);
            const int H = fq::PixelsToTwips(outer.height(), dpi);
            return QRect(px(W - 1250), px(H - 1000), px(975), px(375));
        };
        QCOMPARE(ui.scriptButton->geometry(), scriptButtonFor(QSize(600, 420)));

        frame = QSize(8, 31);
        window.repaint();
        QTRY_COMPARE(ui.scriptButton->geometry(), scriptButtonFor(QSize(608, 451)));
        QCOMPARE(ui.scriptEdit->geometry(), ui.siteView->geometry());

        // Minimised, nothing moves; brought back, it lays out for the size it has then.
        window.showMinimized();
        window.resize(700, 500);
        QCOMPARE(ui.scriptButton->geometry(), scriptButtonFor(QSize(608, 451)));
        window.showNormal();
        QTRY_COMPARE(ui.scriptButton->geometry(), scriptButtonFor(QSize(708, 531)));
    }
};

QTEST_MAIN(TwipsLayoutTest)
#include "twips_layout_test.moc"
