#pragma once
// The recording buttons at the bottom right of the main window (picHang):
// start, pause or resume, and stop, on a background that shows the state.

#include "recording.h"

#include <QWidget>
#include <functional>

class QToolButton;

namespace velorin {

class RecorderControl : public QWidget {
    Q_OBJECT
public:
    explicit RecorderControl(QWidget* parent = nullptr);

    // Where the start takes the proposed file name from (the person's name).
    void setNameSource(std::function<QString()> source) { m_nameSource = std::move(source); }

    void H1_Click(); // start
    void H2_Click(); // pause or resume
    void H3_Click(); // stop

    RecorderState state() const { return m_recording.state(); }
    const Recording& recording() const { return m_recording; }

    QToolButton* H1 = nullptr;
    QToolButton* H2 = nullptr;
    QToolButton* H3 = nullptr;
    // Hidden: they hold the background colours of recording and paused.
    QWidget* Picture3 = nullptr;
    QWidget* Picture4 = nullptr;

signals:
    // The status-line text for the button under the mouse.
    void statusText(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void showState();

    Recording m_recording;
    std::function<QString()> m_nameSource;
};

} // namespace velorin
