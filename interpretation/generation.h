#pragma once
// Generating a chart's interpretation document: the passages of every table
// code the chart yields, in table order, around the data-sheet header and the
// chart listing.

#include "codetable.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace velorin {

class UiPrompts;
struct BirthData;
struct Chart;

enum class GenerationMode {
    None = 0,         // the dialog was cancelled
    TextToRtf = 1,    // text passages into a rich-text ".doc"
    DosTextToRtf = 2, // the same with the old DOS accents repaired
    TextToText = 3,   // text passages into an ANSI ".txt"
    RtfToRtf = 4,     // rich-text passages into a rich-text ".doc"
};

struct GenerationRequest {
    QStringList codes; // L1: "ELOSZO0", "ELOSZO", then the chart's codes
    QString header;    // the data-sheet header
    QString listing;   // the chart listing with its aspect lines
    QString name;      // txtName as typed
    GenerationMode mode = GenerationMode::TextToRtf;
};

struct GenerationResult {
    enum class Status {
        Written,
        Cancelled,
        NoFreeName,
        WriteFailed,
        TooLarge
    } status = Status::Cancelled;
    QString path;     // the file written
    QString document; // the assembled plain text
    GenerationMode mode = GenerationMode::None;
};

// The codes a chart's interpretation is made of: the two forewords
// "ELOSZO0", "ELOSZO", then the chart's own codes.
QStringList interpretationCodes(const Chart& chart);

// The request for a chart as the chart program holds it after the wheel was
// drawn (aspect codes and lines included): L1 is "ELOSZO0", "ELOSZO" and the
// chart's codes, the header is the data-sheet header of the birth data.
GenerationRequest makeGenerationRequest(const BirthData& data, const Chart& chart,
                                        GenerationMode mode = GenerationMode::TextToRtf);

// Maps the letters of the old DOS Hungarian code page, as they read in
// Windows-1250, to the Windows letters; everything else passes unchanged.
QString repairDosAccents(const QString& text);

// The passage of one file: each line followed by CR LF (modes 1-3) or the
// plain text of a rich-text file followed by CR LF (mode 4). False with the
// reason in *error when the file cannot be read.
bool readPassage(const QString& path, GenerationMode mode, QString& passage, QString* error);

// The passage of a table entry's assigned file, accents repaired in the DOS
// mode. False when none is assigned; a missing or unreadable file is also
// reported through ui.
bool linkedPassage(const QString& file, GenerationMode mode, UiPrompts& ui, QString& passage);

// The largest document generated, in characters; real ones hold well under
// a million.
inline constexpr qsizetype kMaxDocumentChars = 16 * 1000 * 1000;

// Matches the table against the codes and assembles the document. A missing
// file is reported through ui once per entry and left out. Passages that
// would take the document past kMaxDocumentChars are reported once and the
// assembly stops there, with *tooLarge set.
QString assembleInterpretation(const CodeTable& table, const GenerationRequest& request,
                               UiPrompts& ui, bool* tooLarge = nullptr);

// The whole generation without the dialog: assembles, picks a free name in the
// text folder, writes the file. Nothing is opened here.
GenerationResult generateInterpretation(const CodeTable& table, const GenerationRequest& request,
                                        UiPrompts& ui);

// The writing half of a generation, shared by every generated document: claims
// a free name for `name` in the text folder, assembles the text, writes it in
// the mode's format. Nothing is opened here.
GenerationResult writeGeneratedDocument(const QString& name, GenerationMode mode, UiPrompts& ui,
                                        const std::function<QString(bool*)>& assemble);

} // namespace velorin
