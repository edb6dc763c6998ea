#pragma once
// The operating system's error codes as Hungarian reasons, so that a message
// about a full disk does not end in English ("No space left on device").

#include <QString>

namespace velorin {

// The Hungarian reason for an errno value; an unlisted one is named by its number.
QString osErrorText(int errnum);

} // namespace velorin
