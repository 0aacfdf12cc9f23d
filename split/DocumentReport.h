#pragma once

#include "DocumentOutline.h"
#include "EngineRunner.h"

#include "core/FileStamp.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

namespace qw {

// The engine's data report of one document, asked for once when the document is opened and
// kept while it is open: its page count and bookmarks, the identity of the very file the
// engine read, or why there is no report.
class DocumentReport {
public:
    enum class Status {
        Read, // the engine read the document and wrote its report
        NoTemporaryFile, // no file for the report could be made in the temporary folder
        NotWritten, // the engine could not write the report there (a full disk, say)
        EngineNotRun, // the engine is missing, could not start, crashed or was stopped
        DocumentChanged, // the document was replaced or rewritten while it was being read
        Unreadable, // the engine could not read the document (see the engine's output)
    };

    // Takes the document's identity, then has the engine report on exactly that file, in a
    // temporary file that is removed on every path. `keepGoing` as for EngineRunner.
    static DocumentReport Of(const QString &document, const std::function<bool()> &keepGoing = {});

    Status status() const { return status_; }
    bool IsRead() const { return status_ == Status::Read; }
    const FileStamp &Identity() const { return identity_; }
    const QByteArray &Contents() const { return contents_; }
    const EngineResult &Engine() const { return engine_; }
    const QByteArray &EngineOutput() const { return output_; }

    // From the report, read once: 0 pages, no bookmarks and no labels when there is none.
    int PageCount() const { return pageCount_; }
    const QList<Bookmark> &Bookmarks() const { return bookmarks_; }
    const QList<PageLabelRange> &PageLabels() const { return pageLabels_; }

    // Why there is no report when that is not the document's fault (no temporary file, no
    // room for it, no engine), for the user; empty otherwise.
    QString Problem() const;

private:
    Status status_ = Status::EngineNotRun;
    FileStamp identity_;
    QByteArray contents_;
    int pageCount_ = 0;
    QList<Bookmark> bookmarks_;
    QList<PageLabelRange> pageLabels_;
    EngineResult engine_;
    QByteArray output_;
    QString temporaryFolder_;
    QString temporaryError_;
};

} // namespace qw
