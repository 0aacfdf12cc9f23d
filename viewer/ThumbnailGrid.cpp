#include "ThumbnailGrid.h"

#include "core/PageRows.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <climits>
#include <cmath>

namespace qw {

namespace {

// Room around the cells, at the pane's edges.
constexpr int kMargin = 4;
// One zoom step, as Ctrl+wheel and Ctrl+plus/minus take it.
constexpr double kZoomStep = 1.25;

} // namespace

ThumbnailGrid::ThumbnailGrid(QWidget *parent) : QAbstractItemView(parent), delegate_(new ThumbnailDelegate(this))
{
    setItemDelegate(delegate_);
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectRows);
    setEditTriggers(NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setMouseTracking(true); // for the cutting cursor over the gaps
    SetThumbnailWidth(kDefaultWidth);
}

void ThumbnailGrid::SetSource(Source source)
{
    delegate_->SetSource(std::move(source.pictures));
    want_ = std::move(source.want);
    wanted_.clear();
    viewport()->update();
}

void ThumbnailGrid::setModel(QAbstractItemModel *model)
{
    if (this->model())
        this->model()->disconnect(this);
    QAbstractItemView::setModel(model);
    if (!model)
        return;
    // Rows in or out and a new document move every cell after them; a changed row only looks
    // different.
    connect(model, &QAbstractItemModel::rowsInserted, this, &ThumbnailGrid::Invalidate);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &ThumbnailGrid::Invalidate);
    connect(model, &QAbstractItemModel::rowsMoved, this, &ThumbnailGrid::Invalidate);
    connect(model, &QAbstractItemModel::modelReset, this, &ThumbnailGrid::Invalidate);
    connect(model, &QAbstractItemModel::layoutChanged, this, &ThumbnailGrid::Invalidate);
    connect(model, &QAbstractItemModel::dataChanged, viewport(), qOverload<>(&QWidget::update));
    Invalidate();
}

void ThumbnailGrid::SetThumbnailWidth(int width)
{
    width = std::clamp(width, kSmallest, kLargest);
    if (width == delegate_->Metrics().width && !dirty_)
        return;
    ThumbnailMetrics metrics;
    metrics.width = width;
    metrics.captionHeight = fontMetrics().height() + 2;
    delegate_->SetMetrics(metrics);
    Invalidate();
    emit ThumbnailWidthChanged(width);
}

QModelIndex ThumbnailGrid::SelectedIndex() const
{
    if (selectionModel())
        if (const QModelIndexList selected = selectionModel()->selectedIndexes(); !selected.isEmpty())
            return selected.first();
    return currentIndex();
}

void ThumbnailGrid::Zoom(int steps)
{
    // The selected row on view is what the user looks at: it stays at its height in the pane.
    // Otherwise the page at the top left stays at the top.
    const QModelIndex selected = SelectedIndex();
    const QRect before = selected.isValid() ? visualRect(selected) : QRect();
    const bool keepSelected = before.intersects(viewport()->rect());
    const double share = keepSelected ? double(before.center().y()) / std::max(1, viewport()->height()) : 0.0;
    const QList<int> shown = keepSelected ? QList<int>() : PagesInView();
    SetThumbnailWidth(int(std::lround(ThumbnailWidth() * std::pow(kZoomStep, steps))));
    if (keepSelected) {
        const QRect cell = CellOfRow(selected.row());
        verticalScrollBar()->setValue(cell.center().y() - int(std::lround(share * viewport()->height())));
        // Near the ends the scroll range may not allow that height: it is on view all the same.
        scrollTo(selected, EnsureVisible);
    } else if (!shown.isEmpty() && size_t(shown.first() - 1) < rowOfPage_.size()) {
        scrollTo(model()->index(rowOfPage_[size_t(shown.first() - 1)], 0), PositionAtTop);
    }
}

void ThumbnailGrid::Invalidate()
{
    dirty_ = true;
    updateGeometries();
    viewport()->update();
}

void ThumbnailGrid::EnsureLayout() const
{
    if (!dirty_)
        return;
    dirty_ = false;
    const int rows = model() ? model()->rowCount(rootIndex()) : 0;
    cellLeft_.assign(size_t(rows), 0);
    cellWidth_.assign(size_t(rows), 0);
    cut_.assign(size_t(rows), false);
    lineFirstRow_.clear();
    rowOfPage_.clear();
    const int pageWidth = delegate_->Metrics().PageCellWidth();
    // Every line has the same columns: a cut line takes no column of its own, it stands in the
    // gap of the page after it (and goes to the next line with that page).
    const int columns = std::max(1, (viewport()->width() - 2 * kMargin) / pageWidth);
    int column = columns;
    std::vector<int> cutsBefore; // the cut lines waiting for their page (one, in any list the model makes)
    const auto place = [&](int row, int width) {
        if (column == columns) {
            lineFirstRow_.push_back(cutsBefore.empty() ? row : cutsBefore.front());
            column = 0;
        }
        const int x = kMargin + column * pageWidth;
        for (int cut : cutsBefore) {
            cellLeft_[size_t(cut)] = x;
            cellWidth_[size_t(cut)] = ThumbnailMetrics::kCutWidth;
        }
        cutsBefore.clear();
        cellLeft_[size_t(row)] = x;
        cellWidth_[size_t(row)] = width;
    };
    for (int row = 0; row < rows; ++row) {
        if (model()->index(row, 0, rootIndex()).data(PageRows::KindRole).toInt() == PageRows::BreakPoint) {
            cut_[size_t(row)] = true;
            cutsBefore.push_back(row);
            continue;
        }
        place(row, pageWidth);
        ++column;
        rowOfPage_.push_back(row);
    }
    // Cut lines after the last page stand where a next page would.
    if (!cutsBefore.empty()) {
        const int row = cutsBefore.back();
        cutsBefore.pop_back();
        place(row, ThumbnailMetrics::kCutWidth);
    }
}

int ThumbnailGrid::LineOfRow(int row) const
{
    return int(std::upper_bound(lineFirstRow_.begin(), lineFirstRow_.end(), row) - lineFirstRow_.begin()) - 1;
}

QRect ThumbnailGrid::CellOfRow(int row) const
{
    EnsureLayout();
    if (row < 0 || size_t(row) >= cellLeft_.size())
        return {};
    return {cellLeft_[size_t(row)], kMargin + LineOfRow(row) * LineHeight(), cellWidth_[size_t(row)], LineHeight()};
}

QRect ThumbnailGrid::HitBoxOfRow(int row) const
{
    QRect box = CellOfRow(row);
    // The gap under a cut line is the cut line's.
    if (!box.isNull() && row > 0 && !cut_[size_t(row)] && cut_[size_t(row - 1)]
        && cellLeft_[size_t(row - 1)] == box.left())
        box.setLeft(box.left() + cellWidth_[size_t(row - 1)]);
    return box;
}

std::pair<int, int> ThumbnailGrid::RowsBetween(int top, int bottom) const
{
    EnsureLayout();
    const int lines = int(lineFirstRow_.size());
    if (lines == 0 || bottom < top)
        return {0, 0};
    const int first = std::clamp((top - kMargin) / LineHeight(), 0, lines - 1);
    const int last = std::clamp((bottom - kMargin) / LineHeight(), 0, lines - 1);
    const int end = last + 1 < lines ? lineFirstRow_[size_t(last + 1)] : int(cellLeft_.size());
    return {lineFirstRow_[size_t(first)], end};
}

QRect ThumbnailGrid::visualRect(const QModelIndex &index) const
{
    if (!index.isValid() || index.model() != model())
        return {};
    return CellOfRow(index.row()).translated(0, -verticalOffset());
}

QModelIndex ThumbnailGrid::indexAt(const QPoint &point) const
{
    EnsureLayout();
    const int y = point.y() + verticalOffset() - kMargin;
    if (y < 0 || lineFirstRow_.empty())
        return {};
    const int line = y / LineHeight();
    if (line >= int(lineFirstRow_.size()))
        return {};
    const int first = lineFirstRow_[size_t(line)];
    const int end = line + 1 < int(lineFirstRow_.size()) ? lineFirstRow_[size_t(line + 1)] : int(cellLeft_.size());
    const QPoint content = point + QPoint(0, verticalOffset());
    for (int row = first; row < end; ++row)
        if (HitBoxOfRow(row).contains(content))
            return model()->index(row, 0, rootIndex());
    return {};
}

int ThumbnailGrid::GapPageAt(const QPoint &point) const
{
    const QModelIndex index = indexAt(point);
    if (!index.isValid() || index.data(PageRows::KindRole).toInt() == PageRows::BreakPoint)
        return 0;
    if (!ThumbnailMetrics::GapBox(visualRect(index)).contains(point))
        return 0;
    // Before page 1, and where a break point stands already, there is nothing to cut.
    const QModelIndex before = index.siblingAtRow(index.row() - 1);
    if (!before.isValid() || before.data(PageRows::KindRole).toInt() == PageRows::BreakPoint)
        return 0;
    return index.data(PageRows::PageRole).toInt();
}

QList<int> ThumbnailGrid::PagesInView() const
{
    QList<int> pages;
    const auto [first, end] = RowsBetween(verticalOffset(), verticalOffset() + viewport()->height() - 1);
    const QRect view = viewport()->rect();
    for (int row = first; row < end; ++row) {
        const QModelIndex index = model()->index(row, 0, rootIndex());
        if (index.data(PageRows::KindRole).toInt() != PageRows::BreakPoint && visualRect(index).intersects(view))
            pages << index.data(PageRows::PageRole).toInt();
    }
    return pages;
}

void ThumbnailGrid::AskForPictures()
{
    if (!want_ || !model())
        return;
    // The pages on view, then a screen's worth below (where the user is most likely going),
    // then one above.
    QList<int> pages = PagesInView();
    const int height = viewport()->height();
    for (const auto &[top, bottom] : {std::pair{verticalOffset() + height, verticalOffset() + 2 * height},
                                      std::pair{verticalOffset() - height, verticalOffset() - 1}}) {
        const auto [first, end] = RowsBetween(std::max(top, 0), bottom);
        for (int row = first; row < end; ++row) {
            const QModelIndex index = model()->index(row, 0, rootIndex());
            if (index.data(PageRows::KindRole).toInt() != PageRows::BreakPoint
                && !pages.contains(index.data(PageRows::PageRole).toInt()))
                pages << index.data(PageRows::PageRole).toInt();
        }
    }
    if (pages == wanted_)
        return;
    wanted_ = pages;
    want_(pages);
}

void ThumbnailGrid::ShowProblem(const QString &text)
{
    problem_ = text;
    viewport()->update();
}

void ThumbnailGrid::PictureArrived(int page)
{
    // Pictures come again (the engine was started anew): why there were none no longer holds.
    if (!problem_.isEmpty())
        ShowProblem(QString());
    EnsureLayout();
    if (page >= 1 && size_t(page) <= rowOfPage_.size())
        viewport()->update(visualRect(model()->index(rowOfPage_[size_t(page - 1)], 0, rootIndex())));
}

void ThumbnailGrid::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    const QRect cell = CellOfRow(index.row());
    if (!index.isValid() || cell.isNull())
        return;
    const int height = viewport()->height();
    const int top = verticalOffset();
    QScrollBar *bar = verticalScrollBar();
    switch (hint) {
    case PositionAtTop: bar->setValue(cell.top() - kMargin); break;
    case PositionAtBottom: bar->setValue(cell.bottom() + kMargin - height); break;
    case PositionAtCenter: bar->setValue(cell.center().y() - height / 2); break;
    case EnsureVisible:
        // A cell taller than the pane shows its top, where the picture begins.
        if (cell.top() < top)
            bar->setValue(cell.top() - kMargin);
        else if (cell.bottom() >= top + height)
            bar->setValue(std::min(cell.top() - kMargin, cell.bottom() + kMargin - height));
        break;
    }
}

int ThumbnailGrid::verticalOffset() const
{
    return verticalScrollBar()->value();
}

QModelIndex ThumbnailGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers)
{
    EnsureLayout();
    const int rows = int(cellLeft_.size());
    if (rows == 0)
        return {};
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return model()->index(0, 0, rootIndex());
    const int row = current.row();
    const int lines = int(lineFirstRow_.size());
    int lineStep = 0;
    switch (action) {
    case MoveLeft:
    case MovePrevious: return model()->index(std::max(row - 1, 0), 0, rootIndex());
    case MoveRight:
    case MoveNext: return model()->index(std::min(row + 1, rows - 1), 0, rootIndex());
    case MoveHome: return model()->index(0, 0, rootIndex());
    case MoveEnd: return model()->index(rows - 1, 0, rootIndex());
    case MoveUp: lineStep = -1; break;
    case MoveDown: lineStep = 1; break;
    case MovePageUp: lineStep = -std::max(1, viewport()->height() / LineHeight()); break;
    case MovePageDown: lineStep = std::max(1, viewport()->height() / LineHeight()); break;
    }
    const int line = std::clamp(LineOfRow(row) + lineStep, 0, lines - 1);
    // The page in that line nearest below or above the current cell (a cut line only where
    // the line has no page).
    const int x = cellLeft_[size_t(row)] + cellWidth_[size_t(row)] / 2;
    const int first = lineFirstRow_[size_t(line)];
    const int end = line + 1 < lines ? lineFirstRow_[size_t(line + 1)] : rows;
    int best = first;
    int bestDistance = INT_MAX;
    for (int candidate = first; candidate < end; ++candidate) {
        const bool cut = model()->index(candidate, 0, rootIndex()).data(PageRows::KindRole).toInt()
                         == PageRows::BreakPoint;
        const int distance = std::abs(cellLeft_[size_t(candidate)] + cellWidth_[size_t(candidate)] / 2 - x)
                             + (cut ? 1 << 20 : 0);
        if (distance < bestDistance) {
            best = candidate;
            bestDistance = distance;
        }
    }
    return model()->index(best, 0, rootIndex());
}

void ThumbnailGrid::setSelection(const QRect &rect, QItemSelectionModel::SelectionFlags command)
{
    const QRect band = rect.normalized().translated(0, verticalOffset());
    const auto [first, end] = RowsBetween(band.top(), band.bottom());
    QItemSelection selection;
    for (int row = first; row < end; ++row)
        if (HitBoxOfRow(row).intersects(band)) {
            const QModelIndex index = model()->index(row, 0, rootIndex());
            selection.select(index, index);
        }
    selectionModel()->select(selection, command);
}

QRegion ThumbnailGrid::visualRegionForSelection(const QItemSelection &selection) const
{
    QRegion region;
    const QRect view = viewport()->rect();
    for (const QItemSelectionRange &range : selection)
        for (int row = range.top(); row <= range.bottom(); ++row)
            if (const QRect cell = visualRect(model()->index(row, 0, rootIndex())); cell.intersects(view))
                region += cell;
    return region;
}

void ThumbnailGrid::updateGeometries()
{
    EnsureLayout();
    const int content = 2 * kMargin + int(lineFirstRow_.size()) * LineHeight();
    const int height = viewport()->height();
    verticalScrollBar()->setRange(0, std::max(0, content - height));
    verticalScrollBar()->setPageStep(height);
    verticalScrollBar()->setSingleStep(std::max(1, LineHeight() / 4));
    QAbstractItemView::updateGeometries();
}

void ThumbnailGrid::scrollContentsBy(int dx, int dy)
{
    QAbstractItemView::scrollContentsBy(dx, dy);
    viewport()->update();
}

void ThumbnailGrid::resizeEvent(QResizeEvent *event)
{
    // The lines wrap at the new width.
    dirty_ = true;
    QAbstractItemView::resizeEvent(event);
    updateGeometries();
}

void ThumbnailGrid::paintEvent(QPaintEvent *event)
{
    if (!model())
        return;
    QPainter painter(viewport());
    const QRect area = event->rect();
    const auto [first, end] = RowsBetween(area.top() + verticalOffset(), area.bottom() + verticalOffset());
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QModelIndex current = currentIndex();
    // The pages first: a cut line is drawn over the gap of its page.
    for (const bool cuts : {false, true})
        for (int row = first; row < end; ++row) {
            const QModelIndex index = model()->index(row, 0, rootIndex());
            option.rect = visualRect(index);
            if (cut_[size_t(row)] != cuts || !option.rect.intersects(area))
                continue;
            option.state = QStyle::State_Enabled;
            if (selectionModel() && selectionModel()->isSelected(index))
                option.state |= QStyle::State_Selected;
            if (index == current && hasFocus())
                option.state |= QStyle::State_HasFocus;
            delegate_->paint(&painter, option, index);
        }
    if (!problem_.isEmpty()) {
        // As a note over the page in the single-page preview: a band across the top.
        const QRect band(0, 0, viewport()->width(), fontMetrics().height() + 8);
        painter.fillRect(band, palette().color(QPalette::ToolTipBase));
        painter.setPen(palette().color(QPalette::ToolTipText));
        painter.drawText(band, Qt::AlignCenter, fontMetrics().elidedText(problem_, Qt::ElideRight, band.width() - 8));
    }
    painter.end();
    AskForPictures();
}

void ThumbnailGrid::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        if (const int page = GapPageAt(event->position().toPoint()); page > 0) {
            setFocus(Qt::MouseFocusReason);
            emit GapClicked(page);
            event->accept();
            return;
        }
    }
    QAbstractItemView::mousePressEvent(event);
}

void ThumbnailGrid::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() == Qt::NoButton)
        viewport()->setCursor(GapPageAt(event->position().toPoint()) > 0 ? Qt::SplitHCursor : Qt::ArrowCursor);
    QAbstractItemView::mouseMoveEvent(event);
}

void ThumbnailGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && index.isValid()
        && index.data(PageRows::KindRole).toInt() != PageRows::BreakPoint
        && GapPageAt(event->position().toPoint()) == 0) {
        emit PageOpened(index.data(PageRows::PageRole).toInt());
        event->accept();
        return;
    }
    QAbstractItemView::mouseDoubleClickEvent(event);
}

void ThumbnailGrid::wheelEvent(QWheelEvent *event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        if (const int delta = event->angleDelta().y(); delta != 0)
            Zoom(delta > 0 ? 1 : -1);
        event->accept();
        return;
    }
    QAbstractItemView::wheelEvent(event);
}

void ThumbnailGrid::keyPressEvent(QKeyEvent *event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        switch (event->key()) {
        case Qt::Key_Plus:
        case Qt::Key_Equal: Zoom(1); event->accept(); return;
        case Qt::Key_Minus: Zoom(-1); event->accept(); return;
        default: break;
        }
    }
    QAbstractItemView::keyPressEvent(event);
}

} // namespace qw
