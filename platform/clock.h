#pragma once
// The present moment, injectable so that "MA" and dated file names can be tested.

#include <QDateTime>
#include <functional>

namespace velorin {

QDateTime now();
void setClock(std::function<QDateTime()> clock); // empty restores the system clock

} // namespace velorin
