#pragma once

#include <QLabel>

namespace fq {

// A picture that reports a released mouse button over it as a click (the left one unless told
// otherwise). When it takes the keyboard focus, it shows a focus frame and Space or Enter
// click it too.
class ClickableImage : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

    void setClickButtons(Qt::MouseButtons buttons) { clickButtons_ = buttons; }

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    Qt::MouseButtons clickButtons_ = Qt::LeftButton;
};

} // namespace fq
