#include "gui/sponsor_window.h"

#include "core/banners/sponsor_slot.h"
#include "gui/banner_view.h"
#include "gui/qt_text.h"
#include "gui/twips.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace fq {
namespace {

constexpr int kOpeningWidth = 15400;
constexpr int kOpeningHeight = 7500;
// The band below the page that holds the labels and buttons.
constexpr int kBandHeight = 1400;
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

QLabel* MakeLabel(QWidget* window, const char* name, const char* text, const QFont& font) {
    auto* label = new QLabel(QString::fromUtf8(text), window);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(font);
    return label;
}

QPushButton* MakeButton(QWidget* window, const char* name, const char* text) {
    auto* button = new QPushButton(QString::fromUtf8(text), window);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

} // namespace

SponsorWindow::SponsorWindow(const std::string& pageFile, const QUrl& advertisingPage,
                             const std::function<void(const QUrl&)>& openUrl)
    : QWidget(nullptr, Qt::Window) {
    setObjectName(QStringLiteral("sponsorWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("แบนเนอร์ทั้งหมด"));
    setFont(ThaiFont(8));

    page_ = new BannerView(this);
    page_->setObjectName(QStringLiteral("sponsorPage"));
    page_->openUrl = openUrl;
    advertiseButton_ = MakeButton(this, "advertiseButton", "ลงโฆษณา");
    closeButton_ = MakeButton(this, "closeButton", "ปิด");
    slotLabel_ = MakeLabel(this, "slotLabel", "86", [] {
        QFont font(QStringLiteral("Arial"));
        font.setStyleHint(QFont::SansSerif);
        font.setPointSize(24);
        return font;
    }());
    slotLabel_->setAlignment(Qt::AlignCenter);
    QPalette teal = slotLabel_->palette();
    teal.setColor(QPalette::WindowText, QColor(0, 128, 128));
    slotLabel_->setPalette(teal);
    titleLabel_ = MakeLabel(this, "titleLabel", "ฝนตกที่หน้าต่าง", ThaiFont(9.75));

    PlaceInTwips(page_, 120, 120, 8535, 2040);
    PlaceInTwips(advertiseButton_, 5520, 2400, 1455, 495);
    PlaceInTwips(closeButton_, 7080, 2400, 1455, 495);
    PlaceInTwips(slotLabel_, 120, 2280, 735, 495);
    PlaceInTwips(titleLabel_, 1080, 2280, 7455, 495);

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
    QRect placed(0, 0, TwipsToPixels(kOpeningWidth, dpi), TwipsToPixels(kOpeningHeight, dpi));
    if (const QScreen* shownOn = screen()) {
        const QRect available = shownOn->availableGeometry();
        placed.setSize(placed.size().boundedTo(available.size()));
        placed.moveCenter(available.center());
    }
    setGeometry(placed);
    page_->navigate(pageFile);
}

void SponsorWindow::present() {
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void SponsorWindow::showElement(const QString& alt, const QString& title) {
    if (const auto slot = SponsorSlotOf(FromQt(alt))) {
        slotLabel_->setText(ToQt(*slot));
    }
    titleLabel_->setText(title);
}

void SponsorWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layOutControls();
}

void SponsorWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    // The frame's size becomes known once the window has been framed, which arrives as a move.
    layOutControls();
}

void SponsorWindow::layOutControls() {
    if (isMinimized()) {
        return;
    }
    const qreal dpi = logicalDpiX();
    const auto px = [dpi](int twips) { return TwipsToPixels(twips, dpi); };
    const QRect outer = frameGeometry();
    const int width = PixelsToTwips(outer.width(), dpi);
    const int pageHeight = PixelsToTwips(outer.height(), dpi) - kBandHeight;
    page_->setGeometry(px(120), px(120), px(width - 460), px(pageHeight));
    advertiseButton_->move(px(width - 3600), px(pageHeight + 250));
    closeButton_->move(px(width - 1900), px(pageHeight + 250));
    slotLabel_->move(slotLabel_->x(), px(pageHeight + 200));
    titleLabel_->move(titleLabel_->x(), px(pageHeight + 280));
}

} // namespace fq
