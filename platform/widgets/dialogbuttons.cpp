#include "dialogbuttons.h"

#include <QPushButton>

namespace velorin {

std::pair<QPushButton*, QPushButton*> okCancelButtons(QWidget* dialog) {
    auto* ok = new QPushButton(QStringLiteral("OK"), dialog);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("MÉGSEM"), dialog);
    cancel->setObjectName(QStringLiteral("Command2"));
    return {ok, cancel};
}

} // namespace velorin
