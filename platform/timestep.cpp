#include "timestep.h"

#include <QDateTime>

namespace velorin {

namespace {

std::optional<int> wholeNumber(const QString& text) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

QString twoDigits(int v) {
    return QString::number(v).rightJustified(2, QLatin1Char('0'));
}

} // namespace

std::optional<MomentTexts> stepMoment(const MomentTexts& from, int minutes) {
    const auto y = wholeNumber(from.year);
    const auto mo = wholeNumber(from.month);
    const auto d = wholeNumber(from.day);
    const auto h = wholeNumber(from.hour24);
    const auto mi = wholeNumber(from.minute);
    if (!y || !mo || !d || !h || !mi || *y < 100 || *y > 9999)
        return std::nullopt;
    const QDate date(*y, *mo, *d);
    const QTime time(*h, *mi);
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    // Local clock arithmetic: the form's zone and daylight-saving flag stay
    // as they are, so no time zone may shift the result.
    const QDateTime moved = QDateTime(date, time, Qt::UTC).addSecs(qint64(minutes) * 60);
    const QDate nd = moved.date();
    const QTime nt = moved.time();
    if (nd.year() < 100 || nd.year() > 9999)
        return std::nullopt;
    return MomentTexts{QString::number(nd.year()), twoDigits(nd.month()), twoDigits(nd.day()),
                       twoDigits(nt.hour()), twoDigits(nt.minute())};
}

TwelveHourTexts twelveHourTexts(int hour24) {
    if (hour24 < 12)
        return {twoDigits(hour24), true};
    return {QString::number(hour24 - 12), false};
}

} // namespace velorin
