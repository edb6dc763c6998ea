#pragma once
// The comma "write" record form of .ast, .loc and cod.dat: quoted texts, bare
// numbers, #TRUE#/#FALSE#, one record per CR LF line (LF alone is read too).

#include <QString>
#include <QStringList>
#include <vector>

namespace velorin {

struct RecordField {
    enum class Kind { Text, Bare, Bool } kind = Kind::Text;
    QString text;     // the text, or the bare token
    bool yes = false; // for Bool
};

using Record = std::vector<RecordField>;

// Builders for writing.
RecordField textField(const QString& s);
RecordField numberField(long long n);
RecordField boolField(bool b);

// One record line with its CR LF. A double quote inside a text cannot be
// represented; it is written as an apostrophe.
QString formatRecord(const Record& r);

// Splits a whole file into records. A quoted field runs to its closing quote
// and may hold commas and line breaks. Never fails: what follows a closing
// quote up to the next separator is dropped, an unclosed quote runs to the end.
std::vector<Record> parseRecords(const QString& text);

} // namespace velorin
