// How a failed computation names the box to correct: by the form's label,
// once, and never by the box's internal name.

#include "platform/birthfields.h"

#include <gtest/gtest.h>

using namespace velorin;

namespace {

struct LineCase {
    BirthField field;
    const char* message; // the engine's text, "" for a box that holds no number
    const char* line;
};

TEST(BirthFields, AFailureNamesItsBoxByLabelOnce) {
    const LineCase cases[] = {
        // No number in the box: the text is made of the label already.
        {BirthField::Day, "", "Helytelen adat: NAP"},
        {BirthField::Zone, "", "Helytelen adat: IDŐZÓNA"},
        // The engine's own reason gains the label it does not say.
        {BirthField::Year, "az év -5400 – 5399 között lehet",
         "az év -5400 – 5399 között lehet (ÉV)"},
        {BirthField::Minute, "a perc 0 – 59 között lehet", "a perc 0 – 59 között lehet (PERC)"},
        // The minutes boxes share their degrees' label; said once.
        {BirthField::LatitudeMinutes, "Helytelen adat: SZÉL. FOK (a szélesség legfeljebb 90°)",
         "Helytelen adat: SZÉL. FOK (a szélesség legfeljebb 90°)"},
        {BirthField::LongitudeMinutes, "x", "x (HOSSZ. FOK)"},
        // The ephemeris failed: no box to name.
        {BirthField::None, "az efemerisz nem számolható", "az efemerisz nem számolható"},
    };
    for (const LineCase& c : cases) {
        ComputeError e;
        e.field = c.field;
        e.message = c.message;
        EXPECT_EQ(computeErrorLine(e), QString::fromUtf8(c.line)) << c.line;
    }
}

TEST(BirthFields, EveryBoxHasALabelAndNoLineShowsABoxName) {
    for (BirthField f :
         {BirthField::Day, BirthField::Year, BirthField::Month, BirthField::Zone, BirthField::Hour,
          BirthField::Minute, BirthField::LongitudeDegrees, BirthField::LongitudeMinutes,
          BirthField::LatitudeDegrees, BirthField::LatitudeMinutes}) {
        const BirthFieldText t = birthFieldText(f);
        EXPECT_STRNE(t.label, "") << t.control;
        for (const char* message : {"", "hibás érték"}) {
            ComputeError e;
            e.field = f;
            e.message = message;
            const QString line = computeErrorLine(e);
            EXPECT_FALSE(line.contains(QString::fromUtf8(t.control))) << line.toStdString();
            EXPECT_EQ(line.count(QString::fromUtf8(t.label)), 1) << line.toStdString();
        }
    }
}

} // namespace
