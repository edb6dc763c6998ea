// The floor under `velorin chart --now --json` as a process: a program that
// links the ephemeris library and nothing else, casts the chart of this
// moment at the default place (19°07' E, 47°35' N, Placidus) with the same
// library calls and prints the numbers. It stands in for the library's own
// command-line tool, which Debian does not ship.

#include <swephexp.h>

#include <cstdio>
#include <ctime>

#ifndef VELORIN_SYSTEM_EPHE
#define VELORIN_SYSTEM_EPHE "/usr/share/libswe/ephe"
#endif

int main() {
    char path[] = VELORIN_SYSTEM_EPHE;
    swe_set_ephe_path(path);
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    const double hour = utc.tm_hour + utc.tm_min / 60.0;
    const double jd =
        swe_julday(utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday, hour, SE_GREG_CAL);
    const double longitude = 19 + 7 / 60.0, latitude = 47 + 35 / 60.0;

    // The Sun to Pluto, the mean node, the mean apogee and Chiron, with speeds.
    const int bodies[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 15};
    std::printf("{\"julianDayUT\":%.17g,\"bodies\":[", jd);
    for (const int b : bodies) {
        double xx[6];
        char serr[AS_MAXCH];
        if (swe_calc_ut(jd, b, SEFLG_SWIEPH | SEFLG_SPEED, xx, serr) < 0) {
            std::fprintf(stderr, "barechart: %s\n", serr);
            return 1;
        }
        std::printf("%s{\"id\":%d,\"longitude\":%.17g,\"speed\":%.17g}", b ? "," : "", b, xx[0],
                    xx[3]);
    }
    double cusps[13], ascmc[10];
    swe_houses(jd, latitude, longitude, 'P', cusps, ascmc);
    std::printf("],\"cusps\":[");
    for (int k = 1; k <= 12; ++k)
        std::printf("%s%.17g", k > 1 ? "," : "", cusps[k]);
    std::printf("]}\n");
    swe_close();
    return 0;
}
