#pragma once

#include "ProtocolWords.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QLoggingCategory>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QProcess;

namespace qw {

struct FileStamp;

Q_DECLARE_LOGGING_CATEGORY(lcEngine)

// The engine's exit codes; decisions are made on these, never on the words of its messages.
using EngineExit = quirekit::protocol::Exit;

// How one engine run ended.
struct EngineResult {
    enum class End {
        Exited, // the engine ran and ended with `exitCode`
        Crashed, // it was killed or crashed: no exit code
        NotStarted, // it never ran (missing, not executable, no interpreter or loader...)
        Stopped, // the caller asked it to stop, and it ended before finishing
    };
    End end = End::NotStarted;
    int exitCode = -1; // meaningful when the engine exited
    QString reason; // for Crashed, NotStarted and Stopped: what happened, in words
    qint64 processId = 0; // the engine's process id, once it started
    bool stopAsked = false; // the caller asked it to stop (it may have finished all the same)

    // Ran and reported success. Whether it wrote what it should is for the caller to check.
    bool Succeeded() const { return end == End::Exited && exitCode == 0; }
};

// The one place where the command-line engine is started, with a program and a list of
// arguments, each handed over as it is. A run returns only after the engine has ended; the
// window runs it on a thread of its own (BackgroundTask), so that its events go on meanwhile.
class EngineRunner {
public:
    static constexpr const char *EngineFileName = "quirekit.dll";

    // The engine's path: beside the running executable.
    static QString EnginePath();

    // Runs `program` with `arguments` and no standard input, both output streams merged and
    // appended to `output` in order of arrival, and traces the command line (category
    // "quirewright.engine"). The engine runs in `workingFolder` when one is given, else in the
    // program's current folder. An engine that cannot be started is a failure with its reason,
    // never a success.
    // `keepGoing`, when given, is asked whenever output arrives and at least every tenth of a
    // second; once it says false the engine is asked to end (it removes its unfinished file),
    // and is killed when it has not ended after a few seconds.
    // `environment` adds "NAME=value" entries to the program's own environment.
    static EngineResult RunEngine(const QString &program, const QStringList &arguments, QByteArray &output,
                                  const QString &workingFolder = QString(),
                                  const std::function<bool()> &keepGoing = {},
                                  const QStringList &environment = {});

    // Runs the engine with `arguments`; its output goes to `output` when one is given. Starts
    // nothing when there are no arguments (NotStarted).
    static EngineResult RunEngineCommand(const QStringList &arguments, QByteArray *output = nullptr,
                                         const QString &workingFolder = QString(),
                                         const std::function<bool()> &keepGoing = {},
                                         const QStringList &environment = {});

    // What the caller checked, told to the engine through variables of its own so that its
    // command line stays as it is. The engine reads the document only if it is still the file
    // `document` describes, and fails with EngineExit::DocumentChanged otherwise.
    static QString DocumentVariable(const FileStamp &document);
    // The output may replace nothing (`agreed` null or describing no file) or only the file
    // `agreed` describes; else the engine fails with EngineExit::OutputAppeared.
    static QString ReplaceVariable(const FileStamp *agreed);

    // At most `runs` engines at once from this process, whichever thread starts them; a run
    // waits for a free place, and gives up when its `keepGoing` says stop. 0: no limit. Set
    // before any engine runs.
    static void LimitConcurrentRuns(int runs);

private:
    // Sets `process` up as RunEngine describes and traces the run; the reason it cannot run
    // (no program, no such working folder) as a NotStarted result, else nothing.
    static std::optional<EngineResult> Prepare(QProcess &process, const QString &program,
                                               const QStringList &arguments, const QString &workingFolder,
                                               const QStringList &environment);
    // `process`, which failed to start `program`: why, decided from the error and the file.
    static EngineResult StartFailed(const QString &program, const QProcess &process);
    // How `process`, which ran, ended; `stopAsked` when the caller asked it to stop.
    static EngineResult Ended(const QProcess &process, qint64 processId, bool stopAsked);
    // How long an engine asked to stop may take to clean up before it is killed.
    static constexpr int StopGraceMs = 3000;
};

// Why the engine gave up, from its merged output: its own last message without its name (MuPDF's
// warnings come before it), else the last line; as plain text, for the user.
QString EngineReason(QByteArrayView output);

} // namespace qw
