#pragma once

#include <QWidget>
#include <string>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace fq {

// The "Alert !" window: collects the alert lines of scheduled checks with a counter until the
// user presses "OK". Closing it destroys it with its text and counter.
class AlertWindow : public QWidget {
    Q_OBJECT

public:
    explicit AlertWindow(QWidget* parent = nullptr);

    // Appends `line` to the text, raises the counter and shows the window (not modal).
    void deliver(const std::string& line);

    const QLabel* counterLabel() const { return counterLabel_; }
    const QPlainTextEdit* alertText() const { return alertText_; }
    QPushButton* okButton() const { return okButton_; }

private:
    QLabel* counterLabel_ = nullptr;
    QLabel* titleLabel_ = nullptr;
    QPlainTextEdit* alertText_ = nullptr;
    QPushButton* okButton_ = nullptr;
    std::string text_;
    int count_ = 0;
};

} // namespace fq
