#include "listing.h"

#include "housesystem.h"
#include "numbers.h"

#include <array>

namespace velorin {
namespace {

constexpr std::array<int, 15> kListingOrder{Sun,       Moon,      Mercury, Venus,     Mars,
                                            Jupiter,   Saturn,    Uranus,  Neptune,   Pluto,
                                            NorthNode, SouthNode, Lilith,  Ascendant, Midheaven};

} // namespace

std::string codePrefix(bool male) {
    return male ? "F_" : "N_";
}

void buildListing(Chart& chart, Wording wording) {
    const bool full = wording == Wording::ChartProgram;
    const std::string prefix = codePrefix(chart.male);
    chart.listing.reserve(chart.listing.size() + 3072);
    chart.codes.reserve(chart.codes.size() + 96);

    // Placidus goes unnamed, so that a listing cast as it always was reads as
    // it always did.
    if (chart.requestedHouseSystem != kDefaultHouseSystem)
        chart.listing += "Házrendszer: " + houseSystemName(chart.requestedHouseSystem) + kCrLf;

    for (int t = 1; t <= 12; ++t) {
        int h = t <= 3 ? t + 9 : t - 3;
        double cusp = chart.cuspRing[size_t(t)];
        int s = signOf(cusp);
        std::string x = formatFixed2(degreeInSign(cusp));
        if (full) {
            chart.listing += formatSigned(h) + " ház " + signName(s) + " " + x + kCrLf;
            chart.houseTexts[size_t(h)] =
                formatSigned(h) + "h-" + signName(s).substr(0, 3) + " " + x + kCrLf;
        } else {
            chart.listing += formatSigned(h) + " haz: " + signName(s) + " " + x + kCrLf;
        }
    }

    for (int b : kListingOrder) {
        double lon = chart.longitude[size_t(b)];
        int s = signOf(lon);
        std::string x = formatFixed2(degreeInSign(lon));
        char r = chart.retroFlags[size_t(b - 1)];
        std::string name = bodyName(b);
        std::string sign = signName(s);
        chart.listing += name + " " + sign + " " + x + " " + r + kCrLf;
        if (!full)
            continue;
        chart.bodyTexts[size_t(b - 1)] =
            name.substr(0, 4) + "-" + sign.substr(0, 3) + " " + x + " " + r;
        chart.bodyTips[size_t(b - 1)] = name + " " + sign + " " + x + " " + r;
        if (b != SouthNode) {
            chart.codes.push_back(prefix + name.substr(0, 3) + sign.substr(0, 2) + "K");
            chart.codes.push_back(name.substr(0, 3) + sign.substr(0, 2) + "-");
        }
        if (r == 'R') {
            chart.listing += name + " RETROGRAD" + kCrLf;
            chart.codes.push_back(prefix + name.substr(0, 3) + "RR");
        }
    }

    for (int b = 1; b <= 13; ++b) {
        int h = chart.house(b);
        if (full) {
            chart.listing += bodyName(b) + " " + formatSigned(h) + " házban" + kCrLf;
            if (b != SouthNode)
                chart.codes.push_back(prefix + bodyName(b).substr(0, 3) + twoDigits(h) + "K");
        } else {
            chart.listing += bodyName(b) + " " + formatSigned(h) + " hazban" + kCrLf;
        }
    }
}

} // namespace velorin
