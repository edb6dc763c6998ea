// The atlas reader against damaged and hostile files: every fault is refused
// with a message naming the file, nothing crashes or allocates without bound.

#include "atlas/atlas.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <functional>
#include <gtest/gtest.h>

using namespace velorin;

namespace {

void put32(QByteArray& b, quint32 v) {
    v = qToLittleEndian(v);
    b.append(reinterpret_cast<const char*>(&v), 4);
}

void put16(QByteArray& b, quint16 v) {
    v = qToLittleEndian(v);
    b.append(reinterpret_cast<const char*>(&v), 2);
}

struct Parts {
    quint32 places = 2, regions = 1, zones = 1;
    QByteArray text;
    QByteArray tables;
};

// Two places in one region and zone: "Pécs" (offset 0), "Europe/Budapest"
// (6), region "Baranya" (22).
Parts validParts() {
    Parts p;
    for (const char* s : {"Pécs", "Europe/Budapest", "Baranya", "Pécsvárad"}) {
        const QByteArray u = QByteArray(s);
        p.text.append(char(u.size())).append(u);
    }
    put32(p.tables, 6); // zone
    p.tables.append("HU");
    put32(p.tables, 22); // region
    for (auto [name, pop] : {std::pair{0u, 145347u}, std::pair{30u, 2800u}}) {
        put32(p.tables, name);
        put32(p.tables, quint32(4607080));
        put32(p.tables, quint32(1823280));
        put32(p.tables, pop);
        put16(p.tables, 0);
        put16(p.tables, 0);
    }
    return p;
}

QByteArray payloadOf(const Parts& p) {
    QByteArray b;
    put32(b, p.places);
    put32(b, p.regions);
    put32(b, p.zones);
    put32(b, quint32(p.text.size()));
    return b + p.text + p.tables;
}

QByteArray fileOf(const QByteArray& payload) {
    QByteArray f("VLRATLAS");
    f.append(QByteArray::fromHex("00000001"));
    return f + qCompress(payload); // qCompress begins with the big-endian length
}

class AtlasFile : public ::testing::Test {
protected:
    QString write(const QByteArray& bytes) {
        const QString path = dir.filePath("places.vat");
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        return path;
    }
    QTemporaryDir dir;
};

TEST_F(AtlasFile, ReadsAWellFormedFile) {
    QString error;
    const auto atlas = Atlas::load(write(fileOf(payloadOf(validParts()))), &error);
    ASSERT_TRUE(atlas) << error.toStdString();
    const auto found = atlas->search(u"pecs", 10);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].name, "Pécs");
    EXPECT_EQ(found[1].name, "Pécsvárad");
    EXPECT_EQ(found[0].region, "Baranya");
    EXPECT_DOUBLE_EQ(found[0].latitude, 46.0708);
    EXPECT_DOUBLE_EQ(found[0].longitude, 18.2328);
}

TEST_F(AtlasFile, RefusesDamagedFiles) {
    using Damage = std::function<QByteArray()>;
    auto withParts = [](std::function<void(Parts&)> change) {
        return [change] {
            Parts p = validParts();
            change(p);
            return fileOf(payloadOf(p));
        };
    };
    const std::pair<const char*, Damage> cases[] = {
        {"empty file", [] { return QByteArray(); }},
        {"other file", [] { return QByteArray("PK\x03\x04 not an atlas at all"); }},
        {"unknown version",
         [] {
             QByteArray f = fileOf(payloadOf(validParts()));
             f[11] = 2;
             return f;
         }},
        {"claims a 2 GB payload",
         [] {
             QByteArray f = fileOf(payloadOf(validParts()));
             f.replace(12, 4, QByteArray::fromHex("7fffffff"));
             return f;
         }},
        {"cut short", [] { return fileOf(payloadOf(validParts())).left(40); }},
        {"not compressed",
         [] {
             return QByteArray("VLRATLAS") + QByteArray::fromHex("0000000100000040") +
                    QByteArray(64, 'x');
         }},
        {"one place too many", withParts([](Parts& p) { p.places = 3; })},
        {"no places", withParts([](Parts& p) {
             p.places = 0;
             p.tables.chop(40);
         })},
        {"name outside the texts", withParts([](Parts& p) { p.tables[10] = char(0xff); })},
        {"zone index out of range", withParts([](Parts& p) { p.tables[10 + 18] = 1; })},
        {"region index out of range", withParts([](Parts& p) { p.tables[10 + 16] = 5; })},
        {"latitude beyond the pole", withParts([](Parts& p) {
             QByteArray lat;
             put32(lat, 9'100'000);
             p.tables.replace(14, 4, lat);
         })},
        {"text running past its end", withParts([](Parts& p) { p.text[30] = char(200); })},
        {"broken UTF-8 in a name", withParts([](Parts& p) { p.text[2] = char(0xff); })},
        {"zone name with a path escape", withParts([](Parts& p) {
             p.text[7] = '.';
             p.text[8] = '.';
             p.text[9] = ' ';
         })},
        {"lower-case country", withParts([](Parts& p) { p.tables[4] = 'h'; })},
        // Control characters in place of a letter, still valid UTF-8.
        {"line feed in a place name", withParts([](Parts& p) { p.text[4] = '\n'; })},
        {"tab in a region name", withParts([](Parts& p) { p.text[25] = '\t'; })},
        {"NUL in a place name", withParts([](Parts& p) { p.text[31] = '\0'; })},
        {"DEL in a place name", withParts([](Parts& p) { p.text[34] = char(0x7f); })},
    };
    // The refusal is the program's one message: no library warning before it.
    static QStringList warnings;
    warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& text) { warnings << text; });
    for (const auto& [what, damage] : cases) {
        QString error;
        const QString path = write(damage());
        EXPECT_FALSE(Atlas::load(path, &error)) << what;
        EXPECT_TRUE(error.contains(path)) << what << ": " << error.toStdString();
    }
    qInstallMessageHandler(previous);
    EXPECT_TRUE(warnings.isEmpty()) << warnings.join('\n').toStdString();
}

TEST_F(AtlasFile, OpensRegularFilesOnly) {
    QString error;
    EXPECT_FALSE(Atlas::load(dir.path(), &error));
    EXPECT_TRUE(error.contains("nem közönséges fájl")) << error.toStdString();
    EXPECT_FALSE(Atlas::load(dir.filePath("missing.vat"), &error));
    EXPECT_TRUE(error.contains("nem létezik")) << error.toStdString();
}

} // namespace
