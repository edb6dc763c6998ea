#pragma once
// Text-to-number rules shared by the engine, the file readers and the windows.
// Users type a decimal comma (Hungarian habit, and the zone list's own values)
// or a decimal point (the zone box's key filter); both mean the same number.

#include <optional>
#include <string>
#include <string_view>

namespace velorin {

// The strict conversion: the whole text, blanks around it aside, must be one
// number. Empty text and text with anything after the number are refused.
std::optional<double> strictNumber(std::string_view text);

// The leading-number conversion: the number at the start of the text, 0 when
// there is none ("12abc" is 12, "abc" and "" are 0).
double leadingNumber(std::string_view text);

// Banker's rounding, the rule of the original date fields: 26.5 -> 26, 27.5 -> 28.
double roundHalfEven(double x);

// Two decimals, at least one digit before the separator, no grouping:
// 5.5 -> "5.50" (or "5,50" with a comma as the separator).
std::string formatFixed2(double x);

// The decimal separator of formatFixed2, for the whole process. It is the
// point unless a window program sets the user's own at start (a Hungarian
// user reads a comma); the command line never sets it, so its output is the
// same on every machine. Only an ASCII punctuation character is taken; any
// other leaves the point.
void setFixedDecimalSeparator(char separator);
char fixedDecimalSeparator();

// A number with a leading blank when it is not negative: 10 -> " 10", -3 -> "-3".
std::string formatSigned(double x);

// Shortest text of the number, without exponent where it is readable
// ("47.4166666666667", "0", "-5.5").
std::string formatPlain(double x);

// Rounds to 15 significant digits by a trip through text, as the original did
// for the geographic coordinates.
double roundTo15Digits(double x);

// ASCII-only case-insensitive equality.
bool equalsIgnoreCase(std::string_view a, std::string_view b);

// Blanks removed from both ends (spaces only, as the original's trim did).
std::string trimSpaces(std::string_view s);

// A house number in a code: two digits, 1 as "01" (negatives and numbers
// past 99 as they are).
std::string twoDigits(int n);

} // namespace velorin
