// The banner strip: its refresh from the maker's site and the clicks it reports.
#include "core/banners/banner_update.h"
#include "core/banners/statistics.h"
#include "core/platform/file_size.h"
#include "gui/banner_view.h"
#include "gui/main_window.h"
#include "gui/qt_text.h"

namespace fq {

void MainWindow::refreshBanners() {
    const auto pump = [this] { return pumpEvents(); };
    if (!environment_.baseUrl.empty()) {
        UpdateBanners({environment_.appFolder, environment_.baseUrl}, pump);
    }
    if (ending_) {
        return;
    }
    const std::string strip = environment_.appFolder + "php/banner.html";
    if (RegularFileSize(strip)) {
        ui_.bannerView->navigate(strip);
    }
    countBannerClicks_ = true;
}

void MainWindow::bannerReleased(const QString& alt) {
    if (!countBannerClicks_) {
        return;
    }
    if (const auto event = StripClickEvent(FromQt(alt))) {
        SendStatistic(environment_.baseUrl, environment_.machineKey, *event,
                      [this] { return pumpEvents(); });
    }
}

} // namespace fq
