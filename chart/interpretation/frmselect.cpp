#include "frmselect.h"

#include "platform/widgets/dialogbuttons.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <tuple>

namespace velorin {

frmSelect::frmSelect(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmSelect"));
    setWindowTitle(QStringLiteral("Elemző szöveg generálása - beállitások"));
    setModal(true);

    Option1 = new QRadioButton(QStringLiteral("Mentés txt - ből doc formátumba"), this);
    Option1->setObjectName(QStringLiteral("Option1"));
    Check1 = new QCheckBox(QStringLiteral("Régi DOS ékezetes karakterek javitása"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Option2 = new QRadioButton(QStringLiteral("Mentés txt - ből TXT formátumba"), this);
    Option2->setObjectName(QStringLiteral("Option2"));
    Option3 = new QRadioButton(QStringLiteral("Mentés doc - ból doc - ba"), this);
    Option3->setObjectName(QStringLiteral("Option3"));
    std::tie(Command1, Command2) = okCancelButtons(this);

    Option1->setChecked(true);
    Check1->setChecked(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Option1);
    auto* indented = new QHBoxLayout;
    indented->addSpacing(20);
    indented->addWidget(Check1);
    layout->addLayout(indented);
    layout->addWidget(Option2);
    layout->addWidget(Option3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    layout->addLayout(buttons);

    connect(Command1, &QPushButton::clicked, this, &frmSelect::pressOk);
    connect(Command2, &QPushButton::clicked, this, &frmSelect::reject);
}

GenerationMode frmSelect::choose(QWidget* parent) {
    frmSelect dialog(parent);
    dialog.exec();
    return dialog.mode();
}

void frmSelect::pressOk() {
    // The repair box counts only together with the first option.
    if (Option1->isChecked())
        mode_ = Check1->isChecked() ? GenerationMode::DosTextToRtf : GenerationMode::TextToRtf;
    else if (Option2->isChecked())
        mode_ = GenerationMode::TextToText;
    else
        mode_ = GenerationMode::RtfToRtf;
    accept();
}

// "MÉGSEM", Escape and the frame's close button all end here, so a dialog
// closed any other way than "OK" never generates with a stale mode.
void frmSelect::reject() {
    mode_ = GenerationMode::None;
    QDialog::reject();
}

} // namespace velorin
