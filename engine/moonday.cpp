#include "moonday.h"

#include "chart.h"
#include "numbers.h"

#include <array>
#include <cmath>
#include <cstdio>

namespace velorin {
namespace {

const std::array<const char*, 12> kMonthNames{"Január",     "Február", "Március",  "Április",
                                              "Május",      "Junius",  "Július",   "Augusztus",
                                              "Szeptember", "Október", "November", "December"};

bool leapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

// Beyond this the zone is a typing error, not a place on Earth.
constexpr double kWidestZone = 24;

} // namespace

int daysInMonth(int year, int month) {
    static constexpr int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    if (month == 2 && leapYear(year))
        return 29;
    return days[month - 1];
}

std::string monthName(int month) {
    if (month < 1 || month > 12)
        return "";
    return kMonthNames[size_t(month - 1)];
}

double moonSunAngle(double moon, double sun) {
    return moon > sun ? moon - sun : moon + (360 - sun);
}

int phasePictureAngle(double angle) {
    int a = int(std::floor(angle));
    if (a % 2 != 0)
        a += 1;
    return a < 0 ? 0 : (a > 360 ? 360 : a);
}

std::string phasePictureName(int pictureAngle) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "m%03d.jpg", pictureAngle < 0 ? 0 : pictureAngle % 1000);
    return buf;
}

MoonRequestOutcome readMoonRequest(const std::string& year, const std::string& month,
                                   const std::string& zone) {
    MoonRequestOutcome out;
    const auto y = strictNumber(year);
    if (!y || *y != std::floor(*y) || std::fabs(*y) > 32767) {
        out.message = "Helytelen év!";
        return out;
    }
    const auto m = strictNumber(month);
    if (!m || *m != std::floor(*m) || *m < 1 || *m > 12) {
        out.message = "Helytelen hónap!";
        return out;
    }
    const auto z = strictNumber(zone);
    if (!z || std::fabs(*z) > kWidestZone) {
        out.message = "Helytelen időzóna!";
        return out;
    }
    out.value = MoonRequest{int(*y), int(*m), *z};
    return out;
}

MoonDayOutcome computeMoonDay(int year, int month, int day, double zone) {
    MoonDayOutcome out;
    MoonDay d;
    d.day = day;
    d.moment = momentAt(year, month, day, 0 + zone);
    static constexpr int kSunAndMoon[] = {Sun, Moon};
    PositionsOutcome p = computePositions(d.moment.julianDayUT, kSunAndMoon);
    if (!p.ok()) {
        out.error = p.error;
        return out;
    }
    d.sunLongitude = p.value->longitude[Sun];
    d.moonLongitude = p.value->longitude[Moon];
    d.sign = signOf(d.moonLongitude);
    d.angle = moonSunAngle(d.moonLongitude, d.sunLongitude);
    d.pictureAngle = phasePictureAngle(d.angle);
    d.picture = phasePictureName(d.pictureAngle);
    out.value = d;
    return out;
}

} // namespace velorin
