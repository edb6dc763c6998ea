#include "commands.h"
#include "options.h"

#include "json.h"

#include "engine/angles.h"
#include "engine/coordinates.h"
#include "engine/crossangles.h"
#include "platform/birthfields.h"
#include "platform/chartfile.h"
#include "platform/folders.h"

#include "wheel/synastrywheel.h"
#include "wheel/wheelvector.h"

#include <QString>

namespace velorin::cli {
namespace {

const char* const kSynastryHelp =
    "Usage: velorin synastry FIRST.ast SECOND.ast OUTPUT [--home DIR] [--data DIR]\n"
    "\n"
    "Two people's charts compared: FIRST is the wheel, SECOND stands over it.\n"
    "OUTPUT is one of:\n"
    "  --listing          both listings, the second person's first, then the\n"
    "                     aspects between them (first person's body first)\n"
    "  --json             {\"first\": chart, \"second\": chart, \"crossAspects\": [...]}\n"
    "  --wheel OUT.png|OUT.jpg|OUT.svg|OUT.pdf [--size WxH]\n"
    "                     the synastry wheel on a W x H client area (default 800x600,\n"
    "                     at most 8000x8000); SVG and PDF are vector\n"
    "  --houses X         the house system of both charts (see velorin chart --help)\n"
    "Orbs and the house system come from the settings store, as in the synastry\n"
    "program.\n";

// Chart files only: any argument with a dash that no row names is unknown.
bool synastryOption(const std::string& a) {
    return a.empty() || a[0] == '-';
}

const OptionSpec kSynastryOptions[] = {
    {"--listing", false, "output"},
    {"--json", false, "output"},
    {"--wheel", true, "output"},
    {"--size", true, nullptr, true, sizeFits},
};

// One person's chart with the synastry program's listing; its own aspects are
// searched too, so that each chart reads as velorin chart --json gives it.
bool loadPerson(const std::string& file, const WorkingSettings& ws, Chart& out, std::ostream& err) {
    ReadResult r = readChartFile(QString::fromStdString(file));
    if (!r.file) {
        err << "velorin: " << r.error.toStdString() << "\n";
        return false;
    }
    ChartOutcome outcome = computeCheckedChart(r.file->data, ws.engine(Wording::Synastry));
    if (!outcome.ok()) {
        err << "velorin: " << file << ": " << computeErrorLine(outcome.error).toStdString() << "\n";
        return false;
    }
    out = std::move(*outcome.chart);
    out.aspects = findAspects(out, ws.engine());
    return true;
}

std::string crossJson(const std::vector<CrossAspect>& aspects) {
    std::string j = "[";
    for (size_t n = 0; n < aspects.size(); ++n) {
        const CrossAspect& a = aspects[n];
        if (n)
            j += ",";
        j += "{\"i\":" + std::to_string(a.first) + ",\"j\":" + std::to_string(a.second) +
             ",\"k\":" + std::to_string(a.kind) +
             ",\"name\":" + jsonString(aspectKind(a.kind).name) + "}";
    }
    return j + "]";
}

} // namespace

int runSynastry(const Args& args, std::ostream& out, std::ostream& err) {
    const CommandSyntax syntax{kSynastryOptions, synastryOption};
    const ChartsCheck whyNot = [](const std::vector<std::string>& charts) {
        return std::string(charts.size() != 2 ? "name two chart files, the first person's first"
                                              : "");
    };
    WheelCommand c;
    if (int status =
            readWheelCommand("synastry", kSynastryHelp, args, syntax, whyNot, 2, c, out, err);
        status >= 0)
        return status;
    const std::optional<char>& houses = c.houses;
    const std::vector<std::string>& files = c.options.positional;
    const std::string& mode = c.output.mode;
    const std::string& wheelPath = c.output.wheelPath;

    initEngine(programFolder().toStdString());
    WorkingSettings ws;
    loadSettingsReporting(ws, err);
    if (houses)
        ws.houseSystem = *houses;
    Chart first, second;
    if (!loadPerson(files[0], ws, first, err) || !loadPerson(files[1], ws, second, err))
        return 1;
    const std::vector<CrossAspect> cross =
        findCrossAspects(first.longitude, second.longitude, ws.engine());

    if (mode == "--listing") {
        out << toLf(second.listing) << "\n" << toLf(first.listing) << "\n";
        for (const CrossAspect& a : cross)
            out << crossAspectLine(a) << "\n";
    } else if (mode == "--json") {
        out << "{\"first\":" << chartJson(first) << ",\"second\":" << chartJson(second)
            << ",\"crossAspects\":" << crossJson(cross) << "}\n";
    } else if (const auto format = pictureFormatOf(wheelPath);
               format == PictureFormat::Svg || format == PictureFormat::Pdf) {
        const QByteArray bytes =
            synastryVector(format == PictureFormat::Svg ? VectorFormat::Svg : VectorFormat::Pdf,
                           first, second, ws, c.output.size);
        if (!writeVectorFile(bytes, wheelPath, err))
            return 1;
    } else {
        const QImage img = renderSynastryImage(first, second, ws, c.output.size);
        if (!writePicture(img, wheelPath, err))
            return 1;
    }
    return 0;
}

} // namespace velorin::cli
