#include "listing.h"

#include "housesystem.h"
#include "numbers.h"

#include <array>
#include <string_view>

namespace velorin {
namespace {

constexpr std::array<int, 15> kListingOrder{Sun,       Moon,      Mercury, Venus,     Mars,
                                            Jupiter,   Saturn,    Uranus,  Neptune,   Pluto,
                                            NorthNode, SouthNode, Lilith,  Ascendant, Midheaven};

} // namespace

std::string codePrefix(bool male) {
    return male ? "F_" : "N_";
}

// Every text is appended in place: a batch of charts spent more on the
// temporaries of these lines than on the library's positions.
void buildListing(Chart& chart, Wording wording) {
    const bool full = wording == Wording::ChartProgram;
    const std::string prefix = codePrefix(chart.male);
    std::string& listing = chart.listing;
    listing.reserve(listing.size() + 3072);
    chart.codes.reserve(chart.codes.size() + 96);
    const auto code = [&](std::string_view a, std::string_view b, std::string_view c,
                          std::string_view d) {
        std::string text;
        text.reserve(a.size() + b.size() + c.size() + d.size());
        text.append(a).append(b).append(c).append(d);
        chart.codes.push_back(std::move(text));
    };

    // Placidus goes unnamed, so that a listing cast as it always was reads as
    // it always did.
    if (chart.requestedHouseSystem != kDefaultHouseSystem)
        listing.append("Házrendszer: ")
            .append(houseSystemName(chart.requestedHouseSystem))
            .append(kCrLf);

    for (int t = 1; t <= 12; ++t) {
        const int h = t <= 3 ? t + 9 : t - 3;
        const double cusp = chart.cuspRing[size_t(t)];
        const std::string sign = signName(signOf(cusp));
        const std::string x = formatFixed2(degreeInSign(cusp));
        const std::string house = formatSigned(h);
        listing.append(house).append(full ? " ház " : " haz: ").append(sign).append(" ");
        listing.append(x).append(kCrLf);
        if (full) {
            std::string& text = chart.houseTexts[size_t(h)];
            text.assign(house).append("h-").append(sign, 0, 3).append(" ").append(x);
            text.append(kCrLf);
        }
    }

    for (int b : kListingOrder) {
        const double lon = chart.longitude[size_t(b)];
        const std::string x = formatFixed2(degreeInSign(lon));
        const char r = chart.retroFlags[size_t(b - 1)];
        const std::string name = bodyName(b);
        const std::string sign = signName(signOf(lon));
        listing.append(name).append(" ").append(sign).append(" ").append(x).append(" ");
        listing.append(1, r).append(kCrLf);
        if (!full)
            continue;
        std::string& text = chart.bodyTexts[size_t(b - 1)];
        text.assign(name, 0, 4).append("-").append(sign, 0, 3).append(" ").append(x);
        text.append(" ").append(1, r);
        std::string& tip = chart.bodyTips[size_t(b - 1)];
        tip.assign(name).append(" ").append(sign).append(" ").append(x).append(" ").append(1, r);
        const std::string_view name3 = std::string_view(name).substr(0, 3);
        const std::string_view sign2 = std::string_view(sign).substr(0, 2);
        if (b != SouthNode) {
            code(prefix, name3, sign2, "K");
            code(name3, sign2, "-", "");
        }
        if (r == 'R') {
            listing.append(name).append(" RETROGRAD").append(kCrLf);
            code(prefix, name3, "RR", "");
        }
    }

    for (int b = 1; b <= 13; ++b) {
        const int h = chart.house(b);
        const std::string name = bodyName(b);
        listing.append(name).append(" ").append(formatSigned(h));
        listing.append(full ? " házban" : " hazban").append(kCrLf);
        if (full && b != SouthNode)
            code(prefix, std::string_view(name).substr(0, 3), twoDigits(h), "K");
    }
}

} // namespace velorin
