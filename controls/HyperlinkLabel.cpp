#include "HyperlinkLabel.h"

#include "OpenLink.h"
#include "framework/AppMessageBox.h"
#include "framework/DialogBuilder.h"
#include "framework/SystemColours.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QToolTip>

namespace qw {

namespace {

struct OpenError {
    unsigned code;
    const char *text;
};

//: Why a link could not be opened, shown below "Unable to open hyperlink:"
constexpr OpenError kOpenErrors[] = {
    {0, QT_TRANSLATE_NOOP("qw::HyperlinkLabel", "The operating system is out\nof memory or resources.")},
    {2, QT_TRANSLATE_NOOP("qw::HyperlinkLabel", "The specified file was not found.")},
    {3, QT_TRANSLATE_NOOP("qw::HyperlinkLabel", "The specified path was not found.")},
    {5, QT_TRANSLATE_NOOP("qw::HyperlinkLabel", "The operating system denied\naccess to the specified file.")},
    {8, QT_TRANSLATE_NOOP("qw::HyperlinkLabel", "There was not enough memory to complete the operation.")},
    {11, QT_TRANSLATE_NOOP("qw::HyperlinkLabel", "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).")},
    {26, QT_TRANSLATE_NOOP("qw::HyperlinkLabel", "A sharing violation occurred. ")},
    {27, QT_TRANSLATE_NOOP("qw::HyperlinkLabel", "The filename association is\nincomplete or invalid.")},
    {28, QT_TRANSLATE_NOOP("qw::HyperlinkLabel", "The DDE transaction could not\nbe completed because the request timed out.")},
    {29, QT_TRANSLATE_NOOP("qw::HyperlinkLabel", "The DDE transaction failed.")},
    {30, QT_TRANSLATE_NOOP("qw::HyperlinkLabel", "The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed.")},
    {31, QT_TRANSLATE_NOOP("qw::HyperlinkLabel", "There is no application associated\nwith the given filename extension.")},
    {32, QT_TRANSLATE_NOOP("qw::HyperlinkLabel", "The specified dynamic-link library was not found.")},
};

} // namespace

HyperlinkLabel::HyperlinkLabel(QWidget *parent, std::uint32_t templateStyle)
    : QLabel(parent), style_(templateStyle), hoverColour_(GetSysColour(SysColour::Highlight))
{
    setMouseTracking(true);
}

HyperlinkLabel *HyperlinkLabel::SubclassDlgItem(int id, QWidget *dialogRoot, std::uint32_t templateStyle)
{
    auto *original = qobject_cast<QLabel *>(DialogBuilder::ControlById(dialogRoot, id));
    if (!original)
        return nullptr;
    if (auto *already = qobject_cast<HyperlinkLabel *>(original))
        return already;
    // An icon is no text to link.
    if (!original->pixmap().isNull())
        return nullptr;
    auto *label = new HyperlinkLabel(original->parentWidget(), templateStyle);
    label->TakePlaceOf(*original);
    delete original;
    label->Attach();
    return label;
}

void HyperlinkLabel::TakePlaceOf(QLabel &original)
{
    setTextFormat(original.textFormat());
    setText(original.text());
    DialogBuilder::TakePlace(*this, original);
}

// Clicks reach a label without asking for them, so nothing stands for the notify style.
void HyperlinkLabel::Attach()
{
    // Attached before its owner can name a target, the label first links to its own text.
    target_ = text();
    ApplyUnderline();
    Redraw(false);
    FitToText();
    setCursor(Qt::PointingHandCursor);
    setToolTip(target_);
}

void HyperlinkLabel::SetTarget(const QString &target)
{
    target_ = target;
    // A label is attached before its owner knows the target; an empty one would stay an
    // invisible link of no width.
    if (text().isEmpty())
        setText(target_);
    FitToText();
    setToolTip(target_);
}

void HyperlinkLabel::SetUnderlined(bool underlined)
{
    underlined_ = underlined;
    ApplyUnderline(); // a new font repaints the label
}

void HyperlinkLabel::ApplyUnderline()
{
    QFont linkFont = font();
    linkFont.setUnderline(underlined_);
    setFont(linkFont);
}

void HyperlinkLabel::MarkVisited(bool visited)
{
    visited_ = visited;
    Redraw(false);
}

QColor HyperlinkLabel::TextColour() const
{
    if (over_)
        return hoverColour_;
    return visited_ ? visitedColour_ : linkColour_;
}

// The label's own painting draws the text in the palette's window-text colour; without a filled
// background the dialog shows through. A disabled label keeps the system's disabled colour.
void HyperlinkLabel::Redraw(bool now)
{
    QPalette colours = palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        colours.setColor(group, QPalette::WindowText, TextColour());
    setPalette(colours);
    if (now)
        repaint();
    else
        update();
}

void HyperlinkLabel::FitToText()
{
    const QFontMetrics metrics(font());
    const int textWidth = metrics.horizontalAdvance(text());
    const int textHeight = metrics.height();
    const QRect window = geometry();
    int left = window.x(), top = window.y();
    int right = left + window.width(), bottom = top + window.height();
    // Halvings truncate toward zero, so a text larger than the window grows it on both sides.
    if (style_ & StaticStyle::CenterImage) {
        const int shrink = (window.height() - textHeight) / 2;
        top += shrink;
        bottom -= shrink;
    } else {
        bottom = top + textHeight;
    }
    if (style_ & StaticStyle::Center) {
        const int shrink = (window.width() - textWidth) / 2;
        left += shrink;
        right -= shrink;
    } else if (style_ & StaticStyle::Right) {
        left = right - textWidth;
    } else {
        right = left + textWidth;
    }
    setGeometry(left, top, right - left, bottom - top);
}

QString HyperlinkLabel::OpenErrorText(unsigned code)
{
    //: %1 is an error number
    QString reason = tr("Unknown Error (%1) occurred.").arg(code);
    for (const OpenError &error : kOpenErrors)
        if (error.code == code)
            reason = tr(error.text);
    return tr("Unable to open hyperlink:\n\n") + reason;
}

void HyperlinkLabel::ShowOpenError(unsigned code)
{
    // A grab kept by the label would take the message box's clicks.
    EndHover();
    AppMessageBox::Show(window(), OpenErrorText(code), MsgBox::IconExclamation | MsgBox::Ok);
}

void HyperlinkLabel::mouseMoveEvent(QMouseEvent *event)
{
    QLabel::mouseMoveEvent(event);
    TrackHover(event->position().toPoint());
}

void HyperlinkLabel::TrackHover(const QPoint &pos)
{
    const bool inside = rect().contains(pos);
    if (over_) {
        if (!inside)
            EndHover();
        return;
    }
    // Moves from outside reach the label only while a button pressed on it holds the mouse;
    // they do not bring the pointer over it.
    if (inside)
        BeginHover();
}

void HyperlinkLabel::BeginHover()
{
    over_ = true;
    Redraw(true);
    grabMouse();
}

void HyperlinkLabel::EndHover()
{
    HideOwnTip();
    if (!over_)
        return;
    over_ = false;
    if (mouseGrabber() == this)
        releaseMouse();
    Redraw(true);
}

// Left to itself, the tip stays its full ten seconds after the pointer has gone, over whatever
// lies beside the label (in the About box, the other link). The tip shown may be another
// widget's; its text tells whether it is this label's.
void HyperlinkLabel::HideOwnTip()
{
    if (QToolTip::isVisible() && QToolTip::text() == toolTip())
        QToolTip::hideText();
}

void HyperlinkLabel::mousePressEvent(QMouseEvent *event)
{
    QLabel::mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        pressed_ = rect().contains(event->position().toPoint());
    event->accept();
}

void HyperlinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    const bool click = pressed_ && rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click)
        Click();
}

void HyperlinkLabel::Click()
{
    const unsigned result = OpenLink(target_, ShowCmd::Show);
    if (LinkResult::Succeeded(result)) {
        MarkVisited(true);
        return;
    }
    visited_ = false;
    Redraw(false);
    QApplication::beep();
    ShowOpenError(result);
}

// A pointer that leaves by a way the grab does not see (another window, a platform without
// grabs) is gone all the same.
void HyperlinkLabel::leaveEvent(QEvent *event)
{
    QLabel::leaveEvent(event);
    EndHover();
}

void HyperlinkLabel::hideEvent(QHideEvent *event)
{
    QLabel::hideEvent(event);
    EndHover();
}

// A disabled label gets no mouse events, so it could never see the pointer leave.
void HyperlinkLabel::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        EndHover();
}

bool HyperlinkLabel::event(QEvent *event)
{
    const bool handled = QLabel::event(event);
    if (event->type() == QEvent::WindowDeactivate)
        EndHover();
    return handled;
}

} // namespace qw
