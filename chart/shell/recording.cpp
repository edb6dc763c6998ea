#include "recording.h"

#include "platform/folders.h"
#include "platform/processstart.h"
#include "platform/textfile.h"
#include "platform/uiprompts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace velorin {
namespace {

const QString kTitle = QStringLiteral("Hangvétel");

struct StateRow {
    RecorderState state;
    RecorderButtons buttons;
};
constexpr StateRow kStateRows[] = {
    {RecorderState::Idle, {true, false, false}},
    {RecorderState::Recording, {false, true, true}},
    {RecorderState::Paused, {false, true, false}},
};

// What the shell treats specially outside quotes.
const QString kShellSpecial = QStringLiteral(" \t|&;<>()$`\\\"'*?[]#~=%!{},^");

} // namespace

RecorderButtons recorderButtons(RecorderState state) {
    for (const StateRow& row : kStateRows)
        if (row.state == state)
            return row.buttons;
    return kStateRows[0].buttons;
}

namespace {

QString withoutSeparator(QString folder) {
    while (folder.size() > 1 && folder.endsWith('/'))
        folder.chop(1);
    return folder;
}

} // namespace

QString recorderFolder() {
    return withoutSeparator(programFolder());
}

QString recorderSettingsFolder() {
    return withoutSeparator(userFolder());
}

QString recordingPath(const QString& soundFolder, const QString& answer) {
    return soundFolder + safeFileName(answer) + QStringLiteral(".mp3");
}

QString shellBareWord(const QString& path) {
    QString out;
    for (const QChar c : path) {
        if (c == '\n')
            out += QStringLiteral("'\n'"); // a backslash would join the lines
        else if (kShellSpecial.contains(c))
            out += '\\' + QString(c);
        else
            out += c;
    }
    return out;
}

QString shellDoubleQuoted(const QString& path) {
    QString out = QStringLiteral("\"");
    for (const QChar c : path) {
        if (c == '$' || c == '`' || c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    return out + '"';
}

std::array<RecorderScript, 4> recorderScripts(const QString& folder, const QString& settingsFolder,
                                              const QString& mp3) {
    const QString recorder = shellBareWord(folder + '/' + kRecorderProgram);
    const auto line = [&](const QString& args) { return recorder + ' ' + args + '\n'; };
    return {{
        {QStringLiteral("start.sh"),
         line(QStringLiteral("-output %1 -preset %2 -filter %3 -record -minimize")
                  .arg(shellDoubleQuoted(mp3),
                       shellDoubleQuoted(settingsFolder + '/' + kRecorderPreset),
                       shellDoubleQuoted(settingsFolder + '/' + kRecorderFilter)))},
        {QStringLiteral("stop.sh"), line(QStringLiteral("-stop")) + line(QStringLiteral("-quit"))},
        {QStringLiteral("pause.sh"), line(QStringLiteral("-pause"))},
        {QStringLiteral("resume.sh"), line(QStringLiteral("-resume"))},
    }};
}

QString recorderProblem(const QString& folder) {
    const QFileInfo recorder(folder + '/' + kRecorderProgram);
    if (!recorder.exists())
        return QStringLiteral("A hangrögzítő program nem található: %1")
            .arg(QDir::toNativeSeparators(recorder.filePath()));
    if (!recorder.isFile() || !recorder.isExecutable())
        return QStringLiteral("A hangrögzítő program nem indítható: %1")
            .arg(QDir::toNativeSeparators(recorder.filePath()));
    return {};
}

bool Recording::start(const QString& proposedName) {
    if (m_state != RecorderState::Idle)
        return false;
    const QString folder = recorderFolder();
    if (const QString problem = recorderProblem(folder); !problem.isEmpty()) {
        prompts().message(problem + QStringLiteral("\nA hangfelvétel nem indult el."), kTitle,
                          MessageIcon::Critical);
        return false;
    }

    QString answer;
    QString mp3;
    for (;;) {
        answer = proposedName;
        if (!prompts().input(QStringLiteral("A hangfelvétel mp3 file neve:"), kTitle, answer))
            answer.clear();
        mp3 = recordingPath(soundFolder(), answer);
        if (!QFileInfo::exists(mp3))
            break;
        if (prompts().question(QStringLiteral("Ezzel a névvel már létezik hangfelvétel. "
                                              "Kérem válasszon másikat!"),
                               kTitle) != Answer::Yes)
            return false;
    }
    if (trimBlanks(answer).isEmpty())
        return false;

    // The sound folder is made at start-up; it may have gone since.
    QDir().mkpath(soundFolder());
    if (!writeScripts(folder, recorderSettingsFolder(), mp3) ||
        !runScript(QStringLiteral("start.sh")))
        return false;
    m_file = mp3;
    m_state = RecorderState::Recording;
    return true;
}

bool Recording::pauseOrResume() {
    if (m_state == RecorderState::Idle)
        return false;
    const bool recording = m_state == RecorderState::Recording;
    if (!runScript(recording ? QStringLiteral("pause.sh") : QStringLiteral("resume.sh")))
        return false;
    m_state = recording ? RecorderState::Paused : RecorderState::Recording;
    return true;
}

bool Recording::stop() {
    if (m_state == RecorderState::Idle)
        return false;
    if (!runScript(QStringLiteral("stop.sh")))
        return false;
    m_state = RecorderState::Idle;
    return true;
}

bool Recording::writeScripts(const QString& folder, const QString& settingsFolder,
                             const QString& mp3) {
    // The user's folder may not exist yet on an installed suite's first recording.
    QDir().mkpath(settingsFolder);
    for (const RecorderScript& script : recorderScripts(folder, settingsFolder, mp3)) {
        const QString path = settingsFolder + '/' + script.fileName;
        QString error;
        if (!writeFileAtomically(path, script.text.toUtf8(), &error)) {
            prompts().message(QStringLiteral("A hangfelvétel parancsfájlja nem írható: %1 (%2)\n"
                                             "A hangfelvétel nem indult el.")
                                  .arg(QDir::toNativeSeparators(path), error),
                              kTitle, MessageIcon::Critical);
            return false;
        }
        // Runnable by hand as well, as the batch files were.
        QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner | QFile::ExeGroup |
                                        QFile::ExeOther);
    }
    return true;
}

bool Recording::runScript(const QString& name) {
    const QString folder = recorderSettingsFolder();
    const QString path = folder + '/' + name;
    QString error;
    if (!QFileInfo(path).isFile())
        error = QStringLiteral("a fájl nem található");
    else if (processStarter().startDetached(QStringLiteral("/bin/sh"), {path}, folder, &error))
        return true;
    if (error.isEmpty())
        error = QStringLiteral("ismeretlen hiba");
    prompts().message(QStringLiteral("A hangfelvétel parancsfájlja nem indítható: %1 (%2)\n"
                                     "A felvétel állapota nem változott.")
                          .arg(QDir::toNativeSeparators(path), error),
                      kTitle, MessageIcon::Critical);
    return false;
}

} // namespace velorin
