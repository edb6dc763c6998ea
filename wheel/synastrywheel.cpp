#include "synastrywheel.h"

#include "engine/angles.h"

#include <algorithm>
#include <cmath>

namespace velorin {

bool crossChordShown(const CrossAspect& a, const WheelSelection& selection) {
    if (!selection.filter)
        return true;
    if (selection.glyph < kSecondGlyphOffset)
        return a.first == selection.glyph + 1;
    return a.second == selection.glyph - kSecondGlyphOffset + 1;
}

int secondGlyphSize(const WheelGeometry& g) {
    // On a large wheel the small glyphs grow with it, at most by half.
    const double grow = std::clamp(std::min(g.cx, g.cy) / kReferenceHalfSide, 1.0, 1.5);
    return int(std::lround(kSmallBodyGlyphSize * grow));
}

double secondDiscRadius(int glyphSize) {
    return glyphSize / 2.0 + kBadgeMargin;
}

std::vector<GlyphHit> drawSynastryWheel(QImage& surface, const Chart& first,
                                        const Longitudes& second,
                                        const std::vector<CrossAspect>& aspects,
                                        const WorkingSettings& ws,
                                        const WheelSelection& selection) {
    setWheelResolution(surface);
    QPainter p(&surface); // paintSynastryWheel fills the whole surface first
    return paintSynastryWheel(p, surface.size(), first, second, aspects, ws, selection);
}

std::vector<GlyphHit> paintSynastryWheel(QPainter& p, QSize size, const Chart& first,
                                         const Longitudes& second,
                                         const std::vector<CrossAspect>& aspects,
                                         const WorkingSettings& ws,
                                         const WheelSelection& selection) {
    const WheelGeometry g =
        WheelGeometry::make(size.width(), size.height(), kSynastryMargin, first.cuspRing[4]);
    const WheelPalette pal = WheelPalette::from(ws);
    std::optional<WheelPainter> frame = paintWheelFrame(p, size, g, pal, QColor()); // no band
    if (!frame)
        return {};
    WheelPainter& wp = *frame;
    wp.drawHouses(first.cuspRing, pal.houses, false);
    wp.drawAxes(first.longitude, pal.angleAxes, pal.nodeAxis, false);
    for (const CrossAspect& a : aspects) {
        if (!crossChordShown(a, selection))
            continue;
        wp.drawChord(first.longitude[size_t(a.first)], second[size_t(a.second)],
                     pal.aspects[size_t(aspectKind(a.kind).settingIndex)]);
    }

    BodyStyle primary;
    const BodyPlacements firstPlaces =
        placeBodies(g, first.longitude, kSynastryCrowding, primary.glyphSize / 2.0);
    std::vector<GlyphHit> hits =
        wp.drawBodies(firstPlaces, first.longitude, first.retroFlags, primary);

    BodyStyle over;
    over.glyphSize = secondGlyphSize(g);
    over.indexOffset = kSecondGlyphOffset;
    over.retrogradeMarks = false;
    over.badge = kSecondPersonBadge;
    const double discRadius = secondDiscRadius(over.glyphSize);
    BodyPlacements secondPlaces = placeBodies(g, second, kSynastryCrowding, discRadius);
    keepApart(g, secondPlaces, discRadius, firstPlaces, primary.glyphSize / 2.0);
    const std::vector<GlyphHit> secondHits =
        wp.drawBodies(secondPlaces, second, std::string(), over);
    hits.insert(hits.end(), secondHits.begin(), secondHits.end());
    return hits;
}

QImage renderSynastryImage(const Chart& first, const Chart& second, const WorkingSettings& ws,
                           QSize clientSize) {
    if (clientSize.isEmpty())
        return {};
    QImage image(clientSize, QImage::Format_RGB32);
    drawSynastryWheel(image, first, second.longitude,
                      findCrossAspects(first.longitude, second.longitude, ws.engine()), ws);
    return image;
}

} // namespace velorin
