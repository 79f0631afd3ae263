// The banner strip and the sponsor window: the refresh from the maker's site and the clicks
// they report.
#include "core/banners/banner_update.h"
#include "core/banners/statistics.h"
#include "core/files/file_size.h"
#include "gui/banner_view.h"
#include "gui/main_window.h"
#include "gui/qt_text.h"
#include "gui/sponsor_window.h"

namespace fq {

void MainWindow::refreshBanners() {
    const auto pump = [this] { return pumpEvents(); };
    if (!environment_.baseUrl.empty()) {
        UpdateBanners({environment_.appFolder, environment_.dataFolder, environment_.baseUrl},
                      pump);
    }
    if (ending_) {
        return;
    }
    const std::string strip = environment_.dataFolder + "php/banner.html";
    if (RegularFileSize(strip)) {
        ui_.bannerView->navigate(strip);
    }
    countBannerClicks_ = true;
}

void MainWindow::bannerReleased(const QString& alt) {
    if (!countBannerClicks_) {
        return;
    }
    reportClick(StripClickEvent(FromQt(alt)));
}

SponsorWindow* MainWindow::sponsorWindow() const {
    return sponsorWindow_;
}

void MainWindow::showSponsorWindow() {
    if (!sponsorWindow_) {
        sponsorWindow_ = new SponsorWindow(environment_.dataFolder + "php/banner2.html",
                                           QUrl(ToQt(AdvertisingPage(environment_.baseUrl))),
                                           ui_.bannerView->openUrl);
        connect(sponsorWindow_, &SponsorWindow::bannerReleased, this,
                &MainWindow::sponsorBannerReleased);
    }
    sponsorWindow_->present();
}

void MainWindow::sponsorBannerReleased(const QString& alt) {
    reportClick(SponsorClickEvent(FromQt(alt)));
}

void MainWindow::reportClick(const std::optional<std::string>& event) {
    if (event) {
        SendStatistic(environment_.baseUrl, environment_.machineKey, *event,
                      [this] { return pumpEvents(); });
    }
}

} // namespace fq
