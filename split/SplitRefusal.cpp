#include "SplitRefusal.h"

#include "EngineRunner.h"
#include "OutputTarget.h"

#include "core/NativeFileName.h"

#include <QCoreApplication>
#include <QDir>

namespace qw {

namespace {

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// The batch mode ends its refusals so; its translation is the batch mode's.
QString nothingWritten()
{
    return QCoreApplication::translate("qw::BatchSplit", "Nothing was written.");
}

// Why the engine could not write a part's file, for the sentence that names the part.
QString cannotWriteReason(const SplitRefusal &refusal)
{
    using Kind = SplitRefusal::Kind;
    switch (refusal.kind) {
    case Kind::PartFolderMissing: return QCoreApplication::translate("qw::OutputTarget", "Its folder does not exist.");
    case Kind::PartFolderNotWritable:
        return QCoreApplication::translate("qw::OutputTarget", "No file can be created in its folder.");
    case Kind::FolderInTheWay: return QCoreApplication::translate("qw::OutputTarget", "A folder has that name.");
    case Kind::NotAFileInTheWay:
        return QCoreApplication::translate("qw::OutputTarget",
                                           "A device, pipe or socket has that name; only files are written.");
    case Kind::DanglingLinkInTheWay:
        return QCoreApplication::translate("qw::OutputTarget", "A link of that name leads to %1, which does not exist.")
            .arg(shown(refusal.otherPath));
    case Kind::LinkToNonFileInTheWay:
        return QCoreApplication::translate(
            "qw::OutputTarget", "A link of that name leads to a folder, device, pipe or socket, not to a file.");
    case Kind::ReadOnlyFile:
        return QCoreApplication::translate("qw::OutputTarget", "The file of that name is read-only.");
    default: return {};
    }
}

} // namespace

SplitRefusal SplitRefusal::CannotWrite(int part, const OutputTarget &target)
{
    using Target = OutputTarget::Kind;
    SplitRefusal refusal(Kind::None, target.path, part);
    switch (target.kind) {
    case Target::New:
    case Target::File: return {};
    case Target::FolderMissing: refusal.kind = Kind::PartFolderMissing; break;
    case Target::FolderNotWritable: refusal.kind = Kind::PartFolderNotWritable; break;
    case Target::Folder: refusal.kind = Kind::FolderInTheWay; break;
    case Target::NotAFile: refusal.kind = Kind::NotAFileInTheWay; break;
    case Target::DanglingLink:
        refusal.kind = Kind::DanglingLinkInTheWay;
        refusal.otherPath = target.linkText;
        break;
    case Target::LinkToNonFile: refusal.kind = Kind::LinkToNonFileInTheWay; break;
    case Target::ReadOnly: refusal.kind = Kind::ReadOnlyFile; break;
    }
    return refusal;
}

QString SplitRefusal::Text() const
{
    switch (kind) {
    case Kind::None: return {};
    case Kind::EngineMissing:
        return QCoreApplication::translate(
                   "qw::SplitJob", "The PDF engine is missing or cannot be started:\n%1\n\n"
                                   "Reinstall Quirewright so that %2 lies beside the program. Nothing was written.")
            .arg(path, QString::fromLatin1(EngineRunner::EngineFileName));
    case Kind::NoOutputFolder:
        return QCoreApplication::translate("qw::SplitJob",
                                           "The output folder\n%1\ndoes not exist.\n\n"
                                           "Create it, or choose another output folder. Nothing was written.")
            .arg(shown(path));
    case Kind::NameNotExact: return NativeFileName::Refusal(path) + QStringLiteral(" Nothing was written.");
    case Kind::DocumentChanged:
        return QCoreApplication::translate(
                   "qw::SplitJob", "The document\n%1\nhas been replaced, moved or changed since it was opened.\n\n"
                                   "Open it again to split it as it is now. Nothing was written.")
            .arg(shown(path));
    case Kind::PartOverDocument:
        return QCoreApplication::translate("qw::SplitPlan",
                                           "Part %1 would be written over the document being split:\n%2\n\n"
                                           "Choose another name pattern or output folder. Nothing was written.")
            .arg(part)
            .arg(shown(path));
    case Kind::TwoPartsOneName:
        return QCoreApplication::translate("qw::SplitPlan",
                                           "Parts %1 and %2 would both be written to\n%3\n\n"
                                           "Put {part} or {part:0000} in the name pattern so that every part gets a "
                                           "name of its own. Nothing was written.")
            .arg(otherPart)
            .arg(part)
            .arg(shown(path));
    case Kind::PartFolderMissing:
    case Kind::PartFolderNotWritable:
    case Kind::FolderInTheWay:
    case Kind::NotAFileInTheWay:
    case Kind::DanglingLinkInTheWay:
    case Kind::LinkToNonFileInTheWay:
    case Kind::ReadOnlyFile:
        return QCoreApplication::translate("qw::SplitPlan",
                                           "Part %1 cannot be written to\n%2\n\n%3\n\n"
                                           "Choose another name pattern or output folder. Nothing was written.")
            .arg(part)
            .arg(shown(path), cannotWriteReason(*this));
    case Kind::ArchiveFolderNotSet:
        return QCoreApplication::translate(
                   "qw::BatchDocument",
                   "Archiving is on in the options, but no archive folder is set. Pass --archive-folder "
                   "DIR. %1")
            .arg(nothingWritten());
    case Kind::ArchiveFolderMissing:
        return QCoreApplication::translate(
                   "qw::BatchDocument",
                   "The archive folder %1 does not exist. Create it, or pass --archive-folder with another "
                   "folder. %2")
            .arg(shown(path), nothingWritten());
    case Kind::ArchiveTargetExists:
        return QCoreApplication::translate(
                   "qw::BatchDocument",
                   "The document cannot be archived: %1 already exists. Move that file away, or pass "
                   "--archive-folder with another folder. %2")
            .arg(shown(path), nothingWritten());
    case Kind::PartIsAnotherDocument:
        return QCoreApplication::translate("qw::OutputClaims",
                                           "Part file %1 is %2, another document of this run. Give a --pattern with "
                                           "{basename}, or another --output-folder. Nothing was written.")
            .arg(shown(path), shown(otherPath));
    case Kind::ClaimedByAnotherDocument:
        return QCoreApplication::translate(
                   "qw::OutputClaims", "%1 is also where %2, another document of this run, goes. Give a --pattern with "
                                       "{basename}, or split the documents in separate runs. Nothing was written.")
            .arg(shown(path), shown(otherPath));
    }
    return {};
}

} // namespace qw
