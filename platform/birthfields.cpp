#include "birthfields.h"

#include <array>

namespace velorin {
namespace {

struct Row {
    BirthField field;
    BirthFieldText text;
};

constexpr std::array<Row, 11> kRows{{
    {BirthField::None, {"", ""}},
    {BirthField::Day, {"txtDay", "NAP"}},
    {BirthField::Year, {"txtYear", "ÉV"}},
    {BirthField::Month, {"txtMonth", "HÓNAP"}},
    {BirthField::Zone, {"txtTZ", "IDŐZÓNA"}},
    {BirthField::Hour, {"txtBirthHour", "ÓRA"}},
    {BirthField::Minute, {"txtBirthMinute", "PERC"}},
    {BirthField::LongitudeDegrees, {"txtLongDeg", "HOSSZ. FOK"}},
    {BirthField::LongitudeMinutes, {"txtLongMin", "HOSSZ. FOK"}},
    {BirthField::LatitudeDegrees, {"txtLatDeg", "SZÉL. FOK"}},
    {BirthField::LatitudeMinutes, {"txtLatMin", "SZÉL. FOK"}},
}};

} // namespace

BirthFieldText birthFieldText(BirthField field) {
    for (const Row& r : kRows)
        if (r.field == field)
            return r.text;
    return kRows[0].text;
}

QString computeErrorText(const ComputeError& error) {
    if (!error.message.empty())
        return QString::fromStdString(error.message);
    return QStringLiteral("Helytelen adat: ") +
           QString::fromUtf8(birthFieldText(error.field).label);
}

QString computeErrorLine(const ComputeError& error) {
    QString line = computeErrorText(error);
    const QString label = QString::fromUtf8(birthFieldText(error.field).label);
    if (!label.isEmpty() && !line.contains(label))
        line += QStringLiteral(" (") + label + QStringLiteral(")");
    return line;
}

} // namespace velorin
