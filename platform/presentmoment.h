#pragma once
// The birth data of the present moment, as the form's "MA" button and the
// start-up without a chart file fill it.

#include "engine/birthdata.h"

#include <QDateTime>
#include <QTimeZone>
#include <optional>

namespace velorin {

// Name "Ma", the date and time of `moment`, and the zone and summer-time
// boxes of the clock's zone at that instant: the reading belongs to that
// zone, so a form left at another zone would cast the chart an hour or more
// off. The clock's zone is `zone` when given, else the moment's own (the
// computer's zone for a local time). Place, sex and notes are taken from
// `base`.
BirthData presentMoment(const QDateTime& moment, BirthData base = BirthData(),
                        const std::optional<QTimeZone>& zone = std::nullopt);

} // namespace velorin
