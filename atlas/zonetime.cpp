#include "zonetime.h"

#include "platform/zones.h"

#include <QDateTime>
#include <QTimeZone>
#include <algorithm>
#include <cmath>

namespace velorin {

namespace {

ZoneReading readingAt(const QTimeZone& zone, const QDateTime& utc) {
    const QTimeZone::OffsetData d = zone.offsetData(utc);
    return {d.offsetFromUtc, summerTimeBox(d.daylightTimeOffset), d.abbreviation};
}

QString offsetText(int seconds) {
    if (seconds == 0)
        return "UTC";
    const int a = std::abs(seconds);
    QString t = QString("UTC%1%2").arg(seconds < 0 ? '-' : '+').arg(a / 3600);
    if (a % 3600 != 0)
        t += QString(":%1").arg(a / 60 % 60, 2, 10, QChar('0'));
    if (a % 60 != 0)
        t += QString(":%1").arg(a % 60, 2, 10, QChar('0'));
    return t;
}

QString formReadingText(const ZoneReading& r) {
    return QString("%1 (időzóna %2%3)")
        .arg(describeReading(r), formZoneText(r), r.daylightSaving ? ", nyári időszámítás" : "");
}

} // namespace

LocalTime localTimeInZone(const QByteArray& ianaZone, QDate date, QTime time) {
    LocalTime result;
    if (!date.isValid() || !time.isValid())
        return result;
    // Valid, not "available": Qt lists only the canonical zones as
    // available, while the links (America/Yellowknife) work as well.
    const QTimeZone zone(ianaZone);
    if (!zone.isValid()) {
        result.status = LocalTimeStatus::UnknownZone;
        return result;
    }
    // The wall-clock time counted as if it were Universal Time: the instant
    // of a reading with offset o is then wall - o.
    const QDateTime wall(date, time, Qt::UTC);
    // Offsets in force around that day; no zone changed twice within two
    // days, so these are all the candidates.
    const QDateTime from = wall.addDays(-2), to = wall.addDays(2);
    std::vector<int> candidates{zone.offsetFromUtc(from)};
    const QTimeZone::OffsetDataList transitions = zone.transitions(from, to);
    for (const QTimeZone::OffsetData& t : transitions)
        candidates.push_back(t.offsetFromUtc);
    std::sort(candidates.begin(), candidates.end(), std::greater<>());
    candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());

    // Larger offsets first, so the readings come out in the order of time.
    for (int offset : candidates) {
        const QDateTime instant = wall.addSecs(-offset);
        if (zone.offsetFromUtc(instant) == offset)
            result.readings.push_back(readingAt(zone, instant));
    }
    if (result.readings.size() == 1) {
        result.status = LocalTimeStatus::Unique;
        return result;
    }
    if (result.readings.size() > 1) {
        result.status = LocalTimeStatus::Repeated;
        return result;
    }
    // Skipped: the jump is the transition nearest to the wall time.
    result.status = LocalTimeStatus::Skipped;
    const QTimeZone::OffsetData* jump = nullptr;
    qint64 best = 0;
    for (const QTimeZone::OffsetData& t : transitions) {
        const qint64 distance =
            std::abs(t.atUtc.secsTo(wall) - qint64(t.offsetFromUtc)); // wall vs. local jump
        if (!jump || distance < best) {
            jump = &t;
            best = distance;
        }
    }
    if (jump) {
        result.readings.push_back(readingAt(zone, jump->atUtc.addSecs(-1)));
        result.readings.push_back(readingAt(zone, jump->atUtc));
    }
    return result;
}

LocalTime localTimeAtPlace(const QByteArray& ianaZone, double longitude, QDate date, QTime time) {
    LocalTime local = localTimeInZone(ianaZone, date, time);
    for (ZoneReading& r : local.readings)
        if (r.abbreviation == QLatin1String("LMT"))
            r.offsetSeconds = int(std::lround(longitude * 240.0));
    return local;
}

QString formZoneText(const ZoneReading& reading) {
    return formZoneText(reading.offsetSeconds, reading.daylightSaving);
}

QString describeReading(const ZoneReading& reading) {
    QString t = offsetText(reading.offsetSeconds);
    if (reading.daylightSaving)
        t += " nyári idő";
    else if (reading.abbreviation == "LMT")
        t += " helyi középidő";
    return t;
}

QString ambiguityMessage(const QString& placeName, QDate date, QTime time, const LocalTime& local) {
    if (local.readings.size() < 2 ||
        (local.status != LocalTimeStatus::Skipped && local.status != LocalTimeStatus::Repeated))
        return {};
    const QString when = QString("%1 %2").arg(date.toString("yyyy.MM.dd."), time.toString("H:mm"));
    const QString first = formReadingText(local.readings[0]);
    const QString second = formReadingText(local.readings[1]);
    if (local.status == LocalTimeStatus::Skipped)
        return QString("%1 helyi idő szerint %2 nem létezik: az órákat átállították, előtte %3, "
                       "utána %4 volt érvényben. Az időzóna és a nyári időszámítás nem változott.")
            .arg(placeName, when, first, second);
    return QString("%1 helyi idő szerint %2 kétszer fordul elő: először %3, majd %4 szerint. "
                   "Az időzóna és a nyári időszámítás nem változott.")
        .arg(placeName, when, first, second);
}

} // namespace velorin
