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
