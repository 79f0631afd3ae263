#pragma once

#include "gui/banner_browser.h"

#include <string>
#include <vector>

// A banner strip without a browser engine: a plain widget that keeps the files it was asked
// to show.
class FakeBannerBrowser : public fq::BannerBrowser {
public:
    explicit FakeBannerBrowser(QWidget* parent) : BannerBrowser(parent) {
        setFocusPolicy(Qt::StrongFocus);
    }
    void navigate(const std::string& localFile) override { navigations.push_back(localFile); }

    std::vector<std::string> navigations;
};

// For MainWindowEnvironment::makeBrowser.
inline fq::BannerBrowser* MakeFakeBannerBrowser(QWidget* parent) {
    return new FakeBannerBrowser(parent);
}
