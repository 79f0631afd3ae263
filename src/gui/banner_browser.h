#pragma once

#include <QWidget>
#include <functional>
#include <string>

namespace fq {

// An embedded browser that shows the program's own local pages (the banner strip). It sits
// behind this small interface so that most widget tests need no browser engine.
class BannerBrowser : public QWidget {
    Q_OBJECT

public:
    using QWidget::QWidget;

    // Shows the local file at `localFile` (a path in bytes). A missing file is not tested
    // for: the view shows whatever its engine shows for one.
    virtual void navigate(const std::string& localFile) = 0;
};

// Creates the browser as a child of `parent`, which owns it.
using BannerBrowserFactory = std::function<BannerBrowser*(QWidget* parent)>;

} // namespace fq
