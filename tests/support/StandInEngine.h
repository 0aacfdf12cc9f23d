#pragma once

#include "split/EngineRunner.h"

#include <QFile>

// Puts a shell script under the engine's name beside the running test program, in place of
// the real engine. Test programs that do this run from a folder of their own.
inline bool InstallStandInEngine(const QByteArray &script)
{
    QFile engine(qw::EngineRunner::EnginePath());
    if (!engine.open(QIODevice::WriteOnly | QIODevice::Truncate) || engine.write(script) != script.size())
        return false;
    engine.close();
    return engine.setPermissions(engine.permissions() | QFile::ExeOwner);
}
