#pragma once

#include <QAbstractItemDelegate>
#include <QImage>
#include <QRect>

#include <functional>

namespace qw {

// How the cells of the thumbnail grid are divided, for thumbnails `width` pixels wide. A page's
// cell has a gap on its left (clicking there cuts before the page), its picture, and a caption
// with its number and label below; a break point's cell is a strip over the gap of the page it
// stands before, so that it takes no room of its own.
struct ThumbnailMetrics {
    static constexpr int kGap = 22;
    static constexpr int kPad = 6;
    static constexpr int kCutWidth = kGap;
    // Room for an A4 page upright; a wider page is drawn less tall, a narrower one less wide.
    static constexpr double kAspect = 1.414;

    int width = 120;
    int captionHeight = 16;

    int PictureHeight() const { return qRound(width * kAspect); }
    int CellHeight() const { return kPad + PictureHeight() + kPad / 2 + captionHeight + kPad; }
    int PageCellWidth() const { return kGap + width + kPad; }
    QRect PictureBox(const QRect &cell) const { return {cell.left() + kGap, cell.top() + kPad, width, PictureHeight()}; }
    QRect CaptionBox(const QRect &cell) const
    {
        return {cell.left() + kGap, cell.top() + kPad + PictureHeight() + kPad / 2, width, captionHeight};
    }
    static QRect GapBox(const QRect &cell) { return {cell.left(), cell.top(), kGap, cell.height()}; }
};

// Draws the rows of the break point list as the thumbnail grid shows them: a page on the tint
// of its stretch between break points (stretches alternate), as its picture (or a placeholder
// until it comes), crossed out when it is left out of every part, with its number and label;
// a break point as a dashed cut line with its row's picture (the scissors).
class ThumbnailDelegate : public QAbstractItemDelegate {
    Q_OBJECT
public:
    struct Source {
        std::function<QImage(int page)> picture; // a null image while there is none
        std::function<QString(int page)> label; // empty where the document has none
    };

    explicit ThumbnailDelegate(QObject *parent = nullptr);
    void SetSource(Source source) { source_ = std::move(source); }
    void SetMetrics(const ThumbnailMetrics &metrics) { metrics_ = metrics; }
    const ThumbnailMetrics &Metrics() const { return metrics_; }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    // The background of a page of the stretch `stretch` (1, 2, ...): two faint tints by turns,
    // so that every part stands apart from its neighbours.
    static QColor StretchTint(const QPalette &palette, int stretch);
    // The colour the cross over a page left out is drawn in.
    static QColor CrossColour() { return QColor(0xC0, 0x20, 0x20); }
    // The caption of `page`: its number, and its label where it has one other than the number.
    static QString Caption(int page, const QString &label);

private:
    void PaintPage(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const;
    void PaintCut(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const;

    Source source_;
    ThumbnailMetrics metrics_;
};

} // namespace qw
