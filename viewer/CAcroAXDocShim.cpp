#include "CAcroAXDocShim.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QPdfDocument>
#include <QPdfPageNavigator>
#include <QPdfView>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QThread>
#include <QWheelEvent>

#include <algorithm>
#include <climits>
#include <memory>

namespace qw {

namespace {

bool &creationFails()
{
    static bool fails = false;
    return fails;
}

// One notch of a common mouse wheel; finer wheels and touch pads send parts of it.
constexpr int kWheelNotch = 120;

// Whether `bar` can still move by `direction` (below 0 towards its minimum): the view then
// scrolls within the page, and only at the page's edge does the input turn the page. A page
// that fits leaves only the view's margins, `slack`, to scroll; that is no part of the page.
bool canScroll(const QScrollBar *bar, int direction, int slack)
{
    if (bar->maximum() - bar->minimum() <= slack)
        return false;
    return direction < 0 ? bar->value() > bar->minimum() : bar->value() < bar->maximum();
}

// Turns the view's pages on the wheel over the page and on the keys, which the view in its
// single-page mode would only use to scroll within the one page it lays out.
class PageTurner : public QObject {
public:
    PageTurner(QPdfView *view, std::function<void(int)> turn) : QObject(view), view_(view), turn_(std::move(turn))
    {
        view->installEventFilter(this);
        view->viewport()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == view_->viewport() && event->type() == QEvent::Wheel)
            return OnWheel(static_cast<QWheelEvent *>(event));
        if (watched == view_ && event->type() == QEvent::KeyPress)
            return OnKey(static_cast<QKeyEvent *>(event));
        return false;
    }

private:
    bool OnWheel(const QWheelEvent *wheel)
    {
        const int delta = wheel->angleDelta().y();
        if (delta == 0)
            return false;
        const int direction = delta < 0 ? 1 : -1; // turning the wheel towards the user goes on
        if (canScroll(view_->verticalScrollBar(), direction, verticalSlack())) {
            wheelRest_ = 0;
            return false;
        }
        // Parts of a notch add up to one page; a turn the other way starts afresh.
        if ((wheelRest_ < 0) != (delta < 0))
            wheelRest_ = 0;
        wheelRest_ += delta;
        const int notches = wheelRest_ / kWheelNotch;
        wheelRest_ -= notches * kWheelNotch;
        if (notches != 0)
            turn_(-notches);
        return true;
    }

    bool OnKey(const QKeyEvent *key)
    {
        if (key->modifiers() & ~Qt::KeypadModifier)
            return false;
        const QScrollBar *vertical = view_->verticalScrollBar();
        const QScrollBar *horizontal = view_->horizontalScrollBar();
        const int across = view_->documentMargins().left() + view_->documentMargins().right();
        int step = 0;
        switch (key->key()) {
        case Qt::Key_PageDown:
        case Qt::Key_Down: step = canScroll(vertical, 1, verticalSlack()) ? 0 : 1; break;
        case Qt::Key_PageUp:
        case Qt::Key_Up: step = canScroll(vertical, -1, verticalSlack()) ? 0 : -1; break;
        case Qt::Key_Right: step = canScroll(horizontal, 1, across) ? 0 : 1; break;
        case Qt::Key_Left: step = canScroll(horizontal, -1, across) ? 0 : -1; break;
        // Turning by more pages than there are stops at the first or the last.
        case Qt::Key_Home: step = INT_MIN / 2; break;
        case Qt::Key_End: step = INT_MAX / 2; break;
        default: return false;
        }
        if (step == 0)
            return false;
        turn_(step);
        return true;
    }

    int verticalSlack() const { return view_->documentMargins().top() + view_->documentMargins().bottom(); }

    QPdfView *view_;
    std::function<void(int)> turn_;
    int wheelRest_ = 0;
};

} // namespace

CAcroAXDocShim::~CAcroAXDocShim()
{
    // The view outlives this object inside its parent; its page changes must not reach it.
    delete pageTurner_;
}

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
    auto *turner = new PageTurner(view, [this](int step) { TurnPage(step); });
    QObject::connect(view->pageNavigator(), &QPdfPageNavigator::currentPageChanged, turner,
                     [this](int index) { OnCurrentPageChanged(index); });
    pageTurner_ = turner;
    return true;
}

void CAcroAXDocShim::SetPageShownHandler(std::function<void(int page)> handler)
{
    pageShown_ = std::move(handler);
}

void CAcroAXDocShim::CloseDocument()
{
    loading_ = 0;
    if (!view_)
        return;
    const QScopedValueRollback requesting(requesting_, true);
    view_->document()->close();
    ScrollToFirstPage();
}

void CAcroAXDocShim::TurnPage(int step)
{
    const int count = view_->document()->pageCount();
    QPdfPageNavigator *navigator = view_->pageNavigator();
    if (count <= 0)
        return;
    const int target = int(std::clamp<qint64>(qint64(navigator->currentPage()) + step, 0, count - 1));
    if (target == navigator->currentPage())
        return;
    navigator->jump(target, {});
    ScrollToTop();
}

void CAcroAXDocShim::OnCurrentPageChanged(int index)
{
    if (!requesting_ && pageShown_)
        pageShown_(index + 1);
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

void CAcroAXDocShim::LoadInBackground(const QString &path, std::function<void(bool shown)> loaded)
{
    if (!view_)
        return;
    CloseDocument();
    const quint64 load = loading_ = ++loads_;
    pageAfterLoad_ = 0;
    QThread *const gui = QThread::currentThread();
    auto document = std::make_shared<QPdfDocument *>(nullptr);
    auto shown = std::make_shared<bool>(false);
    // The reader guards its library with a lock of its own, so a document may be read on one
    // thread and shown on another; it moves to the view's thread before the reading one ends.
    QThread *reader = QThread::create([path, gui, document, shown] {
        auto *read = new QPdfDocument;
        // Regular files only: reading a pipe or a device could block for good.
        *shown = QFileInfo(path).isFile() && read->load(path) == QPdfDocument::Error::None;
        read->moveToThread(gui);
        *document = read;
    });
    QObject::connect(reader, &QThread::finished, reader, &QObject::deleteLater);
    QObject::connect(reader, &QThread::finished, view_.data(), [this, load, document, shown, loaded = std::move(loaded)] {
        std::unique_ptr<QPdfDocument> read(*document);
        if (load != loading_)
            return; // dropped for another load, or closed
        loading_ = 0;
        if (*shown) {
            const QScopedValueRollback requesting(requesting_, true);
            // Made a sibling of the view, as the first one, so that the view goes first.
            read->setParent(view_->parentWidget());
            QPdfDocument *before = view_->document();
            view_->setDocument(read.release());
            delete before;
            ScrollToFirstPage();
            if (pageAfterLoad_ > 1)
                BringPageIntoView(pageAfterLoad_);
        }
        if (loaded)
            loaded(*shown);
    });
    reader->start();
}

bool CAcroAXDocShim::LoadFromPath(const QString &path)
{
    loading_ = 0;
    const QScopedValueRollback requesting(requesting_, true);
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
    if (loading_) {
        pageAfterLoad_ = page;
        return;
    }
    // A page the document does not have leaves the view where it is.
    if (page < 1 || page > view_->document()->pageCount())
        return;
    const QScopedValueRollback requesting(requesting_, true);
    if (page == 1) {
        ScrollToFirstPage();
        return;
    }
    // The navigator ignores a jump to the page it counts as current, even after the user has
    // scrolled within that page. Cleared, it counts the first page as current, so the jump to
    // any other page is made and reported to the view (and the history does not grow with
    // every row the user selects).
    QPdfPageNavigator *navigator = view_->pageNavigator();
    navigator->clear();
    navigator->jump(page - 1, {}); // the reader counts pages from 0
    ScrollToTop();
}

void CAcroAXDocShim::ScrollToFirstPage()
{
    // The view lays out the page the navigator reports as current, but clearing the navigator
    // sets it to the first page without a report: the view would go on drawing the page it
    // had. So the navigator first goes to the first page by a jump, which the view follows.
    QPdfPageNavigator *navigator = view_->pageNavigator();
    if (navigator->currentPage() != 0)
        navigator->jump(0, {});
    navigator->clear();
    ScrollToTop();
}

// A page is shown from its top left, wherever the user had scrolled within it.
void CAcroAXDocShim::ScrollToTop()
{
    view_->verticalScrollBar()->setValue(0);
    view_->horizontalScrollBar()->setValue(0);
}

} // namespace qw
