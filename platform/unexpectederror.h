#pragma once
// What the user is told when a step ends on an error nobody planned for: the
// standard library's own text is English and names no file or field, so it
// is never shown.

#include <QString>
#include <exception>

namespace velorin {

// "<what> egy váratlan hiba miatt nem fejeződött be (<reason>). <unchanged>"
// what: the step, as the subject of the sentence ("A program betöltése");
// unchanged: what stayed as it was, as a whole sentence.
QString unexpectedFailureText(const QString& what, const std::exception& e,
                              const QString& unchanged);

} // namespace velorin
