// Location files (.loc): any bytes must read or be refused without a fault,
// and a location that reads must survive a save and a second read.

#include "fuzzsupport.h"
#include "platform/chartfile.h"
#include "platform/textfile.h"

using namespace velorin;

namespace {

bool sameLocation(const LocationFile& a, const LocationFile& b) {
    return a.zone == b.zone && a.longDeg == b.longDeg && a.longMin == b.longMin &&
           a.east == b.east && a.west == b.west && a.latDeg == b.latDeg && a.latMin == b.latMin &&
           a.north == b.north && a.south == b.south;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::optional<LocationFile> loc =
        parseLocationText(decodeTextFile(fuzz::bytesOf(data, size)));
    if (!loc)
        return 0;
    const QString first = formatLocationRecord(*loc);
    const std::optional<LocationFile> reread = parseLocationText(first);
    if (!reread)
        fuzz::fail("a location written by the program does not read back");
    const std::optional<LocationFile> third = parseLocationText(formatLocationRecord(*reread));
    if (!third || !sameLocation(*reread, *third) || formatLocationRecord(*third) != first)
        fuzz::fail("a location changes each time it is saved");
    return 0;
}
