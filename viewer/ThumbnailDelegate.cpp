#include "ThumbnailDelegate.h"

#include "core/PageRows.h"

#include <QIcon>
#include <QPainter>

namespace qw {

namespace {

QColor mixed(const QColor &base, const QColor &tint, double share)
{
    return QColor::fromRgbF(float(base.redF() * (1 - share) + tint.redF() * share),
                            float(base.greenF() * (1 - share) + tint.greenF() * share),
                            float(base.blueF() * (1 - share) + tint.blueF() * share));
}

} // namespace

ThumbnailDelegate::ThumbnailDelegate(QObject *parent) : QAbstractItemDelegate(parent) { }

QColor ThumbnailDelegate::StretchTint(const QPalette &palette, int stretch)
{
    const QColor base = palette.color(QPalette::Base);
    // The selection's own hue, and a warm one beside it: told apart without shouting.
    return stretch % 2 ? mixed(base, palette.color(QPalette::Highlight), 0.12) : mixed(base, QColor(0xE0, 0x90, 0x20), 0.12);
}

QString ThumbnailDelegate::Caption(int page, const QString &label)
{
    const QString number = QString::number(page);
    return label.isEmpty() || label == number ? number : number + QStringLiteral(" \u00b7 ") + label;
}

QSize ThumbnailDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &index) const
{
    const bool cut = index.data(PageRows::KindRole).toInt() == PageRows::BreakPoint;
    return {cut ? ThumbnailMetrics::kCutWidth : metrics_.PageCellWidth(), metrics_.CellHeight()};
}

void ThumbnailDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    painter->save();
    if (index.data(PageRows::KindRole).toInt() == PageRows::BreakPoint)
        PaintCut(painter, option, index);
    else
        PaintPage(painter, option, index);
    painter->restore();
}

void ThumbnailDelegate::PaintPage(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const int page = index.data(PageRows::PageRole).toInt();
    const bool leftOut = index.data(PageRows::LeftOutRole).toBool();
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette &palette = option.palette;
    const QRect cell = option.rect;
    // A page left out belongs to no part, so it has no part's tint.
    painter->fillRect(cell, leftOut ? palette.color(QPalette::Base)
                                    : StretchTint(palette, index.data(PageRows::StretchRole).toInt()));

    const QRect box = metrics_.PictureBox(cell);
    const QImage picture = source_.picture ? source_.picture(page) : QImage();
    QRect drawn = box;
    if (picture.isNull()) {
        painter->fillRect(box, palette.color(QPalette::Midlight));
    } else {
        // The page keeps its shape inside the box, at the top and in the middle.
        QSizeF size = picture.deviceIndependentSize();
        size.scale(box.size(), Qt::KeepAspectRatio);
        drawn = QRect(box.left() + (box.width() - qRound(size.width())) / 2, box.top(), qRound(size.width()),
                      qRound(size.height()));
        painter->setRenderHint(QPainter::SmoothPixmapTransform);
        painter->drawImage(drawn, picture);
    }
    painter->setPen(palette.color(QPalette::Mid));
    painter->drawRect(drawn.adjusted(0, 0, -1, -1));
    if (leftOut) {
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(CrossColour(), 3));
        painter->drawLine(drawn.topLeft(), drawn.bottomRight());
        painter->drawLine(drawn.topRight(), drawn.bottomLeft());
    }
    if (selected) {
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->setPen(QPen(palette.color(QPalette::Highlight), 3));
        painter->drawRect(drawn.adjusted(-2, -2, 1, 1));
    }

    const QRect caption = metrics_.CaptionBox(cell);
    if (selected)
        painter->fillRect(caption, palette.color(QPalette::Highlight));
    painter->setPen(selected ? palette.color(QPalette::HighlightedText)
                    : leftOut ? palette.color(QPalette::Disabled, QPalette::Text)
                              : palette.color(QPalette::Text));
    painter->setFont(option.font);
    const QString text = Caption(page, source_.label ? source_.label(page) : QString());
    painter->drawText(caption, Qt::AlignCenter, option.fontMetrics.elidedText(text, Qt::ElideRight, caption.width()));
}

void ThumbnailDelegate::PaintCut(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QRect cell = option.rect;
    const QPalette &palette = option.palette;
    const bool selected = option.state & QStyle::State_Selected;
    const QColor background = palette.color(selected ? QPalette::Highlight : QPalette::Base);
    // It covers the gap of its page, whose tint would make the two parts look like one.
    painter->fillRect(cell, background);
    const int x = cell.center().x();
    painter->setPen(QPen(palette.color(selected ? QPalette::HighlightedText : QPalette::Text), 1, Qt::DashLine));
    painter->drawLine(x, cell.top() + ThumbnailMetrics::kPad, x, cell.bottom() - ThumbnailMetrics::kPad);
    const QIcon scissors = index.data(Qt::DecorationRole).value<QIcon>();
    if (!scissors.isNull()) {
        const int side = qMin(16, cell.width() - 2);
        const QRect place(x - side / 2, metrics_.PictureBox(cell).center().y() - side / 2, side, side);
        painter->fillRect(place, background);
        scissors.paint(painter, place);
    }
}

} // namespace qw
