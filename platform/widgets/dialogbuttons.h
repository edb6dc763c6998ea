#pragma once
// The dialogs' button pair: "OK" (Command1, the default button) and "MÉGSEM"
// (Command2), named as the windows' tests and keys find them.

#include <utility>

class QPushButton;
class QWidget;

namespace velorin {

std::pair<QPushButton*, QPushButton*> okCancelButtons(QWidget* dialog);

} // namespace velorin
