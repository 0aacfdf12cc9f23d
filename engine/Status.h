#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace quirekit {

// Outcome of one engine step: success, or a failure with a one-line message for the user
// and the cause the engine's exit code is chosen by.
struct Status {
    enum class Cause : std::uint8_t {
        Other, // anything not listed below (a page range outside the document, say)
        Output, // the output could not be written where it was asked for
        Occupied, // a file is at the output's name that may not be replaced
        Changed, // the document is not, or no longer, the file the caller checked
        Unavailable, // the document is missing, not a regular file, or cannot be opened for reading
        NotPdf, // the document is not a PDF at all
        Password, // the document is protected by a password
        Damaged, // MuPDF cannot open or read the document, even repaired
        Memory, // memory ran out
        TimeUp, // a page took longer to draw than it may
        OverBudget, // a page needed more memory to draw than it may have
    };

    bool ok = true;
    Cause cause = Cause::Other;
    std::string message;

    static Status success() { return {}; }
    static Status failure(std::string text, Cause cause = Cause::Other) { return {false, cause, std::move(text)}; }
};

} // namespace quirekit
