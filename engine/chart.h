#pragma once
// The chart computation: birth data in, a whole chart (positions, cusps,
// houses, listing texts and codes) or an error that names the input at fault.
// It chains the steps of moment.h and positions.h.

#include "birthdata.h"
#include "moment.h"
#include "positions.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace velorin {

inline constexpr double kAngleConstant = 3.1415926535;

// The listing's wording differs a little between the chart program and the
// synastry program, which also leaves out the per-house texts and the codes.
enum class Wording { ChartProgram, Synastry };

// The working values the computation reads. Orbs are kept in the settings'
// angle order 0, 45, 60, 90, 120, 135, 150, 180.
struct EngineSettings {
    std::array<float, 8> orbs{10, 3, 3, 5, 7, 3, 3, 10};
    float anticipation = 6; // degrees before a cusp that count in the next house
    bool showAsc = false;
    Wording wording = Wording::ChartProgram;
    char houseSystem = 'P'; // a letter of housesystem.h
    // Off, the chart carries its numbers and aspects but no listing, texts or
    // codes: a batch that writes only numbers spent a tenth of its time on them.
    bool texts = true;
};

struct Aspect {
    int first = 0;  // BodyId of the earlier point in the search
    int second = 0; // BodyId of the later one
    int kind = 0;   // row of the aspect table, 1..8
};

struct Chart {
    // Indexed 1..16 (BodyId); slot 0 is unused so that indices read as in the tables.
    std::array<double, BODY_COUNT + 1> longitude{};
    std::array<double, BODY_COUNT + 1> speed{};
    std::string retroFlags = std::string(BODY_COUNT, ' '); // 'R' at position b-1
    std::array<double, 13> cusps{};                        // 1..12, cusp 1 = Ascendant
    std::array<double, 14> cuspRing{};        // 1..12 from the 10th cusp on; 13 stays 0
    std::array<int, BODY_COUNT + 1> houses{}; // 1..16; 0 where no house matched

    double utHour = 0;
    double julianDayUT = 0;
    double geoLongitude = 0;
    double geoLatitude = 0;
    bool male = true;

    // The system asked for could not be computed (beyond the polar circles);
    // the cusps are those of the system the library fell back to, which
    // houseSystem names (see Houses).
    bool housesFallback = false;
    char houseSystem = 'P';          // the system of the cusps
    char requestedHouseSystem = 'P'; // the system the settings asked for

    std::string listing;                    // lines end with CR LF
    std::array<std::string, 13> houseTexts; // entry h for house h
    std::array<std::string, 15> bodyTexts;  // entry b-1 for body b
    std::array<std::string, 15> bodyTips;   // glyph tool tips, entry b-1
    std::vector<std::string> codes;         // sign, karmic, retrograde, house codes
    std::vector<Aspect> aspects;            // filled by appendAspects

    int house(int body) const;
    bool retrograde(int body) const { return retroFlags[size_t(body - 1)] == 'R'; }
};

struct ChartOutcome {
    std::optional<Chart> chart;
    ComputeError error;
    bool ok() const { return chart.has_value(); }
};

ChartOutcome computeChart(const BirthData& data, const EngineSettings& settings);
// The chart of positions and cusps already computed, for a moment that is not
// typed birth data (a return, a progressed chart): derived points, retrograde
// marks, houses and listing as computeChart makes them.
Chart assembleChart(const Positions& positions, const Houses& houses, double julianDayUT,
                    double utHour, const GeoPosition& place, bool male,
                    const EngineSettings& settings);

double normalize360(double x);

// The padded Hungarian name tables; an index outside them gives "".
std::string bodyName(int body);
std::string signName(int sign);
int signOf(double longitude);
double degreeInSign(double longitude);

// Fills houses from the longitudes and cuspRing with the cusp anticipation.
void placeInHouses(Chart& chart, float anticipation);

} // namespace velorin
