#include "zonetext.h"

#include "engine/numbers.h"

namespace velorin {

QString zoneTextAfterDaylightSaving(const QString& zone, bool ticked) {
    const double value = leadingNumber(zone.toStdString());
    return QString::fromStdString(formatPlain(ticked ? value - 1 : value + 1));
}

QString zoneTextForHemisphere(const QString& zone, bool east) {
    QString t = zone.trimmed();
    const auto value = strictNumber(t.toStdString());
    if (!value)
        return zone;
    if (t.startsWith('-') || t.startsWith('+'))
        t.remove(0, 1);
    return east && *value != 0 ? QStringLiteral("-") + t : t;
}

} // namespace velorin
