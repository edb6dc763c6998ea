#pragma once
// The generation settings dialog: which passages go into which document.

#include "interpretation/generation.h"

#include <QDialog>

class QCheckBox;
class QPushButton;
class QRadioButton;

namespace velorin {

class frmSelect : public QDialog {
    Q_OBJECT
public:
    explicit frmSelect(QWidget* parent = nullptr);

    // Shows the dialog modally and returns the chosen mode; None when it was
    // cancelled by "MÉGSEM", Escape or the window frame.
    static GenerationMode choose(QWidget* parent);

    GenerationMode mode() const { return mode_; }

    QRadioButton* Option1;
    QCheckBox* Check1;
    QRadioButton* Option2;
    QRadioButton* Option3;
    QPushButton* Command1;
    QPushButton* Command2;

public slots:
    void reject() override;

private:
    void pressOk();

    GenerationMode mode_ = GenerationMode::None;
};

} // namespace velorin
