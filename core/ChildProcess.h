#pragma once

class QProcess;
class QString;

namespace qw {

// What every process this program starts shares: it must not outlive the program.
class ChildProcess {
public:
    // Before `process` starts: the child is sent SIGTERM when the thread that starts it ends,
    // which for our engines is when the program ends, however it ends (SIGKILL too); it then
    // removes its unfinished file, so no part appears after the program has died. A child
    // whose parent died before it could ask for that ends at once. Start long-lived children
    // from a thread that lives as long as the program: the signal follows the starting thread.
    static void EndWithThisProgram(QProcess &process);

    // Whether the file `program` is there but what the system needs to run it is not: the
    // interpreter of its "#!" line (or, in turn, that one's) is missing or not executable, or
    // the program loader an ELF file names (PT_INTERP) is missing. Told by the file alone, as the
    // system's own message is in the user's language.
    static bool RunnerMissing(const QString &program);
};

} // namespace qw
