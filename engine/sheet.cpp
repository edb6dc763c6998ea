#include "sheet.h"

#include "housesystem.h"
#include "listing.h"
#include "numbers.h"

namespace velorin {
namespace {

std::string hour24Of(const BirthData& d) {
    return d.hour24.empty() ? hour24Text(d.hour, d.am) : d.hour24;
}

std::string dateTime(const BirthData& d) {
    return d.year + "." + d.month + "." + d.day + " " + hour24Of(d) + ":" + d.minute;
}

} // namespace

std::string locationText(const BirthData& d) {
    return "[" + d.longDeg + ":" + d.longMin + (d.east ? " - K " : " - NY ") + ", " + d.latDeg +
           ":" + d.latMin + (d.north ? " - É" : " - D") + ", IZ: " + d.zone + "]";
}

std::string sheetHeader(const BirthData& d) {
    return d.name + kCrLf + dateTime(d) + kCrLf + locationText(d) + kCrLf + kCrLf;
}

std::string sheetTitleEntry(const BirthData& d) {
    return d.name + " (" + dateTime(d) + ")";
}

std::string birthCaption(const BirthData& d) {
    return d.name + " [" + dateTime(d) + "]" + " [" + d.longDeg + " " + d.longMin +
           (d.east ? " K " : " Ny ") + " " + d.latDeg + " " + d.latMin + (d.north ? " É " : " D ") +
           " (" + d.zone + ")]";
}

std::string windowTitle(const BirthData& d) {
    return "Tarvessa [" + d.name + "]";
}

std::string housesFallbackNotice(const Chart& chart) {
    if (!chart.housesFallback)
        return "";
    if (chart.requestedHouseSystem != kDefaultHouseSystem)
        return "Figyelem: ezen a földrajzi szélességen a választott házrendszer (" +
               houseSystemName(chart.requestedHouseSystem) + ") nem számítható, a házcsúcsok " +
               houseSystemName(chart.houseSystem) + " szerintiek.";
    return "Figyelem: ezen a földrajzi szélességen a Placidus-házak nem számíthatók, "
           "a házcsúcsok Porphyrius szerintiek.";
}

std::string dataSheet(const BirthData& d, const Chart& chart) {
    std::string sheet = sheetHeader(d);
    if (chart.housesFallback)
        sheet += housesFallbackNotice(chart) + kCrLf;
    sheet += kCrLf + chart.listing;
    sheet += kCrLf + trimSpaces(d.notes);
    return sheet;
}

} // namespace velorin
