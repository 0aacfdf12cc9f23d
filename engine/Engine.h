#pragma once

#include "RequestParser.h"
#include "Status.h"

#include <iosfwd>

namespace quirekit {

// Carries out one request and tells the outcome as a process exit code:
// 0 done, 1 the document or a file could not be processed, 2 the command line is wrong.
class Engine {
public:
    static constexpr int kSuccess = 0;
    static constexpr int kFailure = 1;
    static constexpr int kUsage = 2;

    static int run(const std::vector<std::string> &args, std::ostream &out, std::ostream &err);

private:
    static int dumpData(const Request &request, std::ostream &err);
    static int cat(const Request &request, std::ostream &err);
    static int fail(std::ostream &err, const std::string &message);
    // Where the output (noun: "output" or "report") is written: its own path, or the file a
    // symbolic link leads to. Refuses anything that is not, or would not become, a regular
    // file the user may replace.
    static Status outputPath(const std::string &noun, const Request &request, std::string &path);
};

} // namespace quirekit
