#pragma once
// Moving the birth moment by whole minutes, on the texts of the birth-data
// form's date and 24-hour time boxes.

#include <QString>
#include <optional>

namespace velorin {

struct MomentTexts {
    QString year;
    QString month;
    QString day;
    QString hour24;
    QString minute;
};

// The moment moved by minutes (negative: back), with day, month and year
// rolling over: year as four digits, the others as two. Nothing when the
// texts do not make a real date and time, or the result leaves the years
// 100..9999 the form can hold.
std::optional<MomentTexts> stepMoment(const MomentTexts& from, int minutes);

// The 12-hour box and its half of the day for a 24-hour hour, as the step
// writes them: the hour itself before noon, the hour minus 12 after it. The
// box's own rule then shows 0 as 12.
struct TwelveHourTexts {
    QString hour;
    bool am = true;
};
TwelveHourTexts twelveHourTexts(int hour24);

} // namespace velorin
