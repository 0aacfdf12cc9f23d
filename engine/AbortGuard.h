#pragma once

#include <type_traits>

namespace quirekit {

// Runs code that may end the process with abort() (a library's failed assertion) so that
// only that code's work is lost: run() then returns false and the program goes on. The
// body is left where it stood, its destructors not run and what it had allocated lost, so
// it must hold no lock and leave nothing half-changed that is used afterwards. Anywhere
// outside run(), abort() ends the process as usual.
class AbortGuard {
public:
    template <typename Body> static bool run(Body &&body)
    {
        return runBody(&call<std::remove_reference_t<Body>>, &body);
    }

private:
    template <typename Body> static void call(void *body) { (*static_cast<Body *>(body))(); }
    static bool runBody(void (*body)(void *), void *data);
};

} // namespace quirekit
