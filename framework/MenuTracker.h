#pragma once

#include <QPoint>

#include <functional>

class QMenu;

namespace qw {

// Shows a popup menu at a screen position until the user chooses or dismisses it. Tests
// install a responder that looks at the menu and answers in place of a person.
class MenuTracker {
public:
    using Responder = std::function<int(QMenu *menu, QPoint position)>;

    // The command id of the chosen entry, or 0 when the menu was dismissed.
    static int Track(QMenu *menu, QPoint position);
    static void SetResponder(Responder responder);
};

} // namespace qw
