#pragma once

#include <QLabel>

namespace fq {

// A picture that reports a released left button over it as a click.
class ClickableImage : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace fq
