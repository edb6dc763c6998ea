#include "recordercontrol.h"

#include "assets/artwork.h"

#include <QEvent>
#include <QPainter>
#include <QToolButton>

namespace velorin {
namespace {

constexpr int kButton = 24;
constexpr int kGap = 3;

const QColor kIdle = Qt::white;
const QColor kRecordingColor(255, 160, 160);
const QColor kPausedColor(255, 214, 110);

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
    H1->setIcon(artworkIcon(QStringLiteral("recorder/record")));
    H3->setIcon(artworkIcon(QStringLiteral("recorder/stop")));
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
    H2->setIcon(artworkIcon(s == RecorderState::Paused ? QStringLiteral("recorder/resume")
                                                       : QStringLiteral("recorder/pause")));

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
