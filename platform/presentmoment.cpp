#include "presentmoment.h"

#include "zones.h"

namespace velorin {

BirthData presentMoment(const QDateTime& clock, BirthData base,
                        const std::optional<QTimeZone>& zone) {
    const QTimeZone clockZone = zone ? *zone : clock.timeZone();
    // The wall reading in the clock's zone, whatever zone the instant came in.
    const QDateTime moment = clockZone.isValid() ? clock.toTimeZone(clockZone) : clock;
    if (clockZone.isValid()) {
        const int daylight = clockZone.daylightTimeOffset(moment);
        const bool box = clockZone.isDaylightTime(moment) && summerTimeBox(daylight);
        base.zone = formZoneText(clockZone.offsetFromUtc(moment), box).toStdString();
        base.daylightSaving = box ? 1 : 0;
    }
    const QTime t = moment.time();
    const QDate d = moment.date();
    base.name = "Ma";
    // Before noon the clock's two digits go into the 12-hour box as they are;
    // after noon the reduced number does. Midnight and noon both read "12".
    if (t.hour() < 12) {
        base.hour = t.hour() == 0 ? "12" : moment.toString("hh").toStdString();
        base.am = true;
    } else {
        int h = t.hour() - 12;
        base.hour = std::to_string(h == 0 ? 12 : h);
        base.am = false;
    }
    base.minute = moment.toString("mm").toStdString();
    base.day = d.toString("dd").toStdString();
    base.month = d.toString("MM").toStdString();
    base.year = d.toString("yyyy").toStdString();
    base.hour24 = hour24Text(base.hour, base.am);
    return base;
}

} // namespace velorin
