#include "gui/sponsor_window.h"

#include "core/banners/sponsor_slot.h"
#include "gui/banner_view.h"
#include "gui/control_makers.h"
#include "gui/qt_text.h"
#include "gui/twips.h"
#include "gui/twips_layout.h"

#include <QLabel>
#include <QPushButton>
#include <QShortcut>

namespace fq {
namespace {

// The window opens at its design size; the table's positions are for that outer size.
constexpr TwipsSize kOpeningSize{15400, 7500};
// Small enough for any screen, large enough that the buttons stay inside the window and the
// page keeps some height.
constexpr int kMinimumWidth = 3720;
constexpr int kMinimumHeight = 2100;

// The design's labels and buttons are Thai; Loma is the Thai sans-serif face of the setup's
// fonts, and fontconfig finds another where it is missing.
QFont ThaiFont(qreal points) {
    QFont font(QStringLiteral("Loma"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    return font;
}

} // namespace

SponsorWindow::SponsorWindow(const std::string& pageFile, const QUrl& advertisingPage,
                             const std::function<void(const QUrl&)>& openUrl)
    : QWidget(nullptr, Qt::Window) {
    setObjectName(QStringLiteral("sponsorWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("แบนเนอร์ทั้งหมด"));
    setFont(ThaiFont(8));
    connect(new QShortcut(QKeySequence::Cancel, this), &QShortcut::activated, this,
            &QWidget::close);

    page_ = Named(new BannerView(this), "sponsorPage");
    page_->openUrl = openUrl;
    advertiseButton_ = MakeButton(this, "advertiseButton", "ลงโฆษณา");
    closeButton_ = MakeButton(this, "closeButton", "ปิด");
    slotLabel_ = MakeLabel(this, "slotLabel", "86", Qt::AlignHCenter);
    QFont slotFont(QStringLiteral("Arial"));
    slotFont.setStyleHint(QFont::SansSerif);
    slotFont.setPointSize(24);
    slotLabel_->setFont(slotFont);
    QPalette teal = slotLabel_->palette();
    teal.setColor(QPalette::WindowText, QColor(0, 128, 128));
    slotLabel_->setPalette(teal);
    titleLabel_ = MakeLabel(this, "titleLabel", "ฝนตกที่หน้าต่าง");
    titleLabel_->setFont(ThaiFont(9.75));
    // The slot and title come from the maker's list: shown as they are, never as markup.
    slotLabel_->setTextFormat(Qt::PlainText);
    titleLabel_->setTextFormat(Qt::PlainText);

    advertiseButton_->setEnabled(!advertisingPage.isEmpty());
    connect(advertiseButton_, &QPushButton::clicked, this,
            [openUrl, advertisingPage] { openUrl(advertisingPage); });
    connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);
    connect(page_, &BannerView::mouseOver, this, &SponsorWindow::showElement);
    connect(page_, &BannerView::mouseUp, this,
            [this](Qt::MouseButton, const QString& alt) { emit bannerReleased(alt); });

    const qreal dpi = logicalDpiX();
    setMinimumSize(TwipsToPixels(kMinimumWidth, dpi), TwipsToPixels(kMinimumHeight, dpi));
    // The frame is not known before the window manager has framed the window, so the
    // opening size goes to the client area, kept within the screen.
    CentreOnScreen(this, QSize(TwipsToPixels(kOpeningSize.width, dpi),
                               TwipsToPixels(kOpeningSize.height, dpi)));
    // The page fills the window above a band of 1400 twips that holds the labels and buttons.
    const int W = kOpeningSize.width;
    const int B = kOpeningSize.height - 1400;
    new TwipsLayout(
        this, kOpeningSize,
        {
            {page_, {120, 120, W - 460, B}, kStretchWidth | kStretchHeight},
            {advertiseButton_, {W - 3600, B + 250, 1455, 495}, kFollowRight | kFollowBottom},
            {closeButton_, {W - 1900, B + 250, 1455, 495}, kFollowRight | kFollowBottom},
            {slotLabel_, {120, B + 200, 735, 495}, kFollowBottom},
            {titleLabel_, {1080, B + 280, 7455, 495}, kFollowBottom},
        });
    page_->navigate(pageFile);
}

void SponsorWindow::present() {
    PresentWindow(this);
}

void SponsorWindow::showElement(const QString& alt, const QString& title) {
    if (const auto slot = SponsorSlotOf(FromQt(alt))) {
        slotLabel_->setText(ToQt(*slot));
    }
    titleLabel_->setText(title);
}

} // namespace fq
