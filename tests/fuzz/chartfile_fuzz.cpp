// Chart files: any bytes through the decoder, the record reader and the
// layout detection (current, with hemispheres, old). A chart that reads must
// write out in a form that reads back to the same chart.

#include "fuzzsupport.h"
#include "platform/chartfile.h"
#include "platform/textfile.h"

using namespace velorin;

namespace {

bool sameData(const BirthData& a, const BirthData& b) {
    return a.name == b.name && a.sex == b.sex && a.year == b.year && a.month == b.month &&
           a.day == b.day && a.hour == b.hour && a.hour24 == b.hour24 && a.minute == b.minute &&
           a.am == b.am && a.zone == b.zone && a.daylightSaving == b.daylightSaving &&
           a.longDeg == b.longDeg && a.longMin == b.longMin && a.east == b.east &&
           a.latDeg == b.latDeg && a.latMin == b.latMin && a.north == b.north && a.notes == b.notes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const std::optional<ChartFile> file = parseChartText(decodeTextFile(bytes), BirthData());
    if (!file)
        return 0;

    // Saving once may change what cannot be stored (quotes); saving again must not.
    const QString first = formatChartRecord(file->data);
    const std::optional<ChartFile> reread = parseChartText(first, file->data);
    if (!reread)
        fuzz::fail("a chart written by the program does not read back");
    if (reread->layout != ChartLayout::Current || !reread->hasHemispheres)
        fuzz::fail("a written chart reads back in another layout");
    const QString second = formatChartRecord(reread->data);
    const std::optional<ChartFile> third = parseChartText(second, file->data);
    if (first != second || !third || !sameData(reread->data, third->data))
        fuzz::fail("a chart changes each time it is saved");

    (void)formatConvertedRecord(file->data, QString::fromStdString(file->data.sex));
    // What the chart program writes to disk, Windows-1250.
    (void)decodeTextFile(toCp1250(first));
    return 0;
}
