// The birth-data form's place search: what a picked place puts into the
// fields.

#include "frmadatok.h"

#include "atlas/placefill.h"
#include "frmhelyseg.h"
#include "platform/uiprompts.h"

#include <QLabel>

namespace velorin {

void frmAdatok::P3_Click() {
    if (const std::optional<Place> place = frmHelyseg::choose(this))
        applyPlace(*place);
}

void frmAdatok::applyPlace(const Place& place) {
    const PlaceFill fill = fillForPlace(place, m_entry.year, m_entry.month, m_entry.day,
                                        m_entry.hour24, m_entry.minute);
    if (fill.zone) {
        // As a loaded file's zone: the matching row and its hemisphere rule,
        // or the text alone where no row has it (local mean time).
        m_entry.zone = fill.zone->zoneText;
        m_entry.pickRowForZone();
        m_entry.daylightSaving = fill.zone->daylightSaving;
    }
    const FormCoordinates& c = fill.coordinates;
    m_entry.longDeg = c.longDeg;
    m_entry.longMin = c.longMin;
    m_entry.latDeg = c.latDeg;
    m_entry.latMin = c.latMin;
    // The place's own hemispheres, without re-signing the zone just set
    // (a place west of Greenwich can keep an eastern zone, as Spain does).
    m_entry.setHemispheres(c.east, c.north);
    showEntry();
    lblHely->setText(fill.description);
    if (!fill.problem.isEmpty())
        prompts().message(fill.problem, QString(), MessageIcon::Warning);
}

} // namespace velorin
