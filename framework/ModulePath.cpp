#include "ModulePath.h"

#include <QCoreApplication>
#include <QDir>

QString MakeModulePath(const QString &fileName)
{
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + QLatin1Char('/')) + fileName;
}
