#pragma once
// Two people's charts on one wheel: the first person's chart is the wheel,
// the second person's bodies stand over it as smaller glyphs on discs, and the
// chords are the aspects between the two people's planets.

#include "wheelpainter.h"

#include "engine/crossangles.h"

namespace velorin {

// The second person's glyph elements follow the first person's 15.
inline constexpr int kSecondGlyphOffset = kDrawnBodies;

// The ring of the second person's glyph discs.
inline const QColor kSecondPersonBadge{150, 40, 160};

// Whether the chord of a cross-aspect is drawn under the click filter:
// glyph elements 0..14 are the first person's bodies, 15..29 the second's.
bool crossChordShown(const CrossAspect& a, const WheelSelection& selection);

// The second person's glyph size: 16 pixels up to an 800 x 600 client area,
// growing with larger wheels.
int secondGlyphSize(const WheelGeometry& g);

// The radius of the ringed disc under a second person's glyph of glyphSize.
double secondDiscRadius(int glyphSize);

// The whole synastry wheel on surface. Returns the places of both persons'
// glyphs, the first person's first (indices 0..29).
std::vector<GlyphHit> drawSynastryWheel(QImage& surface, const Chart& first,
                                        const Longitudes& second,
                                        const std::vector<CrossAspect>& aspects,
                                        const WorkingSettings& ws,
                                        const WheelSelection& selection = {});

// The same painted by p on a client area of size pixels from p's origin.
std::vector<GlyphHit> paintSynastryWheel(QPainter& p, QSize size, const Chart& first,
                                         const Longitudes& second,
                                         const std::vector<CrossAspect>& aspects,
                                         const WorkingSettings& ws,
                                         const WheelSelection& selection = {});

// The same as an image of clientSize, with the cross-aspects of ws; a null
// image for an empty size.
QImage renderSynastryImage(const Chart& first, const Chart& second, const WorkingSettings& ws,
                           QSize clientSize);

} // namespace velorin
