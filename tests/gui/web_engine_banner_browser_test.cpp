#include "core/platform/text_file.h"
#include "gui/twips.h"
#include "gui/web_engine_banner_browser.h"
#include "temp_folder.h"

#include <QDesktopServices>
#include <QMutex>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>
#include <filesystem>

namespace {

// Every request the page makes that does not stay on the local disk.
class OutsideRequests : public QWebEngineUrlRequestInterceptor {
public:
    void interceptRequest(QWebEngineUrlRequestInfo& info) override {
        const QUrl url = info.requestUrl();
        if (url.scheme() != QLatin1String("file") && url.scheme() != QLatin1String("data")) {
            const QMutexLocker lock(&mutex_);
            urls_.append(url);
        }
    }
    QList<QUrl> urls() {
        const QMutexLocker lock(&mutex_);
        return urls_;
    }

private:
    QMutex mutex_;
    QList<QUrl> urls_;
};

QVariant RunScript(QWebEnginePage* page, const QString& script) {
    QVariant result;
    bool done = false;
    page->runJavaScript(script, [&](const QVariant& value) {
        result = value;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, 30000)) {
        return QStringLiteral("script timed out");
    }
    return result;
}

} // namespace

class WebEngineBannerBrowserTest : public QObject {
    Q_OBJECT

public slots:
    void openedOutside(const QUrl& url) { opened_.append(url); }

private slots:
    void showsTheStripPageAndOpensClickedNewWindowLinksOutside() {
        TempFolder folder;
        std::filesystem::copy(FERQUOR_PHP_FOLDER, folder.path() / "php");
        const std::string links = folder.slashed() + "php/links.html";
        fq::WriteTextFile(
            links, "<body style='margin:0'>"
                   "<a id='scripted' href='http://127.0.0.1:9/scripted' target='_blank'>s</a>"
                   "<a id='clicked' href='http://127.0.0.1:9/clicked' target='_blank'"
                   " style='position:fixed;inset:0'>c</a></body>");

        fq::WebEngineBannerBrowser browser;
        QWebEngineView* view = browser.view();
        OutsideRequests outside;
        view->page()->profile()->setUrlRequestInterceptor(&outside);
        QList<bool> loads;
        connect(view, &QWebEngineView::loadFinished, this, [&](bool ok) { loads.append(ok); });

        // The strip's design size.
        const qreal dpi = browser.logicalDpiX();
        browser.resize(fq::TwipsToPixels(8535, dpi), fq::TwipsToPixels(720, dpi));
        browser.show();
        browser.navigate(folder.slashed() + "php/000.html");
        QTRY_COMPARE_WITH_TIMEOUT(loads, QList<bool>{true}, 60000);

        // Before any banner exists the page shows its note, all of it inside the strip and
        // without scroll bars.
        const QVariant fits = RunScript(view->page(), QStringLiteral(R"(
            (function () {
                var e = document.documentElement, note = document.querySelector('.idle');
                var r = note.lastElementChild.getBoundingClientRect();
                return e.scrollWidth <= innerWidth && e.scrollHeight <= innerHeight &&
                       r.width > 0 && r.left >= 0 && r.right <= innerWidth &&
                       r.top >= 0 && r.bottom <= innerHeight;
            })())"));
        QCOMPARE(fits, QVariant(true));
        QCOMPARE(outside.urls(), QList<QUrl>());

        QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "openedOutside");
        browser.navigate(links);
        QTRY_COMPARE_WITH_TIMEOUT(loads, (QList<bool>{true, true}), 60000);
        // A script's click opens nothing; a user's click opens the default browser only.
        RunScript(view->page(), QStringLiteral("document.getElementById('scripted').click()"));
        QWidget* surface = view->focusProxy();
        QVERIFY(surface != nullptr);
        QTest::mouseClick(surface, Qt::LeftButton, {}, surface->rect().center());
        QTRY_COMPARE_WITH_TIMEOUT(
            opened_, QList<QUrl>{QUrl(QStringLiteral("http://127.0.0.1:9/clicked"))}, 30000);
        QCOMPARE(view->url(), QUrl::fromLocalFile(QString::fromStdString(links)));
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        view->page()->profile()->setUrlRequestInterceptor(nullptr);
    }

private:
    QList<QUrl> opened_;
};

QTEST_MAIN(WebEngineBannerBrowserTest)
#include "web_engine_banner_browser_test.moc"
