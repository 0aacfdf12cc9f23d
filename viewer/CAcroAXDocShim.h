#pragma once

#include <QPointer>
#include <QRect>
#include <QVariant>

class QPdfView;
class QWidget;

namespace qw {

// The one place that talks to the reader: a PDF view, showing one whole page at a time,
// that loads a file and brings a page into view. The object has no
// window until CreateControl succeeds; until then every call does nothing.
class CAcroAXDocShim {
public:
    // The reader's two requests, by their dispatch ids.
    enum DispId : int {
        LoadFile = 2, // argument: the file's path; result: bool, true when it is shown
        SetCurrentPage = 8, // argument: page number counting from 1; no result
    };

    CAcroAXDocShim() = default;
    Q_DISABLE_COPY(CAcroAXDocShim)

    // Creates the reader as a visible child of `parent` at `rect`, named `name`. False, and no
    // window, when the reader cannot be created. A second call keeps the first window.
    bool CreateControl(QWidget *parent, const QString &name, const QRect &rect);

    // The reader's window, or nullptr before creation (or after its parent destroyed it).
    QWidget *Window() const;

    // Calls the reader by dispatch id. An invalid result when there is no window, the id is
    // unknown or the call has no result.
    QVariant InvokeHelper(int dispId, const QVariant &argument);

    // For tests only: while set, CreateControl fails as it would without a reader.
    static void FailCreationForTesting(bool fail);

private:
    bool LoadFromPath(const QString &path);
    void BringPageIntoView(int page);
    void ScrollToFirstPage();

    QPointer<QPdfView> view_;
};

} // namespace qw
