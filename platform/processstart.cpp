#include "processstart.h"

#include <QProcess>

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
            *error = p.errorString();
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
        QObject::connect(p, &QProcess::errorOccurred, context, [p, done](QProcess::ProcessError e) {
            if (e == QProcess::FailedToStart)
                done({false, -1, p->errorString()});
        });
        QObject::connect(p, &QProcess::finished, p, &QObject::deleteLater);
        QObject::connect(p, &QProcess::errorOccurred, p, [p](QProcess::ProcessError e) {
            if (e == QProcess::FailedToStart)
                p->deleteLater();
        });
        p->start();
    }
};

DetachedStarter g_detached;
ProcessStarter* g_starter = nullptr;

} // namespace

ProcessStarter& processStarter() {
    return g_starter ? *g_starter : g_detached;
}
void setProcessStarter(ProcessStarter* s) {
    g_starter = s;
}

} // namespace velorin
