#pragma once

#include <QByteArray>
#include <QLoggingCategory>
#include <QString>

Q_DECLARE_LOGGING_CATEGORY(lcEngine)

// The one place where the command-line engine is started. Every run is synchronous: it
// returns only after the engine has ended, and handles no window events meanwhile.
class EngineRunner {
public:
    static constexpr const char *EngineFileName = "quirekit.dll";

    // The engine's path: beside the running executable.
    static QString EnginePath();

    // Runs a complete command line (program and arguments, split by CommandLine's rules)
    // with no standard input, both output streams merged and appended to `output` in order
    // of arrival, and traces the command line (category "quirewright.engine").
    // Returns the exit code; 0 when the engine cannot be started (nothing is appended);
    // -1 when no exit code can be read (the engine crashed or was killed).
    static int RunEngine(const QString &commandLine, QByteArray &output);

    // Runs the engine with `arguments` (already quoted where needed); its output goes to
    // `output` when one is given. 0 without starting anything when `arguments` is empty.
    static int RunEngineCommand(const QString &arguments, QByteArray *output = nullptr);

    // Handles every event already waiting, without waiting for new ones.
    static void PumpMessages();
};
