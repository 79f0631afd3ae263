#pragma once

#include <QUrl>
#include <QWidget>
#include <functional>
#include <string>

class QLabel;
class QPushButton;

namespace fq {

class BannerView;

// Every sponsor slot on one page, with the slot number and the banner title under the mouse,
// a button to the maker's advertising page and one that closes the window. The page is read
// once, when the window is made.
class SponsorWindow : public QWidget {
    Q_OBJECT

public:
    // `advertisingPage` empty: there is no maker's site and the advertising button is off.
    // `openUrl` takes every address that leaves the program for the user's browser.
    SponsorWindow(const std::string& pageFile, const QUrl& advertisingPage,
                  const std::function<void(const QUrl&)>& openUrl);

    // Shows the window, brought back from minimised, in front.
    void present();

signals:
    // Any mouse button released over the page; `alt` is that of the element under it.
    void bannerReleased(const QString& alt);

private:
    void showElement(const QString& alt, const QString& title);

    BannerView* page_;
    QPushButton* advertiseButton_;
    QPushButton* closeButton_;
    QLabel* slotLabel_;
    QLabel* titleLabel_;
};

} // namespace fq
