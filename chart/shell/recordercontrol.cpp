#include "recordercontrol.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

namespace velorin {
namespace {

constexpr int kButton = 24;
constexpr int kGap = 3;

const QColor kIdle = Qt::white;
const QColor kRecordingColor(255, 160, 160);
const QColor kPausedColor(255, 214, 110);

enum class Glyph { Record, Pause, Resume, Stop };

QIcon glyphIcon(Glyph glyph) {
    QPixmap pm(20, 20);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 1));
    switch (glyph) {
    case Glyph::Record:
        p.setBrush(QColor(210, 30, 30));
        p.drawEllipse(QRectF(3, 3, 14, 14));
        break;
    case Glyph::Pause:
        p.setBrush(QColor(50, 50, 50));
        p.drawRect(QRectF(4.5, 3.5, 4, 13));
        p.drawRect(QRectF(11.5, 3.5, 4, 13));
        break;
    case Glyph::Resume: {
        QPainterPath triangle;
        triangle.moveTo(5, 3);
        triangle.lineTo(17, 10);
        triangle.lineTo(5, 17);
        triangle.closeSubpath();
        p.setBrush(QColor(30, 140, 50));
        p.drawPath(triangle);
        break;
    }
    case Glyph::Stop:
        p.setBrush(QColor(50, 50, 50));
        p.drawRect(QRectF(4.5, 4.5, 11, 11));
        break;
    }
    return QIcon(pm);
}

QWidget* colourHolder(QWidget* parent, const char* name, const QColor& colour) {
    auto* w = new QWidget(parent);
    w->setObjectName(name);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, colour);
    w->setPalette(pal);
    w->hide();
    return w;
}

// The texts as users of the earlier program know them, spelling included.
struct ButtonText {
    const char* name;
    const char* status;
    const char* toolTip;
};
const ButtonText kButtonTexts[] = {
    {"H1", "Hangfelvétel elkezdése", "Hangfelvétel kezdése"},
    {"H2", "Hangfelvétel szüneteltetése illetve folytatása",
     "Hangfelvétel szüneteltetése - elinditása"},
    {"H3", "Hangfelvétel megállitása", "Hangfelvétel leállitása"},
};

} // namespace

RecorderControl::RecorderControl(QWidget* parent) : QWidget(parent) {
    setObjectName("picHang");
    setFixedSize(2 * kButton + 3 * kGap, kButton + 2 * kGap);
    setAutoFillBackground(true);
    Picture3 = colourHolder(this, "Picture3", kRecordingColor);
    Picture4 = colourHolder(this, "Picture4", kPausedColor);

    QToolButton** buttons[] = {&H1, &H2, &H3};
    for (size_t i = 0; i < 3; ++i) {
        auto* b = new QToolButton(this);
        b->setObjectName(kButtonTexts[i].name);
        b->setToolTip(QString::fromUtf8(kButtonTexts[i].toolTip));
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setIconSize(QSize(20, 20));
        b->resize(kButton, kButton);
        b->installEventFilter(this);
        *buttons[i] = b;
    }
    // Start and pause/resume are never offered together: they share a place.
    H1->move(kGap, kGap);
    H2->move(kGap, kGap);
    H3->move(2 * kGap + kButton, kGap);
    H1->setIcon(glyphIcon(Glyph::Record));
    H3->setIcon(glyphIcon(Glyph::Stop));
    connect(H1, &QToolButton::clicked, this, &RecorderControl::H1_Click);
    connect(H2, &QToolButton::clicked, this, &RecorderControl::H2_Click);
    connect(H3, &QToolButton::clicked, this, &RecorderControl::H3_Click);
    m_recording.setChanged([this] { showState(); });
    showState();
}

void RecorderControl::H1_Click() {
    if (m_recording.start(m_nameSource ? m_nameSource() : QString()))
        showState();
}

void RecorderControl::H2_Click() {
    if (m_recording.pauseOrResume())
        showState();
}

void RecorderControl::H3_Click() {
    if (m_recording.stop())
        showState();
}

void RecorderControl::showState() {
    const RecorderState s = m_recording.state();
    const RecorderButtons offered = recorderButtons(s);
    H1->setVisible(offered.start);
    H2->setVisible(offered.pauseResume);
    H3->setVisible(offered.stop);
    H2->setIcon(glyphIcon(s == RecorderState::Paused ? Glyph::Resume : Glyph::Pause));

    QColor background = kIdle;
    if (s == RecorderState::Recording)
        background = Picture3->palette().color(QPalette::Window);
    else if (s == RecorderState::Paused)
        background = Picture4->palette().color(QPalette::Window);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, background);
    setPalette(pal);
}

void RecorderControl::paintEvent(QPaintEvent*) {
    // Idle is white, like the window: a faint frame keeps the group visible.
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    p.setPen(QColor(190, 190, 190));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

bool RecorderControl::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Enter) {
        const QObject* buttons[] = {H1, H2, H3};
        for (size_t i = 0; i < 3; ++i)
            if (watched == buttons[i])
                emit statusText(QString::fromUtf8(kButtonTexts[i].status));
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace velorin
