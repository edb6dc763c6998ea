#pragma once
// Points the settings store, the data root, the program folder and the
// desktop data folder of a window test at a temporary folder, before any of
// them is first used, and empties them between test functions.

#include "platform/clock.h"
#include "platform/settings.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

namespace velorin::test {

class TestEnvironment {
public:
    TestEnvironment() {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("XDG_CONFIG_HOME", path("config").toUtf8());
        qputenv("XDG_DATA_HOME", path("share").toUtf8());
        qputenv("ASTRO_DATA", path("ASTRO_DATA").toUtf8());
        qputenv("VELORIN_HOME", path("home").toUtf8());
    }

    QString path(const QString& sub) const { return m_root.path() + "/" + sub; }
    QString chartFolder() const { return path("ASTRO_DATA") + "/RADIX/"; }
    QString locationFolder() const { return path("home") + "/helyseg/"; }

    // A clean store and empty folders; the present moment back to the system's.
    void reset() {
        for (const char* app : {kSettingsApp, kProgramTitle})
            QSettings(QSettings::IniFormat, QSettings::UserScope, kSettingsApp, app).clear();
        for (const char* sub : {"ASTRO_DATA", "home", "share"}) {
            QDir(path(sub)).removeRecursively();
            QDir().mkpath(path(sub));
        }
        QDir().mkpath(chartFolder());
        setClock({});
    }

    static void setStored(const char* app, const char* section, const QString& key,
                          const QString& value) {
        SettingsStore::set(app, section, key, value);
    }

    static QByteArray readBytes(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void writeBytes(const QString& file, const QByteArray& bytes) {
        QFile f(file);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
    }

private:
    QTemporaryDir m_root;
};

} // namespace velorin::test
