#pragma once
// The main window's drawing surface: shows the painted wheel image (which
// persists until the next draw), turns clicks on body glyphs into their glyph
// index, shows each glyph's tool tip, and takes freehand strokes drawn with
// the mouse into the image itself, so that they are printed and exported
// with it until the next draw replaces the image.

#include <QColor>
#include <QImage>
#include <QPolygon>
#include <QRect>
#include <QString>
#include <QWidget>
#include <utility>
#include <vector>

class QPainter;

namespace velorin {

class WheelSurface : public QWidget {
    Q_OBJECT
public:
    explicit WheelSurface(QWidget* parent = nullptr);

    // The image the next wheel is painted on: the one shown, kept while the
    // size stays, so that a frame repaints only what changed.
    QImage& canvas(QSize size);
    // The wheel painted on canvas() is shown; per body glyph, its element
    // index and where it was painted.
    void pictureDrawn(std::vector<std::pair<int, QRect>> glyphs);
    // The wheel as shown, with the strokes drawn on it since it was painted.
    const QImage& picture() const { return m_image; }
    // Each body glyph's element index and where it was painted.
    const std::vector<std::pair<int, QRect>>& glyphs() const { return m_glyphs; }
    // The same strokes again on any painter (a printer, a vector page), in
    // the surface's pixels, so that a vector wheel carries them too.
    void paintStrokes(QPainter& painter) const;
    // The glyph element at pos, -1 when none (the last painted wins).
    int glyphAt(QPoint pos) const;
    // Tool tips by glyph element index; an element without one shows none.
    void setGlyphTips(std::vector<QString> tips) { m_tips = std::move(tips); }

signals:
    void glyphClicked(int index);
    void hovered();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void strokeTo(QPoint to);

    struct Stroke {
        QColor ink;
        QPolygon points;
    };

    QImage m_image;
    std::vector<Stroke> m_strokes; // since the last pictureDrawn
    std::vector<std::pair<int, QRect>> m_glyphs;
    std::vector<QString> m_tips;
    bool m_drawing = false;
    QPoint m_current;
    QColor m_ink;
};

} // namespace velorin
