#include "commands.h"

namespace velorin::cli {

// Every subcommand velorin has, in the order the help lists them; a new one
// is one more row here.
const std::vector<Subcommand>& subcommands() {
    static const std::vector<Subcommand> table = {
        {"chart", "FILE.ast...|--now --listing|--codes|--sheet|--json|--wheel OUT [--size WxH]",
         runChart},
        {"synastry", "FIRST.ast SECOND.ast --listing|--json|--wheel OUT [--size WxH]", runSynastry},
        {"moon", "YEAR MONTH [--zone Z] [--dst]", runMoon},
        {"codetable", "--write PATH", runCodetable},
        {"interpret", "FILE.ast [--mode 1|2|3|4]", runInterpret},
        {"report", "FILE.ast --out REPORT.pdf [--mode 1|2|3|4] [--houses X]", runReport},
        {"place", "QUERY [--at YYYY-MM-DDTHH:MM] [--limit N]", runPlace},
        {"transits", "FILE.ast --from YYYY-MM-DD --to YYYY-MM-DD [--bodies LIST] [--json]",
         runTransits},
        {"progressed", "FILE.ast --date YYYY-MM-DD --listing|--json|--wheel OUT [--size WxH]",
         runProgressed},
        {"return",
         "FILE.ast --solar|--lunar --year YYYY [--month M] [--place QUERY] "
         "--listing|--json|--wheel OUT [--size WxH]",
         runReturn},
        {"forecast", "FILE.ast --from YYYY-MM-DD --to YYYY-MM-DD [--bodies LIST] [--mode 1|2|3|4]",
         runForecast},
    };
    return table;
}

std::string mainHelp() {
    std::string help = "Usage: velorin SUBCOMMAND [options]\n\nSubcommands:\n";
    for (const Subcommand& s : subcommands())
        help += std::string("  ") + s.name + " " + s.synopsis + "\n";
    help += "\n"
            "Options every subcommand takes:\n"
            "  --home DIR   the program folder (instead of VELORIN_HOME)\n"
            "  --data DIR   the data root (instead of ASTRO_DATA)\n"
            "\n"
            "velorin SUBCOMMAND --help describes one subcommand.\n";
    return help;
}

int runSubcommand(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        err << mainHelp();
        return 2;
    }
    const std::string& sub = args.front();
    if (sub == "--help" || sub == "-h" || sub == "help") {
        out << mainHelp();
        return 0;
    }
    const Args rest(args.begin() + 1, args.end());
    for (const Subcommand& s : subcommands())
        if (sub == s.name)
            return s.run(rest, out, err);
    err << "velorin: unknown subcommand " << sub << " (velorin --help)\n";
    return 2;
}

} // namespace velorin::cli
