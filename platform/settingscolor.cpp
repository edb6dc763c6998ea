// The stored colours as Qt colours. Apart from the rest of the settings: a
// program that reads settings but draws nothing links without Qt's GUI part.

#include "settings.h"

namespace velorin {

QColor qColorOf(BgrColor c) {
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

BgrColor bgrOf(const QColor& c) {
    return BgrColor(c.red()) | BgrColor(c.green()) << 8 | BgrColor(c.blue()) << 16;
}

} // namespace velorin
