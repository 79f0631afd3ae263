#pragma once

#include <QLabel>

namespace fq {

// A picture that reports a released left button over it as a click. When it takes the
// keyboard focus, it shows a focus frame and Space or Enter click it too.
class ClickableImage : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace fq
