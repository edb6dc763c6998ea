// What every window program sets up before its first window: where a window
// opens on a small screen.

#include "platform/widgets/screenfit.h"

#include <gtest/gtest.h>

using namespace velorin;

namespace {

TEST(WindowSetup, WindowsOpenWithinTheScreensFreeArea) {
    const QMargins frame(8, 31, 8, 8);
    struct Case {
        const char* what;
        QSize preferred, minimum;
        QRect available;
        QRect client;
    };
    const Case cases[] = {
        // 800 x 600 with a 30-pixel task bar: 784 x 531 of client area at most.
        {"larger than the screen", {1024, 740}, {320, 240}, {0, 0, 800, 570}, {8, 31, 784, 531}},
        {"fits, centred", {420, 480}, {0, 0}, {0, 0, 1920, 1040}, {750, 291, 420, 480}},
        {"only too tall", {648, 728}, {0, 0}, {0, 0, 800, 600}, {76, 31, 648, 561}},
        // A task bar on the left moves the free area, not only its size.
        {"area not at the origin", {1024, 740}, {0, 0}, {60, 0, 740, 600}, {68, 31, 724, 561}},
        // A window that cannot shrink so far keeps its minimum and its title
        // bar on the screen.
        {"minimum wins", {1024, 740}, {900, 700}, {0, 0, 800, 600}, {8, 31, 900, 700}},
    };
    for (const Case& c : cases) {
        const QRect r = fittedClientRect(c.preferred, c.minimum, c.available, frame);
        EXPECT_EQ(r, c.client) << c.what;
        if (c.minimum.width() <= c.available.width()) {
            EXPECT_TRUE(c.available.contains(r.marginsAdded(frame))) << c.what;
        }
    }
}

} // namespace
