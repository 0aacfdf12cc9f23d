#include "SettingsStore.h"

#include <QCoreApplication>

namespace qw {

void SettingsStore::SetRegistryKey(const QString &company)
{
    QCoreApplication::setOrganizationName(company);
}

std::unique_ptr<QSettings> SettingsStore::Open()
{
    return std::make_unique<QSettings>(QCoreApplication::organizationName(), QCoreApplication::applicationName());
}

} // namespace qw
