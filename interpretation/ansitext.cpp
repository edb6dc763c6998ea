#include "ansitext.h"

#include "platform/textfile.h"

#include <QHash>
#include <array>

namespace velorin {

QByteArray encodeAnsiText(const QString& text) {
    QByteArray bytes = toCp1250(text);
    if (fromCp1250(bytes) == text)
        return bytes;
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

namespace {

struct Cp1250Tables {
    std::array<QChar, 256> chars;
    QHash<char16_t, unsigned char> bytes;
};

const Cp1250Tables& cp1250Tables() {
    static const Cp1250Tables tables = [] {
        Cp1250Tables t;
        for (int b = 0; b < 256; ++b) {
            const QString s = fromCp1250(QByteArray(1, char(b)));
            t.chars[size_t(b)] = s.size() == 1 ? s[0] : QChar::ReplacementCharacter;
            if (s.size() == 1 && s[0] != QChar::ReplacementCharacter)
                t.bytes.insert(s[0].unicode(), static_cast<unsigned char>(b));
        }
        return t;
    }();
    return tables;
}

} // namespace

int cp1250Byte(QChar c) {
    const auto& bytes = cp1250Tables().bytes;
    const auto it = bytes.constFind(c.unicode());
    return it == bytes.constEnd() ? -1 : int(*it);
}

QChar cp1250Char(unsigned char byte) {
    return cp1250Tables().chars[byte];
}

} // namespace velorin
