#include "gui/alert_window.h"

#include "core/check/alert_text.h"
#include "gui/control_makers.h"
#include "gui/qt_text.h"
#include "gui/twips.h"
#include "gui/twips_layout.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>

namespace fq {

AlertWindow::AlertWindow(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("alertWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Alert !"));
    const qreal dpi = logicalDpiX();
    const TwipsSize size{5310, 3030};
    setFixedSize(TwipsToPixels(size.width, dpi), TwipsToPixels(size.height, dpi));

    okButton_ = MakeButton(this, "okButton", "OK");
    connect(okButton_, &QPushButton::clicked, this, &QWidget::close);
    // Not a dialog, so no default button: Enter is given to OK by hand.
    for (const int key : {Qt::Key_Return, Qt::Key_Enter}) {
        connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, okButton_,
                &QPushButton::click);
    }

    counterLabel_ = MakeLabel(this, "counterLabel", "0", Qt::AlignHCenter);
    counterLabel_->setAutoFillBackground(true);
    QFont counterFont = counterLabel_->font();
    counterFont.setPointSize(18);
    counterFont.setBold(true);
    counterLabel_->setFont(counterFont);
    QPalette counterColours = counterLabel_->palette();
    counterColours.setColor(QPalette::Window, QColor(0, 128, 0));
    counterColours.setColor(QPalette::WindowText, QColor(255, 255, 0));
    counterLabel_->setPalette(counterColours);

    titleLabel_ = MakeLabel(this, "titleLabel", "Quorvel Report !");

    alertText_ = Named(new QPlainTextEdit(this), "alertText");
    alertText_->setReadOnly(true);
    alertText_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    // A window of fixed size: nothing follows its edges.
    new TwipsLayout(this, size,
                    {
                        {okButton_, {2040, 2400, 1215, 495}},
                        {counterLabel_, {120, 120, 735, 495}},
                        {titleLabel_, {960, 240, 3735, 255}},
                        {alertText_, {120, 720, 5055, 1695}},
                    });

    // "OK" comes first in the focus order.
    setTabOrder(okButton_, alertText_);
    okButton_->setFocus();
    CentreOnScreen(this, this->size());
}

void AlertWindow::deliver(const std::string& line) {
    text_ = AppendAlertLine(text_, line);
    alertText_->setPlainText(LinesToQt(text_));
    counterLabel_->setText(QString::number(++count_));
    show();
}

} // namespace fq
