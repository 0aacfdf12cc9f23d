#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace qw {

namespace {

// A translator loaded from `folder`/`name`_<language>.qm and installed, or nullptr.
std::unique_ptr<QTranslator> install(const QLocale &locale, const QString &name, const QString &folder)
{
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(locale, name, QStringLiteral("_"), folder) || !QCoreApplication::installTranslator(translator.get()))
        return nullptr;
    return translator;
}

} // namespace

Translations::Translations(const QLocale &locale)
{
    // English is the language the texts are written in: a translation could only change them.
    if (locale.language() == QLocale::C || locale.language() == QLocale::English)
        return;
    program_ = install(locale, QStringLiteral("quirewright"), ProgramFolder());
    qt_ = install(locale, QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

Translations::~Translations()
{
    // Removed in the reverse order of installing; a translator must not outlive its removal.
    if (qt_)
        QCoreApplication::removeTranslator(qt_.get());
    if (program_)
        QCoreApplication::removeTranslator(program_.get());
}

QString Translations::ProgramFolder()
{
    return QStringLiteral(":/i18n");
}

} // namespace qw
