#pragma once
// The engine names a faulty input by a code of its own; the windows and the
// command line speak of the birth-data form's boxes, by name and label.

#include "engine/moment.h"

#include <QString>

namespace velorin {

struct BirthFieldText {
    const char* control; // the form's box, e.g. "txtDay"; "" for BirthField::None
    const char* label;   // its Hungarian label (UTF-8), e.g. "NAP"
};

BirthFieldText birthFieldText(BirthField field);

// What a failed computation tells the user: "Helytelen adat: NAP" for a box
// that holds no number, the engine's own text for everything else.
QString computeErrorText(const ComputeError& error);

// The same for a reader without the form in front of them: the box to
// correct is named by its label where the text does not already name it
// ("… (ÉV)"); never by the box's internal name.
QString computeErrorLine(const ComputeError& error);

} // namespace velorin
