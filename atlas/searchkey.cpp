#include "searchkey.h"

namespace velorin {

namespace {

// Letters that Unicode does not decompose into a base letter and a mark.
QStringView spelledOut(char16_t c) {
    switch (c) {
    case u'ø':
        return u"o";
    case u'đ':
        return u"d";
    case u'ð':
        return u"d";
    case u'ł':
        return u"l";
    case u'ı':
        return u"i";
    case u'ħ':
        return u"h";
    case u'ŧ':
        return u"t";
    case u'æ':
        return u"ae";
    case u'œ':
        return u"oe";
    case u'þ':
        return u"th";
    case u'ß':
        return u"ss";
    case u'-':
        return u" ";
    case u'‐':
        return u" ";
    case u'’':
        return u"'";
    case u'ʻ':
        return u"'";
    case u'`':
        return u"'";
    default:
        return {};
    }
}

} // namespace

std::string searchKey(QStringView text) {
    // Most names are plain ASCII; they need no decomposition.
    bool ascii = true;
    for (const QChar c : text)
        if (c.unicode() >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii) {
        std::string out(size_t(text.size()), ' ');
        for (qsizetype i = 0; i < text.size(); ++i) {
            char c = char(text[i].unicode());
            if (c >= 'A' && c <= 'Z')
                c = char(c - 'A' + 'a');
            else if (c == '-')
                c = ' ';
            else if (c == '`')
                c = '\'';
            out[size_t(i)] = c;
        }
        return out;
    }
    const QString decomposed = text.toString().normalized(QString::NormalizationForm_KD);
    QString out;
    out.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        const QChar lower = c.toCaseFolded();
        const QStringView spelled = spelledOut(lower.unicode());
        if (!spelled.isEmpty())
            out += spelled;
        else
            out += lower;
    }
    return out.toStdString();
}

} // namespace velorin
