// Birth data as typed: any text in any field of the form (and of a chart
// file or the command line, which fill the same fields) through the chart
// computation. Either a chart or an error with its reason, never a fault.

#include "engine/angles.h"
#include "engine/chart.h"
#include "engine/sheet.h"
#include "fuzzsupport.h"

using namespace velorin;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    initEngine(std::string());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    // The first byte sets the options, the rest are the text fields one a line.
    const uint8_t options = data[0];
    const std::vector<QByteArray> f = fuzz::splitParts(fuzz::bytesOf(data + 1, size - 1), '\n', 14);
    auto s = [&](size_t i) { return f[i].toStdString(); };

    BirthData d;
    d.name = s(0);
    d.sex = (options & 0x10) ? s(1) : std::string(options & 0x20 ? kFemaleText : kMaleText);
    d.year = s(2);
    d.month = s(3);
    d.day = s(4);
    d.hour = s(5);
    d.am = options & 0x01;
    d.hour24 = (options & 0x40) ? s(6) : hour24Text(d.hour, d.am);
    d.minute = s(7);
    d.zone = s(8);
    d.daylightSaving = (options >> 1) & 0x01;
    d.longDeg = s(9);
    d.longMin = s(10);
    d.east = options & 0x04;
    d.latDeg = s(11);
    d.latMin = s(12);
    d.north = options & 0x08;
    d.notes = s(13);

    EngineSettings settings;
    settings.showAsc = options & 0x80;
    const ChartOutcome out = computeChart(d, settings);
    if (!out.ok()) {
        // A field error names its field; the ephemeris' own refusal names
        // none but then carries a message of its own.
        if (out.error.field == BirthField::None && out.error.message.empty())
            fuzz::fail("a refused chart gives no clear reason");
        return 0;
    }
    // The texts made from the accepted fields: sheet, captions, window title.
    (void)dataSheet(d, *out.chart);
    (void)birthCaption(d);
    (void)windowTitle(d);
    Chart chart = *out.chart;
    appendAspects(chart, settings);
    return 0;
}
