#pragma once

#include <QString>

class QWidget;

namespace qw {

// The state of one menu command being brought up to date before its menu opens: the
// position of the entry in its menu, the command id and the number of entries the walk will
// visit. A handler may insert entries and move `index`/`indexMax` past them.
struct CommandUpdateRecord {
    int index = 0;
    int id = 0;
    QWidget *menu = nullptr;
    int indexMax = 0;

    void Enable(bool on = true) const;
    void SetCheck(bool on) const;
    void SetText(const QString &text) const;
};

// Something that answers command updates (the main dialog, then the application object).
class CommandUpdateTarget {
public:
    virtual ~CommandUpdateTarget() = default;
    // True when this target has an update handler for the record's command and ran it.
    virtual bool OnUpdateCommand(CommandUpdateRecord &record) = 0;
};

} // namespace qw
