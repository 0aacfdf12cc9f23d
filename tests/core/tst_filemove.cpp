// Moving a file without ever replacing another, on one file system and across two.
#include "core/FileMove.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace qw;

namespace {
void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

dev_t deviceOf(const QString &path)
{
    struct stat st { };
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_dev : 0;
}
} // namespace

class TestFileMove : public QObject {
    Q_OBJECT
private slots:
    void movesWithinAFileSystem();
    void neverReplacesAnExistingFile();
    void failuresLeaveTheSourceWhereItWas();
    void movesAcrossFileSystems();
};

void TestFileMove::movesWithinAFileSystem()
{
    QTemporaryDir dir;
    const QString source = dir.filePath("My \"scan\" Grüße.pdf");
    QDir(dir.path()).mkdir("archive");
    const QString target = dir.filePath("archive/My \"scan\" Grüße.pdf");
    write(source, "content");
    QCOMPARE(MoveFileNoReplace(source, target), MoveResult::Moved);
    QVERIFY(!QFile::exists(source));
    QCOMPARE(read(target), QByteArray("content"));
}

void TestFileMove::neverReplacesAnExistingFile()
{
    QTemporaryDir dir;
    write(dir.filePath("a.pdf"), "new");
    write(dir.filePath("b.pdf"), "old");
    QCOMPARE(MoveFileNoReplace(dir.filePath("a.pdf"), dir.filePath("b.pdf")), MoveResult::TargetExists);
    QCOMPARE(read(dir.filePath("a.pdf")), QByteArray("new"));
    QCOMPARE(read(dir.filePath("b.pdf")), QByteArray("old"));
}

void TestFileMove::failuresLeaveTheSourceWhereItWas()
{
    QTemporaryDir dir;
    write(dir.filePath("a.pdf"), "data");
    QCOMPARE(MoveFileNoReplace(dir.filePath("a.pdf"), dir.filePath("no such folder/a.pdf")), MoveResult::Failed);
    QCOMPARE(MoveFileNoReplace(dir.filePath("missing.pdf"), dir.filePath("b.pdf")), MoveResult::Failed);
    QCOMPARE(MoveFileNoReplace(dir.path(), dir.filePath("moved folder")), MoveResult::Failed);
    QCOMPARE(read(dir.filePath("a.pdf")), QByteArray("data"));
    QVERIFY(!QFile::exists(dir.filePath("b.pdf")));
}

void TestFileMove::movesAcrossFileSystems()
{
    QTemporaryDir here;
    QTemporaryDir there("/dev/shm/quirewright-move-XXXXXX");
    if (!there.isValid() || deviceOf(here.path()) == deviceOf(there.path()))
        QSKIP("no second file system to move to");
    QByteArray big(3 << 20, 'x');
    big[12345] = 'y';
    write(here.filePath("a.pdf"), big);
    write(there.filePath("taken.pdf"), "keep");
    QCOMPARE(MoveFileNoReplace(here.filePath("a.pdf"), there.filePath("taken.pdf")), MoveResult::TargetExists);
    QCOMPARE(read(there.filePath("taken.pdf")), QByteArray("keep"));
    QVERIFY(QFile::exists(here.filePath("a.pdf")));

    QCOMPARE(MoveFileNoReplace(here.filePath("a.pdf"), there.filePath("a.pdf")), MoveResult::Moved);
    QVERIFY(!QFile::exists(here.filePath("a.pdf")));
    QCOMPARE(read(there.filePath("a.pdf")), big);
    // No temporary copy is left behind.
    QCOMPARE(QDir(there.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

QTEST_GUILESS_MAIN(TestFileMove)
#include "tst_filemove.moc"
