// The client report read back: its text through pdftotext, page by page, and
// the birth-data block for the ways an instant is given.

#include "report/clientreport.h"

#include "engine/angles.h"

#include "tests/support/birthdata.h"
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace velorin;

namespace {

// Anna's chart under a name with every accented letter a PDF font must keep.
BirthData ursula() {
    BirthData d = test::anna();
    d.name = "Kőműves Űrsula";
    return d;
}

ReportContent contentFor(const BirthData& d, char houses = 'P') {
    initEngine("/nonexistent-program-folder");
    ReportContent c;
    c.data = d;
    c.settings.houseSystem = houses;
    ChartOutcome o = computeChart(d, c.settings.engine());
    EXPECT_TRUE(o.ok()) << o.error.message;
    if (o.ok()) {
        c.chart = *o.chart;
        appendAspects(c.chart, c.settings.engine());
    }
    return c;
}

// The text of each page (pdftotext ends every page with a form feed); none
// without pdftotext.
std::optional<QStringList> pagesOf(const QByteArray& pdf) {
    const QString tool = QStandardPaths::findExecutable("pdftotext");
    if (tool.isEmpty())
        return std::nullopt;
    QTemporaryDir dir;
    QFile f(dir.filePath("r.pdf"));
    if (!f.open(QIODevice::WriteOnly))
        return std::nullopt;
    f.write(pdf);
    f.close();
    QProcess run;
    run.start(tool, {"-enc", "UTF-8", f.fileName(), "-"});
    if (!run.waitForFinished(60000))
        return std::nullopt;
    QStringList pages = QString::fromUtf8(run.readAllStandardOutput()).split(QChar(u'\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

} // namespace

TEST(ClientReport, EveryPageCarriesTheNameAndItsNumberAndNothingIsRasterised) {
    ReportContent c = contentFor(ursula(), 'K');
    QString text;
    for (int i = 1; i <= 400; ++i)
        text += QStringLiteral("Értelmezés %1. bekezdése: őszintén gyűrűs szöveg.\r\n").arg(i);
    text += QStringLiteral("Utolsó sor.");
    c.interpretation = text;
    const QByteArray pdf = clientReportPdf(c);
    ASSERT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_FALSE(pdf.contains("/Subtype /Image"));
    EXPECT_FALSE(pdf.contains("/Subtype/Image"));
    EXPECT_TRUE(pdf.contains("/FontFile2")); // the faces travel with the file

    const auto pages = pagesOf(pdf);
    if (!pages)
        GTEST_SKIP() << "pdftotext is not installed (poppler-utils)";
    ASSERT_GE(pages->size(), 4); // data and wheel, tables, then the long text
    const int n = int(pages->size());
    for (int i = 0; i < n; ++i) {
        EXPECT_TRUE(pages->at(i).contains(QStringLiteral("Kőműves Űrsula"))) << "page " << i + 1;
        EXPECT_TRUE(pages->at(i).contains(QStringLiteral("%1. oldal / %2").arg(i + 1).arg(n)))
            << "page " << i + 1;
    }
    const QString all = pages->join(QChar(u'\n'));
    for (int s = 1; s <= 12; ++s)
        EXPECT_TRUE(all.contains(signDisplayName(s))) << signDisplayName(s).toStdString();
    for (const char* expected :
         {"Házrendszer: Koch", "Világidő: 1973. 02. 26. 00:50 UT", "Medium Coeli", "szembenállás",
          "Értelmezés 1. bekezdése", "Értelmezés 400. bekezdése: őszintén gyűrűs szöveg."})
        EXPECT_TRUE(all.contains(QString::fromUtf8(expected))) << expected;
    EXPECT_TRUE(pages->last().contains(QStringLiteral("Utolsó sor.")));
}

TEST(ClientReport, WithoutAnInterpretationTheReportIsTwoPages) {
    const ReportContent c = contentFor(ursula());
    const auto pages = pagesOf(clientReportPdf(c));
    if (!pages)
        GTEST_SKIP() << "pdftotext is not installed (poppler-utils)";
    ASSERT_EQ(pages->size(), 2);
    EXPECT_TRUE(pages->at(1).contains(QStringLiteral("2. oldal / 2")));
}

TEST(ClientReport, BirthDataSayHowTheInstantWasFound) {
    const struct {
        const char* zone;
        int dst;
        const char* latDeg;
        char houses;
        std::vector<const char*> lines;
    } cases[] = {
        {"-2",
         0,
         "47",
         'P',
         {"Időzóna: UTC+2:00", "Nyári időszámítás: nem", "Házrendszer: Placidus"}},
        // Budapest's local mean time before standard time: 1 h 16 min ahead of UT.
        {"-1.2667", 0, "47", 'P', {"Helyi középidő (LMT): UTC+1:16"}},
        {"5",
         1,
         "47",
         'E',
         {"Időzóna: UTC−5:00", "Nyári időszámítás: igen",
          "Házrendszer: egyenlő házak az Aszcendenstől"}},
        // Beyond the polar circle Koch has no cusps: the report says which it shows.
        {"-1",
         0,
         "69",
         'K',
         {"Házrendszer: Koch – ezen a szélességen nem számítható, a "
          "házcsúcsok Porphyrius szerintiek"}},
    };
    for (const auto& tc : cases) {
        BirthData d = ursula();
        d.zone = tc.zone;
        d.daylightSaving = tc.dst;
        d.latDeg = tc.latDeg;
        const QStringList lines = birthDataLines(contentFor(d, tc.houses));
        for (const char* expected : tc.lines)
            EXPECT_TRUE(lines.contains(QString::fromUtf8(expected)) ||
                        lines.filter(QString::fromUtf8(expected)).size() == 1)
                << tc.zone << ": " << expected << "\n"
                << lines.join(QChar(u'\n')).toStdString();
        EXPECT_EQ(lines.filter(QStringLiteral("Delta T")).size(), 1);
    }
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
