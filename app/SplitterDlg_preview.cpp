// The preview follows the page list (OnRowSelected shows the selected page), and the list
// follows the preview: a page the user turns to there selects that page's row.
#include "SplitterDlg.h"

#include <QApplication>
#include <QTreeWidget>

namespace qw {

namespace {
// The row of `page`: at least page - 1, since every page before it has its row, and at most
// one break point row stands before each page.
int pageRow(const QTreeWidget *list, int page)
{
    const QString text = QString::number(page);
    const int last = qMin(list->topLevelItemCount() - 1, 2 * qMax(page, 0));
    for (int row = qMax(page - 1, 0); row <= last; ++row)
        if (list->topLevelItem(row)->text(0) == text)
            return row;
    return -1;
}
} // namespace

void SplitterDlg::OnPageShown(int page)
{
    if (!PageList)
        return;
    const int row = pageRow(PageList, page);
    if (row < 0)
        return;
    // Selecting shows the page once more, which the preview does not report back; and it
    // moves the focus to the list, while the user goes on paging where they are.
    QWidget *focus = QApplication::focusWidget();
    if (row != SelectedRow())
        SelectRow(row);
    PageList->scrollToItem(PageList->topLevelItem(row));
    if (focus && focus != QApplication::focusWidget())
        focus->setFocus();
}

} // namespace qw
