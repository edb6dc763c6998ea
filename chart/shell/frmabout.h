#pragma once
// The About window: the program's picture, a read-only text with the
// program's information and its licence, and "OK".

#include <QDialog>

class QPushButton;
class QTextEdit;

namespace velorin {

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    QTextEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr; // "OK"
};

// The text the window shows.
QString aboutText();

} // namespace velorin
