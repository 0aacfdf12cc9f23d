#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>

namespace qw {

// Draws one menu entry off-screen and copies it to the target in one block when it ends.
// Drawing coordinates stay those of the target. A target that is not a screen surface (a
// printer) is drawn into directly.
class BufferedMenuDC {
public:
    BufferedMenuDC(QPainter &target, const QRect &rect);
    ~BufferedMenuDC();
    Q_DISABLE_COPY_MOVE(BufferedMenuDC)

    QPainter &dc() { return offScreen_ ? painter_ : target_; }
    bool IsOffScreen() const { return offScreen_; }

private:
    QPainter &target_;
    QRect rect_;
    QImage buffer_;
    QPainter painter_;
    bool offScreen_ = false;
};

} // namespace qw
