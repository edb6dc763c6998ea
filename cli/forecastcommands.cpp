#include "commands.h"

#include "json.h"
#include "options.h"
#include "periodcommand.h"

#include "atlas/atlas.h"
#include "engine/angles.h"
#include "engine/numbers.h"
#include "forecast/progressions.h"
#include "forecast/returns.h"
#include "forecast/transits.h"
#include "platform/folders.h"

#include <QDateTime>
#include <QString>
#include <QTimeZone>

#include <cmath>
#include <sstream>

namespace velorin::cli {

using namespace velorin::forecast;

namespace {

const char* const kTransitsHelp =
    "Usage: velorin transits FILE.ast --from YYYY-MM-DD --to YYYY-MM-DD [--bodies LIST] [--json]\n"
    "\n"
    "Every exact transit to the chart from --from 0:00 UT (inclusive) to --to 0:00 UT\n"
    "(exclusive), in time order: aspects of the aspect table to all 16 natal points,\n"
    "each pass of a retrograde loop separately, entries into the natal houses and\n"
    "into the signs, and stations. --bodies chooses the moving bodies by id, comma-\n"
    "separated (default 1-9,11,16: Sun to Pluto, North Node, Chiron; 10 is the Moon).\n"
    "A line: UT moment, kind, the event; --json gives an array of objects.\n"
    "A period longer than a century or outside the ephemeris files is refused.\n"
    "--houses X chooses the house system, as in velorin chart.\n";

const char* const kProgressedHelp =
    "Usage: velorin progressed FILE.ast --date YYYY-MM-DD --listing|--json|--wheel OUT "
    "[--size WxH]\n"
    "\n"
    "The secondary-progressed chart for that date at 0:00 UT: the bodies one day after\n"
    "birth for each year of life (365.242199 days), the Midheaven advanced by the\n"
    "progressed Sun's arc, the Ascendant and cusps from it at the birth place.\n"
    "--json is chart --json plus progressedJulianDayUT and solarArc.\n"
    "--houses X chooses the house system, as in velorin chart.\n";

const char* const kReturnHelp =
    "Usage: velorin return FILE.ast --solar|--lunar --year YYYY [--month M] [--place QUERY]\n"
    "       --listing|--json|--wheel OUT [--size WxH]\n"
    "\n"
    "The return chart at the exact instant the Sun (Moon) reaches its natal longitude\n"
    "again: the solar return nearest the birthday in that year; the first lunar return\n"
    "in the month (UT), or with --lunar and --json alone every lunar return of the year.\n"
    "Cast for the birth place, or for the first place velorin place QUERY names.\n"
    "--houses X chooses the house system, as in velorin chart.\n";

} // namespace

int usage(std::ostream& err, const char* command, const std::string& why) {
    err << "velorin " << command << ": " << why << " (velorin " << command << " --help)\n";
    return 2;
}

namespace {

std::optional<std::string> readDate(const ParsedOptions& p, const char* name, double& jd) {
    if (!p.has(name))
        return std::string(name) + " YYYY-MM-DD is needed";
    int y = 0, m = 0, d = 0;
    if (!parseDate(p.value(name), y, m, d))
        return std::string(name) + " takes a date as YYYY-MM-DD, not " + p.value(name);
    jd = julianDayOfDate(y, m, d);
    return std::nullopt;
}

std::optional<std::string> readPeriod(const ParsedOptions& p, TransitRequest& out) {
    if (auto e = readDate(p, "--from", out.fromJD))
        return e;
    if (auto e = readDate(p, "--to", out.toJD))
        return e;
    if (p.has("--bodies")) {
        out.bodies.clear();
        std::stringstream list(p.value("--bodies"));
        std::string item;
        while (std::getline(list, item, ',')) {
            bool ok = false;
            const int id = QString::fromStdString(item).trimmed().toInt(&ok);
            if (!ok || !movableBody(id))
                return "--bodies takes ids of moving bodies (1-11, 13, 16), not " + item;
            out.bodies.push_back(id);
        }
        if (out.bodies.empty())
            return std::string("--bodies names no body");
    }
    return std::nullopt;
}

// The chart file, the one positional argument.
std::optional<std::string> onlyFile(const ParsedOptions& p) {
    if (p.positional.size() != 1)
        return std::string("name one chart file");
    return std::nullopt;
}

std::string eventJson(const Event& e) {
    static const char* const kKinds[] = {"aspect", "house", "sign", "station"};
    std::string j = "{\"utc\":" + jsonString(utcText(e.julianDayUT)) +
                    ",\"julianDayUT\":" + jsonNumber(e.julianDayUT) +
                    ",\"kind\":" + jsonString(kKinds[int(e.kind)]) +
                    ",\"transiting\":" + std::to_string(e.body);
    if (e.kind == EventKind::Aspect)
        j += ",\"aspect\":" + std::to_string(e.aspect) + ",\"natal\":" + std::to_string(e.natal);
    else if (e.kind == EventKind::House)
        j += ",\"house\":" + std::to_string(e.house);
    else if (e.kind == EventKind::Sign)
        j += ",\"sign\":" + std::to_string(e.sign);
    else
        j += std::string(",\"direction\":") + (e.retrograde ? "\"retrograde\"" : "\"direct\"");
    j += std::string(",\"retrograde\":") + (e.retrograde ? "true" : "false");
    return j + ",\"code\":" + jsonString(e.code) + "}";
}

// The output options of a command that casts one chart.
constexpr OptionSpec kChartOutputs[] = {
    {"--listing", false, "output"},
    {"--json", false, "output"},
    {"--wheel", true, "output"},
    {"--size", true, nullptr},
};

struct ChartOutput {
    std::string mode;
    std::string wheelPath;
    QSize size{800, 600};
};

std::optional<std::string> readChartOutput(const ParsedOptions& p, std::span<const OptionSpec> t,
                                           ChartOutput& out, bool optional = false) {
    out.mode = p.chosen(t, "output");
    if (out.mode.empty() && !optional)
        return std::string("choose --listing, --json or --wheel");
    out.wheelPath = p.value("--wheel");
    if (out.mode == "--wheel" && !pictureFormatOf(out.wheelPath))
        return "--wheel writes " + pictureExtensions().toStdString() + " files, not " +
               out.wheelPath;
    if (p.has("--size")) {
        int w = 0, h = 0;
        if (out.mode != "--wheel")
            return std::string("--size goes with --wheel");
        if (!parseSize(p.value("--size"), w, h))
            return std::string("--size takes WxH, for example 800x600");
        if (!pictureSizeAllowed(w, h))
            return std::string("a kép legfeljebb 8000x8000 képpont lehet");
        out.size = QSize(w, h);
    }
    return std::nullopt;
}

bool writeChart(const ChartOutput& o, Chart chart, const WorkingSettings& ws,
                const std::string& header, const std::string& extraJson, RadixFileWriter writeWheel,
                std::ostream& out, std::ostream& err) {
    appendAspects(chart, ws.engine());
    if (o.mode == "--listing") {
        out << header << "\n" << toLf(chart.listing);
    } else if (o.mode == "--json") {
        std::string j = chartJson(chart);
        if (!extraJson.empty())
            j.insert(j.size() - 1, extraJson);
        out << j << "\n";
    } else if (!writeWheel) {
        return refuseDrawing(err);
    } else {
        return writeWheel(chart, ws, o.wheelPath, o.size, header, err);
    }
    return true;
}

template <size_t N, size_t M>
std::vector<OptionSpec> joined(const OptionSpec (&a)[N], const OptionSpec (&b)[M]) {
    std::vector<OptionSpec> v(a, a + N);
    v.insert(v.end(), b, b + M);
    return v;
}

// Parses a command's arguments with its table: the common flags, --help,
// then the table. Returns -1 to go on, else the exit status.
int prepare(const char* command, const char* help, const Args& in,
            std::span<const OptionSpec> table, ParsedOptions& p, std::optional<char>& houses,
            std::ostream& out, std::ostream& err) {
    Args args = in;
    if (wantsHelpFlag(args)) {
        out << help;
        return 0;
    }
    if (!takeCommonFlags(args, err) || !takeHouseSystem(args, houses, command, err))
        return 2;
    if (auto e = parseOptions(args, table, p))
        return usage(err, command, *e);
    if (auto e = onlyFile(p))
        return usage(err, command, *e);
    return -1;
}

} // namespace

namespace {

const std::vector<OptionSpec> kTransitsOptions =
    periodOptionsWith(OptionSpec{"--json", false, nullptr});

} // namespace

int preparePeriod(const char* command, const char* help, const Args& args,
                  std::span<const OptionSpec> table, PeriodCommand& c, std::ostream& out,
                  std::ostream& err) {
    if (int rc = prepare(command, help, args, table, c.options, c.houses, out, err); rc >= 0)
        return rc;
    if (auto e = readPeriod(c.options, c.request))
        return usage(err, command, *e);
    return -1;
}

std::vector<OptionSpec> periodOptionsWith(const OptionSpec& own) {
    return {{"--from", true, nullptr}, {"--to", true, nullptr}, {"--bodies", true, nullptr}, own};
}

int runTransits(const Args& args, std::ostream& out, std::ostream& err) {
    PeriodCommand c;
    if (int rc = preparePeriod("transits", kTransitsHelp, args, kTransitsOptions, c, out, err);
        rc >= 0)
        return rc;
    LoadedChart lc;
    if (!loadChart(c.options.positional[0], lc, err, c.houses))
        return 1;
    const EventsOutcome o = findTransits(lc.chart, c.request);
    if (reportFailure(o, err))
        return 1;
    if (c.options.has("--json")) {
        out << "[";
        for (size_t n = 0; n < o.events.size(); ++n)
            out << (n ? "," : "") << eventJson(o.events[n]);
        out << "]\n";
    } else {
        for (const Event& e : o.events)
            out << utcText(e.julianDayUT, false) << "  " << kindWord(e.kind) << "  "
                << describeEvent(e) << "\n";
    }
    return 0;
}

int runProgressedWith(const Args& args, std::ostream& out, std::ostream& err,
                      RadixFileWriter writeWheel) {
    static const std::vector<OptionSpec> table =
        joined(kChartOutputs, {OptionSpec{"--date", true, nullptr}});
    ParsedOptions p;
    std::optional<char> houses;
    if (int rc = prepare("progressed", kProgressedHelp, args, table, p, houses, out, err); rc >= 0)
        return rc;
    double date = 0;
    ChartOutput o;
    if (auto e = readDate(p, "--date", date))
        return usage(err, "progressed", *e);
    if (auto e = readChartOutput(p, table, o))
        return usage(err, "progressed", *e);
    LoadedChart lc;
    if (!loadChart(p.positional[0], lc, err, houses))
        return 1;
    const ProgressedOutcome pr = progressedChart(lc.chart, date, lc.settings.engine());
    if (reportFailure(pr, err))
        return 1;
    const std::string header = "PROGRESSZIV KEP " + p.value("--date") + " (" +
                               utcText(pr.progressedJD) + ", napív " + std::to_string(pr.solarArc) +
                               ")";
    const std::string extra = ",\"progressedJulianDayUT\":" + jsonNumber(pr.progressedJD) +
                              ",\"solarArc\":" + jsonNumber(pr.solarArc);
    return writeChart(o, *pr.chart, lc.settings, header, extra, writeWheel, out, err) ? 0 : 1;
}

int runReturnWith(const Args& args, std::ostream& out, std::ostream& err,
                  RadixFileWriter writeWheel) {
    static const std::vector<OptionSpec> table = joined(
        kChartOutputs, {OptionSpec{"--solar", false, "body"}, OptionSpec{"--lunar", false, "body"},
                        OptionSpec{"--year", true, nullptr}, OptionSpec{"--month", true, nullptr},
                        OptionSpec{"--place", true, nullptr}});
    ParsedOptions p;
    std::optional<char> houses;
    if (int rc = prepare("return", kReturnHelp, args, table, p, houses, out, err); rc >= 0)
        return rc;
    const bool lunar = p.has("--lunar");
    if (!lunar && !p.has("--solar"))
        return usage(err, "return", "choose --solar or --lunar");
    bool ok = false;
    const int year = QString::fromStdString(p.value("--year")).toInt(&ok);
    if (!ok)
        return usage(err, "return", "--year takes a year, for example 2027");
    int month = 0;
    if (p.has("--month")) {
        month = QString::fromStdString(p.value("--month")).toInt(&ok);
        if (!ok || month < 1 || month > 12)
            return usage(err, "return", "--month takes 1 to 12");
        if (!lunar)
            return usage(err, "return", "--month goes with --lunar");
    }
    ChartOutput o;
    const bool wholeYear = lunar && month == 0;
    if (auto e = readChartOutput(p, table, o))
        return usage(err, "return", *e);
    if (wholeYear && o.mode == "--wheel")
        return usage(err, "return", "--wheel draws one lunar return: name its --month");

    LoadedChart lc;
    if (!loadChart(p.positional[0], lc, err, houses))
        return 1;

    GeoPosition place{lc.chart.geoLongitude, lc.chart.geoLatitude};
    QString zone; // IANA zone of a place from the atlas
    std::string placeName = "születési hely";
    if (p.has("--place")) {
        QString error;
        const Atlas* atlas = Atlas::shared(&error);
        if (!atlas) {
            err << "velorin: " << error.toStdString() << "\n";
            return 1;
        }
        const std::vector<Place> found =
            atlas->search(QString::fromStdString(p.value("--place")), 1);
        if (found.empty()) {
            err << "velorin: nincs ilyen hely az atlaszban: " << p.value("--place") << "\n";
            return 1;
        }
        place = {found[0].longitude, found[0].latitude};
        zone = found[0].zone;
        placeName = found[0].name.toStdString();
    }

    ReturnsOutcome r;
    if (!lunar) {
        r = solarReturn(lc.chart, year);
    } else {
        const double from = julianDayOfDate(year, wholeYear ? 1 : month, 1);
        const double to = wholeYear ? julianDayOfDate(year + 1, 1, 1)
                                    : (month == 12 ? julianDayOfDate(year + 1, 1, 1)
                                                   : julianDayOfDate(year, month + 1, 1));
        r = lunarReturns(lc.chart, from, to);
        if (r.ok() && r.instants.empty())
            r.error = "Ebben a hónapban nincs holdvisszatérés.";
        if (r.ok() && !wholeYear)
            r.instants.resize(1);
    }
    if (reportFailure(r, err))
        return 1;

    // Every chart is cast before anything is printed: a polar place or a
    // failing year gives a message, never part of a list.
    std::vector<Chart> charts;
    for (double jd : r.instants) {
        ReturnChartOutcome c = chartAtInstant(jd, place, lc.chart.male, lc.settings.engine());
        if (reportFailure(c, err))
            return 1;
        charts.push_back(std::move(*c.chart));
    }
    auto headerOf = [&](double jd) {
        std::string h = std::string(lunar ? "HOLDVISSZATERES " : "NAPVISSZATERES ") + utcText(jd) +
                        " (" + placeName;
        if (!zone.isEmpty()) {
            const QDateTime utc = QDateTime::fromMSecsSinceEpoch(
                std::llround((jd - 2440587.5) * 86400000.0), QTimeZone::utc());
            const QDateTime local = utc.toTimeZone(QTimeZone(zone.toUtf8()));
            h += ", helyi idő " +
                 local.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString() + " " +
                 zone.toStdString();
        } else if (const auto z = strictNumber(lc.data.zone)) {
            // The birth place has no zone of the atlas: its birth zone stands in.
            h +=
                ", helyi idő " + localTimeText(jd, *z) + " (zóna " + trimSpaces(lc.data.zone) + ")";
        }
        return h + ")";
    };
    if (o.mode == "--json" && wholeYear) {
        out << "[";
        for (size_t n = 0; n < charts.size(); ++n) {
            appendAspects(charts[n], lc.settings.engine());
            out << (n ? "," : "") << "{\"julianDayUT\":" << jsonNumber(r.instants[n])
                << ",\"utc\":" << jsonString(utcText(r.instants[n]))
                << ",\"chart\":" << chartJson(charts[n]) << "}";
        }
        out << "]\n";
        return 0;
    }
    if (o.mode == "--json") {
        appendAspects(charts[0], lc.settings.engine());
        out << "{\"julianDayUT\":" << jsonNumber(r.instants[0])
            << ",\"utc\":" << jsonString(utcText(r.instants[0]))
            << ",\"chart\":" << chartJson(charts[0]) << "}\n";
        return 0;
    }
    for (size_t n = 0; n < charts.size(); ++n) {
        if (n)
            out << "\n";
        if (!writeChart(o, charts[n], lc.settings, headerOf(r.instants[n]), {}, writeWheel, out,
                        err))
            return 1;
    }
    return 0;
}

} // namespace velorin::cli
