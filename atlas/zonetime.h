#pragma once
// What the clocks of a place showed: for a local date and time in an IANA
// zone, the offset from Universal Time and whether summer time was in force,
// from the system's tz database through QTimeZone. Before a place took up
// standard time its local mean time is what the database gives (Budapest
// before 1 November 1890: UTC+1:16:20).

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QTime>
#include <vector>

namespace velorin {

struct ZoneReading {
    int offsetSeconds = 0; // local time minus Universal Time
    // Summer time moving the clock forward; a "negative summer time" (the
    // database's winter in Dublin since 1971, Ramadan in Morocco) is none:
    // the offset in force tells the whole reading.
    bool daylightSaving = false;
    QString abbreviation; // "CEST", "LMT", "+0545" …
};

enum class LocalTimeStatus {
    Unique,      // one reading
    Skipped,     // the clocks jumped over it: readings before and after the jump
    Repeated,    // the clocks showed it twice: the earlier reading first
    UnknownZone, // the tz database has no such zone
    InvalidTime, // not a date or time at all
};

struct LocalTime {
    LocalTimeStatus status = LocalTimeStatus::InvalidTime;
    std::vector<ZoneReading> readings;
};

LocalTime localTimeInZone(const QByteArray& ianaZone, QDate date, QTime time);

// The same at one place. Where the database gives local mean time, that is
// the mean time of the zone's own city (Budapest's 1:16:20 for the whole of
// Hungary); the clocks of the place itself showed its own, 4 minutes for
// each degree of longitude east, so that is what this reading holds.
LocalTime localTimeAtPlace(const QByteArray& ianaZone, double longitude, QDate date, QTime time);

// The reading as the birth-data form holds it: the zone text (hours to add to
// the local time for Universal Time, so positive west, decimal comma, at most
// four decimals: UTC+1:16:20 is "-1,2722") and the summer-time box, which
// takes one more hour off. With summer time the text therefore holds the
// offset less one hour, whatever the summer shift was, so that the two
// together always give the true offset.
QString formZoneText(const ZoneReading& reading);

// "UTC+2 nyári idő", "UTC+5:45", "UTC+1:16:20 helyi középidő".
QString describeReading(const ZoneReading& reading);

// The sentence shown when a local time does not exist or occurs twice at a
// place, naming both readings; empty for a unique reading.
QString ambiguityMessage(const QString& placeName, QDate date, QTime time, const LocalTime& local);

} // namespace velorin
