#pragma once
// The rules of the consultation recording: the start, pause/resume and stop
// commands, the command scripts that drive the recorder beside the program,
// and the checks around them. The buttons that call these live in
// recordercontrol.h.

#include "platform/processstart.h"

#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <memory>

namespace velorin {

enum class RecorderState { Idle, Recording, Paused };

// Which of the buttons H1 (start), H2 (pause or resume) and H3 (stop) a
// state offers. Stop is not offered while paused.
struct RecorderButtons {
    bool start;
    bool pauseResume;
    bool stop;
};
RecorderButtons recorderButtons(RecorderState state);

// The recorder program, beside the program, and its two settings files, in
// the user's folder (the same folder for a build-folder run).
inline constexpr const char* kRecorderProgram = "harddisk";
inline constexpr const char* kRecorderPreset = "hangrec.hdp";
inline constexpr const char* kRecorderFilter = "hangrec.hfs";

// The program folder and the user's folder as the scripts name them: without
// a trailing separator.
QString recorderFolder();
QString recorderSettingsFolder();

// The MP3 file for the answer of the input box: the sound folder, the answer
// made safe for a file name, ".mp3". Not trimmed: the existence test takes the
// answer as typed.
QString recordingPath(const QString& soundFolder, const QString& answer);

// A path as a bare shell word: the recorder's command lines leave its own
// path unquoted, so characters the shell would act on are escaped one by one.
QString shellBareWord(const QString& path);
// A path inside double quotes, with the characters the shell still expands
// there ($ ` \ ") escaped, so a client's name can never run as a command.
QString shellDoubleQuoted(const QString& path);

struct RecorderScript {
    QString fileName; // in the user's folder
    QString text;     // its lines, each ending in LF
};
enum RecorderScriptIndex { StartScript, StopScript, PauseScript, ResumeScript };
// The four scripts for recording into mp3, in the order they are written.
std::array<RecorderScript, 4> recorderScripts(const QString& folder, const QString& settingsFolder,
                                              const QString& mp3);

// Why the recorder beside the program cannot be started; empty when it can.
QString recorderProblem(const QString& folder);

// The recorder's state file (where the recorder keeps it, for this user).
QString recorderStateFile();

// The recorder's answer to a command, as the user reads it: its own line
// without the program name, or the reason it could not run at all; empty
// when it succeeded.
QString recorderComplaint(const QString& folder, bool started, int exitCode, const QString& errors);

// What the recorder's state file says about the recording into mp3 once it
// has ended by itself (the device gone, the disk full, the name taken);
// empty while it records, or when the file is about another recording.
QString recordingEndedEarly(const QString& stateFileText, const QString& mp3);

// One recording session of the main window: the commands behind the three
// buttons. Questions and messages go through prompts(), scripts are run with
// processStarter(). The state turns at once; the recorder's answer comes
// later, and a failure it reports is told to the user and returns to idle
// (changed() is called then).
class Recording {
public:
    Recording();
    ~Recording();
    Recording(const Recording&) = delete;
    Recording& operator=(const Recording&) = delete;

    RecorderState state() const { return m_state; }
    // The MP3 of the last started recording.
    const QString& file() const { return m_file; }
    // Called when the state changes by the recorder's answer.
    void setChanged(std::function<void()> changed) { m_changed = std::move(changed); }

    // H1: asks for the file name (proposing proposedName), writes the scripts
    // and runs start.sh. Returns whether the recording started.
    bool start(const QString& proposedName);
    // H2: pauses a recording, resumes a paused one.
    bool pauseOrResume();
    // H3: stops the recording.
    bool stop();

    // How long after the recorder has answered a start its state is read
    // again: a recording that ends at once (the device gone) is told then.
    static constexpr int kStateCheckMs = 1500;

private:
    bool writeScripts(const QString& folder, const QString& settingsFolder, const QString& mp3);
    bool runScript(const QString& name, std::function<void(const ProcessAnswer&)> answered);
    void recorderFailed(const QString& text);
    void checkState(int session);

    RecorderState m_state = RecorderState::Idle;
    QString m_file;
    int m_session = 0; // which start an answer belongs to
    std::function<void()> m_changed;
    // The recorder's answers are delivered only while this lives.
    std::unique_ptr<QObject> m_context;
};

} // namespace velorin
