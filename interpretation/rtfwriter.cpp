#include "platform/textfile.h"
#include "rtf.h"

#include "ansitext.h"

#include <QColor>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QTextFragment>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace velorin {

namespace {

// cp1250Byte for the letters a Hungarian text is made of, without a hash
// lookup per character: every Latin-1 and Latin Extended-A character.
constexpr char16_t kDirectBytes = 0x180;
const std::array<int16_t, kDirectBytes>& directCp1250Bytes() {
    static const std::array<int16_t, kDirectBytes> table = [] {
        std::array<int16_t, kDirectBytes> t{};
        for (char16_t c = 0; c < kDirectBytes; ++c)
            t[c] = int16_t(cp1250Byte(QChar(c)));
        return t;
    }();
    return table;
}

// What one character becomes in the file; line ends are the caller's business.
void appendEscapedByRule(QByteArray& out, QChar ch) {
    static const char digits[] = "0123456789abcdef";
    const auto hexByte = [&](unsigned char b) {
        out += '\\';
        out += '\'';
        out += digits[b >> 4];
        out += digits[b & 15];
    };
    const char16_t c = ch.unicode();
    if (c == '\\' || c == '{' || c == '}') {
        out += '\\';
        out += char(c);
    } else if (c == '\t') {
        out += "\\tab ";
    } else if (c == QChar::LineSeparator) {
        out += "\\line ";
    } else if (c >= 0x20 && c < 0x7F) {
        out += char(c);
    } else if (c < 0x20 || c == 0x7F) {
        hexByte(static_cast<unsigned char>(c));
    } else if (const int b = c < kDirectBytes ? directCp1250Bytes()[c] : cp1250Byte(ch); b >= 0) {
        // Written as a Central European word processor writes it.
        hexByte(static_cast<unsigned char>(b));
    } else {
        // \uN takes a signed 16-bit number; "?" is the fallback for
        // readers that do not know \u.
        out += "\\u";
        out += QByteArray::number(int(int16_t(c)));
        out += '?';
    }
}

// The same for the characters a Hungarian text is made of, worked out once:
// a rule per character was most of writing a document.
struct EscapedChar {
    unsigned char size;
    char text[15];
};

const std::array<EscapedChar, kDirectBytes>& escapedChars() {
    static const std::array<EscapedChar, kDirectBytes> table = [] {
        std::array<EscapedChar, kDirectBytes> t{};
        for (char16_t c = 0; c < kDirectBytes; ++c) {
            QByteArray bytes;
            appendEscapedByRule(bytes, QChar(c));
            t[c].size = static_cast<unsigned char>(bytes.size());
            std::memcpy(t[c].text, bytes.constData(), size_t(bytes.size()));
        }
        return t;
    }();
    return table;
}

// Writes escaped text through a small buffer: a document is megabytes long,
// and growing the array one character at a time was most of writing it.
class Escaper {
public:
    explicit Escaper(QByteArray& out) : out_(out), escaped_(escapedChars()) {}
    ~Escaper() { flush(); }

    void escape(QChar ch) {
        const char16_t c = ch.unicode();
        if (c < kDirectBytes) {
            put(escaped_[c].text, escaped_[c].size);
        } else {
            QByteArray bytes;
            appendEscapedByRule(bytes, ch);
            put(bytes.constData(), bytes.size());
        }
    }

    void flush() {
        out_.append(buffer_, used_);
        used_ = 0;
    }

private:
    void put(const char* s, qsizetype n) {
        if (used_ + n > qsizetype(sizeof buffer_))
            flush();
        std::memcpy(buffer_ + used_, s, size_t(n));
        used_ += n;
    }

    QByteArray& out_;
    const std::array<EscapedChar, kDirectBytes>& escaped_;
    char buffer_[4096];
    qsizetype used_ = 0;
};

void appendEscaped(QByteArray& out, const QString& text) {
    Escaper e(out);
    for (const QChar ch : text)
        e.escape(ch);
}

QByteArray header(const QStringList& fonts, const QList<QColor>& colors) {
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1250\\deff0\\deflang1038{\\fonttbl";
    for (int i = 0; i < fonts.size(); ++i) {
        out += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset238 ";
        appendEscaped(out, fonts[i]);
        out += ";}";
    }
    out += "}\r\n";
    if (!colors.isEmpty()) {
        out += "{\\colortbl ;";
        for (const QColor& c : colors)
            out += "\\red" + QByteArray::number(c.red()) + "\\green" +
                   QByteArray::number(c.green()) + "\\blue" + QByteArray::number(c.blue()) + ';';
        out += "}\r\n";
    }
    out += "\\viewkind4\\uc1";
    return out;
}

} // namespace

QByteArray plainTextToRtf(const QString& text) {
    QByteArray out = header({QString::fromLatin1(kRtfDefaultFont)}, {});
    out += "\\pard\\plain\\f0\\fs" + QByteArray::number(kRtfDefaultHalfPoints) + ' ';
    const qsizetype n = text.size();
    out.reserve(out.size() + n + n / 4 + 16);
    // Written straight into room for the longest form of every character of
    // a stretch, so that a character costs a table entry and no bounds check;
    // the stretch keeps that room small whatever the document's size.
    const std::array<EscapedChar, kDirectBytes>& table = escapedChars();
    constexpr qsizetype kStretch = 16 * 1024;
    constexpr qsizetype kRoom = qsizetype(sizeof(EscapedChar::text));
    const QChar* p = text.constData();
    for (qsizetype i = 0; i < n;) {
        const qsizetype end = std::min(n, i + kStretch);
        const qsizetype at = out.size();
        out.resize(at + (end - i) * kRoom);
        char* w = out.data() + at;
        for (; i < end; ++i) {
            const char16_t c = p[i].unicode();
            if (c == u'\r' || c == u'\n') {
                // CR LF, a lone CR and a lone LF each end one paragraph.
                if (c == u'\r' && i + 1 < n && p[i + 1] == u'\n')
                    ++i;
                std::memcpy(w, "\\par\r\n", 6);
                w += 6;
            } else if (c < kDirectBytes) {
                std::memcpy(w, table[c].text, size_t(kRoom));
                w += table[c].size;
            } else {
                QByteArray bytes;
                appendEscapedByRule(bytes, QChar(c));
                std::memcpy(w, bytes.constData(), size_t(bytes.size()));
                w += bytes.size();
            }
        }
        out.resize(w - out.constData());
    }
    out += "}\r\n";
    return out;
}

QByteArray documentToRtf(const QTextDocument& doc) {
    QStringList fonts{QString::fromLatin1(kRtfDefaultFont)};
    QList<QColor> colors;
    QByteArray body;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (block != doc.begin())
            body += "\\par\r\n";
        body += "\\pard";
        const Qt::Alignment align = block.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
        if (align & Qt::AlignHCenter)
            body += "\\qc";
        else if (align & Qt::AlignJustify)
            body += "\\qj";
        else if (align & (Qt::AlignRight | Qt::AlignTrailing))
            body += "\\qr";
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            if (!frag.isValid())
                continue;
            const QTextCharFormat f = frag.charFormat();
            const QStringList families = f.fontFamilies().toStringList();
            int font = 0;
            if (!families.isEmpty() && !families.first().isEmpty()) {
                font = int(fonts.indexOf(families.first()));
                if (font < 0) {
                    fonts.append(families.first());
                    font = int(fonts.size() - 1);
                }
            }
            const double points = f.fontPointSize();
            const int halfPoints =
                points > 0 ? int(std::lround(points * 2)) : kRtfDefaultHalfPoints;
            body +=
                "\\plain\\f" + QByteArray::number(font) + "\\fs" + QByteArray::number(halfPoints);
            if (f.fontWeight() >= QFont::Bold)
                body += "\\b";
            if (f.fontItalic())
                body += "\\i";
            if (f.fontUnderline())
                body += "\\ul";
            if (f.fontStrikeOut())
                body += "\\strike";
            if (f.hasProperty(QTextFormat::ForegroundBrush) &&
                f.foreground().style() != Qt::NoBrush) {
                const QColor c = f.foreground().color();
                int index = int(colors.indexOf(c));
                if (index < 0) {
                    colors.append(c);
                    index = int(colors.size() - 1);
                }
                body += "\\cf" + QByteArray::number(index + 1);
            }
            body += ' ';
            QString text = frag.text();
            text.remove(QChar::ObjectReplacementCharacter);
            text.replace(QChar::ParagraphSeparator, QChar::LineSeparator);
            appendEscaped(body, text);
        }
    }
    return header(fonts, colors) + body + "}\r\n";
}

} // namespace velorin
