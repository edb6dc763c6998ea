#pragma once
// A window keeps a person's state in a PersonEntry; its boxes only show it.
// A bound box writes each change of its text into the entry, whoever makes
// the change (the user, a test, or the window showing the entry), so the
// entry is never behind what the window shows.

class QAbstractButton;
class QLineEdit;
class QString;

namespace velorin {

void bindText(QLineEdit* box, QString& field);
// The option or box sets field to whether it is checked.
void bindChecked(QAbstractButton* button, bool& field);

} // namespace velorin
