#include "IconButton.h"

#include "framework/Bevel.h"
#include "framework/DialogBuilder.h"
#include "framework/ResourceStore.h"
#include "framework/SystemColours.h"

#include <QFocusEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QRadioButton>

#include <initializer_list>

namespace qw {

namespace {

constexpr QRgb kWhite = 0xFFFFFF;

// Rectangles here follow the drawing rules of the look they reproduce: right and bottom are
// the first column and row outside the rectangle.
int rightOf(const QRect &rect)
{
    return rect.x() + rect.width();
}

int bottomOf(const QRect &rect)
{
    return rect.y() + rect.height();
}

// Joined horizontal and vertical one-pixel lines through `points`; like a pen's line, each
// leaves out its end point, so only the last point of the whole line stays undrawn.
void polyline(QPainter &painter, std::initializer_list<QPoint> points, const QColor &colour)
{
    const QPoint *from = points.begin();
    for (const QPoint *to = from + 1; to != points.end(); from = to++) {
        if (from->x() == to->x()) {
            const int step = to->y() > from->y() ? 1 : -1;
            const int first = from->y(), last = to->y() - step;
            if (first * step <= last * step)
                painter.fillRect(QRect(from->x(), qMin(first, last), 1, qAbs(last - first) + 1), colour);
        } else if (from->y() == to->y()) {
            const int step = to->x() > from->x() ? 1 : -1;
            const int first = from->x(), last = to->x() - step;
            if (first * step <= last * step)
                painter.fillRect(QRect(qMin(first, last), from->y(), qAbs(last - first) + 1, 1), colour);
        }
    }
}

// The system focus rectangle: every other pixel of the outline inverted, so it shows on any
// background and drawing it twice takes it away.
void drawFocusRect(QPainter &painter, const QRect &rect)
{
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    painter.save();
    const bool canInvert = painter.paintEngine() && painter.paintEngine()->hasFeature(QPaintEngine::RasterOpModes);
    if (canInvert)
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const QColor ink = canInvert ? QColor(Qt::white) : GetSysColour(SysColour::BtnText);
    auto dot = [&](int x, int y) {
        if (((x + y) & 1) == 0)
            painter.fillRect(QRect(x, y, 1, 1), ink);
    };
    const int right = rightOf(rect) - 1, bottom = bottomOf(rect) - 1;
    for (int x = rect.x(); x <= right; ++x) {
        dot(x, rect.y());
        if (bottom != rect.y())
            dot(x, bottom);
    }
    for (int y = rect.y() + 1; y < bottom; ++y) {
        dot(rect.x(), y);
        if (right != rect.x())
            dot(right, y);
    }
    painter.restore();
}

// What the disabled look embosses: the picture's pixels that are neither transparent nor
// white, as the picture turned into a monochrome shape.
QImage embossedShape(const QImage &picture, const QImage &mask)
{
    return Bevel::ShapeOf(picture.size(), [&](int x, int y) {
        return mask.pixelIndex(x, y) == 0 && (picture.pixel(x, y) & kWhite) != kWhite;
    });
}

} // namespace

IconButton::IconButton(QWidget *parent) : QPushButton(parent)
{
    setFlat(true);
    setMouseTracking(true);
    SetPressShift(0, false);
    ResetStateColours(false);
    // A click gives the button the focus before anybody else hears of it, however it came.
    connect(this, &QAbstractButton::clicked, this, [this] { setFocus(Qt::OtherFocusReason); });
}

IconButton *IconButton::SubclassDlgItem(int id, QWidget *dialogRoot)
{
    auto *original = qobject_cast<QAbstractButton *>(DialogBuilder::ControlById(dialogRoot, id));
    if (!original)
        return nullptr;
    if (auto *already = qobject_cast<IconButton *>(original))
        return already;
    auto *button = new IconButton(original->parentWidget());
    button->TakePlaceOf(*original);
    delete original;
    return button;
}

void IconButton::TakePlaceOf(QAbstractButton &original)
{
    setText(original.text());
    setFocusPolicy(original.focusPolicy());
    DialogBuilder::TakePlace(*this, original);

    // The template's button type: a check box toggles, a default push button is the default.
    checkBox_ = original.isCheckable() && !qobject_cast<QRadioButton *>(&original);
    setCheckable(checkBox_);
    setChecked(checkBox_ && original.isChecked());
    auto *push = qobject_cast<QPushButton *>(&original);
    setAutoDefault(push && push->autoDefault());
    setDefault(push && push->isDefault());

    if (original.hasFocus())
        setFocus(Qt::OtherFocusReason);
}

int IconButton::AssignImages(int pictureId, QRgb transparent, int idleId, QRgb idleTransparent, bool repaint)
{
    const QImage picture = ResourceStore::LoadBitmap(pictureId);
    const QImage idle = idleId != 0 ? ResourceStore::LoadBitmap(idleId) : QImage();
    const int result = AssignImageHandles(picture, transparent, idle, idleTransparent, repaint);
    if (result == IconButtonResult::Ok) {
        AdoptDoubleSize(images_[0], ResourceStore::LoadBitmap(pictureId, 2));
        if (idleId != 0)
            AdoptDoubleSize(images_[1], ResourceStore::LoadBitmap(idleId, 2));
    }
    return result;
}

int IconButton::AssignImageHandles(const QImage &picture, QRgb transparent, const QImage &idlePicture,
                                   QRgb idleTransparent, bool repaint)
{
    ReleaseImages();
    int result = IconButtonResult::Ok;
    if (!picture.isNull()) {
        result = AdoptPicture(images_[0], picture, transparent);
        if (result == IconButtonResult::Ok && !idlePicture.isNull())
            result = AdoptPicture(images_[1], idlePicture, idleTransparent);
        if (result != IconButtonResult::Ok)
            ReleaseImages();
    }
    Repaint(repaint);
    return result;
}

int IconButton::AdoptPicture(Picture &slot, const QImage &source, QRgb transparent)
{
    QImage image = source.convertToFormat(QImage::Format_RGB32);
    if (image.isNull() || image.width() <= 0 || image.height() <= 0)
        return IconButtonResult::NoPictureInfo;
    QImage mask = MakeTransparencyMask(image, image.width(), image.height(), transparent);
    if (mask.isNull())
        return IconButtonResult::NoMask;
    QImage masked = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (masked.isNull())
        return IconButtonResult::NoMask;
    for (int y = 0; y < masked.height(); ++y) {
        auto *pixels = reinterpret_cast<QRgb *>(masked.scanLine(y));
        for (int x = 0; x < masked.width(); ++x)
            if (mask.pixelIndex(x, y) == 1)
                pixels[x] = 0;
    }
    slot = Picture{std::move(image), std::move(mask), std::move(masked), transparent, {}, {}};
    return IconButtonResult::Ok;
}

void IconButton::AdoptDoubleSize(Picture &slot, const QImage &source)
{
    // Only a drawing that covers the picture's place exactly can stand in for it.
    if (slot.image.isNull() || source.size() != slot.image.size() * 2)
        return;
    Picture twice;
    if (AdoptPicture(twice, source, slot.transparent) != IconButtonResult::Ok)
        return;
    slot.twiceMasked = twice.masked;
    slot.twiceMasked.setDevicePixelRatio(2);
    slot.twiceShape = embossedShape(twice.image, twice.mask);
    slot.twiceShape.setDevicePixelRatio(2);
}

bool IconButton::DrawsDoubleSize(const QPainter &painter, const Picture &picture)
{
    return !picture.twiceMasked.isNull() && painter.device() && painter.device()->devicePixelRatio() >= 2;
}

QImage IconButton::MakeTransparencyMask(QImage &picture, int width, int height, QRgb transparent)
{
    QImage mask(width, height, QImage::Format_Mono);
    if (mask.isNull())
        return mask;
    mask.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    const QRgb key = transparent & kWhite;
    for (int y = 0; y < height; ++y) {
        auto *pixels = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const bool isTransparent = (pixels[x] & kWhite) == key;
            mask.setPixel(x, y, isTransparent ? 1 : 0);
            // Blackened once here, the transparent pixels add nothing where the picture is laid
            // over the masked background.
            if (isTransparent)
                pixels[x] = qRgb(0, 0, 0);
        }
    }
    return mask;
}

void IconButton::ReleaseImages()
{
    images_ = {};
}

int IconButton::SetStateColour(int index, const QColor &colour, bool repaint)
{
    if (index < 0 || index >= StateColour::Count)
        return IconButtonResult::BadColourIndex;
    stateColours_[index] = colour;
    Repaint(repaint);
    return IconButtonResult::Ok;
}

int IconButton::ResetStateColours(bool repaint)
{
    systemPaletteKey_ = QGuiApplication::palette().cacheKey();
    for (int index : {StateColour::HotBackground, StateColour::IdleBackground, StateColour::FocusBackground})
        stateColours_[index] = GetSysColour(SysColour::BtnFace);
    for (int index : {StateColour::HotText, StateColour::IdleText, StateColour::FocusText})
        stateColours_[index] = GetSysColour(SysColour::BtnText);
    Repaint(repaint);
    return IconButtonResult::Ok;
}

int IconButton::SetFlatLook(bool flat, bool repaint)
{
    setFlat(flat);
    // Only the flat look has a hot state; left on, it would stick in the other look.
    if (!flat)
        hot_ = false;
    Repaint(repaint);
    return IconButtonResult::Ok;
}

int IconButton::SetImagePlacement(int placement, bool repaint)
{
    if (placement < ImagePlacement::LeftOfCaption || placement > ImagePlacement::TopLeftCorner)
        return IconButtonResult::BadPlacement;
    placement_ = placement;
    Repaint(repaint);
    return IconButtonResult::Ok;
}

int IconButton::SetPressShift(int style, bool repaint)
{
    if (style != 0 && style != 1)
        return IconButtonResult::BadPressShift;
    pressShift_ = style == 0 ? QPoint(1, 1) : QPoint(0, 2);
    Repaint(repaint);
    return IconButtonResult::Ok;
}

int IconButton::SetCheckState(int state, bool repaint)
{
    if (checkBox_) {
        setChecked(state != 0);
        Repaint(repaint);
    }
    return IconButtonResult::Ok;
}

int IconButton::GetCheckState() const
{
    return checkBox_ && isChecked() ? 1 : 0;
}

QColor IconButton::stateColour(int index) const
{
    return index >= 0 && index < StateColour::Count ? stateColours_[index] : QColor();
}

QSize IconButton::imageSize(int slot) const
{
    return slot == 0 || slot == 1 ? images_[slot].image.size() : QSize();
}

void IconButton::Repaint(bool repaint)
{
    if (repaint)
        update();
}

void IconButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    pressed_ = isDown() || (checkBox_ && isChecked());
    focused_ = hasFocus();
    disabled_ = !isEnabled();

    const QRect item = rect();
    QRect work = item;
    DrawBackground(painter, work);
    DrawBorder(painter, work);

    const QString caption = text();
    QRect captionRect = item;
    if (!images_[0].image.isNull())
        DrawImage(painter, !caption.isEmpty(), item, captionRect, pressed_, disabled_);
    if (!caption.isEmpty())
        DrawCaption(painter, caption, item, captionRect, pressed_, disabled_);
    if (!isFlat() && focused_)
        drawFocusRect(painter, work.adjusted(3, 3, -3, -3));
}

void IconButton::DrawBackground(QPainter &painter, QRect &rect)
{
    if (!isFlat() && (focused_ || isDefault())) {
        Bevel::FrameRect(painter, rect, Qt::black);
        rect.adjust(1, 1, -1, -1);
    }
    int index = StateColour::IdleBackground;
    if (hot_ || pressed_)
        index = StateColour::HotBackground;
    else if (focused_)
        index = StateColour::FocusBackground;
    painter.fillRect(rect, stateColours_[index]);
}

void IconButton::DrawBorder(QPainter &painter, const QRect &rect)
{
    const QColor highlight = GetSysColour(SysColour::BtnHighlight);
    const QColor shadow = GetSysColour(SysColour::BtnShadow);
    if (pressed_) {
        if (isFlat())
            Bevel::DrawSunken(painter, rect);
        else
            Bevel::FrameRect(painter, rect, shadow);
        return;
    }
    if (isFlat()) {
        if (hot_)
            Bevel::DrawRaised(painter, rect);
        return;
    }
    const int l = rect.x(), t = rect.y(), r = rightOf(rect), b = bottomOf(rect);
    polyline(painter, {{l, b - 1}, {l, t}, {r, t}}, highlight);
    polyline(painter, {{l + 1, b - 1}, {l + 1, t + 1}, {r, t + 1}}, GetSysColour(SysColour::Light3D));
    polyline(painter, {{l, b - 1}, {r - 1, b - 1}, {r - 1, t - 1}}, GetSysColour(SysColour::DarkShadow3D));
    polyline(painter, {{l + 1, b - 2}, {r - 2, b - 2}, {r - 2, t}}, shadow);
}

QRect IconButton::PlaceImage(bool hasCaption, const QRect &itemRect, QRect &captionRect, bool pressed, int width,
                             int height) const
{
    // Halvings truncate toward zero, so a picture larger than the button overhangs both sides.
    const int centreX = itemRect.x() + (itemRect.width() - width) / 2;
    const int centreY = itemRect.y() + (itemRect.height() - height) / 2;
    QPoint at = itemRect.topLeft();
    switch (placement_) {
    case ImagePlacement::LeftOfCaption:
        if (hasCaption) {
            at = {itemRect.x() + imageMargin_.x(), centreY};
            captionRect.setLeft(captionRect.left() + width + imageMargin_.x());
        } else {
            at = {centreX, centreY};
        }
        break;
    case ImagePlacement::AboveCaption:
        if (hasCaption) {
            at = {centreX, imageMargin_.y()};
            captionRect.setTop(captionRect.top() + height);
        } else {
            at = {centreX, centreY};
        }
        break;
    case ImagePlacement::RightOfCaption:
        if (hasCaption) {
            const int captionRight = captionRect.width() - width - imageMargin_.x();
            captionRect.setLeft(imageMargin_.x());
            captionRect.setRight(captionRight - 1);
            at = {rect().width() - width - imageMargin_.x(), centreY};
        } else {
            at = {centreX, itemRect.y()};
        }
        break;
    default: break;
    }
    if (pressed && !checkBox_)
        at += pressShift_;
    return QRect(at, QSize(width, height));
}

void IconButton::DrawImage(QPainter &painter, bool hasCaption, const QRect &itemRect, QRect &captionRect, bool pressed,
                           bool disabled)
{
    const bool cold = checkBox_ ? !pressed : !pressed && !hot_;
    const Picture &picture = !images_[1].image.isNull() && cold ? images_[1] : images_[0];
    const QRect place
        = PlaceImage(hasCaption, itemRect, captionRect, pressed, picture.image.width(), picture.image.height());
    if (disabled && showDisabledImage_)
        DrawDisabledImage(painter, picture, place.topLeft());
    else
        painter.drawImage(place.topLeft(), DrawsDoubleSize(painter, picture) ? picture.twiceMasked : picture.masked);
}

void IconButton::DrawDisabledImage(QPainter &painter, const Picture &picture, const QPoint &at) const
{
    Bevel::DrawEmbossed(painter, at,
                        DrawsDoubleSize(painter, picture) ? picture.twiceShape
                                                          : embossedShape(picture.image, picture.mask));
}

void IconButton::DrawCaption(QPainter &painter, const QString &caption, const QRect &itemRect, QRect &captionRect,
                             bool pressed, bool disabled)
{
    Q_UNUSED(itemRect);
    if (pressed && !checkBox_)
        captionRect.translate(pressShift_);
    const QRect frame = captionRect;
    constexpr int flags = Qt::TextWordWrap | Qt::AlignHCenter | Qt::TextShowMnemonic;
    painter.setFont(font());
    // Measured from the frame's left edge, like a text measured into a rectangle, then centred.
    const QSize measured = painter.boundingRect(QRect(frame.x(), frame.y(), frame.width(), 0), flags, caption).size();
    const QRect textRect
        = QRect(frame.topLeft(), measured)
              .translated((frame.width() - measured.width()) / 2, (frame.height() - measured.height()) / 2);
    if (disabled) {
        painter.setPen(GetSysColour(SysColour::BtnHighlight));
        painter.drawText(textRect.translated(1, 1), flags, caption);
        painter.setPen(GetSysColour(SysColour::BtnShadow));
        painter.drawText(textRect, flags, caption);
        return;
    }
    int index = StateColour::IdleText;
    if (hot_ || pressed)
        index = StateColour::HotText;
    else if (focused_)
        index = StateColour::FocusText;
    painter.setPen(stateColours_[index]);
    painter.drawText(textRect, flags, caption);
}

void IconButton::mouseMoveEvent(QMouseEvent *event)
{
    QPushButton::mouseMoveEvent(event);
    TrackHover(event->buttons(), event->position().toPoint());
}

void IconButton::TrackHover(Qt::MouseButtons buttons, const QPoint &pos)
{
    // Moving in with the left button held (a drag that began elsewhere) does not make it hot.
    if ((buttons & Qt::LeftButton) && !hot_)
        return;
    if (!isFlat())
        return;
    // Moves reach this button only while the pointer is over it or it holds the mouse (pressed
    // here and dragged out), so being inside the rectangle is being the window under the pointer.
    if (rect().contains(pos)) {
        if (!hot_) {
            hot_ = true;
            update();
        }
    } else {
        EndHover();
    }
}

void IconButton::EndHover()
{
    if (isFlat() && hot_) {
        hot_ = false;
        update();
    }
}

void IconButton::leaveEvent(QEvent *event)
{
    QPushButton::leaveEvent(event);
    EndHover();
}

void IconButton::focusOutEvent(QFocusEvent *event)
{
    QPushButton::focusOutEvent(event);
    // Qt moves the focus of a widget being disabled before it reports the change.
    lostFocusByDisabling_ = !isEnabled();
    EndHover();
}

void IconButton::changeEvent(QEvent *event)
{
    QPushButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        if (lostFocusByDisabling_) {
            lostFocusByDisabling_ = false;
            GiveFocusAway();
        }
        EndHover();
    }
}

// The next tab stop of the dialog after this button, wrapping round; the dialog itself when
// there is no other.
void IconButton::GiveFocusAway()
{
    QWidget *dialog = window();
    for (QWidget *next = nextInFocusChain(); next && next != this; next = next->nextInFocusChain()) {
        if (next != dialog && dialog->isAncestorOf(next) && next->isEnabled() && next->isVisible()
            && (next->focusPolicy() & Qt::TabFocus) && !next->focusProxy()) {
            next->setFocus(Qt::TabFocusReason);
            return;
        }
    }
    dialog->setFocus(Qt::OtherFocusReason);
}

bool IconButton::event(QEvent *event)
{
    const bool handled = QPushButton::event(event);
    switch (event->type()) {
    case QEvent::WindowDeactivate: EndHover(); break;
    // Qt tells a child of a new application palette only as a change of its own palette, and
    // a palette set on a parent looks the same: only new system colours reset the state
    // colours, and then the owner's choices give way to them.
    case QEvent::ApplicationPaletteChange:
    case QEvent::PaletteChange:
        if (QGuiApplication::palette().cacheKey() != systemPaletteKey_)
            ResetStateColours(true);
        break;
    default: break;
    }
    return handled;
}

// The whole button is its face: there is no margin around a drawn bevel.
bool IconButton::hitButton(const QPoint &pos) const
{
    return rect().contains(pos);
}

} // namespace qw
