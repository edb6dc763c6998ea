#pragma once
// The synastry wheel window: the first person's chart as the wheel, the second
// person's bodies over it, the chords of the aspects between them. A resize or
// a click on a glyph asks the input dialog to compute everything again.

#include "engine/crossangles.h"
#include "platform/settings.h"
#include "wheel/wheelpainter.h"

#include <QImage>
#include <QWidget>
#include <functional>

namespace velorin {

class frmDraw : public QWidget {
    Q_OBJECT
public:
    explicit frmDraw(QWidget* parent = nullptr);

    // What the next DrawRadix draws; set by the input dialog before it.
    void setCharts(const Chart& first, const Longitudes& second, const WorkingSettings& ws);
    void DrawRadix();

    // Recomputes both charts and redraws (the input dialog's PressOK).
    std::function<void()> pressOK;
    bool Elindult = false;

    // A click on glyph element index (0..14 first person, 15..29 second).
    void P_Click(int index);

    const WheelSelection& selection() const { return m_selection; }
    const std::vector<GlyphHit>& glyphHits() const { return m_hits; }
    const std::vector<CrossAspect>& crossAspects() const { return m_aspects; }
    const QImage& surface() const { return m_surface; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    Chart m_first;
    Longitudes m_second{};
    WorkingSettings m_settings;
    std::vector<CrossAspect> m_aspects;
    std::vector<GlyphHit> m_hits;
    WheelSelection m_selection;
    QImage m_surface;
};

} // namespace velorin
