#include "gui/banner_view.h"

#include "core/platform/executable_path.h"
#include "core/platform/text_file.h"
#include "gui/qt_text.h"

#include <QAbstractTextDocumentLayout>
#include <QDesktopServices>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStringDecoder>
#include <QTextFormat>
#include <QToolTip>

namespace fq {

BannerView::BannerView(QWidget* parent)
    : QTextBrowser(parent), openUrl([](const QUrl& url) { QDesktopServices::openUrl(url); }) {
    // Every link goes through openLink; Qt opens none by itself (it leaves external links
    // alone by default), and a read-only view refuses dropped files.
    setOpenLinks(false);
    // Pictures and links: no text to select, and no text menu, since a right button's
    // release is an event of the page.
    setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    setContextMenuPolicy(Qt::NoContextMenu);
    setFrameShape(QFrame::NoFrame);
    viewport()->setMouseTracking(true);
    connect(this, &QTextBrowser::anchorClicked, this, &BannerView::openLink);
}

void BannerView::navigate(const std::string& localFile) {
    const std::string page = ReadTextFile(localFile);
    const QByteArrayView bytes(page.data(), static_cast<qsizetype>(page.size()));
    const QString folder = ToQt(FolderOf(localFile));
    setSearchPaths({folder});
    document()->setBaseUrl(QUrl::fromLocalFile(folder));
    QStringDecoder decode(
        QStringConverter::encodingForHtml(bytes).value_or(QStringConverter::Utf8));
    setHtml(decode(bytes));
    hovered_ = {};
}

BannerView::Element BannerView::elementAt(QPoint viewportPosition) const {
    const QPointF inDocument =
        viewportPosition + QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
    const QTextFormat format = document()->documentLayout()->formatAt(inDocument);
    if (format.isImageFormat()) {
        return {format.stringProperty(QTextFormat::ImageAltText),
                format.stringProperty(QTextFormat::ImageTitle)};
    }
    return {QString(), format.stringProperty(QTextFormat::TextToolTip)};
}

void BannerView::mouseMoveEvent(QMouseEvent* event) {
    QTextBrowser::mouseMoveEvent(event);
    const Element element = elementAt(event->position().toPoint());
    if (element != hovered_) {
        hovered_ = element;
        emit mouseOver(element.alt, element.title);
    }
}

void BannerView::mouseReleaseEvent(QMouseEvent* event) {
    const Element element = elementAt(event->position().toPoint());
    // The view follows a clicked link from here, so the page hears of the release first.
    emit mouseUp(event->button(), element.alt, element.title);
    QTextBrowser::mouseReleaseEvent(event);
}

bool BannerView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString title = elementAt(help->pos()).title;
        if (title.isEmpty()) {
            QToolTip::hideText();
        } else {
            QToolTip::showText(help->globalPos(), title, viewport());
        }
        return true;
    }
    return QTextBrowser::viewportEvent(event);
}

void BannerView::openLink(const QUrl& url) const {
    if (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https")) {
        openUrl(url);
    }
}

} // namespace fq
