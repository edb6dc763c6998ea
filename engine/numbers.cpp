#include "numbers.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>

namespace velorin {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Scans [sign] digits [sep digits] starting at pos; returns the number of
// characters taken (0 when no digit was seen) and writes the value.
size_t scanNumber(std::string_view s, size_t pos, double& value) {
    std::string buf;
    size_t i = pos;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) {
        if (s[i] == '-')
            buf += '-';
        ++i;
    }
    bool digits = false;
    while (i < s.size() && isDigit(s[i])) {
        buf += s[i++];
        digits = true;
    }
    if (i < s.size() && (s[i] == '.' || s[i] == ',')) {
        size_t j = i + 1;
        std::string frac;
        while (j < s.size() && isDigit(s[j]))
            frac += s[j++];
        if (digits || !frac.empty()) {
            buf += '.';
            buf += frac.empty() ? std::string("0") : frac;
            digits = true;
            i = j;
        }
    }
    if (!digits)
        return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        std::string exp = "e";
        if (j < s.size() && (s[j] == '-' || s[j] == '+'))
            exp += s[j++];
        bool expDigits = false;
        while (j < s.size() && isDigit(s[j])) {
            exp += s[j++];
            expDigits = true;
        }
        if (expDigits) {
            buf += exp;
            i = j;
        }
    }
    double v = 0;
    auto res = std::from_chars(buf.data(), buf.data() + buf.size(), v);
    if (res.ec != std::errc() || !std::isfinite(v))
        return 0;
    value = v;
    return i - pos;
}

} // namespace

std::optional<double> strictNumber(std::string_view text) {
    size_t b = 0, e = text.size();
    while (b < e && isBlank(text[b]))
        ++b;
    while (e > b && isBlank(text[e - 1]))
        --e;
    std::string_view core = text.substr(b, e - b);
    if (core.empty())
        return std::nullopt;
    double v = 0;
    size_t taken = scanNumber(core, 0, v);
    if (taken == 0 || taken != core.size())
        return std::nullopt;
    return v;
}

double leadingNumber(std::string_view text) {
    size_t b = 0;
    while (b < text.size() && isBlank(text[b]))
        ++b;
    double v = 0;
    if (scanNumber(text, b, v) == 0)
        return 0;
    return v;
}

double roundHalfEven(double x) {
    return std::nearbyint(x);
}

namespace {

std::atomic<char> g_fixedSeparator{'.'};

} // namespace

void setFixedDecimalSeparator(char separator) {
    const bool usable = separator > 0 && std::ispunct(static_cast<unsigned char>(separator)) &&
                        separator != '-' && separator != '+';
    g_fixedSeparator.store(usable ? separator : '.');
}

char fixedDecimalSeparator() {
    return g_fixedSeparator.load();
}

namespace {

// Hundredths when x * 100 lies clearly away from a half, so that its rounding
// cannot differ from the exact decimal rounding of x; nothing near a half,
// where only the exact formatter knows.
std::optional<long long> clearHundredths(double x) {
    const double v = x * 100;
    if (!(std::fabs(v) < 1e12))
        return std::nullopt;
    const double below = std::floor(v);
    if (std::fabs(v - below - 0.5) < 1e-3)
        return std::nullopt;
    return static_cast<long long>(v - below < 0.5 ? below : below + 1);
}

} // namespace

// The listing and the sheet format a few dozen of these for every chart; the
// general formatter with a precision was a tenth of a chart's own work.
std::string formatFixed2(double x) {
    std::string s;
    if (const std::optional<long long> n = clearHundredths(x)) {
        const unsigned long long a = static_cast<unsigned long long>(*n < 0 ? -*n : *n);
        if (*n < 0)
            s += '-';
        s += std::to_string(a / 100);
        s += '.';
        s += char('0' + a % 100 / 10);
        s += char('0' + a % 10);
    } else {
        std::array<char, 64> buf{};
        auto res =
            std::to_chars(buf.data(), buf.data() + buf.size(), x, std::chars_format::fixed, 2);
        s.assign(buf.data(), res.ptr);
        if (s == "-0.00")
            s = "0.00";
    }
    const char separator = g_fixedSeparator.load();
    if (separator != '.')
        std::replace(s.begin(), s.end(), '.', separator);
    return s;
}

std::string formatPlain(double x) {
    if (x == 0)
        return "0";
    // House numbers and most typed values are whole: skip the general formatter.
    if (std::fabs(x) < 1e15 && x == std::trunc(x))
        return std::to_string(static_cast<long long>(x));
    std::array<char, 64> buf{};
    auto res =
        std::to_chars(buf.data(), buf.data() + buf.size(), x, std::chars_format::general, 15);
    return std::string(buf.data(), res.ptr);
}

std::string formatSigned(double x) {
    std::string s = formatPlain(x);
    return x < 0 ? s : " " + s;
}

double roundTo15Digits(double x) {
    std::array<char, 64> buf{};
    auto res =
        std::to_chars(buf.data(), buf.data() + buf.size(), x, std::chars_format::general, 15);
    double v = 0;
    std::from_chars(buf.data(), res.ptr, v);
    return v;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z')
            x = char(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z')
            y = char(y - 'a' + 'A');
        if (x != y)
            return false;
    }
    return true;
}

std::string trimSpaces(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && s[b] == ' ')
        ++b;
    while (e > b && s[e - 1] == ' ')
        --e;
    return std::string(s.substr(b, e - b));
}

std::string twoDigits(int n) {
    // Built directly rather than prepended to a temporary: GCC 12 at -O3
    // warns (-Werror=restrict) about the insert that "0" + text inlines to.
    if (n >= 0 && n < 10)
        return std::string{'0', char('0' + n)};
    return std::to_string(n);
}

} // namespace velorin
