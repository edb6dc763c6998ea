#pragma once
// The Moon's phase pictures of the moon calendar, drawn from the angle by
// which the Moon stands ahead of the Sun: new at 0 and 360, first quarter at
// 90, full at 180. As seen from the northern hemisphere, the waxing Moon is
// lit on the right. Plain arithmetic, no fonts or painter, so that every build
// draws the same pixels.

#include <string>
#include <vector>

namespace velorin {

inline constexpr int kPhasePictureSize = 72;

// RGB pixels, three bytes each, row by row from the top; size x size.
std::vector<unsigned char> renderMoonPhase(int angle, int size = kPhasePictureSize);

// Writes one picture as a JPEG file; false with a message on failure, and then
// no file of that name is left half-written.
bool writeMoonPhaseJpeg(int angle, const std::string& path, std::string& error);

} // namespace velorin
