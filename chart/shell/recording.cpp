#include "recording.h"

#include "platform/folders.h"
#include "platform/processstart.h"
#include "platform/textfile.h"
#include "platform/uiprompts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <algorithm>
#include <unistd.h>

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
    const auto row = std::ranges::find(kStateRows, state, &StateRow::state);
    return row != std::end(kStateRows) ? row->buttons : kStateRows[0].buttons;
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

QString recorderStateFile() {
    // The recorder's own rule for its runtime folder.
    if (const QString d = qEnvironmentVariable("HARDDISK_RUNTIME_DIR"); !d.isEmpty())
        return d + QStringLiteral("/state");
    if (const QString d = qEnvironmentVariable("XDG_RUNTIME_DIR"); !d.isEmpty())
        return d + QStringLiteral("/velorin-harddisk/state");
    return QStringLiteral("/tmp/velorin-harddisk-%1/state").arg(::getuid());
}

QString recorderComplaint(const QString& folder, bool started, int exitCode,
                          const QString& errors) {
    if (started && exitCode == 0)
        return {};
    // Gone since the check before the start: said as that check says it.
    if (const QString problem = recorderProblem(folder); !problem.isEmpty())
        return problem + '.';
    const QString prefix = QStringLiteral("harddisk: ");
    QString line;
    for (const QString& l : errors.split('\n', Qt::SkipEmptyParts))
        if (l.startsWith(prefix))
            line = l.mid(prefix.size()).trimmed();
    if (!line.isEmpty())
        return line.left(1).toUpper() + line.mid(1);
    const QString said = errors.simplified().left(300);
    if (!started)
        return QStringLiteral("A hangrögzítő nem indítható (%1).").arg(said);
    return QStringLiteral("A hangrögzítő hibával állt le (kilépési kód: %1)%2")
        .arg(exitCode)
        .arg(said.isEmpty() ? QStringLiteral(".") : QStringLiteral(": ") + said);
}

QString recordingEndedEarly(const QString& stateFileText, const QString& mp3) {
    QString status, output, message;
    for (const QString& line : stateFileText.split('\n')) {
        const qsizetype eq = line.indexOf('=');
        const QString key = line.left(eq), value = line.mid(eq + 1);
        if (eq < 0)
            continue;
        if (key == QLatin1String("status"))
            status = value;
        else if (key == QLatin1String("output"))
            output = value;
        else if (key == QLatin1String("message"))
            message = value;
    }
    if (status != QLatin1String("interrupted") || QDir::cleanPath(output) != QDir::cleanPath(mp3))
        return {};
    return message.isEmpty() ? QStringLiteral("A hangfelvétel idő előtt leállt.") : message;
}

Recording::Recording() : m_context(std::make_unique<QObject>()) {}
Recording::~Recording() = default;

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
                               kTitle, MessageIcon::Critical) != Answer::Yes)
            return false;
    }
    if (trimBlanks(answer).isEmpty())
        return false;

    // The sound folder is made at start-up; it may have gone since.
    QDir().mkpath(soundFolder());
    const int session = ++m_session;
    if (!writeScripts(folder, recorderSettingsFolder(), mp3) ||
        !runScript(QStringLiteral("start.sh"), [this, session, folder](const ProcessAnswer& a) {
            if (session != m_session || m_state == RecorderState::Idle)
                return;
            const QString complaint = recorderComplaint(folder, a.started, a.exitCode, a.errors);
            if (!complaint.isEmpty())
                recorderFailed(complaint);
            else
                QTimer::singleShot(kStateCheckMs, m_context.get(),
                                   [this, session] { checkState(session); });
        }))
        return false;
    m_file = mp3;
    m_state = RecorderState::Recording;
    return true;
}

bool Recording::pauseOrResume() {
    if (m_state == RecorderState::Idle)
        return false;
    const bool recording = m_state == RecorderState::Recording;
    const QString folder = recorderFolder();
    const int session = m_session;
    if (!runScript(recording ? QStringLiteral("pause.sh") : QStringLiteral("resume.sh"),
                   [this, session, folder](const ProcessAnswer& a) {
                       if (session != m_session || m_state == RecorderState::Idle)
                           return;
                       const QString complaint =
                           recorderComplaint(folder, a.started, a.exitCode, a.errors);
                       if (!complaint.isEmpty())
                           recorderFailed(complaint);
                   }))
        return false;
    m_state = recording ? RecorderState::Paused : RecorderState::Recording;
    return true;
}

bool Recording::stop() {
    if (m_state == RecorderState::Idle)
        return false;
    const QString folder = recorderFolder();
    const int session = ++m_session; // a late answer to the start is no longer news
    if (!runScript(QStringLiteral("stop.sh"), [this, session, folder](const ProcessAnswer& a) {
            const QString complaint = recorderComplaint(folder, a.started, a.exitCode, a.errors);
            if (complaint.isEmpty())
                return;
            // Where the sound lies is news even when a new recording runs.
            if (session == m_session)
                recorderFailed(complaint);
            else
                prompts().message(complaint, kTitle, MessageIcon::Critical);
        }))
        return false;
    m_state = RecorderState::Idle;
    return true;
}

// The recorder has refused or the recording has ended: the user learns it,
// and the buttons offer a new start.
void Recording::recorderFailed(const QString& text) {
    m_state = RecorderState::Idle;
    ++m_session;
    if (m_changed)
        m_changed();
    prompts().message(text, kTitle, MessageIcon::Critical);
}

void Recording::checkState(int session) {
    if (session != m_session || m_state == RecorderState::Idle)
        return;
    QFile file(recorderStateFile());
    if (file.size() > (1 << 16) || !file.open(QIODevice::ReadOnly))
        return;
    const QString ended = recordingEndedEarly(QString::fromUtf8(file.readAll()), m_file);
    if (!ended.isEmpty())
        recorderFailed(ended);
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

bool Recording::runScript(const QString& name, std::function<void(const ProcessAnswer&)> answered) {
    const QString folder = recorderSettingsFolder();
    const QString path = folder + '/' + name;
    if (!QFileInfo(path).isFile()) {
        prompts().message(QStringLiteral("A hangfelvétel parancsfájlja nem található: %1\n"
                                         "A felvétel állapota nem változott.")
                              .arg(QDir::toNativeSeparators(path)),
                          kTitle, MessageIcon::Critical);
        return false;
    }
    // -e: a failed line ends the script with its status, which is the answer.
    processStarter().startWatched(QStringLiteral("/bin/sh"), {QStringLiteral("-e"), path}, folder,
                                  m_context.get(), std::move(answered));
    return true;
}

} // namespace velorin
