#include "gui/alert_window.h"

#include "core/check/alert_text.h"
#include "gui/qt_text.h"
#include "gui/twips.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

namespace fq {

AlertWindow::AlertWindow(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("alertWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Alert !"));
    const qreal dpi = logicalDpiX();
    setFixedSize(TwipsToPixels(5310, dpi), TwipsToPixels(3030, dpi));

    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setObjectName(QStringLiteral("okButton"));
    PlaceInTwips(okButton_, 2040, 2400, 1215, 495);
    connect(okButton_, &QPushButton::clicked, this, &QWidget::close);

    counterLabel_ = new QLabel(QStringLiteral("0"), this);
    counterLabel_->setObjectName(QStringLiteral("counterLabel"));
    counterLabel_->setAlignment(Qt::AlignCenter);
    counterLabel_->setAutoFillBackground(true);
    QFont counterFont = counterLabel_->font();
    counterFont.setPointSize(18);
    counterFont.setBold(true);
    counterLabel_->setFont(counterFont);
    QPalette counterColours = counterLabel_->palette();
    counterColours.setColor(QPalette::Window, QColor(0, 128, 0));
    counterColours.setColor(QPalette::WindowText, QColor(255, 255, 0));
    counterLabel_->setPalette(counterColours);
    PlaceInTwips(counterLabel_, 120, 120, 735, 495);

    titleLabel_ = new QLabel(QStringLiteral("Quorvel Report !"), this);
    titleLabel_->setObjectName(QStringLiteral("titleLabel"));
    PlaceInTwips(titleLabel_, 960, 240, 3735, 255);

    alertText_ = new QPlainTextEdit(this);
    alertText_->setObjectName(QStringLiteral("alertText"));
    alertText_->setReadOnly(true);
    alertText_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    PlaceInTwips(alertText_, 120, 720, 5055, 1695);

    // "OK" comes first in the focus order.
    setTabOrder(okButton_, alertText_);
    okButton_->setFocus();

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void AlertWindow::deliver(const std::string& line) {
    text_ = AppendAlertLine(text_, line);
    alertText_->setPlainText(LinesToQt(text_));
    counterLabel_->setText(QString::number(++count_));
    show();
}

} // namespace fq
