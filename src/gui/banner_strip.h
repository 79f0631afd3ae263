#pragma once

#include "core/check/check_schedule.h"
#include "core/net/http_client.h"
#include "core/time/clock.h"

#include <QObject>
#include <QPointer>
#include <QUrl>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QThread;
class QTimer;

namespace fq {

class BannerView;
class ClickableImage;
class SponsorWindow;

// Where the strip finds its pages and whom it tells of clicks.
struct BannerStripPlaces {
    std::string appFolder;  // the program folder with the shipped php/, ending in "/"
    std::string dataFolder; // where the refreshed pages and pictures go, ending in "/"
    std::string baseUrl;    // the maker's site, ending in "/"; empty: nothing is sent there
    std::string machineKey; // tells this machine apart in the usage statistics
};

// The banner strip of the main window and the "more" picture beside it: refreshes the
// banners from the maker's site on its own schedule, counts the clicks on them, and keeps
// the sponsor window (every banner in one window) while it is open.
class BannerStrip : public QObject {
    Q_OBJECT

public:
    // `pump` lets queued events run during a transfer and says false once the program ends.
    BannerStrip(BannerView* view, ClickableImage* moreImage, BannerStripPlaces places,
                std::shared_ptr<Clock> clock, MessagePump pump, QObject* parent = nullptr);
    ~BannerStrip() override;

    // Shows the shipped start page until the first refresh.
    void showStartPage();
    // One tick of its timer: refreshes the banners when they are due.
    void tick();
    // Sends nothing more and refreshes no more; a refresh under way gives up.
    void stop();
    // A refresh is under way beside the event loop.
    bool refreshing() const;
    // Every banner in one window: the one already open, or a new one over the current page.
    void showSponsorWindow();
    SponsorWindow* sponsorWindow() const;

private:
    void refresh();
    // Shows the refreshed strip page, if there is one, and counts clicks from now on.
    void showRefreshedPage();
    // Sends a banner click to the maker's site; nothing for a click that counts for nothing.
    void reportClick(const std::optional<std::string>& event);

    BannerView* view_;
    BannerStripPlaces places_;
    std::shared_ptr<Clock> clock_;
    MessagePump pump_;
    RepeatingDeadline schedule_ = BannerSchedule();
    bool countClicks_ = false;          // from the first refresh on
    std::atomic<bool> stopped_ = false; // read by the refresh's thread
    QTimer* timer_;
    std::unique_ptr<QThread> updater_;      // the last refresh's
    QPointer<SponsorWindow> sponsorWindow_; // while it is open
};

} // namespace fq
