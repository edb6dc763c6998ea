#pragma once
// The velorin subcommands. Each takes its arguments (without the subcommand's
// own name), writes its output and errors to the streams, and returns the
// exit status: 0 done, 1 failed, 2 bad usage.

#include "engine/birthdata.h"
#include "engine/chart.h"
#include "platform/settings.h"
#include "wheel/pictureformat.h"

#include <QByteArray>
#include <QSize>

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

class QImage;

namespace velorin {
class UiPrompts;
}

namespace velorin::cli {

using Args = std::vector<std::string>;

int runChart(const Args& args, std::ostream& out, std::ostream& err);

// Draws a chart's wheel into the file --wheel names (PNG, JPEG, SVG or PDF by
// its extension) on a client area of size; false after one line on err.
using RadixFileWriter = bool (*)(const Chart& chart, const WorkingSettings& ws,
                                 const std::string& path, const QSize& size,
                                 const std::string& title, std::ostream& err);
bool writeRadixFile(const Chart& chart, const WorkingSettings& ws, const std::string& path,
                    const QSize& size, const std::string& title, std::ostream& err);
// The subcommands that cast charts, drawing their wheels with writeWheel.
// Their text outputs never touch it, so the program that runs only those
// passes none.
int runChartWith(const Args& args, std::ostream& out, std::ostream& err,
                 RadixFileWriter writeWheel);
int runProgressedWith(const Args& args, std::ostream& out, std::ostream& err,
                      RadixFileWriter writeWheel);
int runReturnWith(const Args& args, std::ostream& out, std::ostream& err,
                  RadixFileWriter writeWheel);
// What a subcommand without a wheel writer says when asked for a wheel
// anyway; false, for the caller's failure.
bool refuseDrawing(std::ostream& err);
// velorin codetable --write PATH
int runCodetable(const Args& args, std::ostream& out, std::ostream& err);
// velorin interpret FILE.ast [--mode 1|2|3|4]
int runInterpret(const Args& args, std::ostream& out, std::ostream& err);
// velorin moon YEAR MONTH [--zone Z] [--dst]
int runMoon(const Args& args, std::ostream& out, std::ostream& err);
// velorin place QUERY [--at YYYY-MM-DDTHH:MM] [--limit N]
int runPlace(const Args& args, std::ostream& out, std::ostream& err);

// velorin report FILE.ast --out REPORT.pdf [--mode 1|2|3|4] [--houses X]
int runReport(const Args& args, std::ostream& out, std::ostream& err);

// velorin synastry FIRST.ast SECOND.ast --listing|--json|--wheel OUT [--size WxH]
int runSynastry(const Args& args, std::ostream& out, std::ostream& err);

// velorin transits FILE.ast --from D --to D [--bodies LIST] [--json]
int runTransits(const Args& args, std::ostream& out, std::ostream& err);
// velorin progressed FILE.ast --date D --listing|--json|--wheel OUT [--size WxH]
int runProgressed(const Args& args, std::ostream& out, std::ostream& err);
// velorin return FILE.ast --solar|--lunar --year Y [--month M] [--place Q] OUTPUT
int runReturn(const Args& args, std::ostream& out, std::ostream& err);

// velorin forecast FILE.ast --from D --to D [--bodies LIST] [--mode 1|2|3|4]
int runForecast(const Args& args, std::ostream& out, std::ostream& err);

// Messages of a generation as lines on standard error; nothing waits for an
// answer.
std::unique_ptr<UiPrompts> streamPrompts(std::ostream& err);

// "WxH" with both sides 1..20000.
bool parseSize(const std::string& s, int& w, int& h);
// A picture is held whole in memory before it is encoded; past this size a
// --size is refused (exit 2) rather than exhausting the machine.
bool pictureSizeAllowed(int width, int height);
int refuseSize(const std::string& command, const std::string& sizeText, std::ostream& err);
// --wheel's writer: JPEG or PNG by the file's extension, replacing atomically.
bool writePicture(const QImage& img, const std::string& path, std::ostream& err);

// What --wheel writes, by the file's extension (case ignored; the table is
// the wheel library's, shared with the chart program's picture command).
std::optional<PictureFormat> pictureFormatOf(const std::string& path);

// Writes an encoded picture (SVG, PDF or PNG bytes) atomically; empty bytes
// mean it could not be made.
bool writeVectorFile(const QByteArray& bytes, const std::string& path, std::ostream& err);

// One row of velorin's subcommand table: its name, its one-line synopsis
// for the help, and the function that runs it.
struct Subcommand {
    const char* name;
    const char* synopsis;
    int (*run)(const Args& args, std::ostream& out, std::ostream& err);
};
const std::vector<Subcommand>& subcommands();

// The whole command line after the program name: the help, or the named
// subcommand with the rest of the arguments.
int runSubcommand(const Args& args, std::ostream& out, std::ostream& err);

// Usage texts.
std::string mainHelp();
extern const char* const kChartHelp;

// Applies the flags every subcommand takes (--home DIR, --data DIR) and
// removes them from args; false with a message on a malformed flag.
bool takeCommonFlags(Args& args, std::ostream& err);

// Takes "--houses X" out of args: X a letter of engine/housesystem.h, upper or
// lower case, which then replaces the settings store's choice. False with a
// usage line naming the command and the letters offered on a missing or
// unknown letter; an absent option leaves system as it was.
bool takeHouseSystem(Args& args, std::optional<char>& system, const std::string& command,
                     std::ostream& err);

// Messages for the user become lines on err; every question is declined.
std::unique_ptr<UiPrompts> streamPrompts(std::ostream& err);

// Loads the settings as the programs do, with one line on err for each store
// read as the defaults because it cannot be used (no regular file, or
// oversized) or holds a broken colour.
void loadSettingsReporting(WorkingSettings& ws, std::ostream& err);

// CR LF line ends become LF for the terminal.
std::string toLf(const std::string& s);

// A chart as the chart program holds it once the wheel has been drawn:
// birth data, settings, and the chart with its aspect part.
struct LoadedChart {
    BirthData data;
    WorkingSettings settings;
    Chart chart;
};

// What every chart of a run shares: the engine started on the program
// folder's ephemeris files and the settings read from the store, each fault
// of the store said on err. houses, when given, replaces the store's house
// system.
WorkingSettings startCharting(std::ostream& err, std::optional<char> houses = std::nullopt);

// Computes the chart of a chart file, or of the present moment for "--now",
// after startCharting. On failure writes one line to err and returns false.
// Without texts the chart has its numbers and aspects only, no listing or codes.
bool loadChart(const WorkingSettings& settings, const std::string& fileOrNow, LoadedChart& out,
               std::ostream& err, bool texts = true);

// Both steps for a command of one chart.
bool loadChart(const std::string& fileOrNow, LoadedChart& out, std::ostream& err,
               std::optional<char> houses = std::nullopt);

} // namespace velorin::cli
