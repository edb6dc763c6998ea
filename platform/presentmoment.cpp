#include "presentmoment.h"

namespace velorin {

BirthData presentMoment(const QDateTime& moment, BirthData base) {
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
