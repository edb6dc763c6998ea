#include "commands.h"

#include "json.h"

#include "engine/angles.h"
#include "engine/sheet.h"
#include "platform/chartfile.h"
#include "platform/clock.h"
#include "platform/folders.h"
#include "platform/presentmoment.h"

#include "wheel/wheelimage.h"

#include <QString>

namespace velorin::cli {

const char* const kMainHelp =
    "Usage: velorin SUBCOMMAND [options]\n"
    "\n"
    "Subcommands:\n"
    "  chart FILE.ast...|--now --listing|--codes|--sheet|--json|--wheel OUT [--size WxH]\n"
    "  synastry FIRST.ast SECOND.ast --listing|--json|--wheel OUT [--size WxH]\n"
    "  moon YEAR MONTH [--zone Z] [--dst]\n"
    "  codetable --write PATH\n"
    "  interpret FILE.ast [--mode 1|2|3|4]\n"
    "\n"
    "Options every subcommand takes:\n"
    "  --home DIR   the program folder (instead of VELORIN_HOME)\n"
    "  --data DIR   the data root (instead of ASTRO_DATA)\n"
    "\n"
    "velorin SUBCOMMAND --help describes one subcommand.\n";

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
    "  --wheel OUT.png|OUT.jpg [--size WxH]\n"
    "                     the chart wheel on a W x H client area (default 800x600),\n"
    "                     of one chart only\n"
    "Orbs, anticipation and the Ascendant switch come from the settings store.\n";

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

bool loadChart(const std::string& fileOrNow, LoadedChart& out, std::ostream& err) {
    initEngine(programFolder().toStdString());
    if (auto e = loadAll(out.settings))
        err << "velorin: a beállítások hibásak (" << e->key.toStdString()
            << "), az alapértékekkel számolok\n";

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

    const EngineSettings es = out.settings.engine();
    ChartOutcome outcome = computeChart(out.data, es);
    if (!outcome.ok()) {
        err << "velorin: " << outcome.error.message;
        if (!outcome.error.field.empty())
            err << " (" << outcome.error.field << ")";
        err << "\n";
        return false;
    }
    out.chart = std::move(*outcome.chart);
    appendAspects(out.chart, es);
    return true;
}

namespace {

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
    return w > 0 && h > 0 && w <= 20000 && h <= 20000;
}

int usage(std::ostream& err, const std::string& why) {
    err << "velorin chart: " << why << " (velorin chart --help)\n";
    return 2;
}

int chartOutput(const std::string& source, const std::string& mode, const std::string& wheelPath,
                const QSize& size, std::ostream& out, std::ostream& err) {
    LoadedChart lc;
    if (!loadChart(source, lc, err))
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
    } else {
        QImage img = renderWheelImage(lc.chart, lc.settings, size);
        QString path = QString::fromStdString(wheelPath);
        const char* format = path.endsWith(".jpg", Qt::CaseInsensitive) ||
                                     path.endsWith(".jpeg", Qt::CaseInsensitive)
                                 ? "JPG"
                                 : "PNG";
        if (!img.save(path, format, format[0] == 'J' ? 90 : -1)) {
            err << "velorin: a kép nem menthető: " << wheelPath << "\n";
            return 1;
        }
    }
    return 0;
}

} // namespace

int runChart(const Args& argsIn, std::ostream& out, std::ostream& err) {
    Args args = argsIn;
    if (!takeCommonFlags(args, err))
        return 2;
    std::vector<std::string> sources;
    std::string mode, wheelPath;
    int width = 800, height = 600;
    bool sizeGiven = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            out << kChartHelp;
            return 0;
        }
        if (a == "--listing" || a == "--codes" || a == "--sheet" || a == "--json" ||
            a == "--wheel") {
            if (!mode.empty())
                return usage(err, "one output at a time");
            mode = a;
            if (a == "--wheel") {
                if (i + 1 >= args.size())
                    return usage(err, "--wheel needs a file name");
                wheelPath = args[++i];
            }
        } else if (a == "--size") {
            if (i + 1 >= args.size() || !parseSize(args[i + 1], width, height))
                return usage(err, "--size takes WxH, for example 800x600");
            ++i;
            sizeGiven = true;
        } else if (a == "--now" || (!a.empty() && a[0] != '-')) {
            sources.push_back(a);
        } else {
            return usage(err, "unknown option " + a);
        }
    }
    if (sources.empty())
        return usage(err, "name a chart file or --now");
    if (mode.empty())
        return usage(err, "choose --listing, --codes, --sheet, --json or --wheel");
    if (sizeGiven && mode != "--wheel")
        return usage(err, "--size goes with --wheel");
    if (mode == "--wheel" && sources.size() > 1)
        return usage(err, "--wheel draws one chart at a time");

    // A failing file is reported and the rest still run.
    int status = 0;
    for (const std::string& source : sources)
        if (chartOutput(source, mode, wheelPath, QSize(width, height), out, err) != 0)
            status = 1;
    return status;
}

} // namespace velorin::cli
