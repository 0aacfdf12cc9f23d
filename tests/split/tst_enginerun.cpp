// The engine run without waiting for it, through the real engine beside this program: its end
// is told once with its result and its output, its progress lines as they come, and a start
// that fails or a stop asked for are ends like the others.
#include "PdfFixtures.h"
#include "split/EngineRun.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace qw;

Q_DECLARE_METATYPE(qw::EngineResult::End)

class TestEngineRun : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void endsOnceWithItsResult_data();
    void endsOnceWithItsResult();

private:
    QTemporaryDir dir_;
    QString document_;
};

void TestEngineRun::initTestCase()
{
    QVERIFY(dir_.isValid());
    // This program lives beside the engine, as the application does.
    QVERIFY(QFile::exists(QCoreApplication::applicationDirPath() + "/quirekit.dll"));
    document_ = dir_.filePath("ten pages.pdf");
    QVERIFY(PdfFixtures::write(document_, PdfFixtures::tenPages()));
}

void TestEngineRun::endsOnceWithItsResult_data()
{
    QTest::addColumn<QString>("program"); // empty: the engine
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("folder"); // empty: the current one
    QTest::addColumn<bool>("stopOnProgress");
    QTest::addColumn<EngineResult::End>("end");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output"); // what its output or its reason holds
    QTest::addColumn<QList<int>>("lastProgress"); // done and total, empty for none

    const QString report = dir_.filePath("report.txt");
    QTest::newRow("dumpData") << QString() << QStringList{document_, "dump_data", "output", report} << QString() << false
                              << EngineResult::End::Exited << 0 << QString() << QList<int>();
    QTest::newRow("pageFactsTellsProgress")
        << QString() << QStringList{document_, "page_facts", "output", dir_.filePath("facts.txt")} << dir_.path() << false
        << EngineResult::End::Exited << 0 << "Progress: 10/10" << QList<int>{10, 10};
    QFile text(dir_.filePath("not a pdf.pdf"));
    QVERIFY(text.open(QIODevice::WriteOnly) && text.write("plain text\n") > 0);
    QTest::newRow("notPdf") << QString() << QStringList{text.fileName(), "dump_data", "output", report} << QString() << false
                            << EngineResult::End::Exited << EngineExit::NotPdf << "quirekit:" << QList<int>();
    QTest::newRow("engineMissing") << dir_.filePath("no engine") << QStringList{document_, "dump_data"} << QString() << false
                                   << EngineResult::End::NotStarted << -1 << "the file is missing" << QList<int>();
    QTest::newRow("workingFolderMissing") << QString() << QStringList{"x"} << dir_.filePath("gone") << false
                                          << EngineResult::End::NotStarted << -1 << "does not exist" << QList<int>();
    // An engine that would go on for long, stopped once it has told some progress.
    const QString slow = dir_.filePath("slow");
    QFile script(slow);
    QVERIFY(script.open(QIODevice::WriteOnly) && script.write("#!/bin/sh\necho 'Progress: 1/3'\nexec sleep 30\n") > 0);
    script.close();
    QVERIFY(script.setPermissions(script.permissions() | QFile::ExeOwner));
    QTest::newRow("stopped") << slow << QStringList() << QString() << true << EngineResult::End::Stopped << -1 << "stopped"
                             << QList<int>{1, 3};
}

void TestEngineRun::endsOnceWithItsResult()
{
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    QFETCH(QString, folder);
    QFETCH(bool, stopOnProgress);
    QFETCH(EngineResult::End, end);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    QFETCH(QList<int>, lastProgress);

    EngineRun run;
    if (!program.isEmpty())
        run.SetProgram(program);
    run.SetWorkingFolder(folder);
    QList<int> progress;
    connect(&run, &EngineRun::progress, this, [&](int done, int total) {
        progress = {done, total};
        if (stopOnProgress)
            run.Stop();
    });
    QList<EngineResult> results;
    QByteArray written;
    connect(&run, &EngineRun::finished, this, [&](const EngineResult &result, const QByteArray &bytes) {
        results << result;
        written = bytes;
    });
    run.Start(arguments);
    QVERIFY(results.isEmpty()); // never told from within Start
    QTRY_VERIFY_WITH_TIMEOUT(!results.isEmpty(), 20000);
    QCoreApplication::processEvents();
    QCOMPARE(results.size(), 1);
    const EngineResult &result = results.constFirst();
    QCOMPARE(result.end, end);
    QCOMPARE(result.exitCode, exitCode);
    const QString told = result.end == EngineResult::End::Exited ? QString::fromUtf8(written) : result.reason;
    QVERIFY2(told.contains(output), qPrintable(told));
    QCOMPARE(progress, lastProgress);
    QVERIFY(!run.Running());
    // A report asked for is there when the end is told.
    if (result.Succeeded()) {
        QFile report(arguments.last());
        QVERIFY(report.open(QIODevice::ReadOnly));
        QVERIFY(report.readAll().startsWith("NumberOfPages: 10\n"));
    }
}

QTEST_GUILESS_MAIN(TestEngineRun)
#include "tst_enginerun.moc"
