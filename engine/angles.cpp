#include "angles.h"

#include "listing.h"

#include <cmath>

namespace velorin {
namespace {

constexpr std::array<AspectKind, 8> kTable{{
    {1, "Egyutallas", 0, 360, 0, 'E'},
    {2, "Sextill", 60, 300, 2, 'P'},
    {3, "Quadrat", 90, 270, 3, 'N'},
    {4, "Trigon", 120, 240, 4, 'P'},
    {5, "Quincunx", 150, 210, 6, 'N'},
    {6, "Szembenallas", 180, 180, 7, 'N'},
    {7, "Felquadrat", 45, 315, 1, 'N'},
    {8, "Sesquiquadrat", 135, 225, 5, 'N'},
}};

// Sextiles and trines are not read to the South Node and Lilith.
bool harmonicToPoint(int angle) {
    return angle == 60 || angle == 120 || angle == 240 || angle == 300;
}

void testPair(const Chart& chart, const EngineSettings& settings, int i, int j, bool pointPair,
              std::vector<Aspect>& out) {
    double d =
        normalize360(std::fabs(chart.longitude[size_t(j)]) - std::fabs(chart.longitude[size_t(i)]));
    bool found[9] = {};
    for (int pass = 0; pass < 2; ++pass) {
        for (const AspectKind& a : kTable) {
            int angle = pass == 0 ? a.angle : a.mirror;
            double orb = double(settings.orbs[size_t(a.settingIndex)]);
            if (std::fabs(angle - d) > orb)
                continue;
            if (pointPair && harmonicToPoint(angle))
                continue;
            // The opposition is its own mirror; one finding per pair is enough.
            if (found[a.k])
                continue;
            found[a.k] = true;
            out.push_back({i, j, a.k});
        }
    }
}

} // namespace

const std::array<AspectKind, 8>& aspectTable() {
    return kTable;
}

const AspectKind& aspectKind(int k) {
    return kTable[size_t(k - 1)];
}

std::vector<Aspect> findAspects(const Chart& chart, const EngineSettings& settings) {
    std::vector<Aspect> out;
    out.reserve(32);
    for (int i = 1; i <= 9; ++i)
        for (int j = i + 1; j <= 10; ++j)
            testPair(chart, settings, i, j, false, out);
    for (int i = 1; i <= 10; ++i) {
        testPair(chart, settings, i, SouthNode, true, out);
        testPair(chart, settings, i, Lilith, true, out);
    }
    if (settings.showAsc)
        for (int i = 1; i <= 10; ++i)
            testPair(chart, settings, i, Ascendant, false, out);
    return out;
}

// Appended in place, as the listing's other lines: every chart of a batch
// makes a few dozen of these.
std::string aspectCode(const Chart& chart, const Aspect& a) {
    std::string code = codePrefix(chart.male);
    code.append(bodyName(a.first), 0, 2).append(bodyName(a.second), 0, 2);
    code += aspectKind(a.kind).polarity;
    return code;
}

namespace {

void appendAspectLine(std::string& out, const Aspect& a) {
    out.append(bodyName(a.first)).append("  ").append(aspectKind(a.kind).name).append("  ");
    out.append(bodyName(a.second));
}

} // namespace

std::string aspectLine(const Aspect& a) {
    std::string line;
    appendAspectLine(line, a);
    return line;
}

void appendAspects(Chart& chart, const EngineSettings& settings) {
    chart.aspects = findAspects(chart, settings);
    if (!settings.texts)
        return;
    for (const Aspect& a : chart.aspects) {
        chart.codes.push_back(aspectCode(chart, a));
        appendAspectLine(chart.listing, a);
        chart.listing += kCrLf;
    }
}

} // namespace velorin
