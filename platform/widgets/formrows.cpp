#include "formrows.h"

#include <QHBoxLayout>
#include <QLabel>

namespace velorin {

QLabel* fieldCaption(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    return label;
}

QHBoxLayout* rightAlignedRow(QWidget* button) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(button);
    return row;
}

} // namespace velorin
