#pragma once

#include <QLocale>
#include <QTranslator>

#include <memory>

namespace qw {

// The program's texts and Qt's own (its standard dialogs, buttons and command-line help) in
// the language of `locale`, for as long as the object lives. In the C locale and in English
// nothing is installed, so every text stays exactly as the code writes it; a text that a
// translation leaves out stays English too.
class Translations {
public:
    explicit Translations(const QLocale &locale);
    ~Translations();
    Q_DISABLE_COPY_MOVE(Translations)

    // Whether the program's own translation for the locale was found and installed.
    bool ProgramTranslated() const { return program_ != nullptr; }
    // Whether Qt's translation for the locale was found and installed.
    bool QtTranslated() const { return qt_ != nullptr; }

    // The folder of the program's compiled translations (a resource folder).
    static QString ProgramFolder();

private:
    std::unique_ptr<QTranslator> program_;
    std::unique_ptr<QTranslator> qt_;
};

} // namespace qw
