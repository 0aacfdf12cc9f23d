// Where a split's parts go and what they are called: the output location for every folder
// option, the name pattern, and the bookmark titles that "{bookmark}" draws from a data report.
// Input: six bytes (folder option, first and last page, part, part count, bookmark level), then
// the pattern, document path, asked folder and output folder (each ended by a NUL), then a report.
#include "FuzzSupport.h"

#include "split/DocumentOutline.h"
#include "split/OutputNaming.h"
#include "split/SplitJob.h"

#include <QDir>

using namespace quirefuzz;
using namespace qw;

namespace {

QString fromUtf8(std::string_view bytes)
{
    return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
}

void requireSafeTitle(const QString &title, const char *what)
{
    require(title.size() <= DocumentOutline::kTitleMax && title == title.trimmed(), std::string(what) + " is not trimmed");
    for (const QChar c : title)
        require(c != QLatin1Char('/') && c.category() != QChar::Other_Control,
                std::string(what) + " holds a separator or a control character");
    require(title.isEmpty() || !title.back().isHighSurrogate(), std::string(what) + " ends inside a character");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput input(data, size);
    const int saveFileType = input.byte() % 5; // 1 to 3, and 0 and 4 as a hand-edited file may hold
    const int firstPage = input.byte() + 1;
    const int lastPage = firstPage + input.byte();
    const int fileCount = input.byte() + 1;
    const int partNumber = input.byte() % fileCount + 1;
    const int level = input.byte() % 5;
    SplitSettings settings;
    settings.fileNamePattern = fromUtf8(input.text());
    const QString document = fromUtf8(input.text());
    settings.saveFileType = saveFileType;
    settings.askedFolder = fromUtf8(input.text());
    settings.outFolderName = fromUtf8(input.text());
    const std::string_view report = input.rest();
    settings.bookmarks = DocumentOutline::Parse(QByteArrayView(report.data(), qsizetype(report.size())));
    settings.bookmarkLevel = level;

    const QList<int> breaks = DocumentOutline::BreaksAtLevel(settings.bookmarks, level, lastPage);
    for (qsizetype i = 0; i < breaks.size(); ++i)
        require(breaks[i] >= 2 && breaks[i] <= lastPage && (i == 0 || breaks[i - 1] < breaks[i]),
                "break points out of order or outside the document");
    const QString title = DocumentOutline::TitleFor(settings.bookmarks, level, firstPage);
    requireSafeTitle(title, "a bookmark title");
    requireSafeTitle(DocumentOutline::SafeFileName(document), "a document name");

    const OutputLocation location =
        ResolveOutputLocation(document, saveFileType, settings.askedFolder, settings.outFolderName);
    require(location.outputFolder.isEmpty() || location.outputFolder.endsWith(QDir::separator()),
            "the output folder does not end in a separator");
    require(location.basePath.startsWith(location.outputFolder), "the base path is not in the output folder");
    require(!location.basePath.mid(location.outputFolder.size()).contains(QDir::separator()),
            "the base name holds a separator");

    const QString name = ExpandNamePattern(settings.fileNamePattern, location.basePath, firstPage, lastPage,
                                           partNumber, fileCount, title);
    require(name.endsWith(QLatin1String(".pdf")), "a name without .pdf");
    if (!settings.fileNamePattern.isEmpty() && !settings.fileNamePattern.contains(QLatin1Char('{')))
        require(name == settings.fileNamePattern + QLatin1String(".pdf"), "a pattern without tokens was changed");

    const PartRange part{firstPage, lastPage, partNumber, fileCount};
    const SplitJob job(document, {part}, settings);
    const QString argument = job.OutputArgumentOf(part);
    const QString path = job.OutputPathOf(part);
    // Absolute by the file system's rule (QDir counts a path starting with ':', a resource, as
    // absolute too), and still the file the argument names: resolving the folders never changes
    // the name the engine creates.
    require(path.startsWith(QLatin1Char('/')), "the output path " + path.toStdString() + " is not absolute");
    require(path.endsWith(QLatin1Char('/') + argument.section(QLatin1Char('/'), -1)),
            "the checked path " + path.toStdString() + " names another file than the engine's argument");
    return 0;
}
