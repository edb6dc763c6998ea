#include "options.h"

#include <cstring>

namespace velorin::cli {

std::string ParsedOptions::chosen(std::span<const OptionSpec> table, const char* group) const {
    for (const OptionSpec& o : table)
        if (o.group && std::strcmp(o.group, group) == 0 && has(o.name))
            return o.name;
    return {};
}

std::optional<std::string> parseOptions(const Args& args, std::span<const OptionSpec> table,
                                        ParsedOptions& out) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.size() < 2 || a[0] != '-') {
            out.positional.push_back(a);
            continue;
        }
        const OptionSpec* spec = nullptr;
        for (const OptionSpec& o : table)
            if (a == o.name)
                spec = &o;
        if (!spec)
            return "unknown option " + a;
        if (out.has(a))
            return a + " given twice";
        if (spec->group)
            for (const OptionSpec& o : table)
                if (o.group && std::strcmp(o.group, spec->group) == 0 && out.has(o.name))
                    return std::string(o.name) + " and " + a + " exclude each other";
        std::string value;
        if (spec->takesValue) {
            if (i + 1 >= args.size())
                return a + " needs a value";
            value = args[++i];
        }
        out.values[a] = value;
    }
    return std::nullopt;
}

bool wantsHelpFlag(const Args& args) {
    for (const std::string& a : args)
        if (a == "--help" || a == "-h")
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
