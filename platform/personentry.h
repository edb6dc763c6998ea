#pragma once
// One person's birth data while a form edits it: the texts as the boxes hold
// them, the options as they are set, and the rules that tie them together.
// The windows only show an entry and write the user's edits into it, so every
// rule can be tested without a widget.

#include "engine/birthdata.h"
#include "engine/moment.h"
#include "platform/chartfile.h"
#include "platform/zones.h"

#include <QDateTime>
#include <QString>
#include <optional>

namespace velorin {

// The boxes whose value must lie in a range when the user leaves them.
enum class RangedBox { Hour24, Minute, Day, Month };

struct PersonEntry {
    QString name = QStringLiteral("Ma");
    QString sex = QString::fromUtf8(kMaleText);
    QString year;
    QString month;
    QString day;
    // The hour as the user types it; the 12-hour pair below is what the
    // computation and the chart file read.
    QString hour24;
    QString hour12;
    bool am = true;
    QString minute;
    // The picked row of the zone list; zone is the value text
    // (hours to add to local time for UT), which may be in no row at all.
    int zoneRow = kDefaultZoneRow;
    QString zone = QStringLiteral("-1");
    bool daylightSaving = false;
    QString longDeg = QStringLiteral("19");
    QString longMin = QStringLiteral("07");
    bool east = true;
    QString latDeg = QStringLiteral("47");
    QString latMin = QStringLiteral("035");
    bool north = true;
    // Lines end in "\n", as a text box holds them.
    QString notes;

    // The 12-hour text, which never shows 0 or more than 12: 0 becomes 12,
    // 13..23 the afternoon's hour with P.M. set. Every writer goes through it.
    void setHour12(const QString& text);
    // The pair from the 24-hour text (leaving the box), and back (after a
    // load): 0 is 12 A.M., 12 is 12 P.M.
    void pairFromHour24();
    void hour24FromPair();

    // A row picked from the zone list: its value, and the hemispheres its
    // side of Greenwich suggests (western rows West and South).
    void pickZoneRow(int row);
    // The row whose value equals the zone as a number, picked; an unlisted
    // zone leaves the row and the hemispheres alone.
    void pickRowForZone();
    // The user's choice of East or West: the zone takes that sign.
    void chooseEast(bool isEast);
    // Hemispheres a record knows, without touching the zone.
    void setHemispheres(bool isEast, bool isNorth);

    // The Hungarian message when the box's value is out of its range, empty
    // when it is accepted.
    QString rangeMessage(RangedBox box) const;
    // The Hungarian weekday of the date, empty when it is no real date.
    QString weekdayText() const;

    // The moment moved by minutes with the calendar rolling; false (and
    // nothing changed) when the texts make no real date and time.
    bool stepMoment(int minutes);
    // Why stepMoment refused, naming the moment as typed.
    QString stepRefusal() const;

    // Name "Ma" and the clock's reading with its zone and summer time; the
    // zone row follows where one matches, the hemispheres stay.
    void takePresentMoment(const QDateTime& now);
    // Name, date, time, place, zone, summer time and notes of a record; the
    // sex, zone row and hemispheres stay.
    void fillTyped(const BirthData& d);
    // A whole chart file: the typed fields, the zone row with its
    // hemispheres, the sex when the layout has it, and the hemispheres the
    // file stored, which outrank the row's guess.
    void fillFromChart(const ChartFile& file);
    // A location file, field by field as typed: a stored longitude option
    // signs the zone as a click on it would.
    void fillFromLocation(const LocationFile& l);
    LocationFile location() const;

    BirthData toBirthData() const;
    // What a computation would refuse first, as the Hungarian line naming the
    // box by its label; empty when the entry converts.
    QString problemLine() const;
};

// East makes the zone -|zone|, West |zone|; the text keeps its own form (a
// decimal comma stays a comma), and a text that is not a number stays as it is.
QString zoneTextForHemisphere(const QString& zone, bool isEast);

// Ticking a summer-time box that moves the zone makes it one hour more
// eastern (zone - 1), clearing it one hour less; the text's leading number
// counts, written without padding.
QString zoneTextAfterDaylightSaving(const QString& zone, bool ticked);

} // namespace velorin
