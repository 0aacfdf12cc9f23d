#pragma once

#include <QString>

namespace qw {

// The folder of the running executable, with its trailing separator, followed by `fileName`.
// Used for the engine and for the options file, which both live beside the executable.
QString MakeModulePath(const QString &fileName);

} // namespace qw
