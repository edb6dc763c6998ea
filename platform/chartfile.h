#pragma once
// Chart files (.ast) in the current 15-field layout (optionally with the
// East/North fields after the sex) and the old 14-field layout, and location
// files (.loc).

#include "engine/birthdata.h"

#include <QString>
#include <optional>

namespace velorin {

enum class ChartLayout { Current, Old };

struct ChartFile {
    BirthData data; // every field read; sex keeps the default for the old layout
    ChartLayout layout = ChartLayout::Current;
    bool hasHemispheres = false; // the file carried East and North
};

struct ReadResult {
    std::optional<ChartFile> file;
    QString error; // Hungarian, names the file
};

// Reads and decodes a chart file. The hemisphere options start from `base`
// (the form's state): the zone row decides them when the zone is listed,
// and stored East/North fields decide them last.
ReadResult readChartFile(const QString& path, const BirthData& base = BirthData());

// Parses chart-file text (already decoded).
std::optional<ChartFile> parseChartText(const QString& text, const BirthData& base);

// The record of a chart, with East and North after the sex.
QString formatChartRecord(const BirthData& d);
// The record of the old layout's 14 fields followed by the given sex.
QString formatConvertedRecord(const BirthData& d, const QString& sex);

struct LocationFile {
    QString zone, longDeg, longMin;
    bool east = true, west = false;
    QString latDeg, latMin;
    bool north = true, south = false;
};
std::optional<LocationFile> parseLocationText(const QString& text);
QString formatLocationRecord(const LocationFile& l);

} // namespace velorin
