#include "OpenFailure.h"

#include "DocumentReport.h"
#include "EngineRunner.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QList>

namespace qw {

namespace {
//: Why a document could not be opened, shown in the preview
constexpr const char *kFileGone = QT_TRANSLATE_NOOP("qw::OpenFailure", "The file no longer exists");
constexpr const char *kNotPdf = QT_TRANSLATE_NOOP("qw::OpenFailure", "This file is not a PDF");
constexpr const char *kPassword = QT_TRANSLATE_NOOP("qw::OpenFailure", "This PDF is protected by a password");

QString translated(const char *text)
{
    return QCoreApplication::translate("qw::OpenFailure", text);
}
QString unreadable(const QString &why)
{
    return QCoreApplication::translate("qw::OpenFailure", "This PDF could not be read: %1").arg(why);
}

} // namespace

DocumentFault FaultOf(const QString &document, const DocumentReport &report)
{
    if (report.status() != DocumentReport::Status::Unreadable)
        return DocumentFault::None;
    switch (report.Engine().exitCode) {
    case EngineExit::DocumentMissing: {
        const QFileInfo file(document);
        if (!file.exists() && !file.isSymLink())
            return DocumentFault::Missing;
        return file.isFile() ? DocumentFault::Unopenable : DocumentFault::NotAFile;
    }
    case EngineExit::NotPdf: return DocumentFault::NotPdf;
    case EngineExit::Password: return DocumentFault::Password;
    case EngineExit::Damaged: return DocumentFault::Damaged;
    case EngineExit::OutOfMemory: return DocumentFault::OutOfMemory;
    default: return DocumentFault::Other;
    }
}

QString OpenFailureReason(const QString &document, const DocumentReport &report)
{
    if (!QFileInfo::exists(document))
        return translated(kFileGone);
    const QString engine = EngineRunner::EnginePath();
    if (!QFileInfo::exists(engine))
        return QCoreApplication::translate("qw::OpenFailure", "The PDF engine %1 is missing beside the program")
            .arg(QString::fromLatin1(EngineRunner::EngineFileName));
    if (report.status() == DocumentReport::Status::Unreadable) {
        const QString detail = EngineReason(report.EngineOutput());
        switch (FaultOf(document, report)) {
        case DocumentFault::Missing: return translated(kFileGone);
        case DocumentFault::NotAFile:
        case DocumentFault::NotPdf: return translated(kNotPdf);
        case DocumentFault::Password: return translated(kPassword);
        case DocumentFault::OutOfMemory: return QCoreApplication::translate("qw::OpenFailure", "There is not enough memory to open this PDF");
        default: return unreadable(detail.isEmpty() ? QCoreApplication::translate("qw::OpenFailure", "the PDF engine gave no reason") : detail);
        }
    }
    if (report.PageCount() > 0)
        return {};
    // A sentence of its own; the hint is shown without a full stop.
    QString reason = report.Problem();
    if (reason.isEmpty())
        return unreadable(QCoreApplication::translate("qw::OpenFailure", "the PDF engine found no pages in it"));
    if (reason.endsWith(QLatin1Char('.')))
        reason.chop(1);
    return reason;
}

} // namespace qw
