#include "commands.h"

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

int usage(std::ostream& err, const std::string& why) {
    err << "velorin synastry: " << why << " (velorin synastry --help)\n";
    return 2;
}

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
        err << "velorin: " << file << ": " << computeErrorText(outcome.error).toStdString() << "\n";
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

int runSynastry(const Args& argsIn, std::ostream& out, std::ostream& err) {
    Args args = argsIn;
    if (!takeCommonFlags(args, err))
        return 2;
    std::optional<char> houses;
    if (!takeHouseSystem(args, houses, "synastry", err))
        return 2;
    std::vector<std::string> files;
    std::string mode, wheelPath;
    int width = 800, height = 600;
    bool sizeGiven = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            out << kSynastryHelp;
            return 0;
        }
        if (a == "--listing" || a == "--json" || a == "--wheel") {
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
            if (!pictureSizeAllowed(width, height))
                return refuseSize("synastry", args[i + 1], err);
            ++i;
            sizeGiven = true;
        } else if (!a.empty() && a[0] != '-') {
            files.push_back(a);
        } else {
            return usage(err, "unknown option " + a);
        }
    }
    if (files.size() != 2)
        return usage(err, "name two chart files, the first person's first");
    if (mode.empty())
        return usage(err, "choose --listing, --json or --wheel");
    if (sizeGiven && mode != "--wheel")
        return usage(err, "--size goes with --wheel");
    if (mode == "--wheel" && !pictureFormatOf(wheelPath))
        return usage(err, "--wheel writes " + pictureExtensions().toStdString() + " files, not " +
                              wheelPath);

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
                           first, second, ws, QSize(width, height));
        if (!writeVectorFile(bytes, wheelPath, err))
            return 1;
    } else {
        const QImage img = renderSynastryImage(first, second, ws, QSize(width, height));
        if (!writePicture(img, wheelPath, err))
            return 1;
    }
    return 0;
}

} // namespace velorin::cli
