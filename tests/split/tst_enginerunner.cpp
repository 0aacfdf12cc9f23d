// Running the engine: output collection, exit codes, start failures, promptness, and paths.
#include "core/CommandLine.h"
#include "split/EngineRunner.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace qw;

namespace {

// Writes an executable shell script standing in for the engine.
QString fakeEngine(const QTemporaryDir &dir, const QString &name, const QByteArray &body,
                   const QByteArray &interpreter = "/bin/sh")
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write("#!" + interpreter + "\n" + body + "\n");
    file.setPermissions(file.permissions() | QFile::ExeOwner);
    return path;
}

// Counts the trace lines of engine runs while it lives.
class TraceCounter {
public:
    TraceCounter()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("quirewright.engine.debug=true"));
        previous_ = qInstallMessageHandler(&TraceCounter::handle);
    }
    ~TraceCounter()
    {
        qInstallMessageHandler(previous_);
        QLoggingCategory::setFilterRules(QString());
    }
    static inline QStringList lines;

private:
    static void handle(QtMsgType, const QMessageLogContext &context, const QString &message)
    {
        if (QByteArrayView(context.category) == "quirewright.engine")
            lines << message;
    }
    QtMessageHandler previous_;
};

QString commandFor(const QString &engine, const QStringList &arguments = {})
{
    QString line = CommandLine::Quote(engine);
    for (const QString &a : arguments)
        line += QLatin1Char(' ') + CommandLine::Quote(a);
    return line;
}

} // namespace

class TestEngineRunner : public QObject {
    Q_OBJECT
private slots:
    void largeOutputArrivesWholeAndInOrder();
    void bothStreamsAreCollected();
    void exitCodeIsReturned();
    void crashIsNoExit();
    void engineThatCannotStartIsAFailure_data();
    void engineThatCannotStartIsAFailure();
    void engineGetsNoInput();
    void argumentsArriveIntact();
    void environmentAndFolderAreInherited();
    void eachRunIsTracedOnce();
    void emptyArgumentsStartNothing();
    void pumpHandlesWaitingEventsOnly();

private:
    QTemporaryDir dir_{QDir::tempPath() + "/engine runner \"test\" XXXXXX"};
};

void TestEngineRunner::largeOutputArrivesWholeAndInOrder()
{
    const QString engine = fakeEngine(dir_, "big", "seq 1 20000");
    QByteArray output = "kept:";
    QCOMPARE(EngineRunner::RunEngine(commandFor(engine), output).exitCode, 0);
    QByteArray expected = "kept:";
    for (int i = 1; i <= 20000; ++i)
        expected += QByteArray::number(i) + '\n';
    QVERIFY(expected.size() > 8191 * 10);
    QCOMPARE(output, expected);
}

void TestEngineRunner::bothStreamsAreCollected()
{
    const QString engine = fakeEngine(dir_, "both", "echo out; echo err >&2; echo out2");
    QByteArray output;
    QVERIFY(EngineRunner::RunEngine(commandFor(engine), output).Succeeded());
    QCOMPARE(output, QByteArray("out\nerr\nout2\n"));
}

void TestEngineRunner::exitCodeIsReturned()
{
    const QString engine = fakeEngine(dir_, "three", "echo failing; exit 3");
    QByteArray output;
    const EngineResult result = EngineRunner::RunEngine(commandFor(engine), output);
    QCOMPARE(result.end, EngineResult::End::Exited);
    QCOMPARE(result.exitCode, 3);
    QVERIFY(!result.Succeeded());
    QCOMPARE(output, QByteArray("failing\n"));
}

void TestEngineRunner::crashIsNoExit()
{
    const QString engine = fakeEngine(dir_, "crash", "kill -SEGV $$");
    QByteArray output;
    const EngineResult result = EngineRunner::RunEngine(commandFor(engine), output);
    QCOMPARE(result.end, EngineResult::End::Crashed);
    QCOMPARE(result.exitCode, -1);
    QVERIFY(!result.reason.isEmpty());
}

void TestEngineRunner::engineThatCannotStartIsAFailure_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << dir_.filePath("no such engine") << QString() << "the file is missing";
    QFile plain(dir_.filePath("not executable"));
    plain.open(QIODevice::WriteOnly);
    plain.write("#!/bin/sh\nexit 5\n");
    QTest::newRow("notExecutable") << plain.fileName() << QString() << "it is not marked as executable";
    QTest::newRow("folder") << dir_.path() << QString() << "it is a folder";
    // The file is there and executable, but what should run it is not.
    QTest::newRow("interpreterMissing") << fakeEngine(dir_, "orphan", "exit 0", "/no/such/interpreter") << QString()
                                        << "the interpreter or loader it needs is missing";
    QTest::newRow("workingFolderMissing")
        << fakeEngine(dir_, "fine", "exit 0") << dir_.filePath("gone") << "does not exist";
}

void TestEngineRunner::engineThatCannotStartIsAFailure()
{
    QFETCH(QString, engine);
    QFETCH(QString, folder);
    QFETCH(QString, reason);
    QByteArray output = "unchanged";
    const EngineResult result = EngineRunner::RunEngine(commandFor(engine, {"x"}), output, folder);
    QCOMPARE(result.end, EngineResult::End::NotStarted);
    QVERIFY(!result.Succeeded());
    QVERIFY2(result.reason.contains(folder.isEmpty() ? engine : folder), qPrintable(result.reason));
    QVERIFY2(result.reason.contains(reason), qPrintable(result.reason));
    QCOMPARE(output, QByteArray("unchanged"));
}

void TestEngineRunner::engineGetsNoInput()
{
    // An engine that reads its input sees its end at once instead of waiting for ever.
    const QString engine = fakeEngine(dir_, "reader", "cat; echo done");
    QByteArray output;
    QVERIFY(EngineRunner::RunEngine(commandFor(engine), output).Succeeded());
    QCOMPARE(output, QByteArray("done\n"));
}

void TestEngineRunner::argumentsArriveIntact()
{
    const QString engine = fakeEngine(dir_, "echo args", R"(for a in "$@"; do printf '[%s]\n' "$a"; done)");
    const QStringList arguments
        = {R"(A=/tmp/say "hi"/in put.pdf)", "cat", "A1-3", "output", R"(/tmp/back\slash\)", "/tmp/Grüße ☃.pdf", ""};
    QByteArray output;
    QVERIFY(EngineRunner::RunEngine(commandFor(engine, arguments), output).Succeeded());
    QString expected;
    for (const QString &a : arguments)
        expected += "[" + a + "]\n";
    QCOMPARE(QString::fromUtf8(output), expected);
}

void TestEngineRunner::environmentAndFolderAreInherited()
{
    const QString engine = fakeEngine(dir_, "env", R"sh(printf '%s|%s' "$QUIRE_RUNNER_TEST" "$(pwd)")sh");
    qputenv("QUIRE_RUNNER_TEST", "inherited");
    QByteArray output;
    QVERIFY(EngineRunner::RunEngine(commandFor(engine), output).Succeeded());
    QCOMPARE(QString::fromUtf8(output), "inherited|" + QDir::currentPath());
    // A given working folder is where it runs instead.
    output.clear();
    QVERIFY(EngineRunner::RunEngine(commandFor(engine), output, dir_.path()).Succeeded());
    QCOMPARE(QString::fromUtf8(output), "inherited|" + dir_.path());
}

void TestEngineRunner::eachRunIsTracedOnce()
{
    const QString engine = fakeEngine(dir_, "traced", "exit 0");
    const QString line = commandFor(engine, {"a b"});
    TraceCounter counter;
    TraceCounter::lines.clear();
    QByteArray output;
    EngineRunner::RunEngine(line, output);
    QCOMPARE(TraceCounter::lines, QStringList{line});
}

void TestEngineRunner::emptyArgumentsStartNothing()
{
    TraceCounter counter;
    TraceCounter::lines.clear();
    QCOMPARE(EngineRunner::RunEngineCommand(QString()).end, EngineResult::End::NotStarted);
    QVERIFY(TraceCounter::lines.isEmpty());
}

void TestEngineRunner::pumpHandlesWaitingEventsOnly()
{
    // How long it takes is measured by bench/runner_bench.sh.
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    EngineRunner::PumpMessages();
    QVERIFY(ran);
}

QTEST_GUILESS_MAIN(TestEngineRunner)
#include "tst_enginerunner.moc"
