// What every window program sets up before its first window: where a window
// opens on a small screen, the user's decimal separator, and the suite's own
// catalogue of the Hungarian texts Qt's translation lacks.

#include "platform/widgets/application.h"
#include "platform/widgets/screenfit.h"

#include <QLocale>
#include <QTranslator>
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

TEST(WindowSetup, FixedTakesTheLocalesSeparatorWhenItIsOneAsciiCharacter) {
    struct Case {
        QLocale locale;
        char separator;
    };
    const Case cases[] = {
        {QLocale(QLocale::Hungarian, QLocale::Hungary), ','},
        {QLocale(QLocale::German, QLocale::Germany), ','},
        {QLocale(QLocale::English, QLocale::UnitedStates), '.'},
        {QLocale::c(), '.'},
        {QLocale(QLocale::Arabic, QLocale::Egypt), '.'}, // not ASCII
    };
    for (const Case& c : cases)
        EXPECT_EQ(fixedSeparatorOf(c.locale), c.separator) << c.locale.name().toStdString();
}

TEST(WindowSetup, SuiteCatalogueIsBuiltIntoTheProgram) {
    QTranslator t;
    ASSERT_TRUE(
        t.load(QString::fromLatin1(kSuiteCatalogue), QString::fromLatin1(kSuiteCatalogueFolder)));
    struct Case {
        const char* context;
        const char* source;
        const char* hungarian;
    };
    const Case cases[] = {
        {"QPrintSettingsOutput", "Pages", "Oldalak"},
        {"QPrintSettingsOutput", "Double Sided Printing", "Kétoldalas nyomtatás"},
        {"QPrintSettingsOutput", "Long side binding", "Kötés a hosszú oldalon"},
        {"QPrintSettingsOutput", "Short side binding", "Kötés a rövid oldalon"},
        {"QPrintPropertiesWidget", "Advanced", "Speciális"},
        {"QPrintDialog", "Invalid Pages Definition", "Hibás oldalmegadás"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(t.translate(c.context, c.source).toStdString(), c.hungarian) << c.source;
    // Nothing else is answered: the rest stays Qt's own translation.
    EXPECT_TRUE(t.translate("QPrintSettingsOutput", "Copies").isEmpty());
}

} // namespace
