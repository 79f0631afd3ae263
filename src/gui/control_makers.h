#pragma once

#include <QString>
#include <Qt>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QWidget;

namespace fq {

// Gives `control` its object name, which tests and the tab order find it by.
template <typename Control>
Control* Named(Control* control, const char* name) {
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

// A push button of `window` with the UTF-8 caption `caption`; the window's layout places it.
QPushButton* MakeButton(QWidget* window, const char* name, const char* caption);

// A plain-text label of `window` with the UTF-8 text `text`, centred vertically and aligned
// `horizontal`.
QLabel* MakeLabel(QWidget* window, const char* name, const char* text,
                  Qt::Alignment horizontal = Qt::AlignLeft);

// An item of `menu` with the caption `caption` (an "&" marks its access key).
QAction* AddMenuItem(QMenu* menu, const char* name, const char* caption);

} // namespace fq
