#include "processstart.h"

#include "injected.h"
#include "oserror.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>
#include <unistd.h>

namespace velorin {
namespace {

class DetachedStarter : public ProcessStarter {
public:
    bool startDetached(const QString& program, const QStringList& arguments,
                       const QString& workingFolder, QString* error) override {
        QProcess p;
        p.setProgram(program);
        p.setArguments(arguments);
        p.setWorkingDirectory(workingFolder);
        // Nothing is read back: the child must not hold our terminal's output.
        p.setStandardInputFile(QProcess::nullDevice());
        p.setStandardOutputFile(QProcess::nullDevice());
        p.setStandardErrorFile(QProcess::nullDevice());
        if (p.startDetached())
            return true;
        if (error)
            *error = processFailureReason(QProcess::FailedToStart, program, workingFolder);
        return false;
    }

    void startWatched(const QString& program, const QStringList& arguments,
                      const QString& workingFolder, QObject* context,
                      std::function<void(const ProcessAnswer&)> done) override {
        // Without a parent: the window may close while the program runs, and
        // a QProcess that is destroyed would kill it.
        auto* p = new QProcess;
        p->setProgram(program);
        p->setArguments(arguments);
        p->setWorkingDirectory(workingFolder);
        p->setStandardInputFile(QProcess::nullDevice());
        p->setStandardOutputFile(QProcess::nullDevice());
        QObject::connect(p, &QProcess::finished, context,
                         [p, done](int code, QProcess::ExitStatus status) {
                             done({true, status == QProcess::NormalExit ? code : -1,
                                   QString::fromLocal8Bit(p->readAllStandardError())});
                         });
        QObject::connect(p, &QProcess::errorOccurred, context,
                         [program, workingFolder, done](QProcess::ProcessError e) {
                             if (e == QProcess::FailedToStart)
                                 done({false, -1, processFailureReason(e, program, workingFolder)});
                         });
        QObject::connect(p, &QProcess::finished, p, &QObject::deleteLater);
        QObject::connect(p, &QProcess::errorOccurred, p, [p](QProcess::ProcessError e) {
            if (e == QProcess::FailedToStart)
                p->deleteLater();
        });
        p->start();
    }
};

Injected<ProcessStarter, DetachedStarter> g_starter;

} // namespace

QString processFailureReason(QProcess::ProcessError error, const QString& program,
                             const QString& workingFolder) {
    switch (error) {
    case QProcess::FailedToStart: {
        const QByteArray folder = QFile::encodeName(workingFolder);
        if (!workingFolder.isEmpty() && ::access(folder.constData(), X_OK) != 0)
            return QStringLiteral("a munkamappa nem használható: %1 (%2)")
                .arg(workingFolder, osErrorText(errno));
        if (!workingFolder.isEmpty() && !QFileInfo(workingFolder).isDir())
            return QStringLiteral("a munkamappa nem használható: %1 (%2)")
                .arg(workingFolder, osErrorText(ENOTDIR));
        const QString found =
            program.contains('/') ? program : QStandardPaths::findExecutable(program);
        if (found.isEmpty())
            return QStringLiteral("a program nem található: %1").arg(program);
        if (QFileInfo(found).isDir())
            return QStringLiteral("a program nem futtatható: %1 (%2)")
                .arg(program, osErrorText(EISDIR));
        if (::access(QFile::encodeName(found).constData(), X_OK) != 0) {
            if (errno == ENOENT)
                return QStringLiteral("a program nem található: %1").arg(program);
            return QStringLiteral("a program nem futtatható: %1 (%2)")
                .arg(program, osErrorText(errno));
        }
        return QStringLiteral("a program nem indult el: %1").arg(program);
    }
    case QProcess::Crashed:
        return QStringLiteral("a program összeomlott: %1").arg(program);
    case QProcess::Timedout:
        return QStringLiteral("a program nem válaszolt időben: %1").arg(program);
    case QProcess::WriteError:
        return QStringLiteral("a program nem fogadta az adatokat: %1").arg(program);
    case QProcess::ReadError:
        return QStringLiteral("a program válasza nem olvasható: %1").arg(program);
    case QProcess::UnknownError:
        break;
    }
    return QStringLiteral("a program ismeretlen hibával állt le: %1").arg(program);
}

ProcessStarter& processStarter() {
    return g_starter.get();
}
void setProcessStarter(ProcessStarter* s) {
    g_starter.set(s);
}

} // namespace velorin
