#include "StopSignals.h"

namespace qw {

namespace {

// A handler may only touch lock-free storage of this kind.
volatile std::sig_atomic_t s_received = 0;

extern "C" void rememberSignal(int signal)
{
    if (s_received == 0)
        s_received = signal;
}

} // namespace

StopSignals::StopSignals()
{
    s_received = 0;
    struct sigaction action { };
    action.sa_handler = rememberSignal;
    sigemptyset(&action.sa_mask);
    // Waits that a signal interrupts are resumed; the flag is looked at between them.
    action.sa_flags = SA_RESTART;
    // A signal the program was started to ignore (nohup, a background job) stays ignored.
    const auto catchUnlessIgnored = [&action](int signal, struct sigaction &previous) {
        sigaction(signal, nullptr, &previous);
        if (previous.sa_handler != SIG_IGN)
            sigaction(signal, &action, nullptr);
    };
    catchUnlessIgnored(SIGINT, previousInterrupt_);
    catchUnlessIgnored(SIGTERM, previousTerminate_);
    catchUnlessIgnored(SIGHUP, previousHangUp_);
}

StopSignals::~StopSignals()
{
    sigaction(SIGINT, &previousInterrupt_, nullptr);
    sigaction(SIGTERM, &previousTerminate_, nullptr);
    sigaction(SIGHUP, &previousHangUp_, nullptr);
}

int StopSignals::Received() const
{
    return s_received;
}

} // namespace qw
