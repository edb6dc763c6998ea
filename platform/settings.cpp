#include "settings.h"

#include "textfile.h"

#include "engine/housesystem.h"
#include "engine/numbers.h"

#include <QSettings>
#include <QStandardPaths>

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

void setGroupDefaults(WorkingSettings& ws) {
    WorkingSettings d;
    ws.orbs = d.orbs;
    ws.aspectColors = d.aspectColors;
    ws.wheelColors = d.wheelColors;
    ws.bandColor = d.bandColor;
}

} // namespace

QString unusableSettingsFile(const QString& application) {
    const QString path = storeFilePath(application);
    return isRegularOrAbsent(path) ? QString() : path;
}

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
    const QString app = kSettingsApp;
    if (!SettingsStore::exists(app, "set", "0")) {
        setGroupDefaults(ws);
        return std::nullopt;
    }
    // Read everything first: a failing colour leaves the values as they were.
    WorkingSettings next = ws;
    for (int i = 0; i < 8; ++i)
        next.orbs[size_t(i)] = orbValue(SettingsStore::get(app, "set", orbKey(i)));
    for (int i = 0; i < 8; ++i) {
        auto c = colorValue(SettingsStore::get(app, "set", aspectColorKey(i)));
        if (!c)
            return SettingsLoadError{aspectColorKey(i)};
        next.aspectColors[size_t(i)] = *c;
    }
    for (int i = 0; i < 4; ++i) {
        auto c = colorValue(SettingsStore::get(app, "set", wheelColorKey(i)));
        if (!c)
            return SettingsLoadError{wheelColorKey(i)};
        next.wheelColors[size_t(i)] = *c;
    }
    auto band = colorValue(SettingsStore::get(app, "set", "PAL"));
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
    QString hef = SettingsStore::get(kSettingsApp, "set", "HEF");
    ws.anticipation = hef.isEmpty() ? 6.0f : orbValue(hef);
}

void loadHouseSystem(WorkingSettings& ws) {
    const QString text = SettingsStore::get(kSettingsApp, "set", kHouseSystemKey).trimmed();
    ws.houseSystem = parseHouseSystem(text.toStdString()).value_or(kDefaultHouseSystem);
}

void loadSwitches(WorkingSettings& ws) {
    const QString app = kProgramTitle;
    if (!SettingsStore::exists(app, "setup", "showasc"))
        return;
    auto yes = [](const QString& t) {
        return t.trimmed().compare("True", Qt::CaseInsensitive) == 0;
    };
    ws.showAsc = yes(SettingsStore::get(app, "setup", "showasc"));
    ws.showFok = yes(SettingsStore::get(app, "setup", "showfok"));
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
    SettingsStore::set(app, "setup", "showasc", ws.showAsc ? "True" : "False");
    SettingsStore::set(app, "setup", "showfok", ws.showFok ? "True" : "False");
}

} // namespace velorin
