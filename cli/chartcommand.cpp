#include "commands.h"

#include "json.h"
#include "options.h"

#include "engine/angles.h"
#include "engine/coordinates.h"
#include "engine/housesystem.h"
#include "engine/sheet.h"
#include "platform/birthfields.h"
#include "platform/chartfile.h"
#include "platform/clock.h"
#include "platform/folders.h"
#include "platform/presentmoment.h"
#include "platform/textfile.h"

#include <QString>

namespace velorin::cli {

const char* const kChartHelp =
    "Usage: velorin chart FILE.ast...|--now OUTPUT [--home DIR] [--data DIR]\n"
    "\n"
    "The chart of a chart file (either layout) or of the present moment at the\n"
    "default place. Several chart files give one output each, in order; a file\n"
    "that fails is reported and the rest still run. OUTPUT is one of:\n"
    "  --listing          the chart listing with its aspect lines\n"
    "  --codes            the interpretation codes, one a line, from ELOSZO0 on\n"
    "  --sheet            the data sheet as the main window shows it\n"
    "  --json             one JSON object with positions, speeds, cusps, aspects\n"
    "  --wheel OUT.png|OUT.jpg|OUT.svg|OUT.pdf [--size WxH]\n"
    "                     the chart wheel on a W x H client area (default 800x600,\n"
    "                     at most 8000x8000), of one chart only; SVG and PDF are\n"
    "                     vector\n"
    "  --houses X         the house system, instead of the settings store's choice:\n"
    "                     P Placidus, K Koch, R Regiomontanus, C Campanus,\n"
    "                     O Porphyry, E equal from the Ascendant, W whole sign,\n"
    "                     B Alcabitius, M Morinus, T topocentric\n"
    "Orbs, anticipation, the house system and the Ascendant switch come from the\n"
    "settings store.\n";

std::string toLf(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n')
            continue;
        out += s[i];
    }
    return out;
}

void loadSettingsReporting(WorkingSettings& ws, std::ostream& err) {
    bool orbStoreSaid = false;
    for (const char* app : {kSettingsApp, kProgramTitle}) {
        QString reason;
        const QString bad = unusableSettingsFile(QString::fromUtf8(app), &reason);
        if (bad.isEmpty())
            continue;
        err << "velorin: a beállítások fájlja (" << bad.toStdString() << ") "
            << reason.toStdString() << ", az alapértékekkel számolok\n";
        orbStoreSaid = orbStoreSaid || app == kSettingsApp;
    }
    // One failure, one line: an unusable store was named above.
    if (auto e = loadAll(ws); e && !orbStoreSaid)
        err << "velorin: a beállítások hibásak (" << e->key.toStdString()
            << "), az alapértékekkel számolok\n";
}

bool takeCommonFlags(Args& args, std::ostream& err) {
    Args rest;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--home" || a == "--data") {
            if (i + 1 >= args.size()) {
                err << "velorin: " << a << " needs a folder\n";
                return false;
            }
            QString folder = QString::fromStdString(args[++i]);
            if (a == "--home")
                setProgramFolderOverride(folder);
            else
                setDataRootOverride(folder);
            continue;
        }
        rest.push_back(a);
    }
    args = rest;
    return true;
}

bool takeHouseSystem(Args& args, std::optional<char>& system, const std::string& command,
                     std::ostream& err) {
    Args rest;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--houses") {
            rest.push_back(args[i]);
            continue;
        }
        std::optional<char> letter;
        if (i + 1 < args.size())
            letter = parseHouseSystem(args[++i]);
        if (!letter) {
            std::string letters;
            for (const HouseSystem& h : houseSystems())
                letters += (letters.empty() ? "" : ", ") + std::string(1, h.letter) + " " + h.name;
            err << "velorin " << command << ": a --houses után a házrendszer betűje kell ("
                << letters << ") (velorin " << command << " --help)\n";
            return false;
        }
        system = letter;
    }
    args = rest;
    return true;
}

WorkingSettings startCharting(std::ostream& err, std::optional<char> houses) {
    initEngine(programFolder().toStdString());
    WorkingSettings settings;
    loadSettingsReporting(settings, err);
    if (houses)
        settings.houseSystem = *houses;
    return settings;
}

bool loadChart(const WorkingSettings& settings, const std::string& fileOrNow, LoadedChart& out,
               std::ostream& err, bool texts) {
    // Each chart gets its own copy, so that nothing one chart does to its
    // settings reaches the next one of a batch.
    out.settings = settings;
    if (fileOrNow == "--now") {
        out.data = presentMoment(velorin::now());
    } else {
        ReadResult r = readChartFile(QString::fromStdString(fileOrNow));
        if (!r.file) {
            err << "velorin: " << r.error.toStdString() << "\n";
            return false;
        }
        out.data = r.file->data;
    }

    EngineSettings es = out.settings.engine();
    es.texts = texts;
    ChartOutcome outcome = computeCheckedChart(out.data, es);
    if (!outcome.ok()) {
        err << "velorin: " << computeErrorLine(outcome.error).toStdString() << "\n";
        return false;
    }
    out.chart = std::move(*outcome.chart);
    appendAspects(out.chart, es);
    return true;
}

bool loadChart(const std::string& fileOrNow, LoadedChart& out, std::ostream& err,
               std::optional<char> houses) {
    return loadChart(startCharting(err, houses), fileOrNow, out, err);
}

bool parseSize(const std::string& s, int& w, int& h) {
    size_t x = s.find('x');
    if (x == std::string::npos)
        return false;
    try {
        size_t used = 0;
        w = std::stoi(s.substr(0, x), &used);
        if (used != x)
            return false;
        h = std::stoi(s.substr(x + 1), &used);
        if (used != s.size() - x - 1)
            return false;
    } catch (...) {
        return false;
    }
    return w > 0 && h > 0;
}

// A picture is held whole in memory (four bytes a pixel) and encoded where
// it lies; 8000 x 8000 is far beyond any screen or print and stays near
// 256 MB. The help texts name the same limit.
constexpr int kMaxPictureSide = 8000;
constexpr qint64 kMaxPicturePixels = qint64(kMaxPictureSide) * kMaxPictureSide;

bool pictureSizeAllowed(int width, int height) {
    return width <= kMaxPictureSide && height <= kMaxPictureSide &&
           qint64(width) * height <= kMaxPicturePixels;
}

int refuseSize(const std::string& command, const std::string& sizeText, std::ostream& err) {
    err << "velorin " << command << ": a kép legfeljebb " << kMaxPictureSide << "x"
        << kMaxPictureSide << " képpont lehet (--size " << sizeText << ")\n";
    return 2;
}

bool refuseDrawing(std::ostream& err) {
    // The text-only front hands every --wheel on before it gets here.
    err << "velorin: ez a program nem rajzol kört; a kép nem készült el.\n";
    return false;
}

namespace {

int chartOutput(const WorkingSettings& settings, const std::string& source,
                const WheelCommandOutput& o, RadixFileWriter writeWheel, std::ostream& out,
                std::ostream& err) {
    const std::string& mode = o.mode;
    LoadedChart lc;
    // The JSON holds numbers and aspects only: its charts skip the texts.
    if (!loadChart(settings, source, lc, err, mode != "--json"))
        return 1;

    if (mode == "--listing") {
        out << toLf(lc.chart.listing);
    } else if (mode == "--codes") {
        out << "ELOSZO0\nELOSZO\n";
        for (const std::string& c : lc.chart.codes)
            out << c << "\n";
    } else if (mode == "--sheet") {
        std::string sheet = toLf(dataSheet(lc.data, lc.chart));
        out << sheet;
        if (sheet.empty() || sheet.back() != '\n')
            out << "\n";
    } else if (mode == "--json") {
        out << chartJson(lc.chart) << "\n";
    } else if (!writeWheel) {
        refuseDrawing(err);
        return 1;
    } else if (!writeWheel(lc.chart, lc.settings, o.wheelPath, o.size, lc.data.name, err)) {
        return 1;
    }
    return 0;
}

} // namespace

namespace {

const OptionSpec kChartOptions[] = {
    {"--listing", false, "output"}, {"--codes", false, "output"},
    {"--sheet", false, "output"},   {"--json", false, "output"},
    {"--wheel", true, "output"},    {"--size", true, nullptr, true, sizeFits},
};

} // namespace

int runChartWith(const Args& args, std::ostream& out, std::ostream& err,
                 RadixFileWriter writeWheel) {
    const CommandSyntax syntax{kChartOptions, chartSourceIsOption};
    const ChartsCheck whyNot = [](const std::vector<std::string>& charts) {
        return std::string(charts.empty() ? "name a chart file or --now" : "");
    };
    WheelCommand c;
    if (int status = readWheelCommand("chart", kChartHelp, args, syntax, whyNot, 1, c, out, err);
        status >= 0)
        return status;
    const auto& [houses, p, o] = c;

    // The engine and the settings are the same for every file of a run: a
    // batch pays for them once, and a broken store is said once.
    const WorkingSettings settings = startCharting(err, houses);
    // A failing file is reported and the rest still run.
    int status = 0;
    for (const std::string& source : p.positional)
        if (chartOutput(settings, source, o, writeWheel, out, err) != 0)
            status = 1;
    return status;
}

} // namespace velorin::cli
