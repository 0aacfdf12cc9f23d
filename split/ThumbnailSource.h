#pragma once

#include "protocol/EngineProtocol.h"

#include <QByteArray>
#include <QCache>
#include <QImage>
#include <QList>
#include <QLoggingCategory>
#include <QObject>
#include <QSet>
#include <QString>

class QProcess;

namespace qw {

struct FileStamp;

Q_DECLARE_LOGGING_CATEGORY(lcThumbnails)

// Thumbnails of the pages of one document, drawn by the engine in a process of its own (its
// render_pages command), so that the window never waits for a page to be drawn: requests are
// written and replies read as they come, on the window's own thread, never waited for.
// Only MostInFlight requests are out at once, so that a new priority (the user scrolled) is
// honoured after at most that many pages. Thumbnails are kept in a cache of bounded size, the
// least recently used ones going first.
class ThumbnailSource : public QObject {
    Q_OBJECT
public:
    // Why the engine cannot serve the document. Callers decide on this; the sentence sent with
    // Unavailable is for the user.
    enum class Problem {
        None,
        EngineMissing, // the engine could not be started
        DocumentChanged, // the file is no longer the one that was opened
        DocumentUnreadable, // missing, not a PDF, protected by a password, or damaged beyond repair
        EngineFailed, // the engine stopped unexpectedly twice, or answered what it never says
    };

    static constexpr int MostInFlight = 2;
    // The widest thumbnail the engine draws; wider requests are drawn this wide.
    static constexpr int MostWidth = quirekit::protocol::pictures::MostWidth;
    static constexpr int DefaultWidth = 120;
    // Some four hundred thumbnails of the default width: several screenfuls, whatever the
    // document's length.
    static constexpr qint64 DefaultCacheLimit = 24 << 20;

    explicit ThumbnailSource(QObject *parent = nullptr);
    ~ThumbnailSource() override;

    // The engine to run; by default quirekit.dll beside the running executable.
    void SetEnginePath(const QString &path);

    // Serves `document` (the very file `identity` describes, `pageCount` pages); drops
    // everything of the one before. A document that is not that file any more is refused by
    // the engine (Unavailable with Problem::DocumentChanged).
    void Open(const QString &document, const FileStamp &identity, int pageCount);
    // Ends the engine and drops every thumbnail and request; nothing is signalled afterwards
    // for the document that was open.
    void Close();

    // Thumbnails are `width` device pixels wide (1 to MostWidth); a page more than four times
    // higher than wide is drawn narrower. After a change the thumbnails drawn at the old width
    // are kept, scaled, until the new ones come, so that a zoom never blanks the grid; they are
    // told apart by Thumbnail's `exact`.
    void SetWidth(int width);
    int Width() const { return m_width; }

    // The thumbnail of `page` (from 1) when it is at hand, else a null QImage; unless it is
    // exact (drawn at the current width), the page is wanted and its reply follows.
    //
    // Every page wanted gets exactly one reply, in the order the pages are sent to the engine:
    // ThumbnailReady (a picture, at the width it was asked at) or ThumbnailFailed; unless the
    // source gives up on the document first (Unavailable) or another is opened or it is closed,
    // which end every request at once. Wanting a page that is wanted already asks nothing more.
    QImage Thumbnail(int page, bool *exact = nullptr);
    // The pages to draw first, most wanted first (the visible ones, then those around);
    // wanted pages not among them and not yet sent to the engine are forgotten.
    void Prioritize(const QList<int> &pages);
    // The cache's size in bytes of pixels; the least recently used thumbnails go first. Keep it
    // above a few screenfuls: visible thumbnails that do not fit are drawn again and again.
    void SetCacheLimit(qint64 bytes);
    qint64 CacheLimit() const { return m_cache.maxCost(); }

    Problem Unavailability() const { return m_problem; }
    // The pages wanted whose reply has not come yet; none once the last one has.
    int Pending() const { return int(m_wanted.size() + m_inFlight.size()); }
    // The page cannot be drawn (it is damaged); it is not asked for again while this
    // document is open.
    bool PageFailed(int page) const { return m_failed.contains(page); }

signals:
    // A picture of the page came; Thumbnail tells whether it is at the current width.
    void ThumbnailReady(int page);
    // The page cannot be drawn; nothing more comes for it.
    void ThumbnailFailed(int page);
    // The engine cannot serve this document: once per Open, a sentence for the user.
    void Unavailable(const QString &why);

private:
    enum class State { Closed, Starting, Ready, Unavailable };
    struct Sent {
        int page = 0;
        int width = 0;
    };
    struct Entry {
        QImage image;
        int drawnFor = 0; // the width it was asked for
        int shownFor = 0; // the width its image is scaled for
    };

    void Start();
    void StopEngine();
    void Want(int page);
    bool Wanted(int page) const;
    bool Exact(int page);
    void Pump();
    void ReadOutput();
    // False when the output is not what the engine says: it is then treated as failed.
    bool ReadReadyLine(const QByteArray &line);
    bool ReadHeader(const QByteArray &line);
    void TakeThumbnail(const char *pixels);
    void Store(int page, const QImage &image, int drawnFor);
    void EngineEnded(int exitCode, bool crashed);
    void GiveUp(Problem problem);
    void Forget();

    QString m_enginePath;
    QString m_document;
    QString m_documentVariable;
    int m_pageCount = 0;
    int m_width = DefaultWidth;
    State m_state = State::Closed;
    Problem m_problem = Problem::None;
    int m_restarts = 0;
    QProcess *m_engine = nullptr;
    QByteArray m_output; // read but not yet taken
    // The reply being read: a page whose pixels have not all come yet.
    struct Incoming {
        int width = 0;
        int height = 0;
        qsizetype bytes = -1; // -1 while a header is awaited
    } m_incoming;
    QList<Sent> m_inFlight; // in the order sent, which is the order of the replies
    QList<int> m_wanted; // most wanted first
    QSet<int> m_failed;
    QCache<int, Entry> m_cache;
};

} // namespace qw
