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
    grid.setModel(&document_.Breaks());
    grid.setSelectionModel(PageList->selectionModel());
    const auto settings = SettingsStore::Open();
    grid.SetThumbnailWidth(settings->value(QString::fromLatin1(kWidthKey), ThumbnailGrid::kDefaultWidth).toInt());
    ThumbnailGrid::Source source;
    source.pictures.picture = [this](int page) { return document_.Thumbnails().Thumbnail(page); };
    source.pictures.label = [this](int page) { return DocumentOutline::LabelOf(document_.Report().PageLabels(), page); };
    source.want = [this](const QList<int> &pages) { document_.Thumbnails().Prioritize(pages); };
    grid.SetSource(source);
    connect(&document_.Thumbnails(), &ThumbnailSource::ThumbnailReady, &grid, &ThumbnailGrid::PictureArrived);
    // Without thumbnails the grid still shows the pages, their parts and their cuts; why
    // there are none is said once, over the grid's pane.
    connect(&document_.Thumbnails(), &ThumbnailSource::Unavailable, &grid, &ThumbnailGrid::ShowProblem);
    connect(&grid, &ThumbnailGrid::GapClicked, this, [this](int page) { OnGapClicked(page); });
    connect(&grid, &ThumbnailGrid::PageOpened, this, [this](int page) { OnPageOpened(page); });
    connect(&grid, &ThumbnailGrid::ThumbnailWidthChanged, this, [this](int width) {
        SettingsStore::Open()->setValue(QString::fromLatin1(kWidthKey), width);
        document_.Thumbnails().SetWidth(qRound(width * devicePixelRatioF()));
    });
    document_.Thumbnails().SetWidth(qRound(grid.ThumbnailWidth() * devicePixelRatioF()));
    Viewer.ShowThumbnails(settings->value(QString::fromLatin1(kShownKey), false).toBool());
    // Another document, or none: the thumbnails of the one before go with it.
    connect(&document_.Breaks(), &QAbstractItemModel::modelReset, this, [this] {
        thumbnailsServing_ = false;
        Viewer.Thumbnails().ShowProblem(QString());
        document_.Thumbnails().Close();
        ServeThumbnails();
    });
}

void SplitterDlg::ServeThumbnails()
{
    const bool wanted = Viewer.ThumbnailsShown() && document_.Breaks().PageCount() > 0;
    if (!wanted)
        document_.Thumbnails().Close();
    else if (!thumbnailsServing_)
        document_.Thumbnails().Open(document_.Path(), document_.Report().Identity(), document_.PageCount());
    thumbnailsServing_ = wanted;
}

void SplitterDlg::ShowThumbnails(bool shown)
{
    Viewer.ShowThumbnails(shown);
    ServeThumbnails();
    ShowCommandStates();
    SettingsStore::Open()->setValue(QString::fromLatin1(kShownKey), shown);
    const int row = SelectedRow();
    if (shown && row >= 0)
        Viewer.Thumbnails().scrollTo(document_.Breaks().index(row));
    else if (!shown && row >= 0 && !document_.Breaks().IsBreakPoint(row))
        Viewer.ShowPage(document_.Breaks().PageAt(row));
}

void SplitterDlg::OnGapClicked(int page)
{
    // As if the page's row were selected and F2 pressed: the same rules, one step of the history.
    SelectRow(document_.Breaks().RowOfPage(page));
    SendCommand(CmdId::InsertBreakPoint);
    Viewer.Thumbnails().setFocus();
}

void SplitterDlg::OnPageOpened(int page)
{
    ShowThumbnails(false);
    SelectRow(document_.Breaks().RowOfPage(page));
    Viewer.ShowPage(page);
}

} // namespace qw
