#pragma once
// The birth data of the present moment, as the form's "MA" button and the
// start-up without a chart file fill it.

#include "engine/birthdata.h"

#include <QDateTime>

namespace velorin {

// Name "Ma", the date and time of `moment`; zone, place, sex, daylight saving
// and notes are taken from `base`.
BirthData presentMoment(const QDateTime& moment, BirthData base = BirthData());

} // namespace velorin
