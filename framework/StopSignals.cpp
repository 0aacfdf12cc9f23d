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
    sigaction(SIGINT, &action, &previousInterrupt_);
    sigaction(SIGTERM, &action, &previousTerminate_);
}

StopSignals::~StopSignals()
{
    sigaction(SIGINT, &previousInterrupt_, nullptr);
    sigaction(SIGTERM, &previousTerminate_, nullptr);
}

int StopSignals::Received() const
{
    return s_received;
}

} // namespace qw
