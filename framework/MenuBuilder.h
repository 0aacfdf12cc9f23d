#pragma once

#include "res/MenuTemplate.h"

class QMenu;
class QMenuBar;
class QWidget;

namespace qw {

// Builds plain Qt menus from a menu template: a menu bar from a whole template, or the
// popups of a template level into an existing menu. Entries carry their command ids and
// template flags (see MenuAdapter).
class MenuBuilder {
public:
    // nullptr when the resource is missing or malformed.
    static QMenuBar *BuildMenuBar(int menuResourceId, QWidget *parent);
    // The first popup of a template (a context menu), or nullptr.
    static QMenu *BuildPopupMenu(int menuResourceId, QWidget *parent);

    static void AppendItems(QWidget *menu, const std::vector<MenuTemplateItem> &items);
};

} // namespace qw
