#pragma once
// The house systems a chart can be cast in: the ephemeris library's letter
// for each, and its Hungarian name for everything the user reads.

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace velorin {

inline constexpr char kDefaultHouseSystem = 'P';

struct HouseSystem {
    char letter = kDefaultHouseSystem;
    const char* name = ""; // Hungarian, UTF-8
};

// Every system offered, Placidus first, in the order the settings panel lists them.
std::span<const HouseSystem> houseSystems();

// The system of a letter, upper or lower case; none for any other text. The
// command line's option and the settings store both go through here.
std::optional<char> parseHouseSystem(std::string_view text);

// The Hungarian name of a letter ("Placidus", "Koch", …); the letter itself
// for one that is not offered.
std::string houseSystemName(char letter);

} // namespace velorin
