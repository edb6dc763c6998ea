// Starting outside programs: what the user is told when one cannot run.

#include "platform/processstart.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <optional>

using namespace velorin;

namespace {

// Qt's own texts are English; none of these words may reach a user.
bool looksEnglish(const QString& text) {
    for (const char* word : {"No such", "failed", "Permission", "execve", "chdir", "Unknown"})
        if (text.contains(QLatin1String(word), Qt::CaseInsensitive))
            return true;
    return false;
}

class ProcessFailure : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QFile plain(dir.filePath("plain.sh"));
        ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
        plain.write("#!/bin/sh\n");
        plain.close();
        plain.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    }
    QString at(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir;
};

TEST_F(ProcessFailure, ReasonNamesWhatIsWrongOnDisk) {
    const struct {
        const char* what;
        QProcess::ProcessError error;
        QString program;
        QString folder;
        const char* says;
        QString names; // the file or folder the user is pointed at
    } rows[] = {
        {"missing folder", QProcess::FailedToStart, "/bin/sh", at("nincs"),
         "munkamappa nem használható", at("nincs")},
        {"missing path", QProcess::FailedToStart, at("nincs.sh"), dir.path(), "nem található",
         at("nincs.sh")},
        {"missing on PATH",
         QProcess::FailedToStart,
         "velorin-nincs-ilyen",
         {},
         "nem található",
         "velorin-nincs-ilyen"},
        {"not executable",
         QProcess::FailedToStart,
         at("plain.sh"),
         {},
         "nincs hozzá jogosultság",
         at("plain.sh")},
        {"a folder", QProcess::FailedToStart, at("folder"), {}, "ez egy mappa", at("folder")},
        {"runnable after all", QProcess::FailedToStart, "/bin/sh", {}, "nem indult el", "/bin/sh"},
        {"crashed", QProcess::Crashed, "/bin/sh", {}, "összeomlott", "/bin/sh"},
        {"unknown", QProcess::UnknownError, "/bin/sh", {}, "ismeretlen hibával", "/bin/sh"},
    };
    for (const auto& row : rows) {
        const QString reason = processFailureReason(row.error, row.program, row.folder);
        EXPECT_TRUE(reason.contains(QString::fromUtf8(row.says)))
            << row.what << ": " << reason.toStdString();
        EXPECT_TRUE(reason.contains(row.names)) << row.what;
        EXPECT_FALSE(looksEnglish(reason)) << row.what;
    }
}

TEST_F(ProcessFailure, StartersReportInHungarian) {
    QString detachedError;
    EXPECT_FALSE(processStarter().startDetached(at("nincs.sh"), {}, dir.path(), &detachedError));
    EXPECT_TRUE(detachedError.contains(QStringLiteral("nem található")))
        << detachedError.toStdString();

    QObject context;
    std::optional<ProcessAnswer> answer;
    processStarter().startWatched(at("plain.sh"), {}, dir.path(), &context,
                                  [&](const ProcessAnswer& a) { answer = a; });
    const QDeadlineTimer deadline(10000);
    while (!answer && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    ASSERT_TRUE(answer);
    EXPECT_FALSE(answer->started);
    EXPECT_TRUE(answer->errors.contains(QStringLiteral("nincs hozzá jogosultság")))
        << answer->errors.toStdString();
    EXPECT_FALSE(looksEnglish(answer->errors));
}

} // namespace
