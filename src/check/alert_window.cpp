#include "check/alert_window.h"

#include "app/qt_text.h"
#include "app/twips.h"
#include "check/alert_text.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

namespace fq {

AlertWindow::AlertWindow(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("mBox"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Alert !"));
    const qreal dpi = logicalDpiX();
    setFixedSize(TwipsToPixels(5310, dpi), TwipsToPixels(3030, dpi));

    Co = new QPushButton(QStringLiteral("OK"), this);
    Co->setObjectName(QStringLiteral("Co"));
    PlaceInTwips(Co, 2040, 2400, 1215, 495);
    connect(Co, &QPushButton::clicked, this, &QWidget::close);

    Le = new QLabel(QStringLiteral("0"), this);
    Le->setObjectName(QStringLiteral("Le"));
    Le->setAlignment(Qt::AlignCenter);
    Le->setAutoFillBackground(true);
    QFont counterFont = Le->font();
    counterFont.setPointSize(18);
    counterFont.setBold(true);
    Le->setFont(counterFont);
    QPalette counterColours = Le->palette();
    counterColours.setColor(QPalette::Window, QColor(0, 128, 0));
    counterColours.setColor(QPalette::WindowText, QColor(255, 255, 0));
    Le->setPalette(counterColours);
    PlaceInTwips(Le, 120, 120, 735, 495);

    La = new QLabel(QStringLiteral("Quorvel Report !"), this);
    La->setObjectName(QStringLiteral("La"));
    PlaceInTwips(La, 960, 240, 3735, 255);

    Te = new QPlainTextEdit(this);
    Te->setObjectName(QStringLiteral("Te"));
    Te->setReadOnly(true);
    Te->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    PlaceInTwips(Te, 120, 720, 5055, 1695);

    // "OK" comes first in the focus order.
    setTabOrder(Co, Te);
    Co->setFocus();

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void AlertWindow::Deliver(const std::string& line) {
    text_ = AppendAlertLine(text_, line);
    Te->setPlainText(LinesToQt(text_));
    Le->setText(QString::number(++count_));
    show();
}

} // namespace fq
