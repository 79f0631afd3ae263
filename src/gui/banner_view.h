#pragma once

#include <QString>
#include <QTextBlock>
#include <QTextBrowser>
#include <QUrl>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

class QTimer;

namespace fq {

// Shows one of the program's own local pages (links, pictures, titles) in Qt's rich-text
// view: no browser engine, no helper process. It never leaves its page: an http or https
// link goes to `openUrl` (the user's default browser), any other link nowhere. The element
// under the mouse is described by its "alt" and "title", both empty over the background.
class BannerView : public QTextBrowser {
    Q_OBJECT

public:
    explicit BannerView(QWidget* parent = nullptr);

    // Shows the local file at `localFile` (a path in bytes); its relative pictures are found
    // beside it. A missing or unreadable file shows an empty page.
    void navigate(const std::string& localFile);

    // Makes this view a strip: it shows one group of pictures at a time (a block of linked
    // pictures, as the strip page makes them) and moves on to the next every `interval`,
    // from the last back to the first; each page starts at its first group. The timer runs
    // only while the view is shown and its page has more than one group.
    void rotateGroups(std::chrono::milliseconds interval);
    // Scrolls the next group to where the first one stands; nothing without groups.
    void showNextGroup();
    bool rotating() const; // its timer runs

    std::function<void(const QUrl&)> openUrl; // default: the user's default browser

signals:
    void mouseUp(Qt::MouseButton button, const QString& alt, const QString& title);
    // Sent when the mouse moves onto another element.
    void mouseOver(const QString& alt, const QString& title);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    struct Element {
        QString alt;
        QString title;
        bool operator==(const Element&) const = default;
    };

    Element elementAt(QPoint viewportPosition) const;
    void openLink(const QUrl& url) const;
    void startAtFirstGroup();
    void resumeRotation();

    Element hovered_;
    QTimer* rotation_ = nullptr; // only in a strip
    std::vector<QTextBlock> groups_;
    std::size_t group_ = 0; // the one in view
};

} // namespace fq
