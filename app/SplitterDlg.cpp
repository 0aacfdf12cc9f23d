#include "SplitterDlg.h"

#include "AboutDlg.h"
#include "ProgressPanel.h"
#include "WindowOwner.h"
#include "controls/IconButton.h"
#include "controls/OpenLink.h"
#include "framework/DialogBuilder.h"
#include "framework/DialogKeyFilter.h"
#include "framework/DialogUnits.h"
#include "framework/MenuAdapter.h"
#include "core/NativeFileName.h"
#include "framework/ResourceStore.h"
#include "menu/GlyphMenu.h"
#include "res/DialogTemplates.h"
#include "res/MenuTemplate.h"
#include "res/ResourceIds.h"

#include <QCursor>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QStyledItemDelegate>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace qw {

namespace {

// Draws a selected row as one: the icon cell highlighted like the text, without a focus frame
// around the text alone, and the icon in its own colours.
class PageRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->state &= ~QStyle::State_HasFocus;
        if (!option->icon.isNull()) {
            const QPixmap picture = option->icon.pixmap(option->decorationSize);
            QIcon same(picture);
            same.addPixmap(picture, QIcon::Selected);
            option->icon = same;
        }
        option->showDecorationSelected = true;
    }
};

constexpr int kActionPopupPosition = 1;
constexpr int kSystemIconSize = 32;
// The colour the button pictures are transparent in.
constexpr QRgb kTransparentWhite = 0xFFFFFF;
} // namespace

SplitterDlg::SplitterDlg(WindowOwner *app) : QDialog(nullptr), app_(app)
{
    AppIcon = ResourceStore::LoadIcon(ResId::AppIcon);
    BuildRoutingTable();
    CreateCommands();
}

SplitterDlg::~SplitterDlg()
{
    // Work still running ends with the window: its engines are stopped and waited for.
    if (Splitting()) {
        splitTask_.reset();
        QGuiApplication::restoreOverrideCursor();
    }
    document_.Close();
    EndOpenCursor();
}

void SplitterDlg::BuildRoutingTable()
{
    const auto route = [this](std::initializer_list<int> ids, std::function<void()> handler) {
        for (int id : ids)
            routes_.insert(id, handler);
    };
    route({CmdId::FileExit}, [this] { close(); }); // the same as the close box
    route({CtrlId::Ok}, [this] { OnOK(); });
    route({CtrlId::Cancel}, [this] { OnCancel(); });
    route({CmdId::FileOpen, CtrlId::OpenButton}, [this] { BrowseForDocument(); });
    route({CmdId::FileOptions, CtrlId::OptionsButton}, [this] { RunOptionsDialog(); });
    route({CmdId::InsertBreakPoint, CmdId::ContextInsertBreakPoint, CtrlId::InsertButton},
          [this] { InsertBreakPoint(); });
    route({CmdId::DeleteBreakPoint, CmdId::ContextDeleteBreakPoint, CtrlId::DeleteButton},
          [this] { DeleteBreakPoint(); });
    route({CmdId::CleanAllBreakPoints, CmdId::ContextCleanAllBreakPoints}, [this] { CleanAllBreakPoints(); });
    route({CmdId::ContextLeavePageOut}, [this] { ToggleLeavePageOut(); });
    route({CmdId::SplitPdf, CtrlId::SplitButton}, [this] { OnSplit(); });
    route({CmdId::About}, [this] { ShowAboutBox(); });
    route({CmdId::ViewWebSite}, [this] { ViewWebSite(); });
    route({CmdId::PlaceBreakPoints}, [this] { PlaceBreakPoints(); });
    route({CmdId::Undo}, [this] { document_.Breaks().History().undo(); });
    route({CmdId::Redo}, [this] { document_.Breaks().History().redo(); });
    route({CmdId::ShowThumbnails}, [this] { ShowThumbnails(!Viewer.ThumbnailsShown()); });
}

bool SplitterDlg::IsHeldBack(int commandId) const
{
    if (!Splitting() && !Planning())
        return false;
    switch (commandId) {
    case CmdId::FileOpen:
    case CtrlId::OpenButton:
    case CmdId::FileOptions:
    case CtrlId::OptionsButton:
    // A running split holds the history still, as it holds opening and the options.
    case CmdId::Undo:
    case CmdId::Redo: return true;
    default: return commandId >= CmdId::RecentFileFirst && commandId <= CmdId::RecentFileLast;
    }
}

bool SplitterDlg::OnCommand(int commandId)
{
    // While a split or a plan runs, input is handled; it must not swap the document or the
    // options that they read.
    if (IsHeldBack(commandId))
        return true;
    const auto it = routes_.constFind(commandId);
    if (it != routes_.constEnd()) {
        (*it)();
        return true;
    }
    // Commands the dialog does not know go on to the application object.
    return app_ && app_->OnCommand(commandId);
}

void SplitterDlg::Create()
{
    if (created_)
        return;
    created_ = true;
    const DialogTemplate *dialog = FindDialogTemplate(ResId::MainDialog);
    setFont(QFont(QString::fromLatin1(dialog->fontName), dialog->pointSize));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
                   | Qt::WindowCloseButtonHint);

    // The client area sits below the menu bar, as a window's client area does.
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    client_ = new QWidget(this);
    layout->addWidget(client_);
    const DialogUnits units = DialogUnits::ForFont(font());
    DialogBuilder::BuildControls(*dialog, client_, units);
    OnCreate();
    OnInitDialog();

    const QSize clientSize = units.ToPixels(dialog->size);
    const int menuHeight = MenuBar() ? MenuBar()->sizeHint().height() : 0;
    templateSize_ = QSize(clientSize.width(), clientSize.height() + menuHeight);
    // Where the user's pointer is, as a window without an owner opens there.
    const QScreen *screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = this->screen();
    FitInto(screen ? screen->availableGeometry() : QRect(QPoint(), templateSize_));
}

void SplitterDlg::FitInto(const QRect &available)
{
    // A shown window knows its frame; before that the allowance stands in for it.
    const QRect frame = frameGeometry();
    const QRect inner = geometry();
    QMargins margins(inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
                     frame.bottom() - inner.bottom());
    if (!testAttribute(Qt::WA_WState_Created) || margins.isNull())
        margins = kFrameAllowance;
    // A screen with less room than the template asks for (a small one, or one scaled up) cuts
    // the list and the preview short, never the window's frame or its buttons.
    const QSize size = templateSize_.isValid() ? templateSize_.boundedTo(available.size().shrunkBy(margins))
                                               : available.size().shrunkBy(margins);
    resize(size.expandedTo(QSize(1, 1)));
    QRect outer(QPoint(), this->size().grownBy(margins));
    outer.moveCenter(available.center());
    // A window larger than the screen keeps its top left (title, menu, buttons) on it.
    outer.moveTopLeft(QPoint(qMax(available.left(), outer.left()), qMax(available.top(), outer.top())));
    move(outer.topLeft());
}

int SplitterDlg::OnCreate()
{
    // The dialog works without a preview when the viewer cannot be made.
    Viewer.Create(QRect(0, 0, 0, 0), client_);
    Viewer.ShowMessage(tr(kNoDocumentHint));
    return 0;
}

void SplitterDlg::DoDataExchange()
{
    PageList = qobject_cast<QTreeView *>(Control(CtrlId::PageList));
}

bool SplitterDlg::OnInitDialog()
{
    DoDataExchange();
    setWindowIcon(AppIcon); // the big and the small icon alike

    PageList->setSelectionBehavior(QAbstractItemView::SelectRows);
    // The list shows the break point model; its one column is headed "Page No.".
    PageList->setModel(&document_.Breaks());
    PageList->setColumnWidth(0, 120);
    // The column is a little wider than the list leaves it beside a vertical scroll bar; a
    // horizontal bar for those few pixels would only hide the last row.
    PageList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    PageList->setItemDelegate(new PageRowDelegate(PageList));
    SetUpThumbnails();

    // The five command buttons show their picture above the caption, in the flat look.
    const struct {
        IconButton *&button;
        int control;
        int picture;
    } buttons[] = {{OpenButton, CtrlId::OpenButton, ResId::OpenPicture},
                   {DeleteButton, CtrlId::DeleteButton, ResId::DeletePicture},
                   {InsertButton, CtrlId::InsertButton, ResId::InsertPicture},
                   {SplitButton, CtrlId::SplitButton, ResId::SplitPicture},
                   {OptionsButton, CtrlId::OptionsButton, ResId::OptionsPicture}};
    for (const auto &[button, control, picture] : buttons) {
        button = IconButton::SubclassDlgItem(control, client_);
        button->AssignImages(picture, kTransparentWhite, 0, 0, true);
        button->SetStateColour(StateColour::HotBackground, QColor(0xF5, 0xF5, 0xF5), true);
        button->SetFlatLook(true, true);
        button->SetImagePlacement(ImagePlacement::AboveCaption, true);
    }


    // Every menu is drawn by the program in the flat look; the draw modes are set before any
    // menu is built, so the stored glyphs get the flat look's variants.
    MenuLook look = GlyphMenu::Look();
    look.plainDrawMode = 1;
    look.themedDrawMode = 1;
    GlyphMenu::SetLook(look);
    if (MainMenu.LoadFromResource(ResId::MenuBar)) {
        MainMenu.ApplyToolbarImages(ResId::CommandToolbar);
        static_cast<QVBoxLayout *>(layout())->setMenuBar(MenuBar());
    }
    ShowCommandStates();

    ConnectCommandSources();
    LayoutControls();
    SetMainTitle();
    setAcceptDrops(true);
    return true;
}

void SplitterDlg::ConnectCommandSources()
{
    for (QPushButton *button : {OpenButton, DeleteButton, InsertButton, SplitButton, OptionsButton}) {
        const int id = DialogBuilder::IdOf(button);
        connect(button, &QPushButton::clicked, this, [this, id] { OnCommand(id); });
    }
    if (QMenuBar *bar = MenuBar()) {
        connect(bar, &QMenuBar::triggered, this,
                [this](QAction *action) { OnCommand(MenuAdapter::CommandIdOf(action)); });
        ConnectPopups(bar);
    }
    connect(PageList->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { OnRowSelected(); });
    connect(&document_.Breaks(), &BreakPointModel::Replayed, this, [this](int row) { OnReplayed(row); });
    // A page left out or taken back in, or another document: the preview's note follows.
    connect(&document_.Breaks(), &QAbstractItemModel::dataChanged, this, [this] { UpdatePreviewNote(); });
    connect(&document_.Breaks(), &QAbstractItemModel::modelReset, this, [this] {
        previewPage_ = 1;
        UpdatePreviewNote();
    });
    connect(&Viewer, &ViewerHost::PageShown, this, [this](int page) { OnPageShown(page); });
    connect(&document_, &qw::OpenDocument::Opened, this, [this] { OnOpened(); });
    connect(&Viewer, &ViewerHost::Loaded, this, [this] { ShowCommandStates(); });
    connect(&document_, &qw::OpenDocument::PlanReady, this, [this](const qw::OpenDocument::Plan &plan) { OnPlanReady(plan); });
    connect(&document_, &qw::OpenDocument::PlanProgress, this, [this](int done, int total) {
        if (planPanel_)
            planPanel_->SetProgress(done, total);
    });
    // A break point put in above the selected row pushes it down: it stays in view.
    // The list lays its rows out again first, so the scroll waits for the event loop.
    connect(
        &document_.Breaks(), &QAbstractItemModel::rowsInserted, this,
        [this] {
            if (const QModelIndex current = PageList->currentIndex(); current.isValid())
                PageList->scrollTo(current);
        },
        Qt::QueuedConnection);
    PageList->viewport()->installEventFilter(this);
    client_->installEventFilter(this);
    new DialogKeyFilter(this, [this](QKeyEvent *key) { return PreTranslateMessage(key); });
}

void SplitterDlg::ShowAboutBox()
{
    AboutDlg about;
    about.DoModal();
}

void SplitterDlg::ViewWebSite()
{
    OpenLink(QString::fromLatin1(kWebSiteAddress), ShowCmd::Show);
}

int SplitterDlg::DoModal()
{
    Create();
    return exec();
}

QWidget *SplitterDlg::Control(int id) const
{
    return DialogBuilder::ControlById(client_, id);
}

QWidget *SplitterDlg::ActionPopup() const
{
    return MainMenu.SubMenuAt(kActionPopupPosition);
}

QMenuBar *SplitterDlg::MenuBar() const
{
    return qobject_cast<QMenuBar *>(MainMenu.GetHandle());
}

void SplitterDlg::ConnectPopups(QWidget *menu)
{
    for (int position = 0; position < MenuAdapter::ItemCount(menu); ++position)
        if (QMenu *popup = MenuAdapter::SubMenuAt(menu, position)) {
            connect(popup, &QMenu::aboutToShow, this, [this, popup] { OnInitMenuPopup(popup); });
            ConnectPopups(popup);
        }
}

void SplitterDlg::LayoutControls()
{
    if (!client_)
        return;
    const int w = client_->width();
    const int h = client_->height();
    // Sizes below zero, in a window smaller than the fixed offsets, are clamped at zero.
    if (Viewer.parentWidget())
        Viewer.setGeometry(140, 60, qMax(0, w - 140), qMax(0, h - 60));
    if (PageList)
        PageList->setGeometry(5, 60, 130, qMax(0, h - 62));
    if (QWidget *line = Control(CtrlId::TopLine))
        line->setGeometry(0, 0, w, 2);
}

void SplitterDlg::SetMainTitle()
{
    setWindowTitle(QStringLiteral("Quirewright v2.0"));
}

bool SplitterDlg::PreTranslateMessage(QKeyEvent *key)
{
    return TranslateShortcutKey(key) || TranslateHistoryKey(key);
}

bool SplitterDlg::TranslateShortcutKey(const QKeyEvent *key)
{
    // A key held with Alt is a system key (Alt+F4 closes the window); it is not ours.
    if (key->modifiers() & Qt::AltModifier)
        return false;
    // Ctrl+O opens, as in every program that opens files.
    if (key->key() == Qt::Key_O && (key->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier) {
        SendCommand(CmdId::FileOpen);
        return true;
    }
    int command = 0;
    switch (key->key()) {
    case Qt::Key_F2: command = CmdId::InsertBreakPoint; break;
    case Qt::Key_F3:
    case Qt::Key_Delete: command = CmdId::DeleteBreakPoint; break;
    case Qt::Key_F4: command = CmdId::CleanAllBreakPoints; break;
    case Qt::Key_F5: command = CtrlId::SplitButton; break;
    case Qt::Key_F7: command = CmdId::ShowThumbnails; break;
    default: return false;
    }
    SendCommand(command);
    return true;
}

void SplitterDlg::OnInitMenuPopup(QMenu *popup)
{
    UpdateMenuCommandStates(popup);
    // Entries the update put in with the plain menu functions (the recent files) become the
    // program's own before the popup is measured and drawn.
    if (GlyphMenu::IsOwnPopup(popup))
        GlyphMenu::RefreshPopup(GlyphMenu::FromHandle(popup));
}

void SplitterDlg::UpdateMenuCommandStates(QWidget *popup)
{
    // The commands' states are brought up to date once; each entry then shows its own.
    ShowCommandStates();
    // The count is read again each step: an update may insert entries (the recent files).
    for (int position = 0; position < MenuAdapter::ItemCount(popup); ++position) {
        QAction *action = MenuAdapter::ActionAt(popup, position);
        if (QMenu *subMenu = action->menu()) {
            UpdateMenuCommandStates(subMenu);
            continue;
        }
        const int id = MenuAdapter::CommandIdOf(action);
        if (id == 0)
            continue;
        CommandUpdateRecord record{position, id, popup, MenuAdapter::ItemCount(popup)};
        if (!OnUpdateCommand(record) && app_)
            app_->OnUpdateCommand(record);
        position = record.index;
    }
}

QPoint SplitterDlg::MinimisedIconOrigin(QSize client, QSize icon)
{
    return {(client.width() - icon.width() + 1) / 2, (client.height() - icon.height() + 1) / 2};
}

bool SplitterDlg::event(QEvent *event)
{
    if (event->type() == WM_OPENDOCUMENT) {
        if (!IsHeldBack(CmdId::FileOpen))
            OpenDocument(static_cast<OpenDocumentEvent *>(event)->path());
        return true;
    }
    return QDialog::event(event);
}

bool SplitterDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == client_ && event->type() == QEvent::Resize) {
        LayoutControls();
    } else if (PageList && watched == PageList->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto button = static_cast<QMouseEvent *>(event)->button();
        if (button == Qt::LeftButton)
            OnRowClick();
        // Below the last row there is nothing to act on, so no menu shows there.
        else if (button == Qt::RightButton && PageList->indexAt(static_cast<QMouseEvent *>(event)->position().toPoint()).isValid())
            OnRowRightClick();
    }
    return QDialog::eventFilter(watched, event);
}

void SplitterDlg::keyPressEvent(QKeyEvent *event)
{
    // Enter and Escape would end a dialog; this one ends only by its close box and Exit.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
            OnCommand(CtrlId::Ok);
            return;
        }
        break;
    case Qt::Key_Escape: OnCommand(CtrlId::Cancel); return;
    default: break;
    }
    QDialog::keyPressEvent(event);
}

void SplitterDlg::closeEvent(QCloseEvent *event)
{
    EndDialog(CtrlId::Cancel);
    event->accept();
}

void SplitterDlg::EndDialog(int result)
{
    done(result);
}

void SplitterDlg::paintEvent(QPaintEvent *event)
{
    if (!isMinimized()) {
        QDialog::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const QPoint origin = MinimisedIconOrigin(size(), {kSystemIconSize, kSystemIconSize});
    AppIcon.paint(&painter, QRect(origin, QSize(kSystemIconSize, kSystemIconSize)));
}

void SplitterDlg::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

QStringList SplitterDlg::DroppedPaths(const QMimeData *data)
{
    QStringList paths;
    // The name comes from the URL's own bytes; bytes that are not UTF-8 give the lossy text,
    // which opening then refuses rather than take it for another file.
    for (const QUrl &url : data->urls())
        if (url.isLocalFile())
            paths.append(QDir::toNativeSeparators(NativeFileName::FromUrl(url).value_or(url.toLocalFile())));
    return paths;
}

void SplitterDlg::dropEvent(QDropEvent *event)
{
    event->acceptProposedAction();
    if (!IsHeldBack(CmdId::FileOpen))
        OnDropFiles(DroppedPaths(event->mimeData()));
}

} // namespace qw
