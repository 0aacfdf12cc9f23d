#pragma once

#include <QtGlobal>

#include <csignal>

namespace qw {

// Catches SIGINT (Ctrl+C), SIGTERM and SIGHUP (the terminal closed) for as long as it lives, so that a run without a window
// can stop its engine, let it remove its unfinished file and say what it did, rather than die
// between two steps. The handlers that were there before come back when it ends.
class StopSignals {
public:
    StopSignals();
    ~StopSignals();
    Q_DISABLE_COPY_MOVE(StopSignals)

    // The first signal that arrived, or 0.
    int Received() const;
    // The exit code of a program stopped by `signal`, as a shell reports it: 128 + its number.
    static int ExitCodeFor(int signal) { return 128 + signal; }

private:
    struct sigaction previousInterrupt_ { };
    struct sigaction previousTerminate_ { };
    struct sigaction previousHangUp_ { };
};

} // namespace qw
