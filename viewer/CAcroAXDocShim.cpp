#include "CAcroAXDocShim.h"

#include <QFileInfo>
#include <QPdfDocument>
#include <QPdfPageNavigator>
#include <QPdfView>
#include <QScrollBar>

namespace qw {

namespace {

bool &creationFails()
{
    static bool fails = false;
    return fails;
}

} // namespace

bool CAcroAXDocShim::CreateControl(QWidget *parent, const QString &name, const QRect &rect)
{
    if (view_)
        return true;
    if (!parent || creationFails())
        return false;
    auto *view = new QPdfView(parent);
    view->setObjectName(name);
    // The document is made after the view and beside it, so the parent destroys it after the
    // view: a document destroyed first signals its closing to a view half torn down.
    view->setDocument(new QPdfDocument(parent));
    // One whole page at a time: the page list is the way through the document, and laying out
    // every page of a document of thousands (as a continuous view does) takes over half a
    // second on opening.
    view->setPageMode(QPdfView::PageMode::SinglePage);
    view->setZoomMode(QPdfView::ZoomMode::FitInView);
    view->setGeometry(rect);
    view->show();
    view_ = view;
    return true;
}

QWidget *CAcroAXDocShim::Window() const
{
    return view_;
}

QVariant CAcroAXDocShim::InvokeHelper(int dispId, const QVariant &argument)
{
    if (!view_)
        return {};
    switch (dispId) {
    case LoadFile: return LoadFromPath(argument.toString());
    case SetCurrentPage: BringPageIntoView(argument.toInt()); return {};
    default: return {};
    }
}

void CAcroAXDocShim::FailCreationForTesting(bool fail)
{
    creationFails() = fail;
}

bool CAcroAXDocShim::LoadFromPath(const QString &path)
{
    QPdfDocument *document = view_->document();
    // Regular files only: reading a pipe or a device could block the window for good.
    const bool shown = QFileInfo(path).isFile() && document->load(path) == QPdfDocument::Error::None;
    // A file that cannot be shown empties the preview, so that the previous document never
    // stands beside the page list of another.
    if (!shown)
        document->close();
    ScrollToFirstPage();
    return shown;
}

void CAcroAXDocShim::BringPageIntoView(int page)
{
    // A page the document does not have leaves the view where it is.
    if (page < 1 || page > view_->document()->pageCount())
        return;
    // The navigator ignores a jump to the page it counts as current, even after the user has
    // scrolled within that page; clearing it first makes every request show the page afresh
    // (and keeps its history from growing with every row the user selects).
    QPdfPageNavigator *navigator = view_->pageNavigator();
    navigator->clear();
    if (page > 1)
        navigator->jump(page - 1, {}); // the reader counts pages from 0
    // The page is shown from its top, wherever the user had scrolled within it.
    view_->verticalScrollBar()->setValue(0);
    view_->horizontalScrollBar()->setValue(0);
}

void CAcroAXDocShim::ScrollToFirstPage()
{
    view_->pageNavigator()->clear();
    view_->verticalScrollBar()->setValue(0);
    view_->horizontalScrollBar()->setValue(0);
}

} // namespace qw
