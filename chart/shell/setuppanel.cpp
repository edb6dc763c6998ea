#include "setuppanel.h"

#include "engine/housesystem.h"
#include "platform/uiprompts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

namespace velorin {

namespace {} // namespace

ColorSwatch::ColorSwatch(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::Box);
    setFixedSize(44, 20);
    setCursor(Qt::PointingHandCursor);
}

void ColorSwatch::setColor(BgrColor c) {
    m_color = c & 0xFFFFFF;
    update();
}

void ColorSwatch::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    p.fillRect(rect().adjusted(1, 1, -1, -1), qColorOf(m_color));
    p.end();
    QFrame::paintEvent(e);
}

void ColorSwatch::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton)
        emit clicked();
}

SetupPanel::SetupPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("pSetup"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(20, 16, 20, 60);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);

    auto* head = new QLabel(QStringLiteral("<b>Fényszögek</b> (orbisz fokban, vonal szine)"), this);
    grid->addWidget(head, 0, 0, 1, 3);
    for (int n = 0; n < 8; ++n) {
        auto* angle =
            new QLabel(QString::number(kOrbAngles[size_t(n)]) + QStringLiteral("°"), this);
        angle->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("Text%1").arg(n + 1));
        box->setFixedWidth(60);
        auto* swatch = new ColorSwatch(this);
        swatch->setObjectName(QStringLiteral("PCol_%1").arg(n));
        connect(swatch, &ColorSwatch::clicked, this, [this, n] { PCol_Click(n); });
        orbBoxes[size_t(n)] = box;
        PCol[size_t(n)] = swatch;
        grid->addWidget(angle, n + 1, 0);
        grid->addWidget(box, n + 1, 1);
        grid->addWidget(swatch, n + 1, 2);
    }

    grid->setColumnMinimumWidth(3, 40);
    // The wheel colours, listed from the band inward as on the wheel.
    const struct {
        int element;
        const char* text;
    } wheel[] = {{4, "Állatöv háttérszine"},
                 {3, "ASC, MC tengely szine:"},
                 {2, "Sárkányfej-farok tengely szine:"},
                 {1, "Házak vonalának szine:"},
                 {0, "Körök szine:"}};
    auto* wheelHead = new QLabel(QStringLiteral("<b>A kör szinei</b>"), this);
    grid->addWidget(wheelHead, 0, 4, 1, 2);
    int row = 1;
    for (const auto& w : wheel) {
        auto* swatch = new ColorSwatch(this);
        swatch->setObjectName(QStringLiteral("PCol2_%1").arg(w.element));
        const int element = w.element;
        connect(swatch, &ColorSwatch::clicked, this, [this, element] { PCol2_Click(element); });
        PCol2[size_t(w.element)] = swatch;
        grid->addWidget(new QLabel(QString::fromUtf8(w.text), this), row, 4);
        grid->addWidget(swatch, row, 5);
        ++row;
    }

    auto* hefLabel = new QLabel(
        QStringLiteral(
            "Egy bolygó ennyi foktól a ház csúcsa előtt már a következő házban értelmeződik:"),
        this);
    hefLabel->setWordWrap(true);
    hefLabel->setMinimumWidth(300);
    Text10 = new QLineEdit(this);
    Text10->setObjectName(QStringLiteral("Text10"));
    Text10->setFixedWidth(60);
    grid->addWidget(hefLabel, row + 1, 4, 2, 1);
    grid->addWidget(Text10, row + 1, 5, Qt::AlignTop);

    auto* housesLabel = new QLabel(QStringLiteral("Házrendszer:"), this);
    cboHouses = new QComboBox(this);
    cboHouses->setObjectName(QStringLiteral("cboHouses"));
    for (const HouseSystem& h : houseSystems()) {
        QString name = QString::fromUtf8(h.name);
        name[0] = name[0].toUpper();
        cboHouses->addItem(name, QChar::fromLatin1(h.letter));
    }
    housesLabel->setBuddy(cboHouses);
    grid->addWidget(housesLabel, row + 3, 4);
    grid->addWidget(cboHouses, row + 3, 5, 1, 2, Qt::AlignLeft);
    grid->setColumnStretch(6, 1);
    grid->setRowStretch(10, 1);

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setFixedWidth(90);
}

PanelSettings SetupPanel::values() const {
    PanelSettings v;
    for (size_t n = 0; n < 8; ++n) {
        v.orbTexts[n] = orbBoxes[n]->text();
        v.aspectColors[n] = PCol[n]->color();
    }
    for (size_t n = 0; n < 5; ++n)
        v.wheelColors[n] = PCol2[n]->color();
    v.anticipationText = Text10->text();
    const QString letter = cboHouses->currentData().toString();
    v.houseSystem = letter.isEmpty() ? kDefaultHouseSystem : letter.at(0).toLatin1();
    return v;
}

void SetupPanel::showValues(const PanelSettings& v) {
    for (size_t n = 0; n < 8; ++n) {
        orbBoxes[n]->setText(v.orbTexts[n]);
        PCol[n]->setColor(v.aspectColors[n]);
    }
    for (size_t n = 0; n < 5; ++n)
        PCol2[n]->setColor(v.wheelColors[n]);
    Text10->setText(v.anticipationText);
    const int at = cboHouses->findData(QChar::fromLatin1(v.houseSystem));
    cboHouses->setCurrentIndex(at < 0 ? 0 : at);
}

void SetupPanel::PCol_Click(int index) {
    if (index >= 0 && index < int(PCol.size()))
        chooseColor(PCol[size_t(index)]);
}

void SetupPanel::PCol2_Click(int index) {
    if (index >= 0 && index < int(PCol2.size()))
        chooseColor(PCol2[size_t(index)]);
}

void SetupPanel::chooseColor(ColorSwatch* swatch) {
    QColor color = qColorOf(swatch->color());
    if (prompts().chooseColor(color))
        swatch->setColor(bgrOf(color));
}

} // namespace velorin
