#pragma once
// Starting an outside program (the recorder's command scripts), either
// detached or watched: a watched program's answer (exit status and error
// output) comes back through the event loop, so a window never waits on it.
// Injectable, so that window tests can record what would run.

#include <QProcess>
#include <QString>
#include <QStringList>
#include <functional>

class QObject;

namespace velorin {

struct ProcessAnswer {
    bool started = false; // false: it could not be run at all (errors says why)
    int exitCode = -1;    // -1 when it crashed or was killed
    QString errors;       // its standard error
};

class ProcessStarter {
public:
    virtual ~ProcessStarter() = default;
    // Starts program with arguments in workingFolder, detached from this
    // process; false (with the reason in *error) when it could not be started.
    virtual bool startDetached(const QString& program, const QStringList& arguments,
                               const QString& workingFolder, QString* error) = 0;
    // Starts program and calls done with its answer once it has ended, unless
    // context is gone by then. Closing this program does not end it.
    virtual void startWatched(const QString& program, const QStringList& arguments,
                              const QString& workingFolder, QObject* context,
                              std::function<void(const ProcessAnswer&)> done) = 0;
};

// Why program could not be run, in Hungarian for the user (Qt's own text is
// English): worked out from the error and from what is on disk.
QString processFailureReason(QProcess::ProcessError error, const QString& program,
                             const QString& workingFolder);

// The process-wide starter; tests install a stand-in.
ProcessStarter& processStarter();
void setProcessStarter(ProcessStarter* s); // not owned; nullptr restores the default

} // namespace velorin
