#pragma once

#include <QString>

namespace qw {

enum class MoveResult { Moved, TargetExists, Failed };

// Moves a file to `target` without ever replacing a file there, also across file systems
// (then by a copy that is complete before it takes the target's name, and the source is
// removed only after that). On failure nothing is left at the target and the source stays.
MoveResult MoveFileNoReplace(const QString &source, const QString &target);

} // namespace qw
