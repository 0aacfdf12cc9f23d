#pragma once

#include <QColor>
#include <QImage>
#include <QPushButton>

#include <array>

class QPainter;

namespace qw {

// Result codes of IconButton's setters.
namespace IconButtonResult {
inline constexpr int Ok = 0;
inline constexpr int NoPictureInfo = 1; // the picture's size or pixels cannot be read
inline constexpr int NoMask = 2; // the transparency mask cannot be made
inline constexpr int BadColourIndex = 3;
inline constexpr int BadPlacement = 4;
inline constexpr int BadPressShift = 6;
} // namespace IconButtonResult

// Indexes of the six state colours.
namespace StateColour {
inline constexpr int HotBackground = 0, HotText = 1, IdleBackground = 2, IdleText = 3, FocusBackground = 4,
                     FocusText = 5, Count = 6;
} // namespace StateColour

// Where the picture goes relative to the caption.
namespace ImagePlacement {
inline constexpr int LeftOfCaption = 0, AboveCaption = 1, RightOfCaption = 2, TopLeftCorner = 3;
} // namespace ImagePlacement

// An owner-drawn push button with a picture and its caption under (or beside) it, background
// and text colours per state, and a flat look that raises a thin border only while the pointer
// is over it. It takes the place of a button that a dialog template made (SubclassDlgItem), so
// layout, caption and id stay those of the template, and then draws everything itself.
//
// The flat look is QPushButton's `flat` property, the default-button state its `default`
// property (the dialog moves it between buttons as the focus moves), and the check state of a
// check-box button its `checked` property: they are always the ones Qt acts on.
class IconButton : public QPushButton {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(IconButton)
public:
    // Flat look, no pictures, system colours, placement 0, press shift (1, 1).
    explicit IconButton(QWidget *parent = nullptr);

    // Puts a new IconButton in the place of the push button (or check box) with `id` below
    // `dialogRoot`: same parent, id, geometry, text, font, object name, enabled state,
    // visibility, focus policy and tab-order position. A default push button makes a default
    // button, a checkable one a check box. The old button and its connections are deleted, so
    // call this before connecting signals. Returns nullptr when no such button exists; a button
    // that already is an IconButton is returned as it is.
    static IconButton *SubclassDlgItem(int id, QWidget *dialogRoot);

    // Loads the bitmap resources and hands them to AssignImageHandles; `idleId` 0 means no idle
    // picture. A resource that cannot be loaded counts as no picture (result 0). A bitmap drawn
    // again at twice its size is taken too, and drawn in its place on a screen of twice the
    // pixel density.
    int AssignImages(int pictureId, QRgb transparent, int idleId, QRgb idleTransparent, bool repaint);
    // Replaces the pictures held: `picture` (none when null) and an optional idle picture shown
    // while the button is neither hot nor pressed. Pixels of the transparent colour show the
    // button's background. 1 or 2 when a picture or its mask cannot be made; the button then
    // holds no picture at all.
    int AssignImageHandles(const QImage &picture, QRgb transparent, const QImage &idlePicture, QRgb idleTransparent,
                           bool repaint);

    // Every setter repaints the whole button when `repaint` is true, and changes nothing when
    // it reports an error.
    int SetStateColour(int index, const QColor &colour, bool repaint); // 3 for an index above 5
    // Back to the system's button face and text colours; also done on every system colour change.
    int ResetStateColours(bool repaint);
    int SetFlatLook(bool flat, bool repaint);
    int SetImagePlacement(int placement, bool repaint); // 4 for a placement above 3
    // Style 0 moves picture and caption by (1, 1) while pressed, style 1 by (0, 2); 6 otherwise.
    int SetPressShift(int style, bool repaint);
    // Only a check box changes: checked for any non-zero state.
    int SetCheckState(int state, bool repaint);
    int GetCheckState() const;

    bool isHot() const { return hot_; }
    bool isCheckBox() const { return checkBox_; }
    int placement() const { return placement_; }
    QPoint pressShift() const { return pressShift_; }
    QColor stateColour(int index) const;
    // The size of the picture in slot 0 (the picture) or 1 (the idle picture); empty when none.
    QSize imageSize(int slot) const;

protected:
    // The four drawing steps of one frame, in the order paintEvent calls them. Rectangles are
    // in widget pixels.

    // Fills the background in the state's colour; in the three-dimensional look a focused or
    // default button first gets a black frame, and `rect` shrinks by it.
    virtual void DrawBackground(QPainter &painter, QRect &rect);
    virtual void DrawBorder(QPainter &painter, const QRect &rect);
    // Draws the picture placed by PlaceImage and moves `captionRect` out of its way.
    virtual void DrawImage(QPainter &painter, bool hasCaption, const QRect &itemRect, QRect &captionRect, bool pressed,
                           bool disabled);
    virtual void DrawCaption(QPainter &painter, const QString &caption, const QRect &itemRect, QRect &captionRect,
                             bool pressed, bool disabled);
    // The rectangle a `width` by `height` picture is drawn at; adjusts `captionRect`.
    QRect PlaceImage(bool hasCaption, const QRect &itemRect, QRect &captionRect, bool pressed, int width,
                     int height) const;

    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool event(QEvent *event) override;
    bool hitButton(const QPoint &pos) const override;

private:
    struct Picture {
        QImage image; // RGB32, its transparent pixels blackened
        QImage mask; // monochrome: 1 where the picture has its transparent colour
        QImage masked; // the picture with the mask as transparency, ready to draw
        QRgb transparent = 0;
        // The drawing at twice the size, masked the same way, with a device pixel ratio of 2 so
        // that it covers the picture's place; none when there is no such drawing.
        QImage twiceMasked;
        QImage twiceShape; // what the disabled look embosses from it
    };

    static QImage MakeTransparencyMask(QImage &picture, int width, int height, QRgb transparent);
    static int AdoptPicture(Picture &slot, const QImage &source, QRgb transparent);
    static void AdoptDoubleSize(Picture &slot, const QImage &source);
    // Whether `painter`'s device has twice as many device pixels and `picture` a drawing at
    // twice the size to fill them.
    static bool DrawsDoubleSize(const QPainter &painter, const Picture &picture);
    void ReleaseImages();
    void DrawDisabledImage(QPainter &painter, const Picture &picture, const QPoint &at) const;
    void TrackHover(Qt::MouseButtons buttons, const QPoint &pos);
    void EndHover();
    void GiveFocusAway();
    void TakePlaceOf(QAbstractButton &original);
    void Repaint(bool repaint);

    bool hot_ = false;
    // The state of the frame being drawn, taken at every paint.
    bool pressed_ = false;
    bool focused_ = false;
    bool disabled_ = false;
    bool checkBox_ = false;
    int placement_ = ImagePlacement::LeftOfCaption;
    QPoint pressShift_{1, 1};
    QPoint imageMargin_{3, 3};
    std::array<QColor, StateColour::Count> stateColours_;
    std::array<Picture, 2> images_;
    bool showDisabledImage_ = true;
    // The application palette the state colours were last reset from.
    qint64 systemPaletteKey_ = 0;
    // Set when Qt moved the focus away because this button was being disabled.
    bool lostFocusByDisabling_ = false;
};

} // namespace qw
