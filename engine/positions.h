#pragma once
// The steps that ask the ephemeris library: where the bodies stand at a
// moment, and the house cusps of a moment and a place. The chart computation
// chains them; the moon calendar asks for the Sun and the Moon alone.

#include "moment.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace velorin {

inline constexpr int BODY_COUNT = 16;

enum BodyId {
    Sun = 1,
    Mercury,
    Venus,
    Mars,
    Jupiter,
    Saturn,
    Uranus,
    Neptune,
    Pluto,
    Moon,
    NorthNode,
    SouthNode,
    Lilith,
    Ascendant,
    Midheaven,
    Chiron
};

// Points the ephemeris library at its data: programFolder/ephems when that
// folder exists, the system's Swiss Ephemeris folder otherwise. Returns the
// folder chosen.
std::string initEngine(const std::string& programFolder);

// The folder initEngine chose (empty before it ran).
const std::string& ephemerisFolder();

// The Gregorian years the data files in the ephemeris folder cover, first and
// last inclusive (the longest unbroken run of planet and Moon files); none
// when the folder holds no such files.
struct YearRange {
    int first = 0;
    int last = 0;
};
std::optional<YearRange> ephemerisYears();

// The ephemeris bodies, as BodyIds: everything but the South Node and the
// house angles.
std::span<const int> ephemerisBodies();

// The library's own number of a BodyId; -1 for the South Node and the house
// angles, which it does not compute.
int ephemerisNumber(int body);

// Longitudes and speeds, indexed by BodyId. Only the bodies asked for are
// filled; the mean node has a longitude but no speed, as in the chart.
struct Positions {
    std::array<double, BODY_COUNT + 1> longitude{};
    std::array<double, BODY_COUNT + 1> speed{};
};

struct PositionsOutcome {
    std::optional<Positions> value;
    ComputeError error;
    bool ok() const { return value.has_value(); }
};

// The bodies at the true instant of a Julian day in Universal Time (delta T
// is the library's). A moment outside the data files' years is refused with a
// message naming them; Chiron, which no reading depends on, may fail alone.
PositionsOutcome computePositions(double julianDayUT,
                                  std::span<const int> bodies = ephemerisBodies());

// What a user reads when the library fails for a body: Hungarian, with the
// data file the library's own (English) text names, if any.
std::string ephemerisFailureText(std::string_view body, std::string_view libraryText);

struct Houses {
    std::array<double, 13> cusps{}; // 1..12, cusp 1 = Ascendant
    // The system asked for could not be computed (Placidus and Koch beyond
    // the polar circles); the cusps are those of the system the library fell
    // back to, which system names.
    bool fallback = false;
    char system = 'P';
};

// Cusps in the system of the letter (see housesystem.h); a letter the library
// does not know is the caller's fault and gives Placidus.
Houses computeHouses(double julianDayUT, const GeoPosition& place, char system = 'P');

// Lets the library close its data files; the next computation reopens them.
void closeEphemeris();

} // namespace velorin
