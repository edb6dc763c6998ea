#include "commands.h"
#include "options.h"

#include "atlas/atlas.h"
#include "atlas/zonetime.h"

#include <QDateTime>
#include <QString>

namespace velorin::cli {

namespace {

const char* kPlaceHelp =
    "usage: velorin place QUERY [--at YYYY-MM-DDTHH:MM] [--limit N]\n"
    "Places of the atlas whose name or one of whose other names (Hungarian,\n"
    "English and local names, Latin script) starts with QUERY (accents and case\n"
    "ignored), largest first, at most N of them (default 10), one a line,\n"
    "tab-separated: name (a place found by another name shows it in brackets:\n"
    "\"Cluj-Napoca (Kolozsvár)\"), country code, region, latitude, longitude (decimal degrees, "
    "north and\n"
    "east positive), IANA zone, population. With --at, two more fields for that\n"
    "local date and time at the place: the zone text as the birth-data form holds\n"
    "it (hours to add for Universal Time, positive west, decimal comma) and the\n"
    "summer-time flag 0/1; before standard time the place's own local mean time\n"
    "(4 minutes for each degree of longitude east). A local time that does not\n"
    "exist or occurs twice at a place is reported on standard error with both\n"
    "readings, and the exit status is 1. No match also gives exit status 1.\n";

constexpr int kDefaultLimit = 10;
constexpr int kMaxLimit = 10000;

// 0 for anything but a whole number in range.
int limitOf(const std::string& text) {
    bool ok = false;
    const int limit = QString::fromStdString(text).toInt(&ok);
    return ok && limit >= 1 && limit <= kMaxLimit ? limit : 0;
}

bool limitFits(const std::string& text) {
    return limitOf(text) != 0;
}

// A query may start with one dash (a place name never does, but it is
// searched rather than refused); two dashes or nothing is a usage fault.
bool placeOption(const std::string& a) {
    return a.empty() || a.starts_with("--");
}

const OptionSpec kPlaceOptions[] = {
    {"--at", true, nullptr, true},
    {"--limit", true, nullptr, true, limitFits},
};

} // namespace

int runPlace(const Args& arguments, std::ostream& out, std::ostream& err) {
    Args args = arguments;
    if (int status = beginCommand(kPlaceHelp, args, out, err); status >= 0)
        return status;
    ParsedOptions p;
    const CommandLine line = readCommandLine(args, CommandSyntax{kPlaceOptions, placeOption, 1}, p);
    if (line.fault && line.fault->kind == OptionFault::Kind::NeedsValue) {
        err << "velorin: " << line.fault->argument << " needs a value\n" << kPlaceHelp;
        return 2;
    }
    if (line.fault && line.fault->kind == OptionFault::Kind::BadValue) {
        err << "velorin: --limit must be a whole number from 1 to " << kMaxLimit << '\n';
        return 2;
    }
    if (line.fault || p.positional.empty()) {
        err << kPlaceHelp;
        return 2;
    }
    const std::string& query = p.positional.front();
    const std::string at = p.value("--at");
    const bool hasAt = p.has("--at");
    const int limit = p.has("--limit") ? limitOf(p.value("--limit")) : kDefaultLimit;
    QDateTime moment;
    if (hasAt) {
        moment = QDateTime::fromString(QString::fromStdString(at), "yyyy-MM-ddTHH:mm");
        if (!moment.isValid()) {
            err << "velorin: --at takes a local date and time as YYYY-MM-DDTHH:MM, not " << at
                << '\n';
            return 2;
        }
    }

    QString error;
    const Atlas* atlas = Atlas::shared(&error);
    if (!atlas) {
        err << "velorin: " << error.toStdString() << '\n';
        return 1;
    }
    const std::vector<Place> places = atlas->search(QString::fromStdString(query), limit);
    if (places.empty() && !atlas->error().isEmpty()) {
        err << "velorin: " << atlas->error().toStdString() << '\n';
        return 1;
    }
    if (places.empty()) {
        err << "velorin: nincs \"" << query << "\" kezdetű helység a helységtárban\n";
        return 1;
    }
    int status = 0;
    for (const Place& p : places) {
        QString line = QString("%1\t%2\t%3\t%4\t%5\t%6\t%7")
                           .arg(p.shownName(), p.country, p.region)
                           .arg(p.latitude, 0, 'f', 5)
                           .arg(p.longitude, 0, 'f', 5)
                           .arg(p.zone)
                           .arg(p.population);
        if (moment.isValid()) {
            const LocalTime local =
                localTimeAtPlace(p.zone.toUtf8(), p.longitude, moment.date(), moment.time());
            if (local.status != LocalTimeStatus::Unique) {
                QString why = ambiguityMessage(p.name, moment.date(), moment.time(), local);
                if (why.isEmpty())
                    why = QString("%1: a(z) %2 időzóna ismeretlen").arg(p.name, p.zone);
                err << "velorin: " << why.toStdString() << '\n';
                status = 1;
                continue;
            }
            const ZoneReading& r = local.readings.front();
            line += QString("\t%1\t%2").arg(formZoneText(r)).arg(r.daylightSaving ? 1 : 0);
        }
        out << line.toStdString() << '\n';
    }
    return status;
}

} // namespace velorin::cli
