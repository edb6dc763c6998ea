// velorin chart over many files in one run: the engine and the settings are
// set up once, so these check that no chart of a batch sees anything another
// one left behind, and that the store's faults and settings reach every file.

#include "cli/commands.h"
#include "tests/support/clirun.h"

#include "platform/clock.h"
#include "platform/settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>
#include <gtest/gtest.h>

#include <sstream>

using namespace velorin;
using namespace velorin::cli;

namespace {

using Outcome = velorin::test::CommandRun;

Outcome chart(const Args& args) {
    return velorin::test::runCommand(runChart, args);
}

QByteArray record(const char* name, const char* year, const char* month, const char* day,
                  const char* latDeg) {
    return QByteArray("\"") + name + "\",\"" + year + "\",\"" + month + "\",\"" + day +
           "\",\"2\",\"50\",\"" + latDeg +
           "\",\"25\",\"22\",\"45\",\"-2\",0,\"\",#TRUE#,\"N\xF5\"\r\n";
}

class ChartBatch : public ::testing::Test {
protected:
    void SetUp() override {
        setClock([] {
            return QDateTime(QDate(2009, 10, 31), QTime(15, 15), QTimeZone("Europe/Budapest"));
        });
        // Every kind of chart a batch meets, in an order where each could
        // spoil the next: beyond the polar circle the houses fall back to
        // Porphyry, a date outside the ephemeris and an impossible day fail
        // inside the engine, a cut file and a missing one before it.
        sources_ = {put("anna.ast", record("Anna", "1973", "2", "26", "47")),
                    put("polar.ast", record("Sarki", "1990", "6", "21", "80")),
                    put("anna2.ast", record("Anna", "1973", "2", "26", "47")),
                    put("far.ast", record("Messze", "9000", "1", "1", "47")),
                    put("noday.ast", record("Nincs", "1980", "2", "30", "47")),
                    "--now",
                    put("cut.ast", record("Anna", "1973", "2", "26", "47").left(30)),
                    dir_.filePath("nincs.ast").toStdString(),
                    put("bela.ast", record("Bela", "1985", "11", "3", "-33"))};
    }
    void TearDown() override { setClock({}); }

    std::string put(const QString& name, const QByteArray& bytes) {
        QFile f(dir_.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName().toStdString();
    }

    // One run over every source beside one run per source: the same bytes
    // on both streams and the worst status.
    void expectBatchEqualsSingleRuns(const Args& options) {
        for (const char* mode : {"--json", "--listing", "--sheet", "--codes"}) {
            SCOPED_TRACE(mode);
            Args batch = sources_;
            batch.push_back(mode);
            batch.insert(batch.end(), options.begin(), options.end());
            Outcome single{0, "", ""};
            for (const std::string& source : sources_) {
                Args one{source, mode};
                one.insert(one.end(), options.begin(), options.end());
                const Outcome r = chart(one);
                single.out += r.out;
                single.err += r.err;
                single.status = std::max(single.status, r.status);
            }
            const Outcome all = chart(batch);
            EXPECT_EQ(all.status, single.status);
            EXPECT_EQ(all.out, single.out);
            EXPECT_EQ(all.err, single.err);
            EXPECT_EQ(all.status, 1); // the broken files are in every batch
        }
    }

    QTemporaryDir dir_;
    Args sources_;
};

TEST_F(ChartBatch, EveryFileComesOutAsItDoesAlone) {
    expectBatchEqualsSingleRuns({});
    expectBatchEqualsSingleRuns({"--houses", "K"});
}

// Settings read once must still reach the last chart of the batch, not only
// the first.
TEST_F(ChartBatch, TheStoresSettingsReachEveryFile) {
    const Outcome wide = chart({sources_.back(), "--codes"});
    const QString folder = qEnvironmentVariable("XDG_CONFIG_HOME") + "/Velorin";
    ASSERT_TRUE(QDir().mkpath(folder));
    QFile ini(folder + "/Velorin.ini");
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    QByteArray body = "[set]\nHAZRENDSZER=R\nPAL=0\n";
    for (int angle : kOrbAngles)
        body += QByteArray::number(angle) + "=2\n";
    for (int i = 0; i < 8; ++i)
        body += "aspcolor-" + QByteArray::number(i) + "=0\n";
    for (int i = 0; i < 4; ++i)
        body += "color-" + QByteArray::number(i) + "=0\n";
    ini.write(body);
    ini.close();

    expectBatchEqualsSingleRuns({});
    const Outcome narrow = chart({sources_.back(), sources_.back(), "--json"});
    const Outcome narrowCodes = chart({sources_.front(), sources_.back(), "--codes"});
    QDir(folder).removeRecursively();

    const std::string regiomontanus = "\"houseSystem\":\"R\"";
    ASSERT_NE(narrow.out.find(regiomontanus), std::string::npos) << narrow.err;
    EXPECT_NE(narrow.out.find(regiomontanus, narrow.out.find(regiomontanus) + 1),
              std::string::npos);
    // Orbs of 2 leave the second chart fewer aspect codes than the defaults.
    EXPECT_LT(narrowCodes.out.size() - narrowCodes.out.rfind("ELOSZO0\n"), wide.out.size());
}

// A store that cannot be used is said once for the run, before the files'
// own messages, and every file is computed with the defaults.
TEST_F(ChartBatch, AnUnusableStoreIsSaidOnceAndEveryFileUsesTheDefaults) {
    const Args files{sources_[0], sources_[6], sources_[8], "--codes"};
    const Outcome clean = chart(files);
    const QString store = qEnvironmentVariable("XDG_CONFIG_HOME") + "/Velorin/Velorin.ini";
    ASSERT_TRUE(QDir().mkpath(store)); // a folder where the store's file belongs
    const Outcome broken = chart(files);
    QDir(store).removeRecursively();

    EXPECT_EQ(broken.status, 1);
    EXPECT_EQ(broken.out, clean.out);
    const std::string said = "velorin: a beállítások fájlja (" + store.toStdString() + ")";
    ASSERT_EQ(broken.err.rfind(said, 0), 0u) << broken.err;
    EXPECT_EQ(broken.err.find(said, 1), std::string::npos) << broken.err;
    EXPECT_EQ(broken.err.substr(broken.err.find('\n') + 1), clean.err);
}

} // namespace
