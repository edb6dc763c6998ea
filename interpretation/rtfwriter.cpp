#include "platform/textfile.h"
#include "rtf.h"

#include "ansitext.h"

#include <QColor>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QTextFragment>

#include <cmath>

namespace velorin {

namespace {

void appendHexByte(QByteArray& out, unsigned char b) {
    static const char digits[] = "0123456789abcdef";
    out += "\\'";
    out += digits[b >> 4];
    out += digits[b & 15];
}

// Escapes one piece of text; line ends are the caller's business.
void appendEscaped(QByteArray& out, const QString& text) {
    for (const QChar ch : text) {
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
            appendHexByte(out, static_cast<unsigned char>(c));
        } else if (const int b = cp1250Byte(ch); b >= 0) {
            // Written as a Central European word processor writes it.
            appendHexByte(out, static_cast<unsigned char>(b));
        } else {
            // \uN takes a signed 16-bit number; "?" is the fallback for
            // readers that do not know \u.
            out += "\\u" + QByteArray::number(int(int16_t(c))) + '?';
        }
    }
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
    const QStringList lines = splitLineEnds(text);
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        appendEscaped(out, lines[i]);
        out += "\\par\r\n";
    }
    appendEscaped(out, lines.last());
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
