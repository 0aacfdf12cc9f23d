#pragma once

// The main window's parts as a test reaches them: by control id, as any caller of the window
// would, and its rows through the model the page list shows.
#include "app/SplitterDlg.h"
#include "controls/IconButton.h"
#include "res/ResourceIds.h"

#include <QEventLoop>
#include <QTimer>
#include <QTreeView>

namespace qw::probe {

inline QTreeView *PageList(const SplitterDlg &dlg)
{
    return qobject_cast<QTreeView *>(dlg.Control(CtrlId::PageList));
}

inline IconButton *Button(const SplitterDlg &dlg, int controlId)
{
    return qobject_cast<IconButton *>(dlg.Control(controlId));
}

inline int RowCount(const SplitterDlg &dlg)
{
    return dlg.Breaks().rowCount();
}

inline QString RowText(const SplitterDlg &dlg, int row)
{
    return dlg.Breaks().index(row).data().toString();
}

inline QIcon RowIcon(const SplitterDlg &dlg, int row)
{
    return dlg.Breaks().index(row).data(Qt::DecorationRole).value<QIcon>();
}

inline QStringList RowTexts(const SplitterDlg &dlg)
{
    QStringList texts;
    for (int row = 0; row < RowCount(dlg); ++row)
        texts << RowText(dlg, row);
    return texts;
}

// The selected row, or -1.
inline int SelectedRow(const SplitterDlg &dlg)
{
    const QModelIndexList rows = PageList(dlg)->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

// Handles the window's events until its work in the background (opening, a plan, a split) has
// ended and what it found has been shown; false when it is still busy after `timeoutMs`.
inline bool WaitUntilIdle(const SplitterDlg &dlg, int timeoutMs = 60000)
{
    QEventLoop loop;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        if (!dlg.IsBusy())
            loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    tick.start(2);
    if (dlg.IsBusy())
        loop.exec();
    return !dlg.IsBusy();
}

// Opens `path` as the user would, and waits until the list shows it (or why it cannot).
inline bool Open(SplitterDlg &dlg, const QString &path)
{
    dlg.OpenDocument(path);
    return WaitUntilIdle(dlg);
}

} // namespace qw::probe
