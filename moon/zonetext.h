#pragma once
// The start window's zone rules are the person entry's: the daylight-saving
// box and the East/West options change the zone text itself, and the
// calendar reads only the text.

#include "platform/personentry.h"
