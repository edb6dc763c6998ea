#pragma once
// The main window's settings panel: the eight orbs with their aspect colours,
// the four wheel colours, the band colour and the cusp anticipation.

#include "platform/settings.h"

#include <QFrame>
#include <array>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace velorin {

// A clickable colour sample.
class ColorSwatch : public QFrame {
    Q_OBJECT
public:
    explicit ColorSwatch(QWidget* parent = nullptr);
    BgrColor color() const { return m_color; }
    void setColor(BgrColor c);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;

private:
    BgrColor m_color = 0;
};

class SetupPanel : public QFrame {
    Q_OBJECT
public:
    explicit SetupPanel(QWidget* parent = nullptr);

    std::array<QLineEdit*, 8> orbBoxes{}; // Text1 .. Text8
    QLineEdit* Text10 = nullptr;          // cusp anticipation
    QComboBox* cboHouses = nullptr;       // house system, its letter as item data
    std::array<ColorSwatch*, 8> PCol{};   // aspect colours
    std::array<ColorSwatch*, 5> PCol2{};  // color-0 .. color-3, then PAL
    QPushButton* Command1 = nullptr;

    // The boxes, swatches and list as they stand, and putting values in them.
    PanelSettings values() const;
    void showValues(const PanelSettings& values);

    // The swatch clicks: element index of the aspect colours, of the wheel
    // colours. The colour box's choice shows at once; nothing is saved
    // before the OK.
    void PCol_Click(int index);
    void PCol2_Click(int index);

private:
    void chooseColor(ColorSwatch* swatch);
};

} // namespace velorin
