#include "gui/banner_strip.h"

#include "core/banners/banner_update.h"
#include "core/banners/statistics.h"
#include "core/files/file_size.h"
#include "gui/banner_view.h"
#include "gui/clickable_image.h"
#include "gui/qt_text.h"
#include "gui/sponsor_window.h"

#include <QThread>
#include <QTimer>

namespace fq {
namespace {

// Five times a second at first, so that the first refresh comes about a second after start;
// the next one is days away, and a minute more or less does not matter there.
constexpr int kFirstTickMilliseconds = 200;
constexpr int kLaterTickMilliseconds = 60 * 1000;

} // namespace

BannerStrip::BannerStrip(BannerView* view, ClickableImage* moreImage, BannerStripPlaces places,
                         std::shared_ptr<Clock> clock, MessagePump pump, QObject* parent)
    : QObject(parent), view_(view), places_(std::move(places)), clock_(std::move(clock)),
      pump_([this, pump = std::move(pump)] {
          // Once the program ends, the refresh under way stops and shows nothing.
          stopped_ = !pump() || stopped_;
          return !stopped_;
      }),
      timer_(new QTimer(this)) {
    connect(view_, &BannerView::mouseUp, this, [this](Qt::MouseButton, const QString& alt) {
        if (countClicks_) {
            reportClick(StripClickEvent(FromQt(alt)));
        }
    });
    connect(moreImage, &ClickableImage::clicked, this, &BannerStrip::showSponsorWindow);
    // A timer of its own: a refresh lets events run for seconds, and the check schedule's
    // ticks go on meanwhile.
    timer_->setInterval(kFirstTickMilliseconds);
    connect(timer_, &QTimer::timeout, this, &BannerStrip::tick);
    timer_->start();
}

BannerStrip::~BannerStrip() {
    stop();
    // The update gives up at its next look at the flag; it must end before what it uses goes.
    if (updater_) {
        updater_->wait();
    }
    // It has no owner window, so nothing else takes it along.
    delete sponsorWindow_;
}

SponsorWindow* BannerStrip::sponsorWindow() const {
    return sponsorWindow_;
}

void BannerStrip::showStartPage() {
    view_->navigate(places_.appFolder + "php/000.html");
}

void BannerStrip::tick() {
    if (!stopped_ && schedule_.Tick(clock_->now())) {
        timer_->setInterval(kLaterTickMilliseconds);
        refresh();
    }
}

void BannerStrip::stop() {
    stopped_ = true;
    timer_->stop();
}

bool BannerStrip::refreshing() const {
    return updater_ && !updater_->isFinished();
}

void BannerStrip::refresh() {
    if (places_.baseUrl.empty()) {
        showRefreshedPage();
        return;
    }
    if (refreshing()) {
        return;
    }
    // On a thread of its own: the pictures may take minutes, and neither the check schedule
    // nor a check pass waits for them, nor they for it. The update touches only its own
    // files; the strip shows them once it has ended.
    const BannerPlaces places{places_.appFolder, places_.dataFolder, places_.baseUrl};
    updater_.reset(QThread::create([this, places] {
        static_cast<void>(UpdateBanners(places, [this] { return !stopped_; }));
    }));
    connect(updater_.get(), &QThread::finished, this, &BannerStrip::showRefreshedPage);
    updater_->start();
}

void BannerStrip::showRefreshedPage() {
    if (stopped_) {
        return;
    }
    const std::string strip = places_.dataFolder + "php/banner.html";
    if (RegularFileSize(strip)) {
        view_->navigate(strip);
    }
    countClicks_ = true;
}

void BannerStrip::showSponsorWindow() {
    if (!sponsorWindow_) {
        sponsorWindow_ =
            new SponsorWindow(SponsorPageToShow({places_.appFolder, places_.dataFolder, {}}),
                              QUrl(ToQt(AdvertisingPage(places_.baseUrl))), view_->openUrl);
        connect(sponsorWindow_, &SponsorWindow::bannerReleased, this,
                [this](const QString& alt) { reportClick(SponsorClickEvent(FromQt(alt))); });
    }
    sponsorWindow_->present();
}

void BannerStrip::reportClick(const std::optional<std::string>& event) {
    if (event) {
        SendStatistic(places_.baseUrl, places_.machineKey, *event, pump_);
    }
}

} // namespace fq
