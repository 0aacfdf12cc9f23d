#pragma once

extern "C" {
#include <mupdf/fitz.h>
}

#include <cstdio>
#include <exception>
#include <new>

namespace quirekit {

// Runs the body of an fz_try that reaches the engine's own C++ code, which may throw when it
// grows a container or makes a string. A C++ exception must not leave an fz_try (MuPDF's
// error stack would stay pushed, and its setjmp is no place to unwind through), so it is
// caught here and thrown on as MuPDF's error: std::bad_alloc as FZ_ERROR_MEMORY. MuPDF's own
// errors pass through unchanged; the body, like any fz_try body, holds no C++ object with a
// destructor, as MuPDF's longjmp would skip it.
template <typename Body> void guardCpp(fz_context *ctx, Body &&body)
{
    int code = FZ_ERROR_NONE;
    char reason[256] = "";
    try {
        body();
    } catch (const std::bad_alloc &) {
        code = FZ_ERROR_MEMORY;
    } catch (const std::exception &error) {
        code = FZ_ERROR_GENERIC;
        std::snprintf(reason, sizeof reason, "%s", error.what());
    }
    // Thrown once the handler is left: jumping out of it would never end the C++ exception.
    if (code == FZ_ERROR_MEMORY)
        fz_throw(ctx, FZ_ERROR_MEMORY, "out of memory");
    if (code != FZ_ERROR_NONE)
        fz_throw(ctx, code, "%s", reason);
}

} // namespace quirekit
