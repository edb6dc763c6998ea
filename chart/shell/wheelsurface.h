#pragma once
// The main window's drawing surface: shows the painted wheel image (which
// persists until the next draw) and turns clicks on body glyphs into their
// glyph index.

#include <QImage>
#include <QRect>
#include <QWidget>
#include <utility>
#include <vector>

namespace velorin {

class WheelSurface : public QWidget {
    Q_OBJECT
public:
    explicit WheelSurface(QWidget* parent = nullptr);

    // The image and, per body glyph, its element index and where it was painted.
    void setPicture(const QImage& image, std::vector<std::pair<int, QRect>> glyphs);
    const QImage& picture() const { return m_image; }
    // The glyph element at pos, -1 when none (the last painted wins).
    int glyphAt(QPoint pos) const;

signals:
    void glyphClicked(int index);
    void hovered();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QImage m_image;
    std::vector<std::pair<int, QRect>> m_glyphs;
};

} // namespace velorin
