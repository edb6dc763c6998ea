#pragma once
// The RTF reader's tokenizer and group state, shared by its two outputs (plain
// text and a formatted document). Internal to the interpretation library.

#include <QByteArray>
#include <QColor>
#include <QString>
#include <QStringDecoder>

#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace velorin::rtf {

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

// The code page of an \fcharset, 0 when the font does not say.
int codepageOfCharset(int charset);
// The decoder name of a single-byte code page; nullptr for any other.
const char* codecName(int codepage);
// The character a symbol word (\emdash, \tab, ...) stands for; 0 for any
// other word.
char16_t specialCharacter(std::string_view word);
// The alignment a paragraph word (\ql, \qc, ..., \pard) sets.
std::optional<Qt::Alignment> alignmentOf(std::string_view word);
// The code page of a document character-set word (\ansi, \mac, \pc, \pca);
// 0 for any other word.
int documentCharacterSet(std::string_view word);
// Destinations whose content is never shown.
bool isSkippedDestination(std::string_view word);

class Parser {
public:
    Parser(const QByteArray& data, Sink& sink);

    void run();

    const std::map<int, FontInfo>& fonts() const { return fonts_; }
    const std::vector<QColor>& colors() const { return colors_; }
    int defaultFont() const { return defaultFont_; }

private:
    GroupState& top() { return stack_.back(); }

    void openGroup();

    void closeGroup();

    // A \uN stands in for the next N characters (its fallback).
    bool swallowedByUnicode();

    void byte(unsigned char b);

    void unicodeChar(int value);

    void emitText(const QString& s);

    int codepageFor(const GroupState& st) const;

    QStringDecoder& decoderFor(int codepage);

    void flush();

    void endFontEntry();

    void controlSequence();

    void controlSymbol(char c);

    void special(char16_t ch);

    void paragraph();

    void controlWord(std::string_view w, bool hasParam, int param);

    void formatWord(std::string_view w, bool hasParam, int param, bool on);

    void skipBinary(int count);

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
};

} // namespace velorin::rtf
