#include "ansitext.h"

#include "platform/textfile.h"

namespace velorin {

QByteArray encodeAnsiText(const QString& text) {
    QByteArray bytes = toCp1250(text);
    if (fromCp1250(bytes) == text)
        return bytes;
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

} // namespace velorin
