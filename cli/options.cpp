#include "options.h"

#include <QString>

#include <cstring>

namespace velorin::cli {

std::optional<PictureFormat> pictureFormatOf(const std::string& path) {
    return velorin::pictureFormatOf(QString::fromStdString(path));
}

std::string ParsedOptions::chosen(std::span<const OptionSpec> table, const char* group) const {
    for (const OptionSpec& o : table)
        if (o.group && std::strcmp(o.group, group) == 0 && has(o.name))
            return o.name;
    return {};
}

namespace {

bool isHelp(const std::string& a) {
    return a == "--help" || a == "-h";
}

bool dashed(const std::string& a) {
    return a.size() >= 2 && a[0] == '-';
}

const OptionSpec* findRow(std::span<const OptionSpec> table, const std::string& name) {
    for (const OptionSpec& o : table)
        if (name == o.name)
            return &o;
    return nullptr;
}

} // namespace

CommandLine readCommandLine(const Args& args, const CommandSyntax& syntax, ParsedOptions& out) {
    using Kind = OptionFault::Kind;
    const auto fault = [](Kind kind, std::string argument, std::string other = {},
                          const OptionSpec* row = nullptr) {
        return CommandLine{OptionFault{kind, std::move(argument), std::move(other), row}, false};
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (syntax.helpInTurn && isHelp(a))
            return CommandLine{std::nullopt, true};
        const OptionSpec* row = findRow(syntax.options, a);
        if (!row) {
            if (syntax.isOption ? syntax.isOption(a) : dashed(a))
                return fault(Kind::Unknown, a);
            if (out.positional.size() >= syntax.maxPositional)
                return fault(Kind::Extra, a);
            out.positional.push_back(a);
            continue;
        }
        if (row->group)
            for (const OptionSpec& o : syntax.options)
                if (o.group && std::strcmp(o.group, row->group) == 0 && &o != row &&
                    out.has(o.name))
                    return fault(Kind::Conflict, a, o.name, row);
        if (out.has(a) && !row->repeatable)
            return fault(Kind::Twice, a, {}, row);
        std::string value;
        if (row->takesValue) {
            if (i + 1 >= args.size())
                return fault(Kind::NeedsValue, a, {}, row);
            value = args[++i];
            if (row->valid && !row->valid(value))
                return fault(Kind::BadValue, a, value, row);
        }
        out.values[a] = value;
    }
    return {};
}

std::optional<std::string> parseOptions(const Args& args, std::span<const OptionSpec> table,
                                        ParsedOptions& out) {
    const CommandLine line = readCommandLine(args, CommandSyntax{table}, out);
    if (!line.fault)
        return std::nullopt;
    const OptionFault& f = *line.fault;
    switch (f.kind) {
    case OptionFault::Kind::Twice:
        return f.argument + " given twice";
    case OptionFault::Kind::Conflict:
        return f.other + " and " + f.argument + " exclude each other";
    case OptionFault::Kind::NeedsValue:
        return f.argument + " needs a value";
    case OptionFault::Kind::Unknown:
    case OptionFault::Kind::Extra:
    case OptionFault::Kind::BadValue:
        break;
    }
    return "unknown option " + f.argument;
}

bool wantsHelpFlag(const Args& args) {
    for (const std::string& a : args)
        if (isHelp(a))
            return true;
    return false;
}

bool parseDate(const std::string& text, int& year, int& month, int& day) {
    if (text.size() < 10 || text[text.size() - 3] != '-' || text[text.size() - 6] != '-')
        return false;
    try {
        size_t used = 0;
        const std::string y = text.substr(0, text.size() - 6);
        year = std::stoi(y, &used);
        if (used != y.size())
            return false;
        month = std::stoi(text.substr(text.size() - 5, 2), &used);
        if (used != 2)
            return false;
        day = std::stoi(text.substr(text.size() - 2), &used);
        if (used != 2)
            return false;
    } catch (...) {
        return false;
    }
    static const int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12 || day < 1 || day > kDays[month - 1])
        return false;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return !(month == 2 && day == 29 && !leap);
}

} // namespace velorin::cli

namespace velorin::cli {

namespace {

int wheelUsage(std::ostream& err, const char* command, const std::string& why) {
    err << "velorin " << command << ": " << why << " (velorin " << command << " --help)\n";
    return 2;
}

} // namespace

int generationModeOf(const std::string& value) {
    bool ok = false;
    const int mode = QString::fromStdString(value).toInt(&ok);
    return ok && mode >= 1 && mode <= 4 ? mode : 0;
}

bool generationModeFits(const std::string& value) {
    return generationModeOf(value) != 0;
}

bool chartSourceIsOption(const std::string& a) {
    return a != "--now" && (a.empty() || a[0] == '-');
}

bool sizeFits(const std::string& value) {
    int w = 0, h = 0;
    return parseSize(value, w, h) && pictureSizeAllowed(w, h);
}

int beginCommand(const char* help, Args& args, std::ostream& out, std::ostream& err) {
    if (wantsHelpFlag(args)) {
        out << help;
        return 0;
    }
    return takeCommonFlags(args, err) ? -1 : 2;
}

int beginAndReadCommand(const char* help, const Args& arguments, const CommandSyntax& syntax,
                        ParsedOptions& p, CommandLine& line, std::ostream& out, std::ostream& err) {
    Args args = arguments;
    if (int status = beginCommand(help, args, out, err); status >= 0)
        return status;
    line = readCommandLine(args, syntax, p);
    return -1;
}

namespace {

int readWheelLine(const char* command, const char* help, Args args, const CommandSyntax& syntax,
                  std::optional<char>& houses, ParsedOptions& p, std::ostream& out,
                  std::ostream& err) {
    if (!takeCommonFlags(args, err) || !takeHouseSystem(args, houses, command, err))
        return 2;
    CommandSyntax inTurn = syntax;
    inTurn.helpInTurn = true;
    const CommandLine line = readCommandLine(args, inTurn, p);
    if (line.help) {
        out << help;
        return 0;
    }
    if (!line.fault)
        return -1;
    const OptionFault& f = *line.fault;
    using Kind = OptionFault::Kind;
    static const std::string kSizeForm = "--size takes WxH, for example 800x600";
    if ((f.kind == Kind::Conflict || f.kind == Kind::Twice) && f.row && f.row->group)
        return wheelUsage(err, command, "one output at a time");
    if (f.kind == Kind::NeedsValue)
        return wheelUsage(err, command,
                          f.argument == "--size" ? kSizeForm : f.argument + " needs a file name");
    if (f.kind == Kind::BadValue) {
        int w = 0, h = 0;
        if (!parseSize(f.other, w, h))
            return wheelUsage(err, command, kSizeForm);
        return refuseSize(command, f.other, err);
    }
    return wheelUsage(err, command, "unknown option " + f.argument);
}

int chooseWheelOutput(const char* command, const ParsedOptions& p, const CommandSyntax& syntax,
                      const std::string& noChart, size_t maxWheelCharts, WheelCommandOutput& o,
                      std::ostream& err) {
    if (!noChart.empty())
        return wheelUsage(err, command, noChart);
    o.mode = p.chosen(syntax.options, "output");
    if (o.mode.empty()) {
        std::vector<std::string> names;
        for (const OptionSpec& s : syntax.options)
            if (s.group && std::strcmp(s.group, "output") == 0)
                names.push_back(s.name);
        std::string choice = "choose ";
        for (size_t n = 0; n < names.size(); ++n)
            choice += (n == 0 ? "" : n + 1 == names.size() ? " or " : ", ") + names[n];
        return wheelUsage(err, command, choice);
    }
    if (p.has("--size") && o.mode != "--wheel")
        return wheelUsage(err, command, "--size goes with --wheel");
    if (o.mode != "--wheel")
        return -1;
    if (p.positional.size() > maxWheelCharts)
        return wheelUsage(err, command, "--wheel draws one chart at a time");
    o.wheelPath = p.value("--wheel");
    if (!pictureFormatOf(o.wheelPath))
        return wheelUsage(err, command,
                          "--wheel writes " + pictureExtensions().toStdString() + " files, not " +
                              o.wheelPath);
    if (p.has("--size")) {
        int w = 0, h = 0;
        parseSize(p.value("--size"), w, h);
        o.size = QSize(w, h);
    }
    return -1;
}

} // namespace

int readWheelCommand(const char* command, const char* help, const Args& args,
                     const CommandSyntax& syntax, ChartsCheck whyNot, size_t maxWheelCharts,
                     WheelCommand& c, std::ostream& out, std::ostream& err) {
    if (int status = readWheelLine(command, help, args, syntax, c.houses, c.options, out, err);
        status >= 0)
        return status;
    return chooseWheelOutput(command, c.options, syntax, whyNot(c.options.positional),
                             maxWheelCharts, c.output, err);
}

} // namespace velorin::cli
