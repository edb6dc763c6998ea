#pragma once
// What the chart program's main window calls for the interpretation texts:
// the code table at start-up, and its toolbar buttons 11, 12 and 13.

#include "interpretation/codetable.h"
#include "interpretation/forecastdocument.h"
#include "interpretation/generation.h"

#include <functional>

class QWidget;

namespace velorin {

class frmErtelmez;

// Start-up: writes the default cod.dat when it is missing and loads it,
// with the busy pointer, then the version check.
bool loadCodeTableAtStartup(CodeTable& table);

// Button 11. Asks for the mode with frmSelect; when not cancelled, runs
// `prepare` (hide the data sheet and settings panel, empty txtErtelmez),
// generates with the busy pointer, and opens the written file through the
// shell opener. The request's mode is ignored. The result carries the mode
// chosen and the document, which txtErtelmez shows in mode 3.
GenerationResult runGenerateInterpretation(QWidget* parent, const CodeTable& table,
                                           GenerationRequest request,
                                           const std::function<void()>& prepare = {});

// The forecast window's document: the mode asked for as for the
// interpretation, then written and opened the same way.
GenerationResult runGenerateForecast(QWidget* parent, const CodeTable& table,
                                     ForecastRequest request);

// Button 12. The code editor, modally; afterwards the table is loaded again
// whether or not the user saved.
void runCodeEditor(QWidget* parent, CodeTable& table);

// Button 13. A new interpretation editor, shown modeless; it deletes itself
// when closed.
frmErtelmez* openInterpretationEditor(QWidget* parent);

} // namespace velorin
