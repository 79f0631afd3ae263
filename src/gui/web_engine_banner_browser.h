#pragma once

#include "gui/banner_browser.h"

class QWebEngineView;

namespace fq {

// The banner browser on Qt WebEngine. Pages open links that ask for a new window
// (target "_blank") in the user's default browser.
class WebEngineBannerBrowser : public BannerBrowser {
    Q_OBJECT

public:
    explicit WebEngineBannerBrowser(QWidget* parent = nullptr);

    void navigate(const std::string& localFile) override;

    QWebEngineView* view() const { return view_; }

private:
    QWebEngineView* view_;
};

} // namespace fq
