#include "BufferedMenuDC.h"

#include <QPaintDevice>

namespace qw {

BufferedMenuDC::BufferedMenuDC(QPainter &target, const QRect &rect) : target_(target), rect_(rect)
{
    const QPaintDevice *device = target.device();
    if (!device || device->devType() == QInternal::Printer || rect.isEmpty())
        return;
    const qreal ratio = device->devicePixelRatioF();
    buffer_ = QImage(rect.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    buffer_.setDevicePixelRatio(ratio);
    buffer_.fill(Qt::transparent);
    offScreen_ = painter_.begin(&buffer_);
    if (!offScreen_)
        return;
    painter_.setFont(target.font());
    // The entry is drawn at its own coordinates, as on the target.
    painter_.translate(-rect.topLeft());
}

BufferedMenuDC::~BufferedMenuDC()
{
    if (!offScreen_)
        return;
    painter_.end();
    target_.drawImage(rect_.topLeft(), buffer_);
}

} // namespace qw
