#pragma once

#include "framework/CommandUpdate.h"

#include <QString>

namespace qw {

// What the main window asks of the application that runs it: the commands it does not handle
// itself (the recent-file entries, help) and their states, and to remember a document opened.
// The window knows its owner only by this, so the two do not depend on each other.
class WindowOwner : public CommandUpdateTarget {
public:
    virtual bool OnCommand(int commandId) = 0;
    virtual void AddToRecentFileList(const QString &path) = 0;
};

} // namespace qw
