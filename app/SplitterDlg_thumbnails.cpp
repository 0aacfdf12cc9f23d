// The preview as a grid of thumbnails (F7 and the Action menu switch it on and off, and the
// settings remember it): the grid shows the page list's rows and shares its selection, and
// its clicks end in the list's own commands.
#include "SplitterDlg.h"

#include "core/SettingsStore.h"
#include "res/ResourceIds.h"
#include "split/DocumentOutline.h"

#include <QTreeView>

namespace qw {

namespace {
constexpr const char *kShownKey = "Preview/Thumbnails";
constexpr const char *kWidthKey = "Preview/ThumbnailWidth";
} // namespace

void SplitterDlg::SetUpThumbnails()
{
    ThumbnailGrid &grid = Viewer.Thumbnails();
    grid.setModel(&breaks_);
    grid.setSelectionModel(PageList->selectionModel());
    const auto settings = SettingsStore::Open();
    grid.SetThumbnailWidth(settings->value(QString::fromLatin1(kWidthKey), ThumbnailGrid::kDefaultWidth).toInt());
    ThumbnailGrid::Source source;
    source.pictures.picture = [this](int page) { return thumbnails_.Thumbnail(page); };
    source.pictures.label = [this](int page) { return DocumentOutline::LabelOf(report_.PageLabels(), page); };
    source.want = [this](const QList<int> &pages) { thumbnails_.Prioritize(pages); };
    grid.SetSource(source);
    connect(&thumbnails_, &ThumbnailSource::ThumbnailReady, &grid, &ThumbnailGrid::PictureArrived);
    // Without thumbnails the grid still shows the pages, their parts and their cuts; why
    // there are none is said once, over the grid's pane.
    connect(&thumbnails_, &ThumbnailSource::Unavailable, &grid, &ThumbnailGrid::ShowProblem);
    connect(&grid, &ThumbnailGrid::GapClicked, this, [this](int page) { OnGapClicked(page); });
    connect(&grid, &ThumbnailGrid::PageOpened, this, [this](int page) { OnPageOpened(page); });
    connect(&grid, &ThumbnailGrid::ThumbnailWidthChanged, this, [this](int width) {
        SettingsStore::Open()->setValue(QString::fromLatin1(kWidthKey), width);
        thumbnails_.SetWidth(qRound(width * devicePixelRatioF()));
    });
    thumbnails_.SetWidth(qRound(grid.ThumbnailWidth() * devicePixelRatioF()));
    Viewer.ShowThumbnails(settings->value(QString::fromLatin1(kShownKey), false).toBool());
    // Another document, or none: the thumbnails of the one before go with it.
    connect(&breaks_, &QAbstractItemModel::modelReset, this, [this] {
        thumbnailsServing_ = false;
        Viewer.Thumbnails().ShowProblem(QString());
        thumbnails_.Close();
        ServeThumbnails();
    });
}

void SplitterDlg::ServeThumbnails()
{
    const bool wanted = Viewer.ThumbnailsShown() && breaks_.PageCount() > 0;
    if (!wanted)
        thumbnails_.Close();
    else if (!thumbnailsServing_)
        thumbnails_.Open(DocumentPath, report_.Identity(), breaks_.PageCount());
    thumbnailsServing_ = wanted;
}

void SplitterDlg::ShowThumbnails(bool shown)
{
    Viewer.ShowThumbnails(shown);
    ServeThumbnails();
    SettingsStore::Open()->setValue(QString::fromLatin1(kShownKey), shown);
    const int row = SelectedRow();
    if (shown && row >= 0)
        Viewer.Thumbnails().scrollTo(breaks_.index(row));
    else if (!shown && row >= 0 && !breaks_.IsBreakPoint(row))
        Viewer.ShowPage(breaks_.PageAt(row));
}

void SplitterDlg::OnGapClicked(int page)
{
    // As if the page's row were selected and F2 pressed: the same rules, one step of the history.
    SelectRow(breaks_.RowOfPage(page));
    SendCommand(CmdId::InsertBreakPoint);
    Viewer.Thumbnails().setFocus();
}

void SplitterDlg::OnPageOpened(int page)
{
    ShowThumbnails(false);
    SelectRow(breaks_.RowOfPage(page));
    Viewer.ShowPage(page);
}

} // namespace qw
