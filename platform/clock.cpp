#include "clock.h"

namespace velorin {
namespace {
std::function<QDateTime()> g_clock;
}

QDateTime now() {
    return g_clock ? g_clock() : QDateTime::currentDateTime();
}
void setClock(std::function<QDateTime()> clock) {
    g_clock = std::move(clock);
}

} // namespace velorin
