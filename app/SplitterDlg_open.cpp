// Opening a document: the open-file dialog, dropped files and the path message all end in
// OpenDocument, which counts the pages, fills the list and shows the document.
#include "SplitterDlg.h"

#include "WindowOwner.h"
#include "framework/FileDialogs.h"
#include "core/NativeFileName.h"
#include "framework/ResourceStore.h"
#include "res/ResourceIds.h"
#include "split/OpenFailure.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QTreeView>

namespace qw {

namespace {
constexpr QSize kRowImageSize(20, 20);

QPixmap rowPixmap(const QImage &drawing, const QSize &size)
{
    return QPixmap::fromImage(drawing.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

// Reduced from the icon's own drawing, and on a screen of twice the density from its drawing
// at twice the size, so the row never shows a picture blown up.
QIcon rowImage(int iconId)
{
    QIcon icon(rowPixmap(ResourceStore::LoadIconImage(iconId), kRowImageSize));
    if (const QImage twice = ResourceStore::LoadIconImage(iconId, 2); !twice.isNull())
        icon.addPixmap(rowPixmap(twice, kRowImageSize * 2));
    return icon;
}
} // namespace

void SplitterDlg::BrowseForDocument()
{
    OpenFileRequest request;
    // Name patterns are case-sensitive here, so both spellings of the extension are listed;
    // "*" is this platform's "all files".
    //: Filters of the open-file dialog: keep the patterns in brackets as they are
    request.nameFilters = {tr("All Supported Formats (*.pdf *.PDF)"), tr("PDF Files (*.pdf *.PDF)"),
                           tr("All Files (*)")};
    request.defaultSuffix = QStringLiteral("PDF");
    const QString path = FileDialogs::GetOpenFileName(this, request);
    if (!path.isEmpty())
        OpenDocument(path);
}

void SplitterDlg::OpenDocument(const QString &path)
{
    // A name that does not encode back to the file it came from would open another file, or none.
    if (!NativeFileName::IsExact(path)) {
        DocumentPath = path;
        ShowOpenProblem(NativeFileName::Refusal(path));
        return;
    }
    DocumentPath = path;
    // Remembered before it is examined, so a file that fails to open is listed too.
    if (app_)
        app_->AddToRecentFileList(path);

    // The engine reads the document while the window goes on; OnOpened fills the list. A
    // document still being read is dropped for this one.
    ForgetRows();
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    openCursor_ = true;
    document_.OpenInBackground(DocumentPath);
}

void SplitterDlg::OnOpened()
{
    EndOpenCursor();
    if (!document_.IsOpen()) {
        // No message box: the reason stands where the document would have been shown.
        const QString reason = OpenFailureReason(document_.Path(), document_.Report());
        ShowOpenProblem(reason.isEmpty() ? tr("This PDF could not be read") : reason);
        return;
    }

    document_.Breaks().SetRowImages(rowImage(ResId::PageRowIcon), rowImage(ResId::BreakPointRowIcon),
                                    rowImage(ResId::LeftOutRowIcon));
    PageList->setIconSize(kRowImageSize);
    SelectRow(0);
    PageList->setFocus();
    // The reader reads the file for the preview meanwhile: a long one takes it a while.
    Viewer.LoadDocumentInBackground(document_.Path());
    commands_.split = true;
    ShowCommandStates();
}

void SplitterDlg::ForgetRows()
{
    document_.Close();
    EndOpenCursor();
}

void SplitterDlg::EndOpenCursor()
{
    if (openCursor_)
        QGuiApplication::restoreOverrideCursor();
    openCursor_ = false;
}

void SplitterDlg::ShowOpenProblem(const QString &reason)
{
    ForgetRows();
    // The reason stands without a full stop, as every hint in the preview.
    Viewer.ShowMessage(reason.endsWith(QLatin1Char('.')) ? reason.chopped(1) : reason);
}

void SplitterDlg::OnDropFiles(const QStringList &paths)
{
    // Only the first name ending in "pdf" (any case, no dot needed) is opened.
    for (const QString &path : paths) {
        if (path.right(3).compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0) {
            OpenDocument(path);
            return;
        }
    }
}

} // namespace qw
