#pragma once
// The texts the chart program shows around a chart: the data-sheet header,
// the captions and the data sheet itself. Shared by the windows and the
// command line, so that both print the same bytes.

#include "birthdata.h"
#include "chart.h"

#include <string>

namespace velorin {

// "[19:07 - K , 47:035 - É, IZ: -1]"
std::string locationText(const BirthData& d);

// Name, date-time line and location text, each ended by CR LF, then one
// more CR LF.
std::string sheetHeader(const BirthData& d);

// Entry 0 of the house-text table: "Anna (1973.2.26 2:50)".
std::string sheetTitleEntry(const BirthData& d);

// The main window's birth-data caption.
std::string birthCaption(const BirthData& d);

// The main window's title: "Tarvessa [name]".
std::string windowTitle(const BirthData& d);

// The line the data sheet carries when the chosen houses could not be computed.
std::string housesFallbackNotice(const Chart& chart);

// The whole data sheet: header, fallback notice, CR LF, listing (with the
// aspect part when the chart has it), CR LF and the trimmed notes.
std::string dataSheet(const BirthData& d, const Chart& chart);

} // namespace velorin
