#pragma once

#include <QColor>
#include <QLabel>
#include <QString>

#include <cstdint>

namespace qw {

// The style bits of a static text control that decide how the label fits its text.
namespace StaticStyle {
inline constexpr std::uint32_t Center = 0x1, Right = 0x2, CenterImage = 0x200;
} // namespace StaticStyle

// A static text of a dialog template made into a link: its text in link colours (blue, purple
// once opened, the system highlight colour while the pointer is over it), optionally underlined,
// the window fitted to its text, a hand cursor and the target as tool tip. A click opens the
// target with OpenLink; a failure beeps and explains the error code in a message box.
//
// While the pointer is over the label, the label holds the mouse, so that it sees the pointer
// leave; it lets go when the pointer leaves, and when it is hidden, disabled or destroyed, or its
// window is deactivated. Then its tool tip goes too.
class HyperlinkLabel : public QLabel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HyperlinkLabel)
public:
    // Puts a new HyperlinkLabel in the place of the text label with `id` below `dialogRoot`: same
    // parent, id, geometry, text, font, object name, enabled state, visibility and stacking. The
    // template builder does not keep styles, so the caller passes the template control's
    // `templateStyle`; its alignment bits decide how FitToText keeps the window's place. The
    // target is the text until SetTarget; the font is underlined; the window fits its text.
    // Returns nullptr when no text label has the id; a label that already is a HyperlinkLabel is
    // returned as it is.
    static HyperlinkLabel *SubclassDlgItem(int id, QWidget *dialogRoot, std::uint32_t templateStyle);

    // What a click opens: a web address, a "mailto:" address or a file. The text stays as it is,
    // except that a label without text shows the target; the window fits its text again and the
    // tool tip shows the new target.
    void SetTarget(const QString &target);
    // Underlines the font, or not.
    void SetUnderlined(bool underlined);
    // Shows the label in the visited colour, or again in the link colour.
    void MarkVisited(bool visited);
    // Resizes the window to its text in its font: keeps the left edge, the centre (Center) or the
    // right edge (Right), and the top, or the vertical centre with CenterImage.
    void FitToText();

    // The whole text of the message for an OpenLink error code.
    static QString OpenErrorText(unsigned code);
    // Tells the user, in a message box with the exclamation icon and OK, why the link did not open.
    void ShowOpenError(unsigned code);

    const QString &Target() const { return target_; }
    bool IsVisited() const { return visited_; }
    bool IsOver() const { return over_; }
    bool IsUnderlined() const { return underlined_; }
    // The colour the text is drawn in now: hover, else visited, else link.
    QColor TextColour() const;
    QColor LinkColour() const { return linkColour_; }
    QColor VisitedColour() const { return visitedColour_; }
    QColor HoverColour() const { return hoverColour_; }

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool event(QEvent *event) override;

private:
    HyperlinkLabel(QWidget *parent, std::uint32_t templateStyle);
    void TakePlaceOf(QLabel &original);
    void Attach();
    void ApplyUnderline();
    void Redraw(bool now);
    void TrackHover(const QPoint &pos);
    void BeginHover();
    void EndHover();
    void HideOwnTip();
    void Click();

    const std::uint32_t style_;
    const QColor linkColour_{0x00, 0x00, 0xEE};
    const QColor visitedColour_{0x55, 0x1A, 0x8B};
    const QColor hoverColour_;
    bool over_ = false;
    bool visited_ = false;
    bool underlined_ = true;
    // A left button went down on the label; its release there is a click.
    bool pressed_ = false;
    QString target_;
};

} // namespace qw
