#include "json.h"

#include "engine/angles.h"
#include "engine/numbers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <string_view>

namespace velorin::cli {

namespace {

void appendJsonString(std::string& out, std::string_view s) {
    out += '"';
    // Names and codes never need escaping; they go in whole.
    if (std::none_of(s.begin(), s.end(),
                     [](unsigned char c) { return c < 0x20 || c == '"' || c == '\\'; })) {
        out.append(s);
        out += '"';
        return;
    }
    for (unsigned char c : s) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += char(c);
            }
        }
    }
    out += '"';
}

// The shortest text that reads back as the same double.
void appendJsonNumber(std::string& out, double x) {
    std::array<char, 64> buf{};
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), x);
    out.append(buf.data(), res.ptr);
}

void appendInt(std::string& out, int n) {
    // Ids, houses and aspect kinds: one or two digits.
    if (n >= 0 && n < 100) {
        if (n >= 10)
            out += char('0' + n / 10);
        out += char('0' + n % 10);
        return;
    }
    std::array<char, 16> buf{};
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), n);
    out.append(buf.data(), res.ptr);
}

// The bodies' names as JSON texts, made once: a batch writes them for every chart.
const std::array<std::string, BODY_COUNT + 1>& bodyNamesJson() {
    static const std::array<std::string, BODY_COUNT + 1> names = [] {
        std::array<std::string, BODY_COUNT + 1> t;
        for (int b = 1; b <= BODY_COUNT; ++b)
            appendJsonString(t[size_t(b)], trimSpaces(bodyName(b)));
        return t;
    }();
    return names;
}

} // namespace

std::string jsonString(const std::string& s) {
    std::string out;
    appendJsonString(out, s);
    return out;
}

std::string jsonNumber(double x) {
    std::string out;
    appendJsonNumber(out, x);
    return out;
}

// Appended in place: a batch of charts spent more on the temporaries of this
// text than on the engine's own work.
std::string chartJson(const Chart& c) {
    std::string j;
    j.reserve(4096 + 160 * c.aspects.size());
    j += "{\"julianDayUT\":";
    appendJsonNumber(j, c.julianDayUT);
    j += ",\"utHour\":";
    appendJsonNumber(j, c.utHour);
    j += ",\"geoLongitude\":";
    appendJsonNumber(j, c.geoLongitude);
    j += ",\"geoLatitude\":";
    appendJsonNumber(j, c.geoLatitude);
    j += ",\"houseSystem\":";
    appendJsonString(j, std::string_view(&c.houseSystem, 1));
    j += ",\"housesFallback\":";
    j += c.housesFallback ? "true" : "false";
    j += ",\"bodies\":[";
    for (int b = 1; b <= BODY_COUNT; ++b) {
        if (b > 1)
            j += ',';
        j += "{\"id\":";
        appendInt(j, b);
        j += ",\"name\":";
        j += bodyNamesJson()[size_t(b)];
        j += ",\"longitude\":";
        appendJsonNumber(j, c.longitude[size_t(b)]);
        j += ",\"speed\":";
        appendJsonNumber(j, c.speed[size_t(b)]);
        j += ",\"retrograde\":";
        j += c.retrograde(b) ? "true" : "false";
        j += ",\"house\":";
        appendInt(j, c.house(b));
        j += '}';
    }
    j += "],\"cusps\":[";
    for (int k = 1; k <= 12; ++k) {
        if (k > 1)
            j += ',';
        appendJsonNumber(j, c.cusps[size_t(k)]);
    }
    j += "],\"aspects\":[";
    for (size_t n = 0; n < c.aspects.size(); ++n) {
        const Aspect& a = c.aspects[n];
        if (n > 0)
            j += ',';
        j += "{\"i\":";
        appendInt(j, a.first);
        j += ",\"j\":";
        appendInt(j, a.second);
        j += ",\"k\":";
        appendInt(j, a.kind);
        j += ",\"name\":";
        appendJsonString(j, aspectKind(a.kind).name);
        j += ",\"code\":";
        appendJsonString(j, aspectCode(c, a));
        j += '}';
    }
    j += "]}";
    return j;
}

} // namespace velorin::cli
