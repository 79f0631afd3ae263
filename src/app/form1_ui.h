#pragma once

#include <array>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTreeWidget;
class QWidget;

namespace fq {

// The controls of the main window, created at their design positions.
struct Form1Ui {
    QLineEdit* txtFileType = nullptr;
    std::array<QPlainTextEdit*, 2> txtPHP{};
    QTreeWidget* lvWeb = nullptr;
    std::array<QLabel*, 3> La{};
    QLabel* LaStatus = nullptr;
};

// Creates every control as a child of `window`.
Form1Ui BuildForm1Ui(QWidget* window);

} // namespace fq
