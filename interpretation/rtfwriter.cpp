#include "platform/textfile.h"
#include "rtf.h"

#include "ansitext.h"

#include <QColor>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QTextFragment>

#include <array>
#include <cmath>
#include <cstdint>

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

// Writes escaped text through a small buffer: a document is megabytes long,
// and growing the array one character at a time was most of writing it.
class Escaper {
public:
    explicit Escaper(QByteArray& out) : out_(out), bytes_(directCp1250Bytes()) {}
    ~Escaper() { flush(); }

    void put(const char* s) {
        while (*s)
            put(*s++);
    }

    // One character; line ends are the caller's business.
    void escape(QChar ch) {
        const char16_t c = ch.unicode();
        if (c == '\\' || c == '{' || c == '}') {
            put('\\');
            put(char(c));
        } else if (c == '\t') {
            put("\\tab ");
        } else if (c == QChar::LineSeparator) {
            put("\\line ");
        } else if (c >= 0x20 && c < 0x7F) {
            put(char(c));
        } else if (c < 0x20 || c == 0x7F) {
            hexByte(static_cast<unsigned char>(c));
        } else if (const int b = c < kDirectBytes ? bytes_[c] : cp1250Byte(ch); b >= 0) {
            // Written as a Central European word processor writes it.
            hexByte(static_cast<unsigned char>(b));
        } else {
            // \uN takes a signed 16-bit number; "?" is the fallback for
            // readers that do not know \u.
            put("\\u");
            put(QByteArray::number(int(int16_t(c))).constData());
            put('?');
        }
    }

    void flush() {
        out_.append(buffer_, used_);
        used_ = 0;
    }

private:
    void put(char c) {
        if (used_ == sizeof buffer_)
            flush();
        buffer_[used_++] = c;
    }

    void hexByte(unsigned char b) {
        static const char digits[] = "0123456789abcdef";
        put('\\');
        put('\'');
        put(digits[b >> 4]);
        put(digits[b & 15]);
    }

    QByteArray& out_;
    const std::array<int16_t, kDirectBytes>& bytes_;
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
    out.reserve(out.size() + text.size() + text.size() / 4 + 16);
    {
        // CR LF, a lone CR and a lone LF each end one paragraph.
        Escaper e(out);
        const qsizetype n = text.size();
        for (qsizetype i = 0; i < n; ++i) {
            const QChar c = text[i];
            if (c == u'\r' || c == u'\n') {
                if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
                    ++i;
                e.put("\\par\r\n");
            } else {
                e.escape(c);
            }
        }
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
