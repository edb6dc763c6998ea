#include "rtf.h"

#include <QColor>
#include <QFont>
#include <QStringDecoder>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <string_view>
#include <vector>

namespace velorin {

namespace {

// Hostile files must not exhaust memory: deeper groups simply share the state
// of the deepest tracked one, and tables stop growing at these sizes.
constexpr size_t kMaxDepth = 200;
constexpr size_t kMaxFonts = 1024;
constexpr size_t kMaxColors = 1024;
constexpr size_t kMaxFontNameLength = 256;
constexpr int kDefaultHalfPoints = 24; // RTF's own default, 12 pt

enum class Destination { Text, Skip, FontTable, ColorTable };

struct GroupState {
    Destination dest = Destination::Text;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int font = -1;
    int halfPoints = kDefaultHalfPoints;
    int color = 0;
    int unicodeSkip = 1;
    Qt::Alignment align = Qt::AlignLeft;
    bool sameCharFormat(const GroupState& o) const {
        return bold == o.bold && italic == o.italic && underline == o.underline &&
               strike == o.strike && font == o.font && halfPoints == o.halfPoints &&
               color == o.color;
    }
};

struct FontInfo {
    QString name;
    int codepage = 0; // 0: the document's
};

class Sink {
public:
    virtual ~Sink() = default;
    virtual void text(const QString& s, const GroupState& st) = 0;
    virtual void paragraph(const GroupState& st) = 0;
    virtual void lineBreak(const GroupState& st) = 0;
    virtual void finish(const GroupState& st) = 0;
};

int codepageOfCharset(int charset) {
    switch (charset) {
    case 0:
        return 1252;
    case 77:
        return 10000;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 255:
        return 437;
    default:
        return 0;
    }
}

// Only single-byte code pages: a byte then always stands for one character.
const char* codecName(int codepage) {
    switch (codepage) {
    case 437:
        return "IBM437";
    case 850:
        return "IBM850";
    case 852:
        return "IBM852";
    case 874:
        return "windows-874";
    case 1250:
        return "windows-1250";
    case 1251:
        return "windows-1251";
    case 1252:
        return "windows-1252";
    case 1253:
        return "windows-1253";
    case 1254:
        return "windows-1254";
    case 1255:
        return "windows-1255";
    case 1256:
        return "windows-1256";
    case 1257:
        return "windows-1257";
    case 1258:
        return "windows-1258";
    case 10000:
        return "macintosh";
    default:
        return nullptr;
    }
}

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Destinations whose content is never shown.
bool isSkippedDestination(std::string_view w) {
    static constexpr std::string_view kWords[] = {"stylesheet",
                                                  "info",
                                                  "pict",
                                                  "object",
                                                  "header",
                                                  "headerl",
                                                  "headerr",
                                                  "headerf",
                                                  "footer",
                                                  "footerl",
                                                  "footerr",
                                                  "footerf",
                                                  "footnote",
                                                  "annotation",
                                                  "xe",
                                                  "tc",
                                                  "txe",
                                                  "rxe",
                                                  "fldinst",
                                                  "datafield",
                                                  "themedata",
                                                  "colorschememapping",
                                                  "latentstyles",
                                                  "listtable",
                                                  "listoverridetable",
                                                  "rsidtbl",
                                                  "generator",
                                                  "xmlnstbl",
                                                  "filetbl",
                                                  "revtbl",
                                                  "pn",
                                                  "pntxta",
                                                  "pntxtb",
                                                  "bkmkstart",
                                                  "bkmkend",
                                                  "shp",
                                                  "shpinst",
                                                  "nonshppict",
                                                  "author",
                                                  "operator",
                                                  "title",
                                                  "subject",
                                                  "keywords",
                                                  "comment",
                                                  "doccomm",
                                                  "company",
                                                  "userprops",
                                                  "atnid",
                                                  "atnauthor",
                                                  "atrfstart",
                                                  "atrfend",
                                                  "template",
                                                  "fchars",
                                                  "lchars",
                                                  "pgdsctbl",
                                                  "background",
                                                  "mmathPr",
                                                  "listtext",
                                                  "pntext",
                                                  "objdata",
                                                  "result",
                                                  "docvar",
                                                  "falt",
                                                  "panose",
                                                  "ftnsep",
                                                  "ftnsepc",
                                                  "aftnsep",
                                                  "aftnsepc"};
    return std::find(std::begin(kWords), std::end(kWords), w) != std::end(kWords);
}

class Parser {
public:
    Parser(const QByteArray& data, Sink& sink) : data_(data), sink_(sink) { stack_.emplace_back(); }

    void run() {
        const qsizetype n = data_.size();
        while (pos_ < n) {
            const char c = data_[pos_];
            if (c == '{') {
                ++pos_;
                openGroup();
            } else if (c == '}') {
                ++pos_;
                closeGroup();
            } else if (c == '\\') {
                ++pos_;
                controlSequence();
            } else if (c == '\r' || c == '\n' || c == '\0') {
                ++pos_;
            } else {
                ++pos_;
                byte(static_cast<unsigned char>(c));
            }
        }
        flush();
        sink_.finish(top());
    }

    const std::map<int, FontInfo>& fonts() const { return fonts_; }
    const std::vector<QColor>& colors() const { return colors_; }
    int defaultFont() const { return defaultFont_; }

private:
    GroupState& top() { return stack_.back(); }

    void openGroup() {
        flush();
        skipRemaining_ = 0;
        if (stack_.size() < kMaxDepth)
            stack_.push_back(stack_.back());
        else
            ++untracked_;
    }

    void closeGroup() {
        flush();
        skipRemaining_ = 0;
        if (untracked_ > 0) {
            --untracked_;
            return;
        }
        if (stack_.size() <= 1)
            return; // an unbalanced brace: ignore it and read on
        if (top().dest == Destination::FontTable)
            endFontEntry();
        stack_.pop_back();
    }

    // A \uN stands in for the next N characters (its fallback).
    bool swallowedByUnicode() {
        if (skipRemaining_ > 0) {
            --skipRemaining_;
            return true;
        }
        return false;
    }

    void byte(unsigned char b) {
        if (swallowedByUnicode())
            return;
        switch (top().dest) {
        case Destination::Skip:
            return;
        case Destination::FontTable:
            if (b == ';')
                endFontEntry();
            else if (fontName_.size() < qsizetype(kMaxFontNameLength))
                fontName_.append(char(b));
            return;
        case Destination::ColorTable:
            if (b == ';') {
                if (colors_.size() < kMaxColors)
                    colors_.push_back(colorSet_ ? QColor(red_, green_, blue_) : QColor());
                red_ = green_ = blue_ = 0;
                colorSet_ = false;
            }
            return;
        case Destination::Text:
            if (pendingBytes_.isEmpty())
                pendingState_ = top();
            else if (!pendingState_.sameCharFormat(top()) ||
                     codepageFor(pendingState_) != codepageFor(top())) {
                flush();
                pendingState_ = top();
            }
            pendingBytes_.append(char(b));
            return;
        }
    }

    void unicodeChar(int value) {
        skipRemaining_ = top().unicodeSkip;
        if (value < -32768 || value > 65535)
            return; // not a UTF-16 unit
        const char16_t unit = char16_t(value < 0 ? value + 65536 : value);
        if (top().dest != Destination::Text) {
            if (top().dest == Destination::FontTable &&
                fontName_.size() < qsizetype(kMaxFontNameLength))
                fontUnicode_.append(QChar(unit));
            return;
        }
        // A character beyond the first plane comes as two \u units; a unit of
        // a pair without its partner, and NUL, are no text at all.
        const char16_t high = highSurrogate_;
        highSurrogate_ = 0;
        if (unit == 0)
            return;
        if (QChar::isHighSurrogate(unit)) {
            highSurrogate_ = unit;
            return;
        }
        if (QChar::isLowSurrogate(unit)) {
            if (high != 0)
                emitText(QString(QChar(high)) + QChar(unit));
            return;
        }
        emitText(QString(QChar(unit)));
    }

    void emitText(const QString& s) {
        flush();
        highSurrogate_ = 0;
        sink_.text(s, top());
    }

    int codepageFor(const GroupState& st) const {
        auto it = fonts_.find(st.font < 0 ? defaultFont_ : st.font);
        if (it != fonts_.end() && it->second.codepage != 0)
            return it->second.codepage;
        return documentCodepage_;
    }

    QStringDecoder& decoderFor(int codepage) {
        auto it = decoders_.find(codepage);
        if (it != decoders_.end())
            return *it->second;
        const char* name = codecName(codepage);
        auto decoder = std::make_unique<QStringDecoder>(name ? name : "windows-1252");
        if (!decoder->isValid())
            decoder = std::make_unique<QStringDecoder>(QStringDecoder::Latin1);
        return *decoders_.emplace(codepage, std::move(decoder)).first->second;
    }

    void flush() {
        if (pendingBytes_.isEmpty())
            return;
        QString s = decoderFor(codepageFor(pendingState_))(pendingBytes_);
        pendingBytes_.clear();
        highSurrogate_ = 0;
        s.remove(QChar(0));
        if (!s.isEmpty())
            sink_.text(s, pendingState_);
    }

    void endFontEntry() {
        if (fontId_ >= 0 && (fonts_.size() < kMaxFonts || fonts_.count(fontId_))) {
            FontInfo& f = fonts_[fontId_];
            QString name = decoderFor(fontCodepage_ ? fontCodepage_ : documentCodepage_)(fontName_);
            name += fontUnicode_;
            f.name = name.trimmed();
            f.codepage = fontCodepage_;
        }
        fontId_ = -1;
        fontCodepage_ = 0;
        fontName_.clear();
        fontUnicode_.clear();
    }

    void controlSequence() {
        const qsizetype n = data_.size();
        if (pos_ >= n)
            return;
        const char c = data_[pos_];
        if (!isLetter(c)) {
            ++pos_;
            controlSymbol(c);
            return;
        }
        const qsizetype start = pos_;
        while (pos_ < n && isLetter(data_[pos_]))
            ++pos_;
        const std::string_view word(data_.constData() + start, size_t(pos_ - start));
        bool hasParam = false;
        bool negative = false;
        long long param = 0;
        if (pos_ < n && data_[pos_] == '-' && pos_ + 1 < n && isDigit(data_[pos_ + 1])) {
            negative = true;
            ++pos_;
        }
        while (pos_ < n && isDigit(data_[pos_])) {
            hasParam = true;
            if (param < 100000000000LL)
                param = param * 10 + (data_[pos_] - '0');
            ++pos_;
        }
        if (pos_ < n && data_[pos_] == ' ')
            ++pos_;
        param = std::clamp(negative ? -param : param, -2147483647LL, 2147483647LL);
        controlWord(word, hasParam, int(param));
    }

    void controlSymbol(char c) {
        switch (c) {
        case '\'': {
            const qsizetype n = data_.size();
            int hi = pos_ < n ? hexValue(data_[pos_]) : -1;
            int lo = pos_ + 1 < n ? hexValue(data_[pos_ + 1]) : -1;
            if (hi < 0)
                return;
            if (lo < 0) {
                ++pos_; // a cut-off escape stands for nothing
                return;
            }
            pos_ += 2;
            byte(static_cast<unsigned char>(hi * 16 + lo));
            return;
        }
        case '\\':
        case '{':
        case '}':
            byte(static_cast<unsigned char>(c));
            return;
        case '~':
            special(u'\u00A0');
            return;
        case '_':
            special(u'\u2011');
            return;
        case '*':
            flush();
            top().dest = Destination::Skip;
            return;
        case '\r':
        case '\n':
            paragraph();
            return;
        case '\t':
            special(u'\t');
            return;
        default:
            return; // \- (optional hyphen), \: and the rest show nothing
        }
    }

    void special(char16_t ch) {
        if (swallowedByUnicode())
            return;
        if (top().dest == Destination::Text)
            emitText(QString(QChar(ch)));
    }

    void paragraph() {
        if (swallowedByUnicode())
            return;
        if (top().dest != Destination::Text)
            return;
        flush();
        sink_.paragraph(top());
    }

    void controlWord(std::string_view w, bool hasParam, int param) {
        GroupState& st = top();
        const bool on = !hasParam || param != 0;
        // The font and colour tables read their own words; everything else in
        // them is ignored.
        if (st.dest == Destination::FontTable) {
            if (w == "f")
                fontId_ = param;
            else if (w == "fcharset")
                fontCodepage_ = fontCodepage_ ? fontCodepage_ : codepageOfCharset(param);
            else if (w == "cpg" && codecName(param))
                fontCodepage_ = param;
            else if (w == "u")
                unicodeChar(param);
            else if (isSkippedDestination(w))
                st.dest = Destination::Skip;
            return;
        }
        if (st.dest == Destination::ColorTable) {
            const int v = std::clamp(param, 0, 255);
            if (w == "red")
                red_ = v, colorSet_ = true;
            else if (w == "green")
                green_ = v, colorSet_ = true;
            else if (w == "blue")
                blue_ = v, colorSet_ = true;
            return;
        }
        if (st.dest == Destination::Skip) {
            if (w == "bin")
                skipBinary(hasParam ? param : 0);
            return;
        }

        if (w == "par" || w == "sect" || w == "page" || w == "row") {
            paragraph();
        } else if (w == "line") {
            if (!swallowedByUnicode()) {
                flush();
                sink_.lineBreak(st);
            }
        } else if (w == "tab" || w == "cell") {
            special(u'\t');
        } else if (w == "u") {
            if (hasParam)
                unicodeChar(param);
        } else if (w == "uc") {
            st.unicodeSkip = std::clamp(param, 0, 16);
        } else if (w == "emdash") {
            special(u'\u2014');
        } else if (w == "endash") {
            special(u'\u2013');
        } else if (w == "bullet") {
            special(u'\u2022');
        } else if (w == "lquote") {
            special(u'\u2018');
        } else if (w == "rquote") {
            special(u'\u2019');
        } else if (w == "ldblquote") {
            special(u'\u201C');
        } else if (w == "rdblquote") {
            special(u'\u201D');
        } else if (w == "emspace") {
            special(u'\u2003');
        } else if (w == "enspace") {
            special(u'\u2002');
        } else {
            if (swallowedByUnicode())
                return;
            flush();
            formatWord(w, hasParam, param, on);
        }
    }

    void formatWord(std::string_view w, bool hasParam, int param, bool on) {
        GroupState& st = top();
        if (w == "b")
            st.bold = on;
        else if (w == "i")
            st.italic = on;
        else if (w == "ul")
            st.underline = on;
        else if (w == "ulnone")
            st.underline = false;
        else if (w.size() > 2 && w.substr(0, 2) == "ul" && w != "ulc")
            st.underline = on; // dotted, double, word... all read as underline
        else if (w == "strike")
            st.strike = on;
        else if (w == "plain") {
            st.bold = st.italic = st.underline = st.strike = false;
            st.font = -1;
            st.halfPoints = kDefaultHalfPoints;
            st.color = 0;
        } else if (w == "f")
            st.font = hasParam ? param : -1;
        else if (w == "fs")
            st.halfPoints = hasParam && param > 0 ? std::min(param, 3276) : kDefaultHalfPoints;
        else if (w == "cf")
            st.color = std::max(param, 0);
        else if (w == "pard")
            st.align = Qt::AlignLeft;
        else if (w == "ql")
            st.align = Qt::AlignLeft;
        else if (w == "qr")
            st.align = Qt::AlignRight;
        else if (w == "qc")
            st.align = Qt::AlignHCenter;
        else if (w == "qj")
            st.align = Qt::AlignJustify;
        else if (w == "deff")
            defaultFont_ = param;
        else if (w == "ansicpg") {
            if (codecName(param))
                documentCodepage_ = param;
        } else if (w == "ansi")
            documentCodepage_ = 1252;
        else if (w == "mac")
            documentCodepage_ = 10000;
        else if (w == "pc")
            documentCodepage_ = 437;
        else if (w == "pca")
            documentCodepage_ = 850;
        else if (w == "fonttbl") {
            st.dest = Destination::FontTable;
            fontId_ = -1;
            fontCodepage_ = 0;
            fontName_.clear();
            fontUnicode_.clear();
        } else if (w == "colortbl") {
            st.dest = Destination::ColorTable;
            red_ = green_ = blue_ = 0;
            colorSet_ = false;
        } else if (w == "bin")
            skipBinary(hasParam ? param : 0);
        else if (isSkippedDestination(w))
            st.dest = Destination::Skip;
    }

    void skipBinary(int count) {
        if (count <= 0)
            return;
        pos_ = std::min<qsizetype>(data_.size(), pos_ + count);
    }

    const QByteArray& data_;
    Sink& sink_;
    qsizetype pos_ = 0;
    std::vector<GroupState> stack_;
    size_t untracked_ = 0;
    int skipRemaining_ = 0;
    char16_t highSurrogate_ = 0; // a \u unit waiting for the second half of its pair

    QByteArray pendingBytes_;
    GroupState pendingState_;

    int documentCodepage_ = 1252;
    int defaultFont_ = 0;
    std::map<int, FontInfo> fonts_;
    std::map<int, std::unique_ptr<QStringDecoder>> decoders_;
    std::vector<QColor> colors_;

    int fontId_ = -1;
    int fontCodepage_ = 0;
    QByteArray fontName_;
    QString fontUnicode_;
    int red_ = 0, green_ = 0, blue_ = 0;
    bool colorSet_ = false;

    friend class DocumentSink;
};

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
