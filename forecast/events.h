#pragma once
// What the forecast finds: dated events about a natal chart, each with the
// code that links it to a passage of the code table.

#include <optional>
#include <string>
#include <vector>

namespace velorin::forecast {

enum class EventKind {
    Aspect,  // a moving body exactly at an aspect's angle to a natal point
    House,   // a moving body entering a natal house
    Sign,    // a moving body entering a sign
    Station, // a body standing still and turning
};

// Transits are the sky of the day; progressions the sky of the day after
// birth that stands for the year of life.
enum class Motion { Transit, Progressed };

struct Event {
    double julianDayUT = 0; // the real instant, also for progressions
    EventKind kind = EventKind::Aspect;
    Motion motion = Motion::Transit;
    int body = 0;            // the moving body (BodyId)
    int aspect = 0;          // row of the aspect table, aspect events
    int natal = 0;           // natal point (BodyId), aspect events
    int house = 0;           // house entered, house events
    int sign = 0;            // sign entered, sign events
    bool retrograde = false; // the moving body's motion at the instant; a
                             // station's the motion it turns to
    std::string code;
};

// Every code begins with one of these. Natal codes begin with F_, N_, a
// body's letters or ELOSZO, so no natal code can match an event.
inline constexpr const char* kTransitPrefix = "TR_";
inline constexpr const char* kProgressedPrefix = "PR_";

// The letters codes take from a body: its Hungarian name, trimmed; Chiron,
// which has no name in the engine's table, is KIRON.
std::string codeLetters(int body);
std::string eventCode(const Event& e);

// The kind in one Hungarian word ("fényszög", "ház", "jegy", "megállás"),
// and the event in a short Hungarian sentence with the engine's body names:
// "SZATURNUSZ Egyutallas MARS (hátráló)".
std::string kindWord(EventKind kind);
std::string describeEvent(const Event& e);

// "2027.03.05. 14:07 UT  SZATURNUSZ Egyutallas MARS": the date line of the
// forecast document.
std::string eventDateLine(const Event& e);

// "2027-03-05 16:07" in a zone given as the birth data's zone text holds it
// (hours to add to local time for Universal Time, positive west).
std::string localTimeText(double julianDayUT, double zoneHoursWest);

// The birth data's texts for an instant in Universal Time (zone 0, no summer
// time): year, month, day, 24-hour hour and minute, rounded to the minute.
struct CalendarMinute {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
};
CalendarMinute calendarMinute(double julianDayUT);

// Two time-ordered lists as one; at equal instants the first list's come first.
std::vector<Event> mergedInTimeOrder(const std::vector<Event>& a, const std::vector<Event>& b);

// Every code an event can carry, in a fixed order (transits, then
// progressions; aspects, houses, signs, stations), each once, with its
// Hungarian explanation.
struct EventCodeEntry {
    std::string code;
    std::string explanation;
};
std::vector<EventCodeEntry> eventCodeCatalogue();

// The bodies that move in a search by default: Sun to Pluto, the North
// Node and Chiron for transits; Sun to Pluto and the Moon for progressions.
std::vector<int> defaultTransitBodies();
std::vector<int> defaultProgressedBodies();

// True for a body the ephemeris computes and a search can move.
bool movableBody(int body);

// The longest period a search takes, in days (a century).
inline constexpr double kLongestPeriodDays = 36525;

// Why a period cannot be searched: empty or reversed, longer than a century,
// or reaching past the years of the ephemeris files. Hungarian; none when
// the period is fine.
std::optional<std::string> periodProblem(double fromJD, double toJD);

// "2027-03-05T14:07:31Z"-style texts of an instant in Universal Time, and
// the Julian day of a date's 0:00 UT.
std::string utcText(double julianDayUT, bool withSeconds = true);
double julianDayOfDate(int year, int month, int day);

} // namespace velorin::forecast
