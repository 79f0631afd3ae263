#pragma once

#include "app/form1_environment.h"

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

// The main window's collaborators over the program folder `appFolder`, with the fake strip.
inline fq::Form1Environment FakeBrowserEnvironment(const std::string& appFolder) {
    fq::Form1Environment environment{appFolder};
    environment.makeBrowser = [](QWidget* parent) { return new FakeBannerBrowser(parent); };
    return environment;
}
