#pragma once

#include <QSettings>
#include <QString>

#include <memory>

namespace qw {

// The per-user settings store: the settings of this application live under the company key
// set once at start-up, in a section named after the application (the executable's base name).
class SettingsStore {
public:
    static void SetRegistryKey(const QString &company);
    static std::unique_ptr<QSettings> Open();
};

} // namespace qw
