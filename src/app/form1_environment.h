#pragma once

#include "app/banner_browser.h"
#include "app/web_engine_banner_browser.h"

#include <string>

namespace fq {

// What the main window is handed by main(), so that tests can build it over a temporary
// program folder.
struct Form1Environment {
    std::string appFolder; // the program folder, ending in "/"
    // Makes the banner strip `Browser1`; tests that need no browser engine hand their own.
    BannerBrowserFactory makeBrowser = MakeWebEngineBannerBrowser;
};

} // namespace fq
