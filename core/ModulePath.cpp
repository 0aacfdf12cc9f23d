#include "ModulePath.h"

#include <QCoreApplication>
#include <QDir>

namespace qw {

QString MakeModulePath(const QString &fileName)
{
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + QLatin1Char('/')) + fileName;
}

} // namespace qw
