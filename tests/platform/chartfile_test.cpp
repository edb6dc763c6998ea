// Chart and location files: both layouts, the hemisphere fields, round
// trips and hostile files.

#include "platform/chartfile.h"
#include "platform/textfile.h"
#include "platform/zones.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <random>

using namespace velorin;

namespace {

const QByteArray kSavedMa =
    "\"Ma\",\"2009\",\"10\",\"31\",\"3\",\"15\",\"47\",\"035\",\"19\",\"07\",\"-1\",0,\"\","
    "#FALSE#,\"F\xE9rfi\"\r\n";

QString writeTemp(QTemporaryDir& dir, const QByteArray& bytes, const QString& name = "x.ast") {
    QString path = dir.filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

TEST(ChartFile, CurrentLayoutAsSaved) {
    QTemporaryDir dir;
    ReadResult r = readChartFile(writeTemp(dir, kSavedMa));
    ASSERT_TRUE(r.file) << r.error.toStdString();
    const BirthData& d = r.file->data;
    EXPECT_EQ(r.file->layout, ChartLayout::Current);
    EXPECT_FALSE(r.file->hasHemispheres);
    EXPECT_EQ(d.name, "Ma");
    EXPECT_EQ(d.year, "2009");
    EXPECT_EQ(d.hour, "3");
    EXPECT_EQ(d.latMin, "035");
    EXPECT_EQ(d.longMin, "07");
    EXPECT_EQ(d.zone, "-1");
    EXPECT_FALSE(d.am);
    EXPECT_EQ(d.hour24, "15");
    EXPECT_EQ(d.sex, "Férfi");
    EXPECT_TRUE(d.east);
    EXPECT_TRUE(d.north);
}

TEST(ChartFile, WriterKeepsTheLayoutAndAddsTheHemispheres) {
    BirthData d;
    d.name = "Ma";
    d.year = "2009";
    d.month = "10";
    d.day = "31";
    d.hour = "3";
    d.minute = "15";
    d.am = false;
    QByteArray bytes = toCp1250(formatChartRecord(d));
    EXPECT_EQ(bytes, kSavedMa.chopped(2) + ",#TRUE#,#TRUE#\r\n");
    EXPECT_EQ(toCp1250(formatConvertedRecord(d, "Férfi")), kSavedMa);
}

TEST(ChartFile, HemispheresFollowZoneRowUnlessStored) {
    BirthData base;
    base.east = false;
    base.north = true;
    auto parse = [&](const QString& zone, const QString& tail) {
        QString line = "\"Joe\",\"1960\",\"5\",\"1\",\"9\",\"0\",\"40\",\"43\",\"74\",\"0\",\"" +
                       zone + "\",0,\"\",#TRUE#,\"Férfi\"" + tail + "\r\n";
        auto f = parseChartText(line, base);
        EXPECT_TRUE(f);
        return f ? f->data : BirthData();
    };
    BirthData western = parse("5", "");
    EXPECT_FALSE(western.east);
    EXPECT_FALSE(western.north); // the old rule: western rows read South
    BirthData stored = parse("5", ",#FALSE#,#TRUE#");
    EXPECT_FALSE(stored.east);
    EXPECT_TRUE(stored.north); // New York stays in the north
    BirthData unlisted = parse("1,5", "");
    EXPECT_FALSE(unlisted.east); // kept from the form
    EXPECT_TRUE(unlisted.north);
    BirthData eastern = parse("-5,75", "");
    EXPECT_TRUE(eastern.east && eastern.north);
    EXPECT_EQ(findZoneRow("-4.5"), 20);
    EXPECT_EQ(findZoneRow("0"), 14);
    EXPECT_EQ(findZoneRow("1,5"), -1);
}

// Each row is found by its own value, whatever way that value is spelt.
TEST(ChartFile, EveryZoneRowFindsItself) {
    for (int i = 0; i < kZoneRowCount; ++i) {
        const QString value = QString::fromUtf8(zoneRows()[size_t(i)].value);
        EXPECT_EQ(findZoneRow(value), i) << value.toStdString();
        EXPECT_EQ(findZoneRow(QString(value).replace(',', '.')), i) << value.toStdString();
        EXPECT_EQ(findZoneRow(" " + value + " "), i) << value.toStdString();
    }
}

TEST(ChartFile, OldLayoutHasNoSex) {
    BirthData base;
    base.sex = "Nő";
    auto f = parseChartText(QString::fromLatin1(kSavedMa).section(",\"F", 0, 0) + "\r\n", base);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->layout, ChartLayout::Old);
    EXPECT_EQ(f->data.sex, "Nő");
}

TEST(ChartFile, NotesOverSeveralLinesSurviveARoundTrip) {
    BirthData d;
    d.year = "1980";
    d.month = "1";
    d.day = "2";
    d.hour = "4";
    d.minute = "5";
    d.notes = "első sor\r\nmásodik, vesszővel\r\n\"idézet\"";
    auto f = parseChartText(fromCp1250(toCp1250(formatChartRecord(d))), BirthData());
    ASSERT_TRUE(f);
    EXPECT_EQ(f->data.notes, "első sor\r\nmásodik, vesszővel\r\n'idézet'");
    EXPECT_EQ(f->data.day, "2");
}

TEST(ChartFile, HostileFilesGiveAClearError) {
    QTemporaryDir dir;
    std::vector<QByteArray> bad = {
        "",
        "\"Ma\",\"2009\",\"10\"\r\n",                     // truncated
        kSavedMa.left(40),                                // cut mid-record
        QByteArray(kSavedMa).replace(",0,", ",x,"),       // daylight flag not a number
        QByteArray(kSavedMa).replace("#FALSE#", "maybe"), // half of day not yes/no
        QByteArray("\xFF\xFE\"\0M\0a\0\"\0", 10),         // UTF-16
        QByteArray(300 * 1024, 'a'),                      // far too large
    };
    for (const QByteArray& b : bad) {
        ReadResult r = readChartFile(writeTemp(dir, b));
        EXPECT_FALSE(r.file) << b.left(40).toStdString();
        EXPECT_FALSE(r.error.isEmpty());
    }
    ReadResult missing = readChartFile(dir.filePath("nincs.ast"));
    EXPECT_FALSE(missing.file);
    EXPECT_TRUE(missing.error.contains("nincs.ast"));

    // Random bytes never crash the reader.
    std::mt19937 rng(7);
    for (int n = 0; n < 500; ++n) {
        QByteArray b = kSavedMa;
        for (int k = 0; k < 5; ++k)
            b[int(rng() % uint32_t(b.size()))] = char(rng() % 256);
        parseChartText(decodeTextFile(b), BirthData());
    }
}

TEST(ChartFile, UtfEightFileFromAnotherEditorReads) {
    QTemporaryDir dir;
    QByteArray utf8 =
        QString::fromLatin1(kSavedMa).replace(QString::fromLatin1("F\xE9rfi"), "Nő").toUtf8();
    ReadResult r = readChartFile(writeTemp(dir, utf8));
    ASSERT_TRUE(r.file);
    EXPECT_EQ(r.file->data.sex, "Nő");
}

TEST(LocationFile, RoundTripAndRefusal) {
    LocationFile l;
    l.zone = "-5";
    l.longDeg = "74";
    l.longMin = "00";
    l.east = false;
    l.west = true;
    l.latDeg = "40";
    l.latMin = "43";
    QString text = formatLocationRecord(l);
    EXPECT_EQ(text, "\"-5\",\"74\",\"00\",#FALSE#,#TRUE#,\"40\",\"43\",#TRUE#,#FALSE#\r\n");
    auto back = parseLocationText(text);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->zone, "-5");
    EXPECT_TRUE(back->west);
    EXPECT_FALSE(back->south);
    EXPECT_FALSE(parseLocationText("\"-5\",\"74\",\"00\",1,0,\"40\",\"43\",1,0\r\n"));
    EXPECT_FALSE(parseLocationText("\"-5\",\"74\"\r\n"));
}

} // namespace
