#include "rtf.h"
#include "rtfparser.h"

#include <QFont>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace velorin {

namespace {

using rtf::GroupState;
using rtf::Parser;
using rtf::Sink;

class PlainSink : public Sink {
public:
    QString out;
    void text(const QString& s, const GroupState&) override { out += s; }
    void paragraph(const GroupState&) override { out += QLatin1String("\r\n"); }
    void lineBreak(const GroupState&) override { out += QLatin1String("\r\n"); }
    void finish(const GroupState&) override {}
};

class DocumentSink : public Sink {
public:
    explicit DocumentSink(QTextDocument& doc) : cursor_(&doc) {}
    void attach(const Parser* parser) { parser_ = parser; }

    void text(const QString& s, const GroupState& st) override {
        if (!havePending_ || !pendingState_.sameCharFormat(st)) {
            flush();
            pendingState_ = st;
            havePending_ = true;
        }
        // The document reserves these for embedded objects and frames; as
        // text they would make it something the file never described.
        for (const QChar c : s)
            if (c != QChar::ObjectReplacementCharacter && c.unicode() != 0xFDD0 &&
                c.unicode() != 0xFDD1)
                pending_ += c;
        lastTextAlign_ = st.align;
        textInParagraph_ = true;
    }
    void paragraph(const GroupState& st) override {
        flush();
        setAlignment(st.align);
        cursor_.insertBlock();
        textInParagraph_ = false;
    }
    void lineBreak(const GroupState& st) override { text(QString(QChar::LineSeparator), st); }
    // The closing brace of the document has already restored the outer
    // state, so a last paragraph without \par keeps the alignment its text had.
    void finish(const GroupState& st) override {
        flush();
        setAlignment(textInParagraph_ ? lastTextAlign_ : st.align);
    }

private:
    void setAlignment(Qt::Alignment align) {
        QTextBlockFormat bf = cursor_.blockFormat();
        bf.setAlignment(align);
        cursor_.setBlockFormat(bf);
    }

    void flush() {
        if (pending_.isEmpty())
            return;
        cursor_.insertText(pending_, format(pendingState_));
        pending_.clear();
    }

    QTextCharFormat format(const GroupState& st) const {
        QTextCharFormat f;
        f.setFontWeight(st.bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(st.italic);
        f.setFontUnderline(st.underline);
        f.setFontStrikeOut(st.strike);
        f.setFontPointSize(st.halfPoints / 2.0);
        const auto& fonts = parser_->fonts();
        auto it = fonts.find(st.font < 0 ? parser_->defaultFont() : st.font);
        if (it != fonts.end() && !it->second.name.isEmpty())
            f.setFontFamilies({it->second.name});
        const auto& colors = parser_->colors();
        if (st.color > 0 && size_t(st.color) < colors.size() && colors[size_t(st.color)].isValid())
            f.setForeground(colors[size_t(st.color)]);
        return f;
    }

    QTextCursor cursor_;
    const Parser* parser_ = nullptr;
    QString pending_;
    GroupState pendingState_;
    bool havePending_ = false;
    Qt::Alignment lastTextAlign_ = Qt::AlignLeft;
    bool textInParagraph_ = false;
};

} // namespace

bool looksLikeRtf(const QByteArray& data) {
    qsizetype i = 0;
    while (i < data.size() &&
           (data[i] == ' ' || data[i] == '\r' || data[i] == '\n' || data[i] == '\t'))
        ++i;
    return data.mid(i, 5) == "{\\rtf";
}

QString rtfToPlainText(const QByteArray& rtf) {
    PlainSink sink;
    Parser parser(rtf, sink);
    parser.run();
    return sink.out;
}

void rtfToDocument(const QByteArray& rtf, QTextDocument& doc) {
    doc.clear();
    DocumentSink sink(doc);
    Parser parser(rtf, sink);
    sink.attach(&parser);
    parser.run();
}

} // namespace velorin
