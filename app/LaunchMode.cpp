#include "LaunchMode.h"

#include "batch/BatchSplit.h"

#include <QByteArrayView>
#include <QProcessEnvironment>
#include <QStringList>

#include <algorithm>
#include <cstdio>

namespace qw {

namespace {

struct QtOption {
    const char *name;
    bool takesValue; // the next argument, unless written as "-name=value"
};

// The options that QGuiApplication, QApplication and the X11 platform take out of the command
// line before the program sees it.
constexpr QtOption kQtOptions[] = {
    {"platform", true},
    {"platformpluginpath", true},
    {"platformtheme", true},
    {"plugin", true},
    {"qwindowgeometry", true},
    {"qwindowicon", true},
    {"qwindowtitle", true},
    {"reverse", false},
    {"session", true},
    {"style", true},
    {"stylesheet", true},
    {"widgetcount", false},
    {"display", true},
    {"geometry", true},
    {"title", true},
    {"icon", true},
    {"name", true},
    {"dialogs", false},
    {"nograb", false},
    {"dograb", false},
    {"sync", false},
    {"visual", true},
    {"ncols", true},
    {"cmap", false},
    {"testability", false},
};

// "--name=value" and "-name" alike give "name".
QString optionName(const QString &argument)
{
    const qsizetype dashes = argument.startsWith(QLatin1String("--")) ? 2 : 1;
    return argument.mid(dashes).section(QLatin1Char('='), 0, 0);
}

const QtOption *qtOption(const QString &name)
{
    const auto found = std::find_if(std::begin(kQtOptions), std::end(kQtOptions),
                                    [&name](const QtOption &option) { return name == QLatin1String(option.name); });
    return found == std::end(kQtOptions) ? nullptr : found;
}

// Whether QT_QPA_PLATFORM leaves Qt only platforms that need DISPLAY or WAYLAND_DISPLAY. It may
// list platforms to try in turn ("wayland;xcb"), each with its own settings after a colon.
bool onlyDisplayPlatforms(const QString &platforms)
{
    for (const QString &entry : platforms.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString name = entry.section(QLatin1Char(':'), 0, 0).trimmed();
        if (!name.isEmpty() && name != QLatin1String("xcb") && !name.startsWith(QLatin1String("wayland")))
            return false;
    }
    return true;
}

} // namespace

LaunchMode::Mode LaunchMode::Choose(int argc, const char *const *argv, const QProcessEnvironment &environment)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const QStringList splitOptions = BatchSplit::OptionNames();
    for (const QString &argument : arguments)
        if (argument.startsWith(QLatin1Char('-')) && splitOptions.contains(optionName(argument)))
            return Mode::Console;

    // A display chosen by "-platform NAME" or "-display NAME" is Qt's to honour. Qt takes these
    // two only with the value after them, not as "-platform=NAME".
    bool displayChosen = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (!argument.startsWith(QLatin1Char('-')))
            continue;
        const QString name = optionName(argument);
        const QtOption *option = qtOption(name);
        if (!option)
            return Mode::Console;
        if (option->takesValue && !argument.contains(QLatin1Char('='))) {
            displayChosen = displayChosen
                            || (i + 1 < arguments.size()
                                && (name == QLatin1String("platform") || name == QLatin1String("display")));
            ++i;
        }
    }

    if (displayChosen || !environment.value(QStringLiteral("DISPLAY")).isEmpty()
        || !environment.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty()
        || !onlyDisplayPlatforms(environment.value(QStringLiteral("QT_QPA_PLATFORM"))))
        return Mode::Window;
    return Mode::NoDisplay;
}

bool LaunchMode::PlansForScripts(int argc, const char *const *argv)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArrayView argument(argv[i]);
        if (argument == "--")
            return false;
        if (argument == "--dry-run")
            return true;
    }
    return false;
}

int LaunchMode::RefuseWindow()
{
    const QString message
        = QStringLiteral("quirewright: The window needs a display, and there is none (neither DISPLAY nor "
                         "WAYLAND_DISPLAY is set). Splitting from the command line needs none:\n")
          + BatchSplit::UsageReminder() + QLatin1Char('\n');
    std::fputs(message.toLocal8Bit().constData(), stderr);
    return 1;
}

} // namespace qw
