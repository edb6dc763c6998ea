#include "chartfile.h"

#include "record.h"
#include "textfile.h"
#include "zones.h"

#include "engine/numbers.h"

namespace velorin {
namespace {

// A chart file is one short line; anything far larger is not one of ours.
constexpr qint64 kMaxChartFileBytes = 256 * 1024;

std::string text(const RecordField& f) {
    return f.text.toStdString();
}

std::optional<bool> yesNo(const RecordField& f) {
    if (f.kind == RecordField::Kind::Bool)
        return f.yes;
    QString t = f.text.trimmed();
    if (t.compare("True", Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare("False", Qt::CaseInsensitive) == 0)
        return false;
    return std::nullopt;
}

std::optional<int> checkValue(const RecordField& f) {
    auto v = strictNumber(text(f));
    if (!v || (*v != 0 && *v != 1))
        return std::nullopt;
    return int(*v);
}

} // namespace

std::optional<ChartFile> parseChartText(const QString& content, const BirthData& base) {
    std::vector<Record> records = parseRecords(content);
    if (records.empty())
        return std::nullopt;
    const Record& r = records.front();
    if (r.size() < 14)
        return std::nullopt;

    ChartFile f;
    f.layout = r.size() >= 15 ? ChartLayout::Current : ChartLayout::Old;
    BirthData d = base;
    d.name = text(r[0]);
    d.year = text(r[1]);
    d.month = text(r[2]);
    d.day = text(r[3]);
    d.hour = text(r[4]);
    d.minute = text(r[5]);
    d.latDeg = text(r[6]);
    d.latMin = text(r[7]);
    d.longDeg = text(r[8]);
    d.longMin = text(r[9]);
    d.zone = text(r[10]);
    auto check = checkValue(r[11]);
    auto am = yesNo(r[13]);
    if (!check || !am)
        return std::nullopt;
    d.daylightSaving = *check;
    d.notes = text(r[12]);
    d.am = *am;
    if (f.layout == ChartLayout::Current)
        d.sex = text(r[14]);

    // The zone row decides the hemispheres; an unlisted zone keeps what the form had.
    int row = findZoneRow(QString::fromStdString(d.zone));
    if (row >= 0) {
        bool eastern = row > kLastWesternRow;
        d.east = eastern;
        d.north = eastern;
    }
    if (r.size() >= 17) {
        auto east = yesNo(r[15]);
        auto north = yesNo(r[16]);
        if (east && north) {
            d.east = *east;
            d.north = *north;
            f.hasHemispheres = true;
        }
    }
    d.hour24 = hour24Text(d.hour, d.am);
    f.data = d;
    return f;
}

ReadResult readChartFile(const QString& path, const BirthData& base) {
    ReadResult res;
    QByteArray bytes;
    QString why;
    if (!readSmallFile(path, bytes, kMaxChartFileBytes, &why)) {
        res.error = QStringLiteral("Az asztrógram file nem olvasható: %1 (%2)").arg(path, why);
        return res;
    }
    if (bytes.contains('\0')) {
        res.error = QStringLiteral("Ez nem Velorin asztrógram file: %1").arg(path);
        return res;
    }
    res.file = parseChartText(decodeTextFile(bytes), base);
    if (!res.file)
        res.error = QStringLiteral("Hibás vagy hiányos asztrógram file: %1").arg(path);
    return res;
}

static Record chartFields(const BirthData& d) {
    auto t = [](const std::string& s) { return textField(QString::fromStdString(s)); };
    return {t(d.name),    t(d.year),      t(d.month),  t(d.day),
            t(d.hour),    t(d.minute),    t(d.latDeg), t(d.latMin),
            t(d.longDeg), t(d.longMin),   t(d.zone),   numberField(d.daylightSaving),
            t(d.notes),   boolField(d.am)};
}

QString formatChartRecord(const BirthData& d) {
    Record r = chartFields(d);
    r.push_back(textField(QString::fromStdString(d.sex)));
    r.push_back(boolField(d.east));
    r.push_back(boolField(d.north));
    return formatRecord(r);
}

QString formatConvertedRecord(const BirthData& d, const QString& sex) {
    Record r = chartFields(d);
    r.push_back(textField(sex));
    return formatRecord(r);
}

std::optional<LocationFile> parseLocationText(const QString& content) {
    std::vector<Record> records = parseRecords(content);
    if (records.empty() || records.front().size() < 9)
        return std::nullopt;
    const Record& r = records.front();
    LocationFile l;
    l.zone = r[0].text;
    l.longDeg = r[1].text;
    l.longMin = r[2].text;
    auto east = yesNo(r[3]), west = yesNo(r[4]), north = yesNo(r[7]), south = yesNo(r[8]);
    if (!east || !west || !north || !south)
        return std::nullopt;
    l.east = *east;
    l.west = *west;
    l.latDeg = r[5].text;
    l.latMin = r[6].text;
    l.north = *north;
    l.south = *south;
    return l;
}

QString formatLocationRecord(const LocationFile& l) {
    return formatRecord({textField(l.zone), textField(l.longDeg), textField(l.longMin),
                         boolField(l.east), boolField(l.west), textField(l.latDeg),
                         textField(l.latMin), boolField(l.north), boolField(l.south)});
}

} // namespace velorin
