#pragma once

#include "BatchRequest.h"

#include <QCoreApplication>

namespace qw {

// The documents of one batch run, each split with the same options and its own checks: a
// document that is refused or fails does not stop the others. Up to `jobs` engines run at
// once, over the documents and over the parts of each. With several documents each line is
// tagged with its document, and the last line sums the run up.
class BatchRun {
    Q_DECLARE_TR_FUNCTIONS(qw::BatchRun)
public:
    explicit BatchRun(const BatchRequest &request) : request_(request) { }

    // The exit code: 0 when every document was split (or, in a dry run, would be), 1 when one
    // was not, 128 + the signal when Ctrl+C or SIGTERM stopped the run; a single document
    // exits as it would alone.
    int Exec() const;

private:
    const BatchRequest &request_;
};

} // namespace qw
