#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace quirekit {

// Outcome of one engine step: success, or a failure with a one-line message for the user
// and the cause the engine's exit code is chosen by.
struct Status {
    enum class Cause : std::uint8_t {
        Document, // the document could not be read, or anything not listed below
        Output, // the output could not be written where it was asked for
        Occupied, // a file is at the output's name that may not be replaced
        Changed, // the document is not, or no longer, the file the caller checked
    };

    bool ok = true;
    Cause cause = Cause::Document;
    std::string message;

    static Status success() { return {}; }
    static Status failure(std::string text, Cause cause = Cause::Document) { return {false, cause, std::move(text)}; }
};

} // namespace quirekit
