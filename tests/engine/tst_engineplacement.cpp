// Where the engine may put its output and which document it may read: a file at the output's
// name that the caller did not agree to replace is never replaced, not even one that arrives
// while the output is written; the document read is the one the caller checked, unchanged;
// and the exit code tells a caller which of these, or the output, failed.
#include "AtomicFile.h"
#include "EngineProcess.h"
#include "PartWriter.h"
#include "PdfDocument.h"
#include "PdfFixtures.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using quirekit::AtomicFile;
using quirekit::FileId;
using quirekit::Replacement;
using quirekit::Status;

namespace {

QByteArray path8(const QString &path)
{
    return QFile::encodeName(path);
}

// Returns once the clock that stamps change times, which ticks coarsely, has passed the file's
// change time, so that a change made next gives the file another one.
void waitPastChangeTime(const QString &path)
{
    struct stat status { };
    QCOMPARE(::stat(path8(path).constData(), &status), 0);
    const auto after = [&status] {
        timespec now{};
        ::clock_gettime(CLOCK_REALTIME_COARSE, &now);
        return now.tv_sec > status.st_ctim.tv_sec
               || (now.tv_sec == status.st_ctim.tv_sec && now.tv_nsec > status.st_ctim.tv_nsec);
    };
    QTRY_VERIFY_WITH_TIMEOUT(after(), 1000);
}

// The entry at a name, to compare before and after: its inode, and the content of a file
// or where a link points.
QString entryState(const QString &path)
{
    struct stat status { };
    if (::lstat(path8(path).constData(), &status) != 0)
        return "missing";
    QString state = QString::number(status.st_ino);
    if (S_ISLNK(status.st_mode))
        return state + " link " + QFile::symLinkTarget(path);
    QFile file(path);
    if (S_ISREG(status.st_mode) && file.open(QIODevice::ReadOnly))
        state += " " + QString::fromLatin1(file.readAll());
    return state;
}

QStringList folderEntries(const QString &path)
{
    return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

bool hasTemporaryFile(const QString &folder)
{
    return !QDir(folder).entryList({".quirekit-*"}, QDir::Files | QDir::Hidden).isEmpty();
}

// "<device>:<inode>" as the caller gives it, links followed.
QString idText(const QString &path)
{
    struct stat status { };
    if (::stat(path8(path).constData(), &status) != 0)
        return "0:0";
    return QString("%1:%2").arg(status.st_dev).arg(status.st_ino);
}

} // namespace

class TestEnginePlacement : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void commitPlacesOnlyWhereAllowed_data();
    void commitPlacesOnlyWhereAllowed();
    void engineReplacesOnlyWhatItMay_data();
    void engineReplacesOnlyWhatItMay();
    void engineReadsOnlyTheCheckedDocument_data();
    void engineReadsOnlyTheCheckedDocument();
    void documentRewrittenWhileReadIsCaught_data();
    void documentRewrittenWhileReadIsCaught();
    void malformedVariablesAreUsageErrors_data();
    void malformedVariablesAreUsageErrors();
    void fullDiskIsAnOutputFailure();

private:
    QList<QStringList> commands(const QString &document, const QString &output) const;

    QTemporaryDir m_dir;
    QString m_source;
};

void TestEnginePlacement::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_source = m_dir.filePath("source.pdf");
    QVERIFY(PdfFixtures::write(m_source, PdfFixtures::tenPages()));
}

QList<QStringList> TestEnginePlacement::commands(const QString &document, const QString &output) const
{
    return {{"A=" + document, "cat", "A2-3", "output", output}, {document, "dump_data", "output", output}};
}

void TestEnginePlacement::commitPlacesOnlyWhereAllowed_data()
{
    // rule: what the file may replace ("nothing", or "agreed": the file at the target at
    // create()); meanwhile: what happens at the target between create() and commit().
    QTest::addColumn<QString>("rule");
    QTest::addColumn<int>("primitive");
    QTest::addColumn<QString>("meanwhile");
    QTest::addColumn<bool>("placed");
    const auto row = [](const char *name, const char *rule, AtomicFile::Primitive primitive, const char *meanwhile,
                        bool placed) { QTest::newRow(name) << rule << int(primitive) << meanwhile << placed; };
    using P = AtomicFile::Primitive;
    row("nothingFreeByRenameFlags", "nothing", P::RenameFlags, "", true);
    row("nothingFreeByHardLink", "nothing", P::HardLink, "", true);
    row("nothingFreeByCheckedRename", "nothing", P::CheckedRename, "", true);
    row("nothingFileArrivesRenameFlags", "nothing", P::RenameFlags, "otherFile", false);
    row("nothingFileArrivesHardLink", "nothing", P::HardLink, "otherFile", false);
    row("nothingFileArrivesCheckedRename", "nothing", P::CheckedRename, "otherFile", false);
    // A link that leads nowhere is still something at the name.
    row("nothingDanglingLinkArrivesCheckedRename", "nothing", P::CheckedRename, "danglingLink", false);
    row("agreedStillThereByExchange", "agreed", P::RenameFlags, "", true);
    row("agreedStillThereByCheckedRename", "agreed", P::CheckedRename, "", true);
    row("agreedReplacedByOtherFileExchange", "agreed", P::RenameFlags, "otherFile", false);
    row("agreedReplacedByOtherFileCheckedRename", "agreed", P::CheckedRename, "otherFile", false);
    // The link is someone's new entry, not the agreed file, though it leads there.
    row("agreedReplacedByLinkToItExchange", "agreed", P::RenameFlags, "linkToAgreed", false);
    row("agreedReplacedByLinkToItCheckedRename", "agreed", P::CheckedRename, "linkToAgreed", false);
    row("agreedRemovedExchange", "agreed", P::RenameFlags, "removed", true);
    row("agreedRemovedCheckedRename", "agreed", P::CheckedRename, "removed", true);
    // The file system may give the removed file's inode number to the new one.
    row("agreedRemovedThenFileArrivesExchange", "agreed", P::RenameFlags, "removedThenOtherFile", false);
}

void TestEnginePlacement::commitPlacesOnlyWhereAllowed()
{
    QFETCH(QString, rule);
    QFETCH(int, primitive);
    QFETCH(QString, meanwhile);
    QFETCH(bool, placed);
    QTemporaryDir dir;
    const QString target = dir.filePath("part.pdf");
    Replacement replacement{Replacement::Rule::Nothing, {}};
    if (rule == "agreed") {
        QVERIFY(PdfFixtures::write(target, "agreed"));
        QCOMPARE(::chmod(path8(target).constData(), 0640), 0);
        struct stat status { };
        QCOMPARE(::lstat(path8(target).constData(), &status), 0);
        replacement = Replacement{Replacement::Rule::AgreedFile, FileId{status.st_dev, status.st_ino}};
    }

    Status status;
    {
        AtomicFile file(target.toStdString(), replacement, "part");
        file.startPlacementAt(AtomicFile::Primitive(primitive));
        QVERIFY(file.create().ok);
        QVERIFY(file.writeAll("new content").ok);
        if (meanwhile == "otherFile") {
            QVERIFY(PdfFixtures::write(dir.filePath("other"), "other"));
            QCOMPARE(::rename(path8(dir.filePath("other")).constData(), path8(target).constData()), 0);
        } else if (meanwhile == "danglingLink") {
            QVERIFY(QFile::link("nowhere.pdf", target));
        } else if (meanwhile == "linkToAgreed") {
            QCOMPARE(::rename(path8(target).constData(), path8(dir.filePath("moved.pdf")).constData()), 0);
            QVERIFY(QFile::link("moved.pdf", target));
        } else if (meanwhile.startsWith("removed")) {
            QVERIFY(QFile::remove(target));
            if (meanwhile == "removedThenOtherFile")
                QVERIFY(PdfFixtures::write(target, "other"));
        }
        const QString before = entryState(target);
        status = file.commit(true);
        if (!placed)
            QCOMPARE(entryState(target), before);
    }

    QVERIFY2(!hasTemporaryFile(dir.path()), qPrintable(folderEntries(dir.path()).join(", ")));
    if (!placed) {
        QVERIFY(!status.ok);
        QCOMPARE(status.cause, Status::Cause::Occupied);
        QVERIFY2(QString::fromStdString(status.message)
                     .startsWith("a file of that name appeared while the part was being written"),
                 status.message.c_str());
        return;
    }
    QVERIFY2(status.ok, status.message.c_str());
    QFile file(target);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("new content"));
    // The agreed file is gone, not kept under another name, and its permissions carry over.
    QCOMPARE(folderEntries(dir.path()), QStringList({"part.pdf"}));
    const mode_t mask = ::umask(0);
    ::umask(mask);
    struct stat written { };
    QCOMPARE(::lstat(path8(target).constData(), &written), 0);
    QCOMPARE(written.st_mode & 0777, meanwhile.isEmpty() && rule == "agreed" ? mode_t(0640) : 0666 & ~mask);
}

void TestEnginePlacement::engineReplacesOnlyWhatItMay_data()
{
    // replace: QUIREKIT_REPLACE, with OUTPUT standing for the identity of the file at the
    // output and OTHER for another file's; output: what is at the output's name.
    QTest::addColumn<QString>("replace");
    QTest::addColumn<QString>("output");
    QTest::addColumn<int>("exitCode");
    const auto row = [](const char *name, const char *replace, const char *output, int exitCode) {
        QTest::newRow(name) << replace << output << exitCode;
    };
    row("noneFreeName", "none", "missing", 0);
    row("noneExistingFile", "none", "file", 3);
    row("noneLinkToFile", "none", "linkToFile", 3);
    row("agreedFile", "OUTPUT", "file", 0);
    row("agreedFileThroughLink", "OUTPUT", "linkToFile", 0);
    row("otherFileThere", "OTHER", "file", 3);
    row("agreedFileGone", "OTHER", "missing", 0);
    // Agreeing to replace something does not make it a file to write to.
    row("agreedIsAFolder", "OUTPUT", "folder", 5);
}

void TestEnginePlacement::engineReplacesOnlyWhatItMay()
{
    QFETCH(QString, replace);
    QFETCH(QString, output);
    QFETCH(int, exitCode);
    for (const bool cat : {true, false}) {
        QTemporaryDir dir;
        const QString name = dir.filePath("out.pdf");
        const QString target = dir.filePath("target.pdf");
        QVERIFY(PdfFixtures::write(dir.filePath("other.pdf"), "other"));
        if (output == "file")
            QVERIFY(PdfFixtures::write(name, "previous"));
        else if (output == "folder")
            QVERIFY(QDir(dir.path()).mkdir("out.pdf"));
        else if (output == "linkToFile")
            QVERIFY(PdfFixtures::write(target, "previous") && QFile::link("target.pdf", name));
        const QString variable
            = QString(replace).replace("OUTPUT", idText(name)).replace("OTHER", idText(dir.filePath("other.pdf")));
        const QString before = entryState(name);
        const QString targetBefore = entryState(target);

        const EngineProcess::Result result
            = EngineProcess::run(commands(m_source, name)[cat ? 0 : 1], {"QUIREKIT_REPLACE=" + variable});
        QVERIFY2(result.exitCode == exitCode, result.err.constData());
        QVERIFY(!hasTemporaryFile(dir.path()));
        if (exitCode != 0) {
            QVERIFY(result.err.startsWith("quirekit: the "));
            QCOMPARE(entryState(name), before);
            QCOMPARE(entryState(target), targetBefore);
            continue;
        }
        // Written through a link to its file, the link staying a link.
        const QString written = output == "linkToFile" ? target : name;
        QCOMPARE(QFileInfo(name).isSymLink(), output == "linkToFile");
        QFile file(written);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().startsWith(cat ? "%PDF" : "NumberOfPages: 10\n"));
    }
}

void TestEnginePlacement::engineReadsOnlyTheCheckedDocument_data()
{
    // field: which value of the document's version is given wrong (by one), -1 none.
    QTest::addColumn<int>("field");
    // before1970: modified 1.5 s before the epoch, a negative time whose nanoseconds still
    // count up within their second.
    QTest::addColumn<bool>("before1970");
    // fields: 5 with the change time, 4 in the older form without it.
    QTest::addColumn<int>("fields");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("matching") << -1 << false << 5 << 0;
    QTest::newRow("otherDevice") << 0 << false << 5 << 4;
    QTest::newRow("otherInode") << 1 << false << 5 << 4;
    QTest::newRow("otherSize") << 2 << false << 5 << 4;
    QTest::newRow("otherModificationTime") << 3 << false << 5 << 4;
    QTest::newRow("otherChangeTime") << 4 << false << 5 << 4;
    QTest::newRow("matchingBefore1970") << -1 << true << 5 << 0;
    QTest::newRow("otherTimeBefore1970") << 3 << true << 5 << 4;
    QTest::newRow("olderFormMatching") << -1 << false << 4 << 0;
    QTest::newRow("olderFormOtherModificationTime") << 3 << false << 4 << 4;
}

void TestEnginePlacement::engineReadsOnlyTheCheckedDocument()
{
    QFETCH(int, field);
    QFETCH(bool, before1970);
    QFETCH(int, fields);
    QFETCH(int, exitCode);
    QTemporaryDir dir;
    const QString document = dir.filePath("document.pdf");
    QVERIFY(PdfFixtures::write(document, PdfFixtures::tenPages()));
    if (before1970) {
        const timespec times[2] = {{-2, 500000000}, {-2, 500000000}};
        QCOMPARE(::utimensat(AT_FDCWD, path8(document).constData(), times, 0), 0);
    }
    struct stat status { };
    QCOMPARE(::stat(path8(document).constData(), &status), 0);
    QList<qint64> values = {qint64(status.st_dev), qint64(status.st_ino), qint64(status.st_size),
                            qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec,
                            qint64(status.st_ctim.tv_sec) * 1000000000 + status.st_ctim.tv_nsec};
    values = values.mid(0, fields);
    if (field >= 0)
        values[field] += 1;
    QStringList texts;
    for (qint64 value : values)
        texts << QString::number(value);

    for (const QStringList &command : commands(document, dir.filePath("out.pdf"))) {
        const EngineProcess::Result result = EngineProcess::run(command, {"QUIREKIT_DOCUMENT=" + texts.join(':')});
        QVERIFY2(result.exitCode == exitCode, result.err.constData());
        if (exitCode == 0) {
            QVERIFY(QFile::remove(dir.filePath("out.pdf")));
            continue;
        }
        QVERIFY2(result.err.startsWith("quirekit: the document changed since it was opened"), result.err.constData());
        QCOMPARE(folderEntries(dir.path()), QStringList({"document.pdf"}));
    }
}

void TestEnginePlacement::documentRewrittenWhileReadIsCaught_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("changed");
    QTest::newRow("untouched") << "" << false;
    QTest::newRow("appendedTo") << "append" << true;
    // Same length, so only the modification time tells.
    QTest::newRow("rewrittenSameSize") << "rewrite" << true;
    // The name now leads to another file: the file being read is still whole, but it lost its
    // name, which moves its change time, and its content is no longer what the user has.
    QTest::newRow("nameGivenToAnotherFile") << "rename" << true;
}

void TestEnginePlacement::documentRewrittenWhileReadIsCaught()
{
    QFETCH(QString, change);
    QFETCH(bool, changed);
    QTemporaryDir dir;
    const QString path = dir.filePath("document.pdf");
    const QByteArray content = PdfFixtures::tenPages();
    QVERIFY(PdfFixtures::write(path, content));
    quirekit::PdfDocument document;
    const Status opened = document.open(path.toStdString());
    QVERIFY2(opened.ok, opened.message.c_str());

    if (change == "append" || change == "rewrite") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        if (change == "append") {
            QVERIFY(file.seek(file.size()));
            QVERIFY(file.write("% more\n") > 0);
        } else {
            QVERIFY(file.write(QByteArray(content).replace("Page 1", "Page X")) == content.size());
        }
        file.close();
        // A second later, however coarse the file system's clock.
        struct stat status { };
        QCOMPARE(::stat(path8(path).constData(), &status), 0);
        const timespec later{status.st_mtim.tv_sec + 1, status.st_mtim.tv_nsec};
        const timespec times[2] = {later, later};
        QCOMPARE(::utimensat(AT_FDCWD, path8(path).constData(), times, 0), 0);
    } else if (change == "rename") {
        waitPastChangeTime(path);
        QVERIFY(PdfFixtures::write(dir.filePath("new.pdf"), content + "% other\n"));
        QCOMPARE(::rename(path8(dir.filePath("new.pdf")).constData(), path8(path).constData()), 0);
    }

    const Status status = document.unchangedSinceOpened();
    QCOMPARE(status.ok, !changed);
    if (changed)
        QCOMPARE(status.cause, Status::Cause::Changed);
}

void TestEnginePlacement::malformedVariablesAreUsageErrors_data()
{
    QTest::addColumn<QString>("variable");
    QTest::newRow("replaceWord") << "QUIREKIT_REPLACE=all";
    QTest::newRow("replaceThreeNumbers") << "QUIREKIT_REPLACE=1:2:3";
    QTest::newRow("replaceSigned") << "QUIREKIT_REPLACE=-1:2";
    QTest::newRow("replaceTooLarge") << "QUIREKIT_REPLACE=18446744073709551616:1";
    QTest::newRow("documentThreeNumbers") << "QUIREKIT_DOCUMENT=1:2:3";
    QTest::newRow("documentEmptyField") << "QUIREKIT_DOCUMENT=1::3:4";
    QTest::newRow("documentNegativeSize") << "QUIREKIT_DOCUMENT=1:2:-3:4";
    QTest::newRow("documentTimeTooLarge") << "QUIREKIT_DOCUMENT=1:2:3:9223372036854775808";
    QTest::newRow("documentChangeTimeEmpty") << "QUIREKIT_DOCUMENT=1:2:3:4:";
    QTest::newRow("documentSixNumbers") << "QUIREKIT_DOCUMENT=1:2:3:4:5:6";
}

void TestEnginePlacement::malformedVariablesAreUsageErrors()
{
    QFETCH(QString, variable);
    QTemporaryDir dir;
    for (const QStringList &command : commands(m_source, dir.filePath("out.pdf"))) {
        const EngineProcess::Result result = EngineProcess::run(command, {variable});
        QCOMPARE(result.exitCode, 2);
        QVERIFY2(result.err.startsWith("quirekit: " + variable.section('=', 0, 0).toUtf8() + " must be "),
                 result.err.constData());
        QVERIFY(folderEntries(dir.path()).isEmpty());
    }
}

void TestEnginePlacement::fullDiskIsAnOutputFailure()
{
    // A damaged document exits 1; a part that the disk cannot take must not look like one.
    quirekit::PdfDocument document;
    QVERIFY(document.open(m_source.toStdString()).ok);
    const int full = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
    if (full < 0)
        QSKIP("no /dev/full here");
    quirekit::PartWriter writer(document);
    const Status status = writer.write({quirekit::PageRange{1, 10}}, full);
    ::close(full);
    QVERIFY(!status.ok);
    QCOMPARE(status.cause, Status::Cause::Output);
    QVERIFY2(status.message.find("No space left on device") != std::string::npos, status.message.c_str());
}

QTEST_GUILESS_MAIN(TestEnginePlacement)
#include "tst_engineplacement.moc"
