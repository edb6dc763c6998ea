#include "settings.h"

#include "textfile.h"

#include "engine/housesystem.h"
#include "engine/numbers.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <algorithm>

namespace velorin {
namespace {

// Where QSettings keeps an application's file, known without opening it.
QString storeFilePath(const QString& application) {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + '/' +
           QString::fromUtf8(kSettingsApp) + '/' + application + QStringLiteral(".ini");
}

QSettings storeFor(const QString& application) {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, kSettingsApp, application);
}

QString orbKey(int i) {
    return QString::number(kOrbAngles[size_t(i)]);
}
QString aspectColorKey(int i) {
    return QStringLiteral("aspcolor-%1").arg(i);
}
QString wheelColorKey(int i) {
    return QStringLiteral("color-%1").arg(i);
}

// The strict whole-number conversion of a stored colour.
std::optional<BgrColor> colorValue(const QString& text) {
    bool ok = false;
    qlonglong v = text.trimmed().toLongLong(&ok);
    if (!ok || v < 0 || v > 0xFFFFFF)
        return std::nullopt;
    return BgrColor(v);
}

// A single-precision value as the user typed it: 3.3, not 3.29999995231628.
QString singleText(float v) {
    return QString::number(double(v), 'g', 7);
}

float orbValue(const QString& text) {
    return float(leadingNumber(text.toStdString()));
}

// The numbers of a box as the panel writes them: 3.3, not 3.29999995.
QString panelNumber(float v) {
    return QString::fromStdString(formatPlain(double(v)));
}

// The panel's suggestion for an emptied orb box.
constexpr std::array<float, 8> kEmptiedOrbs{9, 2, 3, 7, 7, 2, 3, 9};

void setGroupDefaults(WorkingSettings& ws) {
    WorkingSettings d;
    ws.orbs = d.orbs;
    ws.aspectColors = d.aspectColors;
    ws.wheelColors = d.wheelColors;
    ws.bandColor = d.bandColor;
}

} // namespace

QString unusableSettingsFile(const QString& application, QString* reason) {
    const QString path = storeFilePath(application);
    if (!isRegularOrAbsent(path)) {
        if (reason)
            *reason = QStringLiteral("nem közönséges fájl");
        return path;
    }
    const QFileInfo info(path);
    if (info.exists() && info.size() > kMaxSettingsFileBytes) {
        if (reason)
            *reason = QStringLiteral("túl nagy (%1 bájt, legfeljebb %2)")
                          .arg(info.size())
                          .arg(kMaxSettingsFileBytes);
        return path;
    }
    return QString();
}

namespace {

// One reading of an application's store for a whole load: QSettings parses
// the file for every object it is opened with, so a value at a time would
// parse it some twenty times over.
class StoreReader {
public:
    explicit StoreReader(const QString& application)
        : usable_(unusableSettingsFile(application).isEmpty()) {
        if (usable_)
            settings_.emplace(QSettings::IniFormat, QSettings::UserScope, kSettingsApp,
                              application);
    }
    QString get(const QString& section, const QString& key) const {
        return usable_ ? settings_->value(section + "/" + key).toString() : QString();
    }
    bool exists(const QString& section, const QString& key) const {
        return !get(section, key).isEmpty();
    }

private:
    bool usable_;
    std::optional<QSettings> settings_;
};

} // namespace

// A store file that is no regular file reads as empty (the defaults) and is
// never written: QSettings would wait forever on a named pipe.
QString SettingsStore::get(const QString& application, const QString& section, const QString& key) {
    if (!unusableSettingsFile(application).isEmpty())
        return QString();
    QSettings s = storeFor(application);
    return s.value(section + "/" + key).toString();
}

void SettingsStore::set(const QString& application, const QString& section, const QString& key,
                        const QString& value) {
    if (!unusableSettingsFile(application).isEmpty())
        return;
    QSettings s = storeFor(application);
    s.setValue(section + "/" + key, value);
}

bool SettingsStore::exists(const QString& application, const QString& section, const QString& key) {
    return !get(application, section, key).isEmpty();
}

EngineSettings WorkingSettings::engine(Wording wording) const {
    EngineSettings e;
    e.orbs = orbs;
    e.anticipation = anticipation;
    e.showAsc = showAsc;
    e.wording = wording;
    e.houseSystem = houseSystem;
    return e;
}

std::optional<SettingsLoadError> loadWorkingSettings(WorkingSettings& ws) {
    // An oversized store is a broken one that is not even parsed; a pipe or a
    // folder stays the silent defaults it always was.
    QString reason;
    const QString unusable = unusableSettingsFile(kSettingsApp, &reason);
    if (!unusable.isEmpty() && isRegularOrAbsent(unusable))
        return SettingsLoadError{QFileInfo(unusable).fileName() + QStringLiteral(": ") + reason};
    const StoreReader store(kSettingsApp);
    if (!store.exists("set", "0")) {
        setGroupDefaults(ws);
        return std::nullopt;
    }
    // Read everything first: a failing colour leaves the values as they were.
    WorkingSettings next = ws;
    for (int i = 0; i < 8; ++i)
        next.orbs[size_t(i)] = orbValue(store.get("set", orbKey(i)));
    for (int i = 0; i < 8; ++i) {
        auto c = colorValue(store.get("set", aspectColorKey(i)));
        if (!c)
            return SettingsLoadError{aspectColorKey(i)};
        next.aspectColors[size_t(i)] = *c;
    }
    for (int i = 0; i < 4; ++i) {
        auto c = colorValue(store.get("set", wheelColorKey(i)));
        if (!c)
            return SettingsLoadError{wheelColorKey(i)};
        next.wheelColors[size_t(i)] = *c;
    }
    auto band = colorValue(store.get("set", "PAL"));
    if (!band)
        return SettingsLoadError{"PAL"};
    next.bandColor = *band;
    ws.orbs = next.orbs;
    ws.aspectColors = next.aspectColors;
    ws.wheelColors = next.wheelColors;
    ws.bandColor = next.bandColor;
    return std::nullopt;
}

std::optional<SettingsLoadError> loadWorkingSettingsOrDefaults(WorkingSettings& ws) {
    auto err = loadWorkingSettings(ws);
    if (err)
        setGroupDefaults(ws);
    return err;
}

void loadAnticipation(WorkingSettings& ws) {
    QString hef = StoreReader(kSettingsApp).get("set", "HEF");
    ws.anticipation = hef.isEmpty() ? 6.0f : orbValue(hef);
}

void loadHouseSystem(WorkingSettings& ws) {
    const QString text = SettingsStore::get(kSettingsApp, "set", kHouseSystemKey).trimmed();
    ws.houseSystem = parseHouseSystem(text.toStdString()).value_or(kDefaultHouseSystem);
}

void loadSwitches(WorkingSettings& ws) {
    const StoreReader store(kProgramTitle);
    if (!store.exists("setup", "showasc"))
        return;
    auto yes = [](const QString& t) {
        return t.trimmed().compare("True", Qt::CaseInsensitive) == 0;
    };
    ws.showAsc = yes(store.get("setup", "showasc"));
    ws.showFok = yes(store.get("setup", "showfok"));
}

std::optional<SettingsLoadError> loadAll(WorkingSettings& ws) {
    auto err = loadWorkingSettingsOrDefaults(ws);
    loadAnticipation(ws);
    loadHouseSystem(ws);
    loadSwitches(ws);
    return err;
}

void saveSetKeys(const WorkingSettings& ws) {
    const QString app = kSettingsApp;
    for (int i = 0; i < 8; ++i)
        SettingsStore::set(app, "set", orbKey(i), singleText(ws.orbs[size_t(i)]));
    for (int i = 0; i < 8; ++i)
        SettingsStore::set(app, "set", aspectColorKey(i),
                           QString::number(ws.aspectColors[size_t(i)]));
    for (int i = 0; i < 4; ++i)
        SettingsStore::set(app, "set", wheelColorKey(i),
                           QString::number(ws.wheelColors[size_t(i)]));
    SettingsStore::set(app, "set", "PAL", QString::number(ws.bandColor));
    SettingsStore::set(app, "set", "HEF", singleText(ws.anticipation));
    SettingsStore::set(app, "set", kHouseSystemKey, QString(QChar::fromLatin1(ws.houseSystem)));
}

void saveSwitches(const WorkingSettings& ws) {
    const QString app = kProgramTitle;
    const QString asc = ws.showAsc ? QStringLiteral("True") : QStringLiteral("False");
    const QString fok = ws.showFok ? QStringLiteral("True") : QStringLiteral("False");
    // Every close used to rewrite the store twice, each time synced to disk,
    // though the switches seldom change; that was a tenth of a start and end.
    {
        const StoreReader store(app);
        if (store.get("setup", "showasc") == asc && store.get("setup", "showfok") == fok)
            return;
    }
    SettingsStore::set(app, "setup", "showasc", asc);
    SettingsStore::set(app, "setup", "showfok", fok);
}

PanelSettings panelSettingsOf(const WorkingSettings& ws) {
    PanelSettings panel;
    for (size_t n = 0; n < 8; ++n)
        panel.orbTexts[n] = panelNumber(ws.orbs[n]);
    panel.aspectColors = ws.aspectColors;
    std::copy(ws.wheelColors.begin(), ws.wheelColors.end(), panel.wheelColors.begin());
    panel.wheelColors[4] = ws.bandColor;
    panel.anticipationText = panelNumber(ws.anticipation);
    panel.houseSystem = ws.houseSystem;
    return panel;
}

PanelSettings storedPanelSettings(const WorkingSettings& inEffect) {
    PanelSettings panel = panelSettingsOf(inEffect);
    const StoreReader store(kSettingsApp);
    if (store.exists("set", "0")) {
        for (int i = 0; i < 8; ++i) {
            panel.orbTexts[size_t(i)] = store.get("set", orbKey(i));
            if (auto c = colorValue(store.get("set", aspectColorKey(i))))
                panel.aspectColors[size_t(i)] = *c;
        }
        for (int i = 0; i < 5; ++i)
            if (auto c = colorValue(store.get("set", i < 4 ? wheelColorKey(i) : "PAL")))
                panel.wheelColors[size_t(i)] = *c;
    }
    if (store.exists("set", "HEF"))
        panel.anticipationText = store.get("set", "HEF");
    return panel;
}

WorkingSettings appliedPanelSettings(const PanelSettings& panel, WorkingSettings base) {
    for (size_t n = 0; n < 8; ++n)
        base.orbs[n] = panel.orbTexts[n].isEmpty() ? kEmptiedOrbs[n] : orbValue(panel.orbTexts[n]);
    base.aspectColors = panel.aspectColors;
    std::copy(panel.wheelColors.begin(), panel.wheelColors.begin() + 4, base.wheelColors.begin());
    base.bandColor = panel.wheelColors[4];
    base.anticipation = orbValue(panel.anticipationText);
    base.houseSystem = panel.houseSystem;
    return base;
}

} // namespace velorin
