// The birth-data form's place search: what a picked place puts into the
// fields.

#include "frmadatok.h"

#include "atlas/placefill.h"
#include "frmhelyseg.h"
#include "platform/uiprompts.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

namespace velorin {

void frmAdatok::P3_Click() {
    if (const std::optional<Place> place = frmHelyseg::choose(this))
        applyPlace(*place);
}

void frmAdatok::applyPlace(const Place& place) {
    const PlaceFill fill = fillForPlace(place, txtYear->text(), txtMonth->text(), txtDay->text(),
                                        Text1->text(), txtBirthMinute->text());
    if (fill.zone) {
        // As a loaded file's zone: the matching row and its hemisphere rule,
        // or the text alone where no row has it (local mean time).
        txtTZ->setText(fill.zone->zoneText);
        mZonaKeres();
        Check1->setChecked(fill.zone->daylightSaving);
    }
    const FormCoordinates& c = fill.coordinates;
    txtLongDeg->setText(c.longDeg);
    txtLongMin->setText(c.longMin);
    txtLatDeg->setText(c.latDeg);
    txtLatMin->setText(c.latMin);
    // The place's own hemispheres, without re-signing the zone just set
    // (a place west of Greenwich can keep an eastern zone, as Spain does).
    setHemispheres(c.east, c.north);
    lblHely->setText(fill.description);
    if (!fill.problem.isEmpty())
        prompts().message(fill.problem, QString(), MessageIcon::Warning);
}

} // namespace velorin
