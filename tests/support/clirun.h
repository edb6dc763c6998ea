#pragma once
// One velorin subcommand run inside the test's process, with what it wrote to
// each stream and its exit status.

#include <QByteArray>
#include <QJsonDocument>
#include <sstream>
#include <string>

namespace velorin::test {

struct CommandRun {
    int status = -1;
    std::string out, err;
    QJsonDocument json() const { return QJsonDocument::fromJson(QByteArray::fromStdString(out)); }
};

template <typename Command, typename Arguments>
CommandRun runCommand(Command command, const Arguments& args) {
    std::ostringstream out, err;
    const int status = command(args, out, err);
    return {status, out.str(), err.str()};
}

} // namespace velorin::test
