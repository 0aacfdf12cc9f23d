#include "MenuTexts.h"

#include <QCoreApplication>

namespace qw {

namespace {

// Every text of res/menus/129.menu and 135.menu but the context menu's unseen popup title.
// A test compares this list with the compiled templates, so a new menu item cannot be missed.
const char *const kMenuTexts[] = {
    //: Menu bar title; the & marks the access key (Alt+letter), unique in the menu bar
    QT_TRANSLATE_NOOP("qw::GlyphMenu", "&File"),
    //: File menu: shows the dialog to open a PDF
    QT_TRANSLATE_NOOP("qw::GlyphMenu", "&Open..."),
    //: File menu: shows the Options dialog (output folder, archive folder, name pattern)
    QT_TRANSLATE_NOOP("qw::GlyphMenu", "O&ptions..."),
    //: File menu: greyed placeholder where the recently opened files are listed
    QT_TRANSLATE_NOOP("qw::GlyphMenu", "Recent File"),
    //: File menu: ends the program
    QT_TRANSLATE_NOOP("qw::GlyphMenu", "&Exit"),
    //: Menu bar title of the break point commands and the split
    QT_TRANSLATE_NOOP("qw::GlyphMenu", "&Action"),
    //: A break point is where a new part (output PDF) begins, before the selected page
    QT_TRANSLATE_NOOP("qw::GlyphMenu", "&Insert Break Point"),
    //: Removes the selected break point
    QT_TRANSLATE_NOOP("qw::GlyphMenu", "&Delete Break Point"),
    //: Removes every break point ("clean" = clear)
    QT_TRANSLATE_NOOP("qw::GlyphMenu", "&Clean All Break Points"),
    //: Splits the PDF into parts at the break points ("based on break points")
    QT_TRANSLATE_NOOP("qw::GlyphMenu", "&Split PDF Based Break Points"),
    //: Shows a dialog that places break points at bookmarks or every N pages
    QT_TRANSLATE_NOOP("qw::GlyphMenu", "&Place Break Points..."),
    //: Undoes the last change to the break points
    QT_TRANSLATE_NOOP("qw::GlyphMenu", "&Undo"),
    //: Redoes the change last undone
    QT_TRANSLATE_NOOP("qw::GlyphMenu", "&Redo"),
    //: Turns the preview into a grid of small pictures of every page, and back
    QT_TRANSLATE_NOOP("qw::GlyphMenu", "Show &Thumbnails"),
    //: Menu bar title
    QT_TRANSLATE_NOOP("qw::GlyphMenu", "&Help"),
    //: Opens the program's web site in the browser
    QT_TRANSLATE_NOOP("qw::GlyphMenu", "&View Web Site"),
    //: Shows the About box
    QT_TRANSLATE_NOOP("qw::GlyphMenu", "&About..."),
    //: Page list's context menu: the selected page is in no part (e.g. a separator sheet)
    QT_TRANSLATE_NOOP("qw::GlyphMenu", "Leave Page &Out"),
};

} // namespace

std::span<const char *const> MenuTexts()
{
    return kMenuTexts;
}

QString TranslateMenuText(const QString &text)
{
    const qsizetype tab = text.indexOf(QLatin1Char('\t'));
    const QString label = tab < 0 ? text : text.left(tab);
    if (label.isEmpty())
        return text;
    return QCoreApplication::translate(kMenuTextContext, label.toUtf8().constData())
           + (tab < 0 ? QString() : text.mid(tab));
}

} // namespace qw
