#pragma once

#include <QString>
#include <QTextBrowser>
#include <QUrl>
#include <functional>
#include <string>

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

    std::function<void(const QUrl&)> openUrl; // default: the user's default browser

signals:
    void mouseUp(Qt::MouseButton button, const QString& alt, const QString& title);
    // Sent when the mouse moves onto another element.
    void mouseOver(const QString& alt, const QString& title);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    struct Element {
        QString alt;
        QString title;
        bool operator==(const Element&) const = default;
    };

    Element elementAt(QPoint viewportPosition) const;
    void openLink(const QUrl& url) const;

    Element hovered_;
};

} // namespace fq
