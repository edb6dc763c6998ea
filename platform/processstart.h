#pragma once
// Starting an outside program without waiting for it (the recorder's command
// scripts). Injectable, so that window tests can record what would run.

#include <QString>
#include <QStringList>

namespace velorin {

class ProcessStarter {
public:
    virtual ~ProcessStarter() = default;
    // Starts program with arguments in workingFolder, detached from this
    // process; false (with the reason in *error) when it could not be started.
    virtual bool startDetached(const QString& program, const QStringList& arguments,
                               const QString& workingFolder, QString* error) = 0;
};

// The process-wide starter; tests install a stand-in.
ProcessStarter& processStarter();
void setProcessStarter(ProcessStarter* s); // not owned; nullptr restores the default

} // namespace velorin
