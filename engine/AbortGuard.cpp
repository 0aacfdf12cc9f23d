#include "AbortGuard.h"

#include <csetjmp>
#include <csignal>
#include <mutex>

namespace quirekit {

namespace {

// abort() raises SIGABRT in the thread that called it, so each thread keeps its own way
// back.
thread_local sigjmp_buf t_back;
thread_local volatile std::sig_atomic_t t_armed = 0;

extern "C" void onAbort(int)
{
    if (t_armed) {
        t_armed = 0;
        siglongjmp(t_back, 1);
    }
    // Not within run(): returning lets abort() go on to end the process as it always does.
}

} // namespace

bool AbortGuard::runBody(void (*body)(void *), void *data)
{
    static std::once_flag once;
    std::call_once(once, [] {
        struct sigaction action {};
        action.sa_handler = onAbort;
        sigemptyset(&action.sa_mask);
        ::sigaction(SIGABRT, &action, nullptr);
    });
    if (sigsetjmp(t_back, 1) != 0)
        return false;
    t_armed = 1;
    body(data);
    t_armed = 0;
    return true;
}

} // namespace quirekit
