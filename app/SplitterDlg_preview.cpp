// The preview follows the page list (OnRowSelected shows the selected page), and the list
// follows the preview: a page the user turns to there selects that page's row.
#include "SplitterDlg.h"

#include <QApplication>
#include <QTreeView>

namespace qw {

void SplitterDlg::OnPageShown(int page)
{
    if (!PageList)
        return;
    previewPage_ = page;
    UpdatePreviewNote();
    const int row = document_.Breaks().RowOfPage(page);
    if (row < 0)
        return;
    // Selecting shows the page once more, which the preview does not report back; and it
    // moves the focus to the list, while the user goes on paging where they are.
    QWidget *focus = QApplication::focusWidget();
    if (row != SelectedRow())
        SelectRow(row);
    PageList->scrollTo(document_.Breaks().index(row));
    if (focus && focus != QApplication::focusWidget())
        focus->setFocus();
}

void SplitterDlg::UpdatePreviewNote()
{
    Viewer.ShowNote(document_.Breaks().IsLeftOut(previewPage_)
                        //: Shown over a page that is in no part; %1 is its page number
                        ? tr("Page %1 is left out of every part").arg(previewPage_)
                        : QString());
}

} // namespace qw
