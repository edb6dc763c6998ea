#pragma once
// The per-user settings store and the program-wide working values read from it.

#include "engine/chart.h"

#include <QColor>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace velorin {

inline constexpr const char* kSettingsApp = "Velorin";
inline constexpr const char* kProgramTitle = "Tarvessa";

// A 24-bit colour 0xBBGGRR, red in the low byte, as stored and as drawn.
using BgrColor = std::uint32_t;

// The one conversion between a stored colour and Qt's.
QColor qColorOf(BgrColor c);
BgrColor bgrOf(const QColor& c);

// (application, section, key) -> text; an absent key reads as "".
// Backed by QSettings in INI form under $XDG_CONFIG_HOME/Velorin/<application>.ini.
class SettingsStore {
public:
    static QString get(const QString& application, const QString& section, const QString& key);
    static void set(const QString& application, const QString& section, const QString& key,
                    const QString& value);
    static bool exists(const QString& application, const QString& section, const QString& key);
};

// The application's store file when it exists but is no regular file (a
// named pipe, a folder) or is far larger than any store the programs write;
// empty when the store is usable. Such a store reads as empty (the defaults)
// and is never written; *reason gets the Hungarian why.
QString unusableSettingsFile(const QString& application, QString* reason = nullptr);

// The largest store file read: the programs write about 1 KB, and every
// program reading the orbs would otherwise parse whatever is there.
inline constexpr qint64 kMaxSettingsFileBytes = 1024 * 1024;

struct WorkingSettings {
    // Angle order 0, 45, 60, 90, 120, 135, 150, 180 for orbs and aspect colours.
    std::array<float, 8> orbs{10, 3, 3, 5, 7, 3, 3, 10};
    std::array<BgrColor, 8> aspectColors{};
    std::array<BgrColor, 4> wheelColors{}; // circles, houses, node axis, Asc/MC axes
    BgrColor bandColor = 0xE0E0E0;
    float anticipation = 6;
    char houseSystem = 'P'; // a letter of engine/housesystem.h
    bool showAsc = false;
    bool showFok = false;

    EngineSettings engine(Wording wording = Wording::ChartProgram) const;
};

// Angles in the settings' order, which are also the keys of the orbs.
inline constexpr std::array<int, 8> kOrbAngles{0, 45, 60, 90, 120, 135, 150, 180};

struct SettingsLoadError {
    // The colour key that was absent or not a whole number, or the store's
    // file name and why it was not read (an oversized store).
    QString key;
};

// Orbs and colours, all eight-plus-five together: from the store when key "0"
// exists, the defaults otherwise. A colour key that is absent or not a whole
// number fails the whole group: the values are left as they were and the
// failing key is returned.
std::optional<SettingsLoadError> loadWorkingSettings(WorkingSettings& ws);

// The same, but a failing group falls back to the defaults for every value of
// the group (the load still reports the failure so that it can be shown).
std::optional<SettingsLoadError> loadWorkingSettingsOrDefaults(WorkingSettings& ws);

// "HEF", independent of the group: its leading number, 6 when absent.
void loadAnticipation(WorkingSettings& ws);

// The settings key of the house system: one letter of engine/housesystem.h.
inline constexpr const char* kHouseSystemKey = "HAZRENDSZER";

// The house system under (Velorin, set): Placidus when the key is absent or
// holds no system offered, so a store from before the choice reads as before.
void loadHouseSystem(WorkingSettings& ws);

// "showasc"/"showfok" under (Tarvessa, setup); both kept when "showasc" is absent.
void loadSwitches(WorkingSettings& ws);

// Everything a chart needs, in the order the programs load it.
std::optional<SettingsLoadError> loadAll(WorkingSettings& ws);

// The settings panel's OK: the "set" keys from these values.
void saveSetKeys(const WorkingSettings& ws);
// The unload step: the two switches.
void saveSwitches(const WorkingSettings& ws);

// The settings as the main window's panel shows and edits them: the orbs and
// the cusp anticipation as the texts of their boxes.
struct PanelSettings {
    std::array<QString, 8> orbTexts; // in the order of kOrbAngles
    std::array<BgrColor, 8> aspectColors{};
    std::array<BgrColor, 5> wheelColors{}; // "color-0" .. "color-3", then the band ("PAL")
    QString anticipationText;
    char houseSystem = 'P';
};

// The values in effect, written as the panel shows numbers.
PanelSettings panelSettingsOf(const WorkingSettings& ws);

// What the panel shows after the load step: over the values in effect, the
// stored texts as they are (orbs and colours when key "0" exists, "HEF" when
// present). A colour the store cannot give shows the value in effect, which
// the load has already reported and put in place, so the panel never offers
// a colour the wheel is not drawn with.
PanelSettings storedPanelSettings(const WorkingSettings& inEffect);

// The panel's OK: base with the panel's values, each text read as its
// leading number. An emptied orb box takes the panel's suggested orb (9, 2,
// 3, 7, 7, 2, 3, 9), which differs from the store's defaults on purpose.
WorkingSettings appliedPanelSettings(const PanelSettings& panel, WorkingSettings base);

} // namespace velorin
