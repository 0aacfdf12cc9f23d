#include "ViewerHost.h"

#include "controls/OpenLink.h"
#include "framework/AppMessageBox.h"

#include <QLabel>
#include <QPainter>
#include <QResizeEvent>
#include <QTextOption>

namespace qw {

namespace {

constexpr QRect kControlStartRect(0, 0, 1000, 800);
constexpr const char *kControlName = "AdobeWnd";
// Room kept free around a message, so that it never touches the pane's edges.
constexpr int kMessageMargin = 24;
//: Asked when the document preview cannot be made; Yes opens the reader's download page
constexpr const char *kReaderMissingPrompt = QT_TRANSLATE_NOOP(
    "qw::ViewerHost", "Failed to create adobe window, your system hasn't Adobe Reader "
                                             "installed, would you download and install Adobe Reader now?");

} // namespace

int ViewerHost::Create(const QRect &position, QWidget *parent)
{
    if (!parent)
        return 0;
    setParent(parent);
    setGeometry(position);
    grid_.setParent(this);
    grid_.hide();
    show();
    sizeAtCreation_ = size();
    if (control.CreateControl(this, QString::fromLatin1(kControlName), kControlStartRect)) {
        control.SetPageShownHandler([this](int page) { emit PageShown(page); });
        ShowFace();
        return 1;
    }
    OfferReaderDownload();
    return -1;
}

void ViewerHost::LoadDocument(const QString &path)
{
    ShowMessage(QString());
    control.InvokeHelper(CAcroAXDocShim::LoadFile, path);
}

void ViewerHost::LoadDocumentInBackground(const QString &path)
{
    ShowMessage(QString());
    control.LoadInBackground(path, [this](bool shown) { emit Loaded(shown); });
}

void ViewerHost::ShowMessage(const QString &text)
{
    message_ = text;
    // The document that was on view must not stand beside a message about another.
    if (!text.isEmpty())
        control.CloseDocument();
    ShowFace();
}

void ViewerHost::ShowThumbnails(bool shown)
{
    thumbnailsShown_ = shown;
    ShowFace();
}

void ViewerHost::ShowFace()
{
    const bool page = message_.isEmpty() && !thumbnailsShown_;
    if (note_)
        note_->setVisible(page && !note_->text().isEmpty());
    if (QWidget *reader = control.Window())
        reader->setVisible(page);
    if (grid_.parentWidget() == this) {
        grid_.setGeometry(rect());
        grid_.setVisible(message_.isEmpty() && thumbnailsShown_);
    }
    update();
}

void ViewerHost::paintEvent(QPaintEvent *)
{
    // Otherwise the reader covers the host, which paints nothing of its own.
    if (message_.isEmpty())
        return;
    QPainter painter(this);
    painter.fillRect(rect(), palette().dark());
    QTextOption option(Qt::AlignCenter);
    // A long file name without spaces still breaks, rather than running off the pane.
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    painter.setPen(palette().color(QPalette::BrightText));
    painter.drawText(QRectF(rect().adjusted(kMessageMargin, kMessageMargin, -kMessageMargin, -kMessageMargin)),
                     message_, option);
}

void ViewerHost::ShowPage(int page)
{
    control.InvokeHelper(CAcroAXDocShim::SetCurrentPage, page);
}

void ViewerHost::ShowNote(const QString &text)
{
    if (!note_) {
        if (text.isEmpty())
            return;
        note_ = new QLabel(this);
        note_->setAlignment(Qt::AlignCenter);
        note_->setAutoFillBackground(true);
        note_->setMargin(4);
        // Clicks and the wheel still reach the page below it.
        note_->setAttribute(Qt::WA_TransparentForMouseEvents);
        QPalette colours = note_->palette();
        colours.setColor(QPalette::Window, colours.color(QPalette::ToolTipBase));
        colours.setColor(QPalette::WindowText, colours.color(QPalette::ToolTipText));
        note_->setPalette(colours);
    }
    note_->setText(text);
    note_->setVisible(!text.isEmpty() && message_.isEmpty() && !thumbnailsShown_);
    PlaceNote();
}

QString ViewerHost::Note() const
{
    return note_ && !note_->isHidden() ? note_->text() : QString();
}

void ViewerHost::PlaceNote()
{
    if (!note_)
        return;
    note_->setGeometry(0, 0, width(), note_->sizeHint().height());
    note_->raise();
}

void ViewerHost::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    PlaceNote();
    if (grid_.parentWidget() == this)
        grid_.setGeometry(rect());
    QWidget *reader = control.Window();
    if (!reader)
        return;
    // A widget receives its size once more before it is first shown. That is no change of
    // size, so the reader keeps its starting rectangle until the owner really resizes the host.
    if (!followsHost_ && event->size() == sizeAtCreation_)
        return;
    followsHost_ = true;
    reader->setGeometry(rect());
    reader->update();
}

void ViewerHost::OfferReaderDownload()
{
    const int answer = AppMessageBox::Show(parentWidget(), tr(kReaderMissingPrompt), MsgBox::YesNo);
    // Whether the page opened or not, the program carries on without a preview.
    if (answer == MsgBox::IdYes)
        OpenLink(QString::fromLatin1(ReaderDownloadPage), ShowCmd::Show);
}

} // namespace qw
