#include "housesystem.h"

#include <array>

namespace velorin {
namespace {

constexpr std::array<HouseSystem, 10> kSystems{{
    {'P', "Placidus"},
    {'K', "Koch"},
    {'R', "Regiomontanus"},
    {'C', "Campanus"},
    {'O', "Porphyrius"},
    {'E', "egyenlő házak az Aszcendenstől"},
    {'W', "egész jegyes házak"},
    {'B', "Alcabitius"},
    {'M', "Morinus"},
    {'T', "topocentrikus"},
}};

} // namespace

std::span<const HouseSystem> houseSystems() {
    return kSystems;
}

std::optional<char> parseHouseSystem(std::string_view text) {
    if (text.size() != 1)
        return std::nullopt;
    char c = text[0];
    if (c >= 'a' && c <= 'z')
        c = char(c - 'a' + 'A');
    for (const HouseSystem& s : kSystems)
        if (s.letter == c)
            return c;
    return std::nullopt;
}

std::string houseSystemName(char letter) {
    for (const HouseSystem& s : kSystems)
        if (s.letter == letter)
            return s.name;
    return std::string(1, letter);
}

} // namespace velorin
