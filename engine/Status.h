#pragma once

#include <string>
#include <utility>

namespace quirekit {

// Outcome of one engine step: success, or a failure with a one-line message for the user.
struct Status {
    bool ok = true;
    std::string message;

    static Status success() { return {}; }
    static Status failure(std::string text) { return {false, std::move(text)}; }
};

} // namespace quirekit
