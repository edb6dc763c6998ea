#include "rtfparser.h"

#include <algorithm>
#include <utility>

namespace velorin::rtf {

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

namespace {

template <typename Value, size_t N>
std::optional<Value> lookUp(const std::pair<std::string_view, Value> (&rows)[N],
                            std::string_view word) {
    for (const auto& [name, value] : rows)
        if (name == word)
            return value;
    return std::nullopt;
}

} // namespace

char16_t specialCharacter(std::string_view word) {
    static constexpr std::pair<std::string_view, char16_t> kRows[] = {
        {"tab", u'\t'},         {"cell", u'\t'},          {"emdash", u'\u2014'},
        {"endash", u'\u2013'},  {"bullet", u'\u2022'},    {"lquote", u'\u2018'},
        {"rquote", u'\u2019'},  {"ldblquote", u'\u201C'}, {"rdblquote", u'\u201D'},
        {"emspace", u'\u2003'}, {"enspace", u'\u2002'}};
    return lookUp(kRows, word).value_or(0);
}

std::optional<Qt::Alignment> alignmentOf(std::string_view word) {
    static const std::pair<std::string_view, Qt::Alignment> kRows[] = {{"pard", Qt::AlignLeft},
                                                                       {"ql", Qt::AlignLeft},
                                                                       {"qr", Qt::AlignRight},
                                                                       {"qc", Qt::AlignHCenter},
                                                                       {"qj", Qt::AlignJustify}};
    return lookUp(kRows, word);
}

int documentCharacterSet(std::string_view word) {
    static constexpr std::pair<std::string_view, int> kRows[] = {
        {"ansi", 1252}, {"mac", 10000}, {"pc", 437}, {"pca", 850}};
    return lookUp(kRows, word).value_or(0);
}

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

} // namespace velorin::rtf
