// The class-wide part of GlyphMenu: the look, the platform code and the theme answer.
#include "GlyphMenu.h"

#include <QOperatingSystemVersion>
#include <QSettings>

namespace qw {

namespace {
constexpr const char *kClassicTheme = "Windows Classic.theme";
bool themeAsked = false;
bool themeIsClassic = false;
} // namespace

QList<GlyphMenu::Handle> GlyphMenu::AllPopups;

MenuLook &GlyphMenu::StoredLook()
{
    // Made at first use, so the theme is asked once a program is running, never again.
    static MenuLook look = [] {
        MenuLook detected;
        detected.platformCode = DetectPlatform();
        detected.classicTheme = IsClassicThemeActive();
        return detected;
    }();
    return look;
}

const MenuLook &GlyphMenu::Look()
{
    return StoredLook();
}

void GlyphMenu::SetLook(const MenuLook &look)
{
    StoredLook() = look;
}

int GlyphMenu::PlatformCodeFor(bool nineXFamily, bool win32s, int major, int minor)
{
    if (win32s)
        return 0;
    if (nineXFamily) {
        if (major == 4 && minor == 10)
            return 3;
        if (major == 4 && minor == 90)
            return 4;
        return 2;
    }
    if (major == 4 && minor == 0)
        return 5;
    if (major == 5 && minor == 0)
        return 6;
    if (major == 5 && minor == 1)
        return 7;
    return 1;
}

int GlyphMenu::DetectPlatform()
{
    // Qt reports the Windows version on Windows; every other system is a platform of the NT
    // kind that is none of the named versions.
    const QOperatingSystemVersion os = QOperatingSystemVersion::current();
    if (os.type() != QOperatingSystemVersion::Windows)
        return PlatformCodeFor(false, false, -1, -1);
    return PlatformCodeFor(false, false, os.majorVersion(), os.minorVersion());
}

bool GlyphMenu::IsClassicThemeValue(const std::optional<QString> &value)
{
    const QString suffix = QString::fromLatin1(kClassicTheme);
    return value && value->size() >= suffix.size() && value->endsWith(suffix, Qt::CaseInsensitive);
}

bool GlyphMenu::IsClassicThemeActive()
{
    if (themeAsked)
        return themeIsClassic;
    themeAsked = true;
    std::optional<QString> value;
#ifdef Q_OS_WIN
    const QSettings key(QStringLiteral("HKEY_CURRENT_USER\\Software\\Microsoft\\Plus!\\Themes\\Current"),
                        QSettings::NativeFormat);
    if (key.contains(QStringLiteral("Default")))
        value = key.value(QStringLiteral("Default")).toString().left(259);
#endif
    themeIsClassic = IsClassicThemeValue(value);
    return themeIsClassic;
}

void GlyphMenu::ResetThemeCache()
{
    themeAsked = false;
    themeIsClassic = false;
}

} // namespace qw
