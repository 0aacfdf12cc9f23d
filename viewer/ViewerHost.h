#pragma once

#include "CAcroAXDocShim.h"
#include "ThumbnailGrid.h"

#include <QRect>
#include <QString>
#include <QWidget>

class QLabel;

namespace qw {

// The child window of the main dialog that holds the document preview, to the right of the
// page list. It carries the program's only two requests to the reader: show this file, and
// bring this page into view; and it tells when the user turns the reader to another page.
// In place of a document it can show a short text. Without a reader it is an empty pane (or
// the text) and both requests do nothing.
class ViewerHost : public QWidget {
    Q_OBJECT
public:
    // Opened when the user agrees to install the reader.
    static constexpr const char *ReaderDownloadPage = "https://get.adobe.com/reader/";

    ViewerHost() = default;

    // Makes this a visible child of `parent` at `position` and creates the reader inside it at
    // 1000 by 800 pixels; it fills the host from the host's first change of size on.
    // 1 on success; 0 without a parent; -1 when the reader cannot be created, after asking
    // once whether to open its download page (the host then stays an empty pane).
    int Create(const QRect &position, QWidget *parent);

    // Shows the PDF file at `path`. A file the reader cannot show leaves the preview empty;
    // nothing is reported.
    void LoadDocument(const QString &path);
    // The same without waiting for the reader to read the file; Loaded follows.
    void LoadDocumentInBackground(const QString &path);
    bool Loading() const { return control.Loading(); }

    // Brings `page` (counting from 1, as the page list shows it) to the top of the preview.
    // A page the document does not have changes nothing.
    void ShowPage(int page);

    // Shows `text` centred in place of the preview, which is emptied, until the next
    // LoadDocument; an empty text removes it and shows the reader again.
    void ShowMessage(const QString &text);
    QString Message() const { return message_; }

    // Shows `text` in a band across the top of the preview, over the page (that the page is
    // left out of every part, say); an empty text hides it. A message hides it too.
    void ShowNote(const QString &text);
    QString Note() const;

    const CAcroAXDocShim &Control() const { return control; }

    // The grid of thumbnails that takes the single page's place while it is shown; a message
    // stands in place of either.
    ThumbnailGrid &Thumbnails() { return grid_; }
    const ThumbnailGrid &Thumbnails() const { return grid_; }
    void ShowThumbnails(bool shown);
    bool ThumbnailsShown() const { return thumbnailsShown_; }

signals:
    // The user turned the reader to `page` (counting from 1) with the wheel or the keys.
    // ShowPage and LoadDocument never send it, so a receiver may call ShowPage in reply.
    void PageShown(int page);
    // A file LoadDocumentInBackground asked for has been read (shown: whether it could be).
    void Loaded(bool shown);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void OfferReaderDownload();
    void PlaceNote();
    // Shows the face that is on: the message, the grid or the page (with its note).
    void ShowFace();

    CAcroAXDocShim control;
    QSize sizeAtCreation_;
    bool followsHost_ = false;
    QString message_;
    QLabel *note_ = nullptr;
    ThumbnailGrid grid_;
    bool thumbnailsShown_ = false;
};

} // namespace qw
