// Thumbnails from the real engine beside this program: the pages asked for first come first,
// the cache lets the least recently used go, another document leaves nothing of the one before,
// and an engine that cannot serve is told once, by its kind.
#include "EngineProcess.h"
#include "PdfFixtures.h"
#include "core/FileStamp.h"
#include "split/ThumbnailSource.h"

#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace qw;

Q_DECLARE_METATYPE(ThumbnailSource::Problem)

namespace {

constexpr int kWait = 20000;

QList<int> pagesOf(const QSignalSpy &spy)
{
    QList<int> pages;
    for (const QList<QVariant> &arguments : spy)
        pages << arguments.at(0).toInt();
    return pages;
}

// The engines the source has running or ending: once an engine has ended, nothing of it comes.
qsizetype engines(const ThumbnailSource &source)
{
    return source.findChildren<QProcess *>(Qt::FindDirectChildrenOnly).size();
}

QList<int> range(int first, int last)
{
    QList<int> pages;
    for (int page = first; page <= last; ++page)
        pages << page;
    return pages;
}

bool writeScript(const QString &path, const QByteArray &text)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("#!/bin/sh\n" + text);
    file.close();
    return file.setPermissions(file.permissions() | QFile::ExeOwner);
}

} // namespace

class TestThumbnailSource : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void prioritizedPagesComeFirst_data();
    void prioritizedPagesComeFirst();
    void aNewPriorityTakesEffectAtOnce();
    void cacheLetsTheLeastRecentlyUsedGo_data();
    void cacheLetsTheLeastRecentlyUsedGo();
    void nothingOfTheDocumentBeforeRemains_data();
    void nothingOfTheDocumentBeforeRemains();
    void aNewWidthKeepsTheOldThumbnailUntilTheNewOneComes();
    void aPageThatCannotBeDrawnFailsAlone();
    void anEngineThatCannotServeIsToldOnce_data();
    void anEngineThatCannotServeIsToldOnce();

private:
    void open(ThumbnailSource &source, const QString &document, int pageCount);

    QTemporaryDir m_dir;
    QString m_hundred; // 300 x 400 pages
    QString m_ten; // pages 1-5 turned to landscape
};

void TestThumbnailSource::initTestCase()
{
    qRegisterMetaType<ThumbnailSource::Problem>();
    QVERIFY(m_dir.isValid());
    // This program lives beside the engine, as the application does.
    QVERIFY(QFile::exists(QCoreApplication::applicationDirPath() + "/quirekit.dll"));
    m_hundred = m_dir.filePath("hundred.pdf");
    QVERIFY(PdfFixtures::write(m_hundred, PdfFixtures::chapters(10, 10)));
    m_ten = m_dir.filePath("ten.pdf");
    QVERIFY(PdfFixtures::write(m_ten, PdfFixtures::tenPages()));
}

void TestThumbnailSource::open(ThumbnailSource &source, const QString &document, int pageCount)
{
    source.Open(document, FileStamp::Of(document), pageCount);
}

void TestThumbnailSource::prioritizedPagesComeFirst_data()
{
    QTest::addColumn<QList<int>>("askedBefore"); // pages whose thumbnail was asked for before
    QTest::addColumn<QList<int>>("priority");
    QTest::addColumn<QList<int>>("delivered");
    QTest::newRow("visibleThenAround") << range(1, 12) << QList<int>{50, 51, 52, 53, 49, 54, 48}
                                       << QList<int>{50, 51, 52, 53, 49, 54, 48};
    QTest::newRow("wantedButNotListedAreForgotten") << QList<int>{1, 2, 3} << QList<int>{90} << QList<int>{90};
    QTest::newRow("outsideAndRepeatsLeftOut") << QList<int>() << QList<int>{0, 7, 101, 7, -3, 100}
                                              << QList<int>{7, 100};
}

void TestThumbnailSource::prioritizedPagesComeFirst()
{
    QFETCH(QList<int>, askedBefore);
    QFETCH(QList<int>, priority);
    QFETCH(QList<int>, delivered);
    ThumbnailSource source;
    QSignalSpy ready(&source, &ThumbnailSource::ThumbnailReady);
    open(source, m_hundred, 100);
    for (int page : askedBefore)
        QVERIFY(source.Thumbnail(page).isNull());
    source.Prioritize(priority);
    // Every page wanted gets one reply: after the last, nothing more comes.
    QTRY_COMPARE_WITH_TIMEOUT(source.Pending(), 0, kWait);
    QCOMPARE(pagesOf(ready), delivered);
    for (int page : delivered) {
        bool exact = false;
        const QImage image = source.Thumbnail(page, &exact);
        QVERIFY(exact);
        QCOMPARE(image.size(), QSize(ThumbnailSource::DefaultWidth, 160));
    }
}

void TestThumbnailSource::aNewPriorityTakesEffectAtOnce()
{
    ThumbnailSource source;
    QSignalSpy ready(&source, &ThumbnailSource::ThumbnailReady);
    open(source, m_hundred, 100);
    source.Prioritize(range(1, 60));
    QVERIFY(ready.wait(kWait));
    const qsizetype before = ready.size();
    source.Prioritize({95, 96, 97});
    QTRY_COMPARE_WITH_TIMEOUT(source.Pending(), 0, kWait);
    const QList<int> after = pagesOf(ready).mid(before);
    // Only the requests already with the engine come before the new ones.
    QVERIFY2(after.size() <= ThumbnailSource::MostInFlight + 3, qPrintable(QTest::toString(after)));
    QCOMPARE(after.mid(after.size() - 3), (QList<int>{95, 96, 97}));
    for (int page : after.mid(0, after.size() - 3))
        QVERIFY(page <= 60);
}

void TestThumbnailSource::cacheLetsTheLeastRecentlyUsedGo_data()
{
    QTest::addColumn<QList<int>>("used"); // looked at, in this order, after pages 1-3 came
    QTest::addColumn<int>("gone"); // the page that makes room for page 4
    QTest::newRow("oldestGoes") << QList<int>() << 1;
    QTest::newRow("usedStays") << QList<int>{1} << 2;
    QTest::newRow("lastUsedStaysLongest") << QList<int>{3, 2, 1} << 3;
}

void TestThumbnailSource::cacheLetsTheLeastRecentlyUsedGo()
{
    QFETCH(QList<int>, used);
    QFETCH(int, gone);
    ThumbnailSource source;
    source.SetWidth(40);
    QSignalSpy ready(&source, &ThumbnailSource::ThumbnailReady);
    open(source, m_hundred, 100);
    source.Prioritize({1});
    QVERIFY(ready.wait(kWait));
    // Room for three thumbnails of these pages, all of one size.
    source.SetCacheLimit(3 * source.Thumbnail(1).sizeInBytes());
    source.Prioritize({2, 3});
    QTRY_COMPARE_WITH_TIMEOUT(ready.size(), 3, kWait);
    for (int page : used)
        QVERIFY(!source.Thumbnail(page).isNull());
    source.Prioritize({4});
    QTRY_COMPARE_WITH_TIMEOUT(ready.size(), 4, kWait);
    for (int page = 1; page <= 4; ++page)
        QVERIFY2(source.Thumbnail(page).isNull() == (page == gone), qPrintable(QString::number(page)));
}

void TestThumbnailSource::nothingOfTheDocumentBeforeRemains_data()
{
    QTest::addColumn<bool>("openAnother"); // else closed
    QTest::newRow("anotherDocumentOpened") << true;
    QTest::newRow("closed") << false;
}

void TestThumbnailSource::nothingOfTheDocumentBeforeRemains()
{
    QFETCH(bool, openAnother);
    ThumbnailSource source;
    QSignalSpy ready(&source, &ThumbnailSource::ThumbnailReady);
    open(source, m_ten, 10);
    source.Prioritize(range(1, 10));
    QVERIFY(ready.wait(kWait));
    QCOMPARE(source.Thumbnail(1).size(), QSize(120, 85)); // page 1 of ten is turned to landscape
    // Requests for the pages after it are with the engine when the document goes.
    if (openAnother)
        open(source, m_hundred, 100);
    else
        source.Close();
    ready.clear();
    QVERIFY(source.Thumbnail(1).isNull());
    if (openAnother)
        source.Prioritize({2});
    // The engine of the document before has ended, and the replies asked of the new one came.
    QTRY_COMPARE_WITH_TIMEOUT(engines(source), openAnother ? 1 : 0, kWait);
    QTRY_COMPARE_WITH_TIMEOUT(source.Pending(), 0, kWait);
    QCOMPARE(pagesOf(ready), openAnother ? QList<int>{2} : QList<int>());
    QCOMPARE(source.Thumbnail(2).size(), openAnother ? QSize(120, 160) : QSize(0, 0));
}

void TestThumbnailSource::aNewWidthKeepsTheOldThumbnailUntilTheNewOneComes()
{
    ThumbnailSource source;
    source.SetWidth(60);
    QSignalSpy ready(&source, &ThumbnailSource::ThumbnailReady);
    open(source, m_hundred, 100);
    source.Prioritize({1});
    QVERIFY(ready.wait(kWait));
    source.SetWidth(90);
    bool exact = true;
    QCOMPARE(source.Thumbnail(1, &exact).size(), QSize(90, 120)); // the old one, scaled
    QVERIFY(!exact);
    QVERIFY(ready.wait(kWait));
    QCOMPARE(pagesOf(ready), (QList<int>{1, 1}));
    QCOMPARE(source.Thumbnail(1, &exact).size(), QSize(90, 120));
    QVERIFY(exact);
    // A page sent to the engine before the width changed still gets its one reply: a picture
    // at the width it was asked at, shown scaled until the new one comes.
    source.Prioritize({2});
    source.SetWidth(30);
    QTRY_COMPARE_WITH_TIMEOUT(source.Pending(), 0, kWait);
    QCOMPARE(pagesOf(ready), (QList<int>{1, 1, 2}));
    QCOMPARE(source.Thumbnail(2, &exact).size(), QSize(30, 40));
    QVERIFY(!exact);
}

void TestThumbnailSource::aPageThatCannotBeDrawnFailsAlone()
{
    // The tree's Kids lead back to the root: the engine cannot find the second page it lists.
    const QString path = m_dir.filePath("cyclic.pdf");
    QVERIFY(PdfFixtures::write(path, PdfFixtures::cyclicTree()));
    ThumbnailSource source;
    QSignalSpy ready(&source, &ThumbnailSource::ThumbnailReady);
    QSignalSpy failed(&source, &ThumbnailSource::ThumbnailFailed);
    QSignalSpy unavailable(&source, &ThumbnailSource::Unavailable);
    open(source, path, 2);
    source.Prioritize({2, 1});
    QTRY_COMPARE_WITH_TIMEOUT(ready.size(), 1, kWait);
    QCOMPARE(pagesOf(failed), QList<int>{2});
    QVERIFY(source.PageFailed(2));
    // Not asked again: nothing is pending, so no other reply can come.
    QVERIFY(source.Thumbnail(2).isNull());
    QCOMPARE(source.Pending(), 0);
    QCOMPARE(failed.size(), 1);
    QCOMPARE(unavailable.size(), 0);
    QVERIFY(!source.Thumbnail(1).isNull());
}

void TestThumbnailSource::anEngineThatCannotServeIsToldOnce_data()
{
    QTest::addColumn<QString>("engine"); // a stand-in, or empty for the real one
    QTest::addColumn<QString>("change"); // what becomes of the document after its stamp is taken
    QTest::addColumn<ThumbnailSource::Problem>("problem");
    using P = ThumbnailSource::Problem;
    QTest::newRow("engineMissing") << "missing" << "" << P::EngineMissing;
    QTest::newRow("documentRewritten") << "" << "rewritten" << P::DocumentChanged;
    QTest::newRow("engineCrashesAgain") << "crashes" << "" << P::EngineFailed;
    QTest::newRow("engineSpeaksNonsense") << "nonsense" << "" << P::EngineFailed;
    // Once is forgiven: the engine started again serves the pages.
    QTest::newRow("engineCrashedOnce") << "crashesOnce" << "" << P::None;
}

void TestThumbnailSource::anEngineThatCannotServeIsToldOnce()
{
    QFETCH(QString, engine);
    QFETCH(QString, change);
    QFETCH(ThumbnailSource::Problem, problem);
    const QString path = m_dir.filePath(QTest::currentDataTag() + QStringLiteral(".pdf"));
    QVERIFY(PdfFixtures::write(path, change == "notPdf" ? QByteArray("no PDF here\n") : PdfFixtures::chapters(1, 3)));
    const FileStamp stamp = FileStamp::Of(path);
    if (change == "rewritten") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::Append));
        file.write("\n% changed\n");
    }

    ThumbnailSource source;
    const QString script = m_dir.filePath(QTest::currentDataTag() + QStringLiteral(".sh"));
    const QString marker = m_dir.filePath(QTest::currentDataTag() + QStringLiteral(".started"));
    const QByteArray real = QFile::encodeName(QCoreApplication::applicationDirPath() + "/quirekit.dll");
    if (engine == "missing")
        source.SetEnginePath(m_dir.filePath("no-engine-here"));
    else if (engine == "crashes")
        QVERIFY(writeScript(script, "kill -9 $$\n"));
    else if (engine == "nonsense")
        QVERIFY(writeScript(script, "echo 'Hello there'\nsleep 30\n"));
    else if (engine == "crashesOnce")
        QVERIFY(writeScript(script, "if [ ! -e '" + QFile::encodeName(marker) + "' ]; then : > '"
                                        + QFile::encodeName(marker) + "'; kill -9 $$; fi\nexec '" + real + "' \"$@\"\n"));
    if (QFile::exists(script))
        source.SetEnginePath(script);

    QSignalSpy ready(&source, &ThumbnailSource::ThumbnailReady);
    QSignalSpy unavailable(&source, &ThumbnailSource::Unavailable);
    source.Open(path, stamp, 3);
    source.Prioritize({1, 2, 3});
    if (problem == ThumbnailSource::Problem::None) {
        QTRY_COMPARE_WITH_TIMEOUT(ready.size(), 3, kWait);
    } else {
        QTRY_COMPARE_WITH_TIMEOUT(unavailable.size(), 1, kWait);
        QVERIFY(!unavailable.at(0).at(0).toString().isEmpty());
        QVERIFY(source.Thumbnail(1).isNull());
        // No engine is left that could tell anything more.
        QTRY_COMPARE_WITH_TIMEOUT(engines(source), 0, kWait);
    }
    QCOMPARE(source.Pending(), 0);
    QCOMPARE(unavailable.size(), problem == ThumbnailSource::Problem::None ? 0 : 1);
    QCOMPARE(source.Unavailability(), problem);
}

QTEST_GUILESS_MAIN(TestThumbnailSource)
#include "tst_thumbnailsource.moc"
