#include "unexpectederror.h"

#include <new>
#include <stdexcept>

namespace velorin {

namespace {

// The few kinds the user can act on; the rest is the program's own fault.
QString reasonOf(const std::exception& e) {
    if (dynamic_cast<const std::bad_alloc*>(&e))
        return QStringLiteral("elfogyott a memória");
    if (dynamic_cast<const std::length_error*>(&e))
        return QStringLiteral("túl nagy adat");
    return QStringLiteral("belső programhiba");
}

} // namespace

QString unexpectedFailureText(const QString& what, const std::exception& e,
                              const QString& unchanged) {
    return QStringLiteral("%1 egy váratlan hiba miatt nem fejeződött be (%2). %3")
        .arg(what, reasonOf(e), unchanged)
        .trimmed();
}

} // namespace velorin
