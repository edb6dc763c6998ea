#pragma once
// The first step of every computation: birth data as typed becomes a moment
// in Universal Time and a signed place. A failure names the input at fault by
// a code of the engine's own; the windows and the command line turn it into
// their field names and labels.

#include "birthdata.h"

#include <optional>
#include <string>

namespace velorin {

enum class BirthField {
    None, // no input is at fault (the ephemeris failed)
    Day,
    Year,
    Month,
    Zone,
    Hour,
    Minute,
    LongitudeDegrees,
    LongitudeMinutes,
    LatitudeDegrees,
    LatitudeMinutes
};

struct ComputeError {
    BirthField field = BirthField::None; // the input to correct
    // What failed, in Hungarian, where the field alone does not say it; empty
    // when the field's text is simply not a number.
    std::string message;
};

// A Gregorian calendar date and an hour of Universal Time on it. The hour may
// fall outside 0..24: the Julian day absorbs it, the date stays as typed.
struct Moment {
    int year = 0;
    int month = 0;
    int day = 0;
    double utHour = 0;
    double julianDayUT = 0;
};

struct GeoPosition {
    double geoLongitude = 0; // degrees, East positive
    double geoLatitude = 0;  // degrees, North positive
};

struct BirthMoment {
    Moment moment;
    GeoPosition place;
};

struct MomentOutcome {
    std::optional<BirthMoment> value;
    ComputeError error;
    bool ok() const { return value.has_value(); }
};

// Converts the form's texts: the date, the 12-hour clock with the zone and
// daylight saving to Universal Time, and the coordinates with their
// hemispheres to signed degrees.
MomentOutcome birthMoment(const BirthData& data);

// The moment of a Gregorian date at an hour of Universal Time; impossible
// dates (30 February, month 13) take the date the arithmetic gives.
Moment momentAt(int year, int month, int day, double utHour);

} // namespace velorin
