#include "gui/control_makers.h"

#include <QLabel>
#include <QPushButton>

namespace fq {

QPushButton* MakeButton(QWidget* window, const char* name, const char* caption) {
    return Named(new QPushButton(QString::fromUtf8(caption), window), name);
}

QLabel* MakeLabel(QWidget* window, const char* name, const char* text, Qt::Alignment horizontal) {
    auto* label = Named(new QLabel(QString::fromUtf8(text), window), name);
    label->setAlignment(horizontal | Qt::AlignVCenter);
    return label;
}

} // namespace fq
