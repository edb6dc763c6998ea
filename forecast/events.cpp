#include "events.h"

#include "engine/angles.h"
#include "engine/chart.h"
#include "engine/numbers.h"

#include <swephexp.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <set>

namespace velorin::forecast {
namespace {

std::string prefixOf(Motion m) {
    return m == Motion::Transit ? kTransitPrefix : kProgressedPrefix;
}

// Hungarian words for the explanations of the code table.
const char* const kBodyWords[] = {
    "",           "Nap",          "Merkúr", "Vénusz", "Mars",       "Jupiter",      "Szaturnusz",
    "Uránusz",    "Neptunusz",    "Plútó",  "Hold",   "Sárkányfej", "Sárkányfarok", "Lilith",
    "Aszcendens", "Medium Coeli", "Kiron"};
const char* const kSignWords[] = {"",         "Kos",     "Bika",   "Ikrek",   "Rák",
                                  "Oroszlán", "Szűz",    "Mérleg", "Skorpió", "Nyilas",
                                  "Bak",      "Vízöntő", "Halak"};

std::string polarityWord(char p) {
    return p == 'E' ? "együttállás" : p == 'P' ? "harmonikus fényszög" : "feszült fényszög";
}

} // namespace

std::string codeLetters(int body) {
    if (body == Chiron)
        return "KIRON";
    return trimSpaces(bodyName(body));
}

std::string eventCode(const Event& e) {
    const std::string prefix = prefixOf(e.motion);
    const std::string letters = codeLetters(e.body);
    switch (e.kind) {
    case EventKind::Aspect:
        return prefix + letters.substr(0, 2) + codeLetters(e.natal).substr(0, 2) +
               aspectKind(e.aspect).polarity;
    case EventKind::House:
        return prefix + letters.substr(0, 3) + twoDigits(e.house) + "K";
    case EventKind::Sign:
        return prefix + letters.substr(0, 3) + signName(e.sign).substr(0, 2) + "K";
    case EventKind::Station:
        return prefix + letters.substr(0, 3) + (e.retrograde ? "RR" : "RD");
    }
    return prefix;
}

std::string kindWord(EventKind kind) {
    switch (kind) {
    case EventKind::Aspect:
        return "fényszög";
    case EventKind::House:
        return "ház";
    case EventKind::Sign:
        return "jegy";
    case EventKind::Station:
        return "megállás";
    }
    return {};
}

std::string describeEvent(const Event& e) {
    std::string who = codeLetters(e.body);
    if (e.motion == Motion::Progressed)
        who = "progresszív " + who;
    switch (e.kind) {
    case EventKind::Aspect:
        return who + " " + aspectKind(e.aspect).name + " " + codeLetters(e.natal) +
               (e.retrograde ? " (hátráló)" : "");
    case EventKind::House:
        return who + " belép a(z) " + std::to_string(e.house) + ". házba" +
               (e.retrograde ? " (hátráló)" : "");
    case EventKind::Sign:
        return who + " belép ebbe a jegybe: " + trimSpaces(signName(e.sign)) +
               (e.retrograde ? " (hátráló)" : "");
    case EventKind::Station:
        return who + (e.retrograde ? " megáll és hátrálni kezd" : " megáll és újra előre halad");
    }
    return who;
}

std::string eventDateLine(const Event& e) {
    const std::string t = utcText(e.julianDayUT, false); // YYYY-MM-DDTHH:MM
    const size_t T = t.find('T');
    std::string date = t.substr(0, T);
    for (char& c : date)
        if (c == '-')
            c = '.';
    return date + ". " + t.substr(T + 1) + " UT  " + describeEvent(e);
}

CalendarMinute calendarMinute(double julianDayUT) {
    const double rounded = std::round(julianDayUT * 1440) / 1440;
    CalendarMinute c;
    double h = 0;
    swe_revjul(rounded + 1e-9, SE_GREG_CAL, &c.year, &c.month, &c.day, &h);
    const long minutes = std::lround(h * 60);
    c.hour = int(minutes / 60);
    c.minute = int(minutes % 60);
    return c;
}

std::string localTimeText(double julianDayUT, double zoneHoursWest) {
    const CalendarMinute c = calendarMinute(julianDayUT - zoneHoursWest / 24);
    char buf[40];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d", c.year, c.month, c.day, c.hour,
                  c.minute);
    return buf;
}

std::vector<Event> mergedInTimeOrder(const std::vector<Event>& a, const std::vector<Event>& b) {
    std::vector<Event> out;
    out.reserve(a.size() + b.size());
    std::merge(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(out),
               [](const Event& x, const Event& y) { return x.julianDayUT < y.julianDayUT; });
    return out;
}

std::vector<EventCodeEntry> eventCodeCatalogue() {
    std::vector<EventCodeEntry> out;
    std::set<std::string> seen;
    auto add = [&](const Event& e, const std::string& text) {
        const std::string code = eventCode(e);
        if (seen.insert(code).second)
            out.push_back({code, text});
    };
    for (Motion m : {Motion::Transit, Motion::Progressed}) {
        const std::string who = m == Motion::Transit ? "Tranzit " : "Progresszív ";
        std::vector<int> bodies =
            m == Motion::Transit ? defaultTransitBodies() : defaultProgressedBodies();
        if (m == Motion::Transit)
            bodies.insert(bodies.begin() + 9, Moon);
        for (int b : bodies)
            for (int n = 1; n <= BODY_COUNT; ++n)
                for (char p : {'E', 'P', 'N'}) {
                    Event e{0, EventKind::Aspect, m, b, p == 'E' ? 1 : p == 'P' ? 4 : 3, n};
                    add(e, who + kBodyWords[b] + " " + polarityWord(p) + " a születési " +
                               kBodyWords[n] + " pontjával.");
                }
        if (m == Motion::Progressed)
            continue;
        for (int b : bodies)
            for (int h = 1; h <= 12; ++h) {
                Event e{0, EventKind::House, m, b};
                e.house = h;
                add(e,
                    who + kBodyWords[b] + " belép a születési " + std::to_string(h) + ". házba.");
            }
        for (int b : bodies)
            for (int s = 1; s <= 12; ++s) {
                Event e{0, EventKind::Sign, m, b};
                e.sign = s;
                add(e, who + kBodyWords[b] + " belép ebbe a jegybe: " + kSignWords[s] + ".");
            }
        for (int b : bodies) {
            if (b == Sun || b == Moon || b == NorthNode)
                continue;
            for (bool retro : {true, false}) {
                Event e{0, EventKind::Station, m, b};
                e.retrograde = retro;
                add(e, who + kBodyWords[b] +
                           (retro ? " megáll és hátrálni kezd." : " megáll és újra előre halad."));
            }
        }
    }
    return out;
}

std::vector<int> defaultTransitBodies() {
    return {Sun, Mercury, Venus, Mars, Jupiter, Saturn, Uranus, Neptune, Pluto, NorthNode, Chiron};
}

std::vector<int> defaultProgressedBodies() {
    return {Sun, Mercury, Venus, Mars, Jupiter, Saturn, Uranus, Neptune, Pluto, Moon};
}

bool movableBody(int body) {
    return ephemerisNumber(body) >= 0;
}

std::optional<std::string> periodProblem(double fromJD, double toJD) {
    if (!(toJD > fromJD))
        return "Az időszak üres: a vége nem később van, mint a kezdete.";
    if (toJD - fromJD > kLongestPeriodDays)
        return "Az időszak legfeljebb száz év lehet.";
    if (std::optional<YearRange> years = ephemerisYears()) {
        // A search looks a little past both ends to bracket what happens there.
        for (double jd : {fromJD - 20, toJD + 20}) {
            int y = 0, m = 0, d = 0;
            double h = 0;
            swe_revjul(jd, SE_GREG_CAL, &y, &m, &d, &h);
            if (y < years->first || y > years->last)
                return "Az időszak (" + std::to_string(y) +
                       ". év) kívül esik a csillagászati adatfájlok tartományán (" +
                       std::to_string(years->first) + " – " + std::to_string(years->last) +
                       ". év); nincs előrejelzés.";
        }
    }
    return std::nullopt;
}

std::string utcText(double julianDayUT, bool withSeconds) {
    // Rounded to the second (or minute) first, so that 23:59:59.7 becomes
    // the next day's 0:00:00 rather than 23:59:60.
    const double unit = withSeconds ? 1.0 / 86400 : 1.0 / 1440;
    const double rounded = std::round(julianDayUT / unit) * unit;
    int y = 0, m = 0, d = 0;
    double h = 0;
    swe_revjul(rounded + 1e-9, SE_GREG_CAL, &y, &m, &d, &h);
    long secs = std::lround(h * 3600);
    char buf[48];
    if (withSeconds)
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02ld:%02ld:%02ldZ", y, m, d, secs / 3600,
                      secs / 60 % 60, secs % 60);
    else
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02ld:%02ld", y, m, d, secs / 3600,
                      secs / 60 % 60);
    return buf;
}

double julianDayOfDate(int year, int month, int day) {
    return swe_julday(year, month, day, 0.0, SE_GREG_CAL);
}

} // namespace velorin::forecast
