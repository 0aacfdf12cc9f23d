#include "RecentFileList.h"

#include "CommandUpdate.h"
#include "MenuAdapter.h"
#include "res/MenuTemplate.h"

#include <QAction>
#include <QDir>
#include <QWidget>

#include <algorithm>

namespace qw {

namespace {
const QString kSection = QStringLiteral("Recent File List");
}

RecentFileList::RecentFileList(int firstCommandId, int capacity) : firstCommandId_(firstCommandId), capacity_(capacity)
{
}

bool RecentFileList::SameFile(const QString &a, const QString &b)
{
    return QDir::cleanPath(QDir::fromNativeSeparators(a)) == QDir::cleanPath(QDir::fromNativeSeparators(b));
}

QString RecentFileList::PathOfCommand(int commandId) const
{
    const int index = commandId - firstCommandId_;
    return index >= 0 && index < size() ? paths_.at(index) : QString();
}

void RecentFileList::Add(const QString &path)
{
    if (path.isEmpty())
        return;
    paths_.removeIf([&](const QString &existing) { return SameFile(existing, path); });
    paths_.prepend(path);
    while (paths_.size() > capacity_)
        paths_.removeLast();
}

void RecentFileList::Remove(int index)
{
    if (index >= 0 && index < size())
        paths_.removeAt(index);
}

void RecentFileList::ReadList(QSettings &settings)
{
    paths_.clear();
    settings.beginGroup(kSection);
    for (int i = 1; i <= capacity_; ++i) {
        const QString path = settings.value(QStringLiteral("File%1").arg(i)).toString();
        const bool duplicate
            = std::any_of(paths_.begin(), paths_.end(), [&](const QString &p) { return SameFile(p, path); });
        if (!path.isEmpty() && !duplicate)
            paths_.append(path);
    }
    settings.endGroup();
}

void RecentFileList::WriteList(QSettings &settings) const
{
    settings.beginGroup(kSection);
    settings.remove(QString());
    for (int i = 0; i < size(); ++i)
        settings.setValue(QStringLiteral("File%1").arg(i + 1), paths_.at(i));
    settings.endGroup();
}

QString RecentFileList::MenuText(int number, const QString &path)
{
    // An ampersand in a path would otherwise be taken as a mnemonic marker.
    QString shown = QDir::toNativeSeparators(path);
    shown.replace(QLatin1Char('&'), QLatin1String("&&"));
    return QStringLiteral("&%1 %2").arg(number).arg(shown);
}

void RecentFileList::UpdateMenu(CommandUpdateRecord &record)
{
    QWidget *menu = record.menu;
    if (!menu)
        return;
    if (placeholderText_.isEmpty())
        if (const QAction *placeholder = MenuAdapter::ActionAt(menu, record.index))
            placeholderText_ = placeholder->text();

    // Every entry of ours goes, the one being updated included, and is laid anew in its place.
    for (int id = firstCommandId_; id < firstCommandId_ + capacity_; ++id)
        for (int pos = MenuAdapter::PositionOf(menu, id); pos >= 0; pos = MenuAdapter::PositionOf(menu, id))
            delete MenuAdapter::ActionAt(menu, pos);

    if (paths_.isEmpty()) {
        MenuAdapter::InsertCommand(menu, record.index, placeholderText_, firstCommandId_,
                                   MenuFlag::Grayed | MenuFlag::Disabled);
    } else {
        for (int i = 0; i < size(); ++i)
            MenuAdapter::InsertCommand(menu, record.index + i, MenuText(i + 1, paths_.at(i)), firstCommandId_ + i);
        // The walk goes on after the last entry laid here.
        record.index += size() - 1;
    }
    record.indexMax = MenuAdapter::ItemCount(menu);
}

} // namespace qw
