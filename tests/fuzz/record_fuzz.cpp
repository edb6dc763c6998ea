// The comma record form under .ast, .loc and cod.dat: any bytes must split
// into records without a fault, and what the writer makes of a record must
// read back as that record.

#include "fuzzsupport.h"
#include "platform/record.h"
#include "platform/textfile.h"

using namespace velorin;

namespace {

// The fields as the programs would write them back: numbers stay bare, any
// other bare token goes out as text.
Record writable(const Record& r) {
    Record out;
    for (const RecordField& f : r) {
        if (f.kind != RecordField::Kind::Bare) {
            out.push_back(f);
            continue;
        }
        bool ok = false;
        const long long n = f.text.toLongLong(&ok);
        out.push_back(ok ? numberField(n) : textField(f.text));
    }
    return out;
}

bool sameRecord(const Record& a, const Record& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].kind != b[i].kind || a[i].yes != b[i].yes)
            return false;
        // A double quote cannot be written and goes out as an apostrophe.
        QString expected = a[i].text;
        if (a[i].kind == RecordField::Kind::Text)
            expected.replace(QLatin1Char('"'), QLatin1Char('\''));
        if (expected != b[i].text)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = decodeTextFile(fuzz::bytesOf(data, size));
    const std::vector<Record> records = parseRecords(text);
    for (const Record& r : records) {
        if (r.empty())
            fuzz::fail("an empty record came out of the reader");
        const Record w = writable(r);
        const std::vector<Record> again = parseRecords(formatRecord(w));
        if (again.size() != 1 || !sameRecord(w, again.front()))
            fuzz::fail("a written record read back differently");
    }
    return 0;
}
