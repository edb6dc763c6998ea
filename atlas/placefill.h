#pragma once
// What picking a place puts into the birth-data form: the coordinates in
// whole degrees and minutes with their hemispheres, and, for the form's date
// and time, the zone text and the summer-time box.

#include "atlas.h"
#include "zonetime.h"

#include <QString>
#include <optional>

namespace velorin {

struct FormCoordinates {
    QString longDeg, longMin; // minutes with two digits, "07"
    bool east = true;
    QString latDeg, latMin;
    bool north = true;
};

FormCoordinates formCoordinates(const Place& place);

struct FormZone {
    QString zoneText;
    bool daylightSaving = false;
};

struct PlaceFill {
    FormCoordinates coordinates;
    // Set only when the local time has exactly one reading at the place.
    std::optional<FormZone> zone;
    LocalTime local;
    // "Budapest, Europe/Budapest, UTC+2 nyári idő"
    QString description;
    // Why the zone was left alone, for a message; empty when it was not.
    QString problem;
};

// The date and time as the form holds them: year, month, day, 24-hour hour
// and minute texts.
PlaceFill fillForPlace(const Place& place, const QString& year, const QString& month,
                       const QString& day, const QString& hour, const QString& minute);

} // namespace velorin
