#include "zones.h"

#include "engine/numbers.h"

#include <cmath>

namespace velorin {

const std::array<ZoneRow, kZoneRowCount>& zoneRows() {
    static const std::array<ZoneRow, kZoneRowCount> rows{{
        {"[UTC - 12] Baker-szigeti idő", "12"},
        {"[UTC - 11] niue-i idő", "11"},
        {"[UTC - 10] hawaii-aleuti zónaido, Cook-szigeteki idő", "10"},
        {"[UTC - 9,5] Marquise-szigeteki idő", "9,5"},
        {"[UTC - 9] alaszkai zónaidő, Gambier-szigeteki idő", "9"},
        {"[UTC - 8] csendes-óceáni zónaidő", "8"},
        {"[UTC - 7] sziklás-hegységi zónaidő", "7"},
        {"[UTC - 6] közép zónaidő", "6"},
        {"[UTC - 5] keleti zónaidő", "5"},
        {"[UTC - 4] atlanti zónaidő", "4"},
        {"[UTC - 3,5] újfundlandi zónaidő", "3,5"},
        {"[UTC - 3] amazoni zónaidő, közép-grönlandi idő", "3"},
        {"[UTC - 2] Fernando de Noronha-i, dél-georgiai és dél-szendvics-szigeteki idő", "2"},
        {"[UTC - 1] azori-szigeteki zónaidő, zöld-foki-szigeteki idő, kelet-grönlandi idő", "1"},
        {"[UTC] nyugat-európai idő, greenwichi középidő", "0"},
        {"[UTC + 1] közép-európai idő, nyugat-afrikai idő, Budapesti idő", "-1"},
        {"[UTC + 2] kelet-európai idő, közép-afrikai idő, Bukaresti idő", "-2"},
        {"[UTC + 3] moszkvai zónaidő, kelet-afrikai idő", "-3"},
        {"[UTC + 3,5] iráni zónaidő", "-3,5"},
        {"[UTC + 4] gulfi zónaidő, szamarai zónaidő", "-4"},
        {"[UTC + 4:30] afganisztáni idő", "-4,5"},
        {"[UTC + 5] pakisztáni zónaidő, yekaterinburgi zónaidő", "-5"},
        {"[UTC + 5,5] indiai zónaido, Sri Lanka-i idő", "-5,5"},
        {"[UTC + 5,75] nepáli idő", "-5,75"},
        {"[UTC + 6] bangladesi idő, bhutáni idő, novoszibirszki zónaidő", "-6"},
        {"[UTC + 6,5] kókusz-szigeteki idő, myanmari idő", "-6,5"},
        {"[UTC + 7] indokínai idő, krasznojarszki zónaidő", "-7"},
        {"[UTC + 8] kínai zónaidő, nyugat-ausztráliai zónaidő, irkutszki zónaidő", "-8"},
        {"[UTC + 8,75] délkelet-nyugat-ausztráliai zónaidő", "-8,75"},
        {"[UTC + 9] japán zónaidő, koreai zónaidő, csitai zónaidő", "-9"},
        {"[UTC + 9,5] közép-ausztráliai zónaidő", "-9,5"},
        {"[UTC + 10] kelet-ausztráliai zónaidő, vlagyivosztoki zónaidő", "-10"},
        {"[UTC + 10,5] Lord Howe-i zónaidő", "-10,5"},
        {"[UTC + 11] Salamon-szigeteki idő, magadáni zónaidő", "-11"},
        {"[UTC + 11,5] Norfolk-szigeti idő", "-11,5"},
        {"[UTC + 12] új-zélandi idő, Fidzsi-szigeteki ido, kamcsatkai zónaidő", "-12"},
        {"[UTC + 12,75] Chatham-szigeteki idő", "-12,75"},
        {"[UTC + 13] tongai idő, Phoenix-szigeteki idő", "-13"},
        {"[UTC + 14] Line-szigeti ido", "-14"},
    }};
    return rows;
}

int findZoneRow(const QString& zoneText) {
    auto zone = strictNumber(zoneText.toStdString());
    if (!zone)
        return -1;
    // Every chart file of a batch names its zone; the rows' own texts are
    // read as numbers once, not once a file.
    static const std::array<double, kZoneRowCount> values = [] {
        std::array<double, kZoneRowCount> v{};
        for (int i = 0; i < kZoneRowCount; ++i)
            v[size_t(i)] = *strictNumber(zoneRows()[size_t(i)].value);
        return v;
    }();
    for (int i = 0; i < kZoneRowCount; ++i)
        if (values[size_t(i)] == *zone)
            return i;
    return -1;
}

QString formZoneText(int offsetSeconds, bool daylightSaving) {
    const int seconds = offsetSeconds - (daylightSaving ? 3600 : 0);
    const double hours = std::round(-seconds / 3600.0 * 10000.0) / 10000.0;
    if (hours == 0)
        return QStringLiteral("0");
    QString t = QString::number(hours, 'f', 4);
    while (t.endsWith('0'))
        t.chop(1);
    if (t.endsWith('.'))
        t.chop(1);
    return t.replace('.', ',');
}

} // namespace velorin
