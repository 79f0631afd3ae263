#include "gui/web_engine_banner_browser.h"

#include "gui/qt_text.h"

#include <QDesktopServices>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineNewWindowRequest>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace fq {

WebEngineBannerBrowser::WebEngineBannerBrowser(QWidget* parent)
    : BannerBrowser(parent), view_(new QWebEngineView(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    setFocusProxy(view_);

    // A strip of pictures: no page menu, and a dropped file must not replace the page.
    view_->setContextMenuPolicy(Qt::NoContextMenu);
    view_->setAcceptDrops(false);

    // Only a user's click opens a window; a script cannot start the default browser by itself.
    connect(view_->page(), &QWebEnginePage::newWindowRequested, this,
            [](QWebEngineNewWindowRequest& request) {
                if (request.isUserInitiated()) {
                    QDesktopServices::openUrl(request.requestedUrl());
                }
            });
}

void WebEngineBannerBrowser::navigate(const std::string& localFile) {
    view_->setUrl(QUrl::fromLocalFile(ToQt(localFile)));
}

} // namespace fq
