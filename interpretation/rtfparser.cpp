#include "rtfparser.h"

#include <algorithm>

namespace velorin::rtf {

namespace {

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

} // namespace

Parser::Parser(const QByteArray& data, Sink& sink) : data_(data), sink_(sink) {
    stack_.emplace_back();
}

void Parser::run() {
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

void Parser::openGroup() {
    flush();
    skipRemaining_ = 0;
    if (stack_.size() < kMaxDepth)
        stack_.push_back(stack_.back());
    else
        ++untracked_;
}

void Parser::closeGroup() {
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

bool Parser::swallowedByUnicode() {
    if (skipRemaining_ > 0) {
        --skipRemaining_;
        return true;
    }
    return false;
}

void Parser::byte(unsigned char b) {
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

void Parser::unicodeChar(int value) {
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

void Parser::emitText(const QString& s) {
    flush();
    highSurrogate_ = 0;
    sink_.text(s, top());
}

int Parser::codepageFor(const GroupState& st) const {
    auto it = fonts_.find(st.font < 0 ? defaultFont_ : st.font);
    if (it != fonts_.end() && it->second.codepage != 0)
        return it->second.codepage;
    return documentCodepage_;
}

QStringDecoder& Parser::decoderFor(int codepage) {
    auto it = decoders_.find(codepage);
    if (it != decoders_.end())
        return *it->second;
    const char* name = codecName(codepage);
    auto decoder = std::make_unique<QStringDecoder>(name ? name : "windows-1252");
    if (!decoder->isValid())
        decoder = std::make_unique<QStringDecoder>(QStringDecoder::Latin1);
    return *decoders_.emplace(codepage, std::move(decoder)).first->second;
}

void Parser::flush() {
    if (pendingBytes_.isEmpty())
        return;
    QString s = decoderFor(codepageFor(pendingState_))(pendingBytes_);
    pendingBytes_.clear();
    highSurrogate_ = 0;
    s.remove(QChar(0));
    if (!s.isEmpty())
        sink_.text(s, pendingState_);
}

void Parser::endFontEntry() {
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

void Parser::controlSequence() {
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

void Parser::controlSymbol(char c) {
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

void Parser::special(char16_t ch) {
    if (swallowedByUnicode())
        return;
    if (top().dest == Destination::Text)
        emitText(QString(QChar(ch)));
}

void Parser::paragraph() {
    if (swallowedByUnicode())
        return;
    if (top().dest != Destination::Text)
        return;
    flush();
    sink_.paragraph(top());
}

void Parser::controlWord(std::string_view w, bool hasParam, int param) {
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
    } else if (w == "u") {
        if (hasParam)
            unicodeChar(param);
    } else if (w == "uc") {
        st.unicodeSkip = std::clamp(param, 0, 16);
    } else if (const char16_t ch = specialCharacter(w)) {
        special(ch);
    } else {
        if (swallowedByUnicode())
            return;
        flush();
        formatWord(w, hasParam, param, on);
    }
}

void Parser::formatWord(std::string_view w, bool hasParam, int param, bool on) {
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
    else if (const auto align = alignmentOf(w))
        st.align = *align;
    else if (w == "deff")
        defaultFont_ = param;
    else if (w == "ansicpg") {
        if (codecName(param))
            documentCodepage_ = param;
    } else if (const int codepage = documentCharacterSet(w))
        documentCodepage_ = codepage;
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

void Parser::skipBinary(int count) {
    if (count <= 0)
        return;
    pos_ = std::min<qsizetype>(data_.size(), pos_ + count);
}

} // namespace velorin::rtf
