#pragma once

#include <QPointer>
#include <QRect>
#include <QVariant>

#include <functional>

class QObject;
class QPdfView;
class QWidget;

namespace qw {

// The one place that talks to the reader: a PDF view, showing one whole page at a time,
// that loads a file and brings a page into view, and turns to the next or previous page on
// the mouse wheel and the paging and arrow keys. The object has no window until
// CreateControl succeeds; until then every call does nothing.
class CAcroAXDocShim {
public:
    // The reader's two requests, by their dispatch ids.
    enum DispId : int {
        LoadFile = 2, // argument: the file's path; result: bool, true when it is shown
        SetCurrentPage = 8, // argument: page number counting from 1; no result
    };

    CAcroAXDocShim() = default;
    ~CAcroAXDocShim();
    Q_DISABLE_COPY(CAcroAXDocShim)

    // Creates the reader as a visible child of `parent` at `rect`, named `name`. False, and no
    // window, when the reader cannot be created. A second call keeps the first window.
    bool CreateControl(QWidget *parent, const QString &name, const QRect &rect);

    // The reader's window, or nullptr before creation (or after its parent destroyed it).
    QWidget *Window() const;

    // Calls the reader by dispatch id. An invalid result when there is no window, the id is
    // unknown or the call has no result.
    QVariant InvokeHelper(int dispId, const QVariant &argument);

    // Called with the page now on view (counting from 1) whenever the reader turns to another
    // page by itself, as when the user pages with the wheel or the keys; never for the page
    // a request showed, nor while a file loads.
    void SetPageShownHandler(std::function<void(int page)> handler);

    // Empties the view: the document is closed and nothing is shown.
    void CloseDocument();

    // As LoadFile, but the reader reads the file on a thread of its own (it takes a while for a
    // long document) and the view shows it once it has; `loaded` is then told whether it could.
    // Another load or CloseDocument meanwhile drops it. A page asked for meanwhile is shown
    // once the file is read.
    void LoadInBackground(const QString &path, std::function<void(bool shown)> loaded);
    bool Loading() const { return loading_ != 0; }

    // For tests only: while set, CreateControl fails as it would without a reader.
    static void FailCreationForTesting(bool fail);

private:
    bool LoadFromPath(const QString &path);
    void BringPageIntoView(int page);
    void ScrollToFirstPage();
    void ScrollToTop();
    void TurnPage(int step);
    void OnCurrentPageChanged(int index);

    QPointer<QPdfView> view_;
    // Watches the view for paging input and carries the page changes; a child of the view.
    QPointer<QObject> pageTurner_;
    std::function<void(int)> pageShown_;
    // Set while a request moves the reader, whose page changes are then no news to the owner.
    bool requesting_ = false;
    // The background load that counts (its number), 0 when none runs; and the page asked for
    // while it runs.
    quint64 loading_ = 0;
    quint64 loads_ = 0;
    int pageAfterLoad_ = 0;
};

} // namespace qw
