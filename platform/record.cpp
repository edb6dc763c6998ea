#include "record.h"

namespace velorin {

RecordField textField(const QString& s) {
    return {RecordField::Kind::Text, s, false};
}
RecordField numberField(long long n) {
    return {RecordField::Kind::Bare, QString::number(n), false};
}
RecordField boolField(bool b) {
    return {RecordField::Kind::Bool, b ? "#TRUE#" : "#FALSE#", b};
}

QString formatRecord(const Record& r) {
    QString line;
    for (size_t i = 0; i < r.size(); ++i) {
        if (i > 0)
            line += ',';
        const RecordField& f = r[i];
        switch (f.kind) {
        case RecordField::Kind::Text: {
            QString t = f.text;
            t.replace('"', '\'');
            line += '"' + t + '"';
            break;
        }
        case RecordField::Kind::Bare:
            line += f.text;
            break;
        case RecordField::Kind::Bool:
            line += f.yes ? "#TRUE#" : "#FALSE#";
            break;
        }
    }
    line += "\r\n";
    return line;
}

std::vector<Record> parseRecords(const QString& text) {
    std::vector<Record> records;
    Record current;
    const qsizetype n = text.size();
    qsizetype i = 0;
    auto isLineEnd = [&](qsizetype p) { return p < n && (text[p] == '\r' || text[p] == '\n'); };
    auto skipLineEnd = [&]() {
        if (i < n && text[i] == '\r')
            ++i;
        if (i < n && text[i] == '\n')
            ++i;
    };
    while (i < n) {
        while (i < n && (text[i] == ' ' || text[i] == '\t'))
            ++i;
        if (current.empty() && isLineEnd(i)) {
            skipLineEnd(); // blank line: no record
            continue;
        }
        RecordField f;
        if (i < n && text[i] == '"') {
            qsizetype close = text.indexOf('"', i + 1);
            if (close < 0)
                close = n;
            f.kind = RecordField::Kind::Text;
            f.text = text.mid(i + 1, close - i - 1);
            i = close + 1;
            // Anything between the closing quote and the separator is not part of the field.
            while (i < n && text[i] != ',' && !isLineEnd(i))
                ++i;
        } else {
            qsizetype start = i;
            while (i < n && text[i] != ',' && !isLineEnd(i))
                ++i;
            QString token = text.mid(start, i - start).trimmed();
            if (token.compare("#TRUE#", Qt::CaseInsensitive) == 0) {
                f = boolField(true);
            } else if (token.compare("#FALSE#", Qt::CaseInsensitive) == 0) {
                f = boolField(false);
            } else {
                f.kind = RecordField::Kind::Bare;
                f.text = token;
            }
        }
        // A byte-order mark inside a field is invisible, and the program's own
        // text conversions drop one at a field's start, so a field holding it
        // would change every time the file is saved.
        f.text.remove(QChar(0xFEFF));
        current.push_back(f);
        if (i < n && text[i] == ',') {
            ++i;
            if (i >= n) // a trailing comma still opens one empty field
                current.push_back({RecordField::Kind::Bare, QString(), false});
            continue;
        }
        skipLineEnd();
        records.push_back(std::move(current));
        current.clear();
    }
    if (!current.empty())
        records.push_back(std::move(current));
    return records;
}

} // namespace velorin
