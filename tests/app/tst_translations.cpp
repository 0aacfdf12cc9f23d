// The window, its dialogs and the batch mode's help in the user's language: German and French
// texts reach the real widgets and fit them, English stays as it is, and the program picks its
// language from the environment as a user starts it.
#include "app/AboutDlg.h"
#include "app/PlaceBreakPointsDlg.h"
#include "app/SplitterApp.h"
#include "app/SplitterDlg.h"
#include "framework/DialogBuilder.h"
#include "framework/DialogUnits.h"
#include "framework/ResourceStore.h"
#include "core/SettingsStore.h"
#include "core/Translations.h"
#include "res/DialogTemplates.h"
#include "res/MenuTemplate.h"
#include "res/MenuTexts.h"
#include "res/ResourceIds.h"
#include "app/OptionsDlg.h"
#include "support/OwnOptions.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMenuBar>
#include <QProcess>
#include <QRadioButton>
#include <QStyle>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace qw;

namespace {

// The text as drawn: "&&" is one ampersand, a single "&" only marks the access key.
QString shownText(const QString &text)
{
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        shown += text.at(i);
    }
    return shown;
}

// The width and height the control's text needs, with the check box or radio indicator beside
// it; each line of a multi-line text is measured.
QSize neededSize(const QWidget *control, const QString &text)
{
    // A label that wraps its words needs only its height for its width.
    if (const auto *label = qobject_cast<const QLabel *>(control); label && label->wordWrap())
        return {label->width(), label->heightForWidth(label->width())};
    const QFontMetrics metrics(control->font());
    const QStringList lines = shownText(text).split(QLatin1Char('\n'));
    int width = 0;
    for (const QString &line : lines)
        width = qMax(width, metrics.horizontalAdvance(line));
    const QSize textSize(width, metrics.height() + metrics.lineSpacing() * int(lines.size() - 1));
    if (qobject_cast<const QCheckBox *>(control) || qobject_cast<const QRadioButton *>(control)) {
        const QStyle *style = control->style();
        const bool check = qobject_cast<const QCheckBox *>(control);
        const int indicator = style->pixelMetric(check ? QStyle::PM_IndicatorWidth : QStyle::PM_ExclusiveIndicatorWidth);
        const int spacing = style->pixelMetric(check ? QStyle::PM_CheckBoxLabelSpacing : QStyle::PM_RadioButtonLabelSpacing);
        return {textSize.width() + indicator + spacing, textSize.height()};
    }
    return textSize;
}

// Every visible control of `window` whose text does not fit its size, named with its text.
QStringList clippedControls(const QWidget *window)
{
    QStringList clipped;
    const auto controls = window->findChildren<QWidget *>();
    for (const QWidget *control : controls) {
        if (!control->isVisibleTo(window))
            continue;
        QString text;
        if (const auto *button = qobject_cast<const QAbstractButton *>(control))
            text = button->text();
        else if (const auto *label = qobject_cast<const QLabel *>(control))
            text = label->text();
        if (text.isEmpty())
            continue;
        const QSize needed = neededSize(control, text);
        if (needed.width() > control->width() || needed.height() > control->height())
            clipped << QStringLiteral("\"%1\" needs %2x%3 in %4x%5")
                           .arg(text)
                           .arg(needed.width())
                           .arg(needed.height())
                           .arg(control->width())
                           .arg(control->height());
    }
    return clipped;
}

// Runs `inspect` on the modal dialog `open` shows, then closes it.
void inspectModal(const std::function<void()> &open, const std::function<void(QWidget *)> &inspect)
{
    bool inspected = false;
    QTimer::singleShot(0, [&] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (dialog) {
            inspect(dialog);
            inspected = true;
            dialog->close();
        }
    });
    open();
    QVERIFY(inspected);
}

} // namespace

class TestTranslations : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void everyMenuTextIsListedForTranslation();
    void windowAndDialogsShowTheLanguageAndFit_data();
    void windowAndDialogsShowTheLanguageAndFit();
    void programSpeaksTheEnvironmentsLanguage_data();
    void programSpeaksTheEnvironmentsLanguage();

private:
    QTemporaryDir settingsDir_;
};

void TestTranslations::initTestCase()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
    SettingsStore::SetRegistryKey(QString::fromLatin1(SplitterApp::kCompanyKey));
}

void TestTranslations::everyMenuTextIsListedForTranslation()
{
    // The templates are compiled data that lupdate cannot read: a text missing from the list
    // would stay English in every language.
    QStringList listed;
    for (const char *text : MenuTexts())
        listed << QString::fromUtf8(text);
    for (const int menuId : {int(ResId::MenuBar), int(ResId::ListContextMenu)}) {
        const auto menu = ParseMenuTemplate(ResourceStore::Find("MENU", menuId));
        QVERIFY(menu);
        std::function<void(const std::vector<MenuTemplateItem> &, bool)> walk
            = [&](const std::vector<MenuTemplateItem> &items, bool shown) {
                  for (const MenuTemplateItem &item : items) {
                      const QString label = item.record.text.section(QLatin1Char('\t'), 0, 0);
                      if (shown && !label.isEmpty())
                          QVERIFY2(listed.contains(label), qPrintable(label));
                      walk(item.children, true);
                  }
              };
        // The context menu's one popup is opened at the cursor; its title is never seen.
        walk(*menu, menuId == ResId::MenuBar);
    }
}

void TestTranslations::windowAndDialogsShowTheLanguageAndFit_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("translated");
    QTest::addColumn<QString>("insertCaption");
    QTest::addColumn<QStringList>("menuTitles");
    QTest::newRow("cLocale") << "C" << false << "Insert (F2)" << QStringList{"&File", "&Action", "&Help"};
    QTest::newRow("english") << "en_US" << false << "Insert (F2)" << QStringList{"&File", "&Action", "&Help"};
    QTest::newRow("german") << "de_DE" << true << "Einfügen (F2)" << QStringList{"&Datei", "&Aktion", "&Hilfe"};
    QTest::newRow("french") << "fr_FR" << true << "Insérer (F2)" << QStringList{"&Fichier", "A&ction", "&Aide"};
}

void TestTranslations::windowAndDialogsShowTheLanguageAndFit()
{
    QFETCH(QString, locale);
    QFETCH(bool, translated);
    QFETCH(QString, insertCaption);
    QFETCH(QStringList, menuTitles);
    const Translations translations{QLocale(locale)};
    QCOMPARE(translations.ProgramTranslated(), translated);
    QCOMPARE(translations.QtTranslated(), translated);

    SplitterDlg window;
    window.Create();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(qobject_cast<QAbstractButton *>(window.Control(CtrlId::InsertButton))->text(), insertCaption);
    QStringList titles;
    for (const QAction *action : window.MenuBar()->actions())
        titles << action->text();
    QCOMPARE(titles, menuTitles);
    // The five buttons keep the template's place and size in every language.
    const DialogTemplate &mainTemplate = *FindDialogTemplate(ResId::MainDialog);
    const DialogUnits units = DialogUnits::ForFont(window.font());
    for (const DialogControl &control : mainTemplate.controls)
        if (control.controlClass == ControlClass::Button)
            QCOMPARE(window.Control(control.id)->geometry(), units.ToPixels(control.rect));
    QCOMPARE(clippedControls(&window), QStringList());

    // A dialog shows its texts whole; it keeps the template's size in English, and may only
    // grow in another language.
    const auto fits = [&](int templateId) {
        return [templateId, translated, locale](QWidget *dialog) {
            QVERIFY2(clippedControls(dialog).isEmpty(), qPrintable(clippedControls(dialog).join(u'\n')));
            const QSize size = DialogUnits::ForFont(dialog->font()).ToPixels(FindDialogTemplate(templateId)->size);
            QCOMPARE(dialog->height(), size.height());
            if (!translated)
                QCOMPARE(dialog->width(), size.width());
            QVERIFY(dialog->width() >= size.width());
            if (dialog->width() > size.width())
                qInfo("%s: %s is %d pixels wider", qPrintable(locale), dialog->metaObject()->className(),
                      dialog->width() - size.width());
        };
    };
    AboutDlg about;
    inspectModal([&] { about.DoModal(); }, fits(ResId::AboutDialog));
    OptionsDlg options;
    inspectModal([&] { options.DoModal(&window); }, fits(ResId::OptionsDialog));

    PlaceBreakPointsDlg place({}, 12, &window);
    place.show();
    QCOMPARE(clippedControls(&place), QStringList());
}

void TestTranslations::programSpeaksTheEnvironmentsLanguage_data()
{
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("optionsHeading");
    QTest::newRow("cLocale") << "C" << QStringList{"--help"} << "\nOptions:\n";
    QTest::newRow("english") << "en_US.UTF-8" << QStringList{"--help"} << "\nOptions:\n";
    QTest::newRow("german") << "de_DE.UTF-8" << QStringList{"--help"} << "\nOptionen:\n";
    QTest::newRow("french") << "fr_FR.UTF-8" << QStringList{"--help"} << "\nOptions :\n";
    // A dry run's plan is read by scripts: the whole run stays English.
    QTest::newRow("germanDryRun") << "de_DE.UTF-8" << QStringList{"--dry-run", "--help"} << "\nOptions:\n";
}

void TestTranslations::programSpeaksTheEnvironmentsLanguage()
{
    QFETCH(QString, lang);
    QFETCH(QStringList, arguments);
    QFETCH(QString, optionsHeading);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("LANG"), lang);
    QTemporaryDir config;
    QVERIFY(MakeOwnOptions(config.path()));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(QUIREWRIGHT_PATH), arguments);
    QVERIFY(program.waitForFinished(30000));
    QCOMPARE(program.exitCode(), 0);
    const QString help = QString::fromUtf8(program.readAllStandardOutput());
    QVERIFY2(help.contains(optionsHeading), qPrintable(help));
}

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
