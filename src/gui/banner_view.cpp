#include "gui/banner_view.h"

#include "core/banners/banner_list.h"
#include "core/desktop/executable_path.h"
#include "core/files/text_file.h"
#include "gui/qt_text.h"

#include <QAbstractTextDocumentLayout>
#include <QDesktopServices>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStringDecoder>
#include <QTextDocument>
#include <QTextFormat>
#include <QTimer>
#include <QToolTip>

namespace fq {
namespace {

// The strip page's groups: the blocks that hold a linked picture. A picture outside a link,
// such as the note under the groups, makes no group.
std::vector<QTextBlock> LinkedPictureBlocks(const QTextDocument& document) {
    std::vector<QTextBlock> blocks;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto piece = block.begin(); !piece.atEnd(); ++piece) {
            const QTextCharFormat format = piece.fragment().charFormat();
            if (format.isImageFormat() && format.isAnchor()) {
                blocks.push_back(block);
                break;
            }
        }
    }
    return blocks;
}

} // namespace

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
    if (rotation_ != nullptr) {
        startAtFirstGroup();
    }
}

void BannerView::rotateGroups(std::chrono::milliseconds interval) {
    rotation_ = new QTimer(this);
    rotation_->setInterval(interval);
    connect(rotation_, &QTimer::timeout, this, &BannerView::showNextGroup);
    startAtFirstGroup();
}

void BannerView::startAtFirstGroup() {
    groups_ = LinkedPictureBlocks(*document());
    group_ = 0;
    verticalScrollBar()->setValue(0);
    rotation_->stop();
    resumeRotation();
}

void BannerView::resumeRotation() {
    if (rotation_ != nullptr && groups_.size() > 1 && isVisible()) {
        rotation_->start();
    }
}

bool BannerView::rotating() const {
    return rotation_ != nullptr && rotation_->isActive();
}

void BannerView::showNextGroup() {
    if (groups_.empty()) {
        return;
    }
    group_ = (group_ + 1) % groups_.size();
    // Measured at each step: the layout follows the view's width.
    const QAbstractTextDocumentLayout* layout = document()->documentLayout();
    const qreal offset = layout->blockBoundingRect(groups_[group_]).top() -
                         layout->blockBoundingRect(groups_.front()).top();
    // What a click or the mouse left on the group before belongs to it: the focus frame of a
    // clicked link and its tooltip go with it. The cursor first, as setting it scrolls.
    QTextCursor cursor = textCursor();
    cursor.clearSelection();
    setTextCursor(cursor);
    if (QToolTip::isVisible() && underMouse()) {
        QToolTip::hideText();
    }
    hovered_ = {};
    verticalScrollBar()->setValue(qRound(offset));
}

void BannerView::showEvent(QShowEvent* event) {
    QTextBrowser::showEvent(event);
    resumeRotation();
}

void BannerView::hideEvent(QHideEvent* event) {
    QTextBrowser::hideEvent(event);
    // Days in the tray cost no wake-ups.
    if (rotation_ != nullptr) {
        rotation_->stop();
    }
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
            // A title from the maker's list is plain text, whatever markup it looks like.
            QToolTip::showText(help->globalPos(), Qt::convertFromPlainText(title), viewport());
        }
        return true;
    }
    return QTextBrowser::viewportEvent(event);
}

void BannerView::openLink(const QUrl& url) const {
    if (IsWebLink(FromQt(url.toString()))) {
        openUrl(url);
    }
}

} // namespace fq
