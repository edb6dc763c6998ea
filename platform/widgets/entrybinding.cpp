#include "entrybinding.h"

#include <QAbstractButton>
#include <QLineEdit>

namespace velorin {

void bindText(QLineEdit* box, QString& field) {
    QObject::connect(box, &QLineEdit::textChanged, box, [&field](const QString& t) { field = t; });
}

void bindChecked(QAbstractButton* button, bool& field) {
    QObject::connect(button, &QAbstractButton::toggled, button, [&field](bool on) { field = on; });
}

} // namespace velorin
