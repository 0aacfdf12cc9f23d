#pragma once

#include "ThumbnailDelegate.h"

#include <QAbstractItemView>
#include <QList>

#include <functional>
#include <vector>

namespace qw {

// The preview's other face: every row of the break point list as a cell of a grid that wraps
// at the pane's width, in the list's order: a page as its thumbnail in a column of its line, a
// break point as a cut line in the gap before the page it stands before (see ThumbnailDelegate).
// It views the list's own model and, given it, the list's own selection, so the two always
// agree. Clicking the gap left of a page asks for a break point there; a double click asks to
// see the page whole; Ctrl with the wheel or with plus and minus sizes the thumbnails, the
// selected row staying on view. The pictures come from outside; the grid says which pages it
// wants first, the ones on view and then those around them.
class ThumbnailGrid : public QAbstractItemView {
    Q_OBJECT
public:
    struct Source {
        ThumbnailDelegate::Source pictures;
        // The pages to have pictures of, most wanted first; asked whenever the view moves.
        std::function<void(const QList<int> &pages)> want;
    };
    static constexpr int kDefaultWidth = 120;
    static constexpr int kSmallest = 60;
    static constexpr int kLargest = 480;

    explicit ThumbnailGrid(QWidget *parent = nullptr);
    void SetSource(Source source);

    // The thumbnails' width in pixels at 100 % (kSmallest to kLargest).
    int ThumbnailWidth() const { return delegate_->Metrics().width; }
    void SetThumbnailWidth(int width);
    // The picture of `page` came: its cell is drawn again, and the problem shown goes.
    void PictureArrived(int page);
    // Says across the top of the grid why there are no pictures (or nothing, when empty), until
    // the next picture comes.
    void ShowProblem(const QString &text);
    QString Problem() const { return problem_; }
    // The pages in view, top left first.
    QList<int> PagesInView() const;
    // The page a break point would be put before by a click at `point` (viewport coordinates):
    // the one whose gap it is in; 0 where there is no gap.
    int GapPageAt(const QPoint &point) const;

    QRect visualRect(const QModelIndex &index) const override;
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;
    QModelIndex indexAt(const QPoint &point) const override;
    void setModel(QAbstractItemModel *model) override;

signals:
    void GapClicked(int page);
    void PageOpened(int page);
    void ThumbnailWidthChanged(int width);

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override { return 0; }
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex &) const override { return false; }
    void setSelection(const QRect &rect, QItemSelectionModel::SelectionFlags command) override;
    QRegion visualRegionForSelection(const QItemSelection &selection) const override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // The cells are laid out again when next needed.
    void Invalidate();
    void EnsureLayout() const;
    // The rows of the lines that cross the band from `top` to `bottom` (content coordinates):
    // first row, and one past the last.
    std::pair<int, int> RowsBetween(int top, int bottom) const;
    int LineOfRow(int row) const;
    int LineHeight() const { return delegate_->Metrics().CellHeight(); }
    QRect CellOfRow(int row) const; // content coordinates
    // Where a click finds the row: its cell, less the gap a cut line stands in.
    QRect HitBoxOfRow(int row) const;
    // The selected row (the list's selection), else the current one.
    QModelIndex SelectedIndex() const;
    void AskForPictures();
    void Zoom(int steps);

    ThumbnailDelegate *delegate_;
    std::function<void(const QList<int> &)> want_;
    QList<int> wanted_; // what was last asked for, so that a repaint asks nothing new
    // The layout: each row's cell left edge and width and whether it is a cut line, the row
    // each line begins with, and each page's row.
    mutable std::vector<int> cellLeft_;
    mutable std::vector<int> cellWidth_;
    mutable std::vector<bool> cut_;
    mutable std::vector<int> lineFirstRow_;
    mutable std::vector<int> rowOfPage_; // index page - 1
    mutable bool dirty_ = true;
    QString problem_;
};

} // namespace qw
