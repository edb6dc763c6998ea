#pragma once
// The forecast document: dated events in time order, each with its date line
// and the passage its code is linked to in the code table, written as the
// interpretation document is.

#include "generation.h"

#include <QString>
#include <vector>

namespace velorin {

struct DatedCode {
    QString dateLine; // "2027.03.05. 14:07 UT  SZATURNUSZ Egyutallas MARS"
    QString code;     // the event's code in the table ("TR_SZMAE")
};

struct ForecastRequest {
    QString name;   // the person's name; the document is named after it
    QString header; // who and which period
    std::vector<DatedCode> events;
    GenerationMode mode = GenerationMode::TextToRtf;
};

// The document's text. An event whose code the table lacks (a table from
// before the event codes) or has no passage for stands with its date line
// alone. A missing passage file is reported once.
QString assembleForecast(const CodeTable& table, const ForecastRequest& request, UiPrompts& ui,
                         bool* tooLarge = nullptr);

// Claims a free name ("Anna előrejelzés.doc") in the text folder and writes
// the document there. Nothing is opened here.
GenerationResult generateForecast(const CodeTable& table, const ForecastRequest& request,
                                  UiPrompts& ui);

} // namespace velorin
