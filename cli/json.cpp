#include "json.h"

#include "engine/angles.h"
#include "engine/numbers.h"

#include <array>
#include <charconv>
#include <cstdio>

namespace velorin::cli {

std::string jsonString(const std::string& s) {
    std::string out = "\"";
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
    return out + "\"";
}

std::string jsonNumber(double x) {
    // The shortest text that reads back as the same double.
    std::array<char, 64> buf{};
    auto res = std::to_chars(buf.data(), buf.data() + buf.size(), x);
    return std::string(buf.data(), res.ptr);
}

std::string chartJson(const Chart& c) {
    std::string j = "{";
    j += "\"julianDayUT\":" + jsonNumber(c.julianDayUT);
    j += ",\"utHour\":" + jsonNumber(c.utHour);
    j += ",\"geoLongitude\":" + jsonNumber(c.geoLongitude);
    j += ",\"geoLatitude\":" + jsonNumber(c.geoLatitude);
    j += ",\"houseSystem\":" + jsonString(std::string(1, c.houseSystem));
    j += std::string(",\"housesFallback\":") + (c.housesFallback ? "true" : "false");
    j += ",\"bodies\":[";
    for (int b = 1; b <= BODY_COUNT; ++b) {
        if (b > 1)
            j += ",";
        j += "{\"id\":" + std::to_string(b);
        j += ",\"name\":" + jsonString(trimSpaces(bodyName(b)));
        j += ",\"longitude\":" + jsonNumber(c.longitude[size_t(b)]);
        j += ",\"speed\":" + jsonNumber(c.speed[size_t(b)]);
        j += std::string(",\"retrograde\":") + (c.retrograde(b) ? "true" : "false");
        j += ",\"house\":" + std::to_string(c.house(b)) + "}";
    }
    j += "],\"cusps\":[";
    for (int k = 1; k <= 12; ++k) {
        if (k > 1)
            j += ",";
        j += jsonNumber(c.cusps[size_t(k)]);
    }
    j += "],\"aspects\":[";
    for (size_t n = 0; n < c.aspects.size(); ++n) {
        const Aspect& a = c.aspects[n];
        if (n > 0)
            j += ",";
        j += "{\"i\":" + std::to_string(a.first) + ",\"j\":" + std::to_string(a.second) +
             ",\"k\":" + std::to_string(a.kind) +
             ",\"name\":" + jsonString(aspectKind(a.kind).name) +
             ",\"code\":" + jsonString(aspectCode(c, a)) + "}";
    }
    j += "]}";
    return j;
}

} // namespace velorin::cli
