#pragma once

#include <QString>

#include <utility>

namespace qw {

struct OutputTarget;

// Why a split must not start, before anything is written: a kind for the caller to decide on,
// the part and the path(s) it concerns, and Text() for the user. The window and the batch mode
// word every refusal through Text(), so that one refusal reads the same wherever it is told.
struct SplitRefusal {
    enum class Kind {
        None,
        EngineMissing, // path: the engine
        NoOutputFolder, // path: the output folder
        NameNotExact, // path: a folder named in bytes that are not UTF-8
        DocumentChanged, // path: the document, since it was opened
        PartOverDocument, // part, path: the part's file is the document itself
        TwoPartsOneName, // otherPart and part (the later one), path
        // A part the engine would refuse to write (part, path):
        PartFolderMissing,
        PartFolderNotWritable,
        FolderInTheWay,
        NotAFileInTheWay, // a device, pipe or socket
        DanglingLinkInTheWay, // otherPath: where the link points, as written
        LinkToNonFileInTheWay, // a link to a folder, device, pipe or socket
        ReadOnlyFile,
        // The batch mode's, which cannot archive or clean up after parts it wrote:
        ArchiveFolderNotSet,
        ArchiveFolderMissing, // path: the archive folder
        ArchiveTargetExists, // path: the archive target
        // Another document of the same batch run (otherPath):
        PartIsAnotherDocument, // path: the part's file, which is that document
        ClaimedByAnotherDocument, // path: a file that document writes or is archived to
    };

    Kind kind = Kind::None;
    int part = 0; // from 1; 0 when no part is concerned
    int otherPart = 0;
    QString path;
    QString otherPath;

    SplitRefusal() = default;
    SplitRefusal(Kind kind, QString path, int part = 0, int otherPart = 0, QString otherPath = {})
        : kind(kind), part(part), otherPart(otherPart), path(std::move(path)), otherPath(std::move(otherPath))
    {
    }

    explicit operator bool() const { return kind != Kind::None; }
    bool operator==(const SplitRefusal &) const = default;

    // Part `part` cannot be written to `target`, for the reason its kind gives; no refusal when
    // the engine can write there.
    static SplitRefusal CannotWrite(int part, const OutputTarget &target);

    // The refusal for the user, paths in native separators; empty for no refusal.
    QString Text() const;
};

} // namespace qw
