#pragma once

#include <QList>
#include <QString>
#include <QUndoCommand>

class QKeyEvent;

namespace qw {

class SplitterDlg;

// What a key asks of the break point history: Ctrl+Z undoes; Ctrl+Shift+Z and Ctrl+Y redo.
enum class HistoryKey { None, Undo, Redo };
HistoryKey HistoryKeyOf(const QKeyEvent *key);

// One undoable edit of the window's break point list: the break points it put in and took out,
// each named by the page it stands before, the selected row before and after it, and the
// bookmark level it set. Undo and redo touch only those break point rows, so every other row
// stays where it is; then they select the row the edit was made at, which enables the commands
// as selecting that row does.
class BreakPointEdit : public QUndoCommand {
public:
    // Records what one command changes in the list, from its construction to its end, as one step
    // of the window's history. A command that changes no row leaves the history as it was.
    class Recorder {
    public:
        Recorder(SplitterDlg &dlg, QString text);
        ~Recorder();
        Q_DISABLE_COPY(Recorder)

    private:
        SplitterDlg &dlg_;
        QString text_;
        QList<int> pages_;
        int selected_;
        int level_;
    };

    void undo() override;
    void redo() override;

private:
    // A row by what it shows, which an edit does not change: page p is the page row of p, -p the
    // break point row before it, 0 no row.
    using RowRef = int;

    BreakPointEdit(SplitterDlg &dlg, const QString &text);
    // The pages with a break point row before them, in page order.
    static QList<int> BreakPages(const SplitterDlg &dlg);
    static RowRef SelectedRef(const SplitterDlg &dlg);
    void Apply(const QList<int> &add, const QList<int> &remove, int level);
    void Select(RowRef ref);

    SplitterDlg &dlg_;
    QList<int> added_;
    QList<int> removed_;
    RowRef selectedBefore_ = 0;
    RowRef selectedAfter_ = 0;
    int levelBefore_ = 0;
    int levelAfter_ = 0;
    // The edit is made already when it is pushed, which redoes it once.
    bool made_ = true;
};

} // namespace qw
