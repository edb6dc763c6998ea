#pragma once
// The start window's rules for its zone text: the daylight-saving box and the
// East/West options change the text itself, and the calendar reads only the
// text.

#include <QString>

namespace velorin {

// Ticking the box makes the zone one hour more eastern (zone - 1), clearing it
// one hour less; the text's leading number counts, written without padding.
QString zoneTextAfterDaylightSaving(const QString& zone, bool ticked);

// East makes the zone -|zone|, West |zone|; a text that is not a number
// stays as it is.
QString zoneTextForHemisphere(const QString& zone, bool east);

} // namespace velorin
