#pragma once
// The client report: one A4 PDF a client keeps after the consultation, with
// the birth data and how its instant was found, the wheel, the positions and
// aspect tables and the interpretation document, every page carrying the
// person's name and its number. Vector throughout: the wheel and the symbols
// are paths, the text is text in embedded fonts.

#include "engine/birthdata.h"
#include "engine/chart.h"
#include "platform/settings.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace velorin {

struct ReportContent {
    BirthData data;
    Chart chart; // with its aspects appended, as the wheel shows it
    WorkingSettings settings;
    QString interpretation; // the generated document's text; may be empty
    int mode = 2;           // the generation mode the text was made in, 1..4
};

// The lines of the birth-data block: name, local date and time, place, zone
// or local mean time, summer time, Universal Time, delta T, Julian day, house
// system. Shared by the report and its tests.
QStringList birthDataLines(const ReportContent& content);

// The Hungarian names used in the report's tables.
QString bodyDisplayName(int body); // 1..15
QString signDisplayName(int sign); // 1..12

// The whole report; empty when the PDF could not be made.
QByteArray clientReportPdf(const ReportContent& content);

struct ReportFile {
    QString path;  // the file written
    QString error; // Hungarian, when nothing was written
    bool ok() const { return error.isEmpty(); }
};

// The report written into folder under a claimed free name made of the
// person's name ("Anna.pdf", then "Anna(2).pdf", …), atomically: an earlier
// report is never replaced and a failed write leaves no file behind.
ReportFile writeClientReport(const ReportContent& content, const QString& folder);

} // namespace velorin
