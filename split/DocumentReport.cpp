#include "DocumentReport.h"

#include "PageCountQuery.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QScopeGuard>

namespace qw {

namespace {

QString freeSomeSpace()
{
    return QCoreApplication::translate("qw::DocumentReport", "Free some space there, or name another folder in the TMPDIR environment variable, "
                          "and try again.");
}

} // namespace

DocumentReport DocumentReport::Of(const QString &document, const std::function<bool()> &keepGoing)
{
    DocumentReport report;
    report.identity_ = FileStamp::Of(document);
    report.temporaryFolder_ = TemporaryFolder();
    const QString file = MakeTempFileName(QStringLiteral(".txt"), &report.temporaryError_);
    if (file.isEmpty()) {
        report.status_ = Status::NoTemporaryFile;
        return report;
    }
    const auto removeReport = qScopeGuard([&] { QFile::remove(file); });

    // The engine reads the document only while it is the file just looked at, so the report
    // and the identity kept with it describe one and the same file.
    QStringList environment;
    if (report.identity_.exists)
        environment << EngineRunner::DocumentVariable(report.identity_);
    namespace word = quirekit::protocol::word;
    const QStringList arguments{document, ProtocolText(word::DumpData), ProtocolText(word::Output), file};
    report.engine_ = EngineRunner::RunEngineCommand(arguments, &report.output_, QString(), keepGoing, environment);
    if (report.engine_.end != EngineResult::End::Exited) {
        report.status_ = Status::EngineNotRun;
        return report;
    }
    switch (report.engine_.exitCode) {
    case 0: break;
    case EngineExit::DocumentChanged: report.status_ = Status::DocumentChanged; return report;
    case EngineExit::OutputNotWritten: report.status_ = Status::NotWritten; return report;
    default: report.status_ = Status::Unreadable; return report;
    }
    QFile contents(file);
    if (!contents.open(QIODevice::ReadOnly | QIODevice::Text)) {
        report.status_ = Status::NotWritten;
        report.output_ += '\n' + contents.errorString().toUtf8();
        return report;
    }
    report.contents_ = contents.readAll();
    report.status_ = Status::Read;
    report.pageCount_ = ParsePageCountReport(report.contents_);
    report.bookmarks_ = DocumentOutline::Parse(report.contents_);
    report.pageLabels_ = DocumentOutline::ParsePageLabels(report.contents_);
    return report;
}

QString DocumentReport::Problem() const
{
    const QString folder = QDir::toNativeSeparators(temporaryFolder_);
    switch (status_) {
    case Status::Read:
    case Status::Unreadable: return {};
    case Status::NoTemporaryFile:
        return QCoreApplication::translate("qw::DocumentReport", "No file for the PDF engine's report could be made in the temporary folder %1: %2. %3")
            .arg(folder, temporaryError_, freeSomeSpace());
    case Status::NotWritten:
        return QCoreApplication::translate("qw::DocumentReport", "The PDF engine could not write its report in the temporary folder %1: %2. %3")
            .arg(folder, EngineReason(output_), freeSomeSpace());
    case Status::EngineNotRun: return engine_.reason;
    case Status::DocumentChanged:
        return QCoreApplication::translate("qw::DocumentReport", "The document was replaced or changed while it was being read. Open it again.");
    }
    return {};
}

int QueryPageCount(const QString &document)
{
    return DocumentReport::Of(document).PageCount();
}

} // namespace qw
