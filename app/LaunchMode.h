#pragma once

class QProcessEnvironment;

namespace qw {

// Whether the program runs the split from the command line or opens the window, decided from
// the raw command line and the environment before any application object exists: QApplication
// ends the process with an abort when it finds no display, and it ignores options it does not
// know, so a mistyped option of the split would open the window instead of being reported.
class LaunchMode {
public:
    enum class Mode {
        Console, // the split from the command line, its help or version, or its usage error
        Window, // the main window
        NoDisplay, // the window, but there is no display to show it on
    };

    // Console when an argument is an option of the split (--split, --help, ...) or any other
    // option that is not one of Qt's own (-platform, -style, ... with one or two dashes, "=value"
    // or the next argument as its value): the console's parser then rejects what it does not
    // know. Else NoDisplay when neither DISPLAY nor WAYLAND_DISPLAY is set, no -platform or
    // -display argument is given, and QT_QPA_PLATFORM is unset, empty or names only xcb or
    // wayland; else Window.
    static Mode Choose(int argc, const char *const *argv, const QProcessEnvironment &environment);

    // Whether the command line asks for a dry run (--dry-run before any "--"): its plan, the
    // refusals in it among them, is read by scripts, so the run speaks English in every locale.
    static bool PlansForScripts(int argc, const char *const *argv);

    // Tells on standard error that the window needs a display and how to split without one,
    // and gives the exit code for it, 1.
    static int RefuseWindow();
};

} // namespace qw
