#include "gui/control_makers.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

namespace fq {

QPushButton* MakeButton(QWidget* window, const char* name, const char* caption) {
    return Named(new QPushButton(QString::fromUtf8(caption), window), name);
}

QLabel* MakeLabel(QWidget* window, const char* name, const char* text, Qt::Alignment horizontal) {
    auto* label = Named(new QLabel(QString::fromUtf8(text), window), name);
    // Labels show texts from sites and from the maker's list: markup in them stays text.
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(horizontal | Qt::AlignVCenter);
    return label;
}

QAction* AddMenuItem(QMenu* menu, const char* name, const char* caption) {
    return Named(menu->addAction(QString::fromUtf8(caption)), name);
}

} // namespace fq
