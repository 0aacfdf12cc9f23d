// Running the engine: output collection, exit codes, start failures, promptness, and paths.
#include "split/CommandLine.h"
#include "split/EngineRunner.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// Writes an executable shell script standing in for the engine.
QString fakeEngine(const QTemporaryDir &dir, const QString &name, const QByteArray &body)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write("#!/bin/sh\n" + body + "\n");
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
    void crashGivesMinusOne();
    void engineThatCannotStartGivesZero_data();
    void engineThatCannotStartGivesZero();
    void silentEngineIsNoticedAtOnce();
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
    QCOMPARE(EngineRunner::RunEngine(commandFor(engine), output), 0);
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
    QCOMPARE(EngineRunner::RunEngine(commandFor(engine), output), 0);
    QCOMPARE(output, QByteArray("out\nerr\nout2\n"));
}

void TestEngineRunner::exitCodeIsReturned()
{
    const QString engine = fakeEngine(dir_, "three", "echo failing; exit 3");
    QByteArray output;
    QCOMPARE(EngineRunner::RunEngine(commandFor(engine), output), 3);
    QCOMPARE(output, QByteArray("failing\n"));
}

void TestEngineRunner::crashGivesMinusOne()
{
    const QString engine = fakeEngine(dir_, "crash", "kill -SEGV $$");
    QByteArray output;
    QCOMPARE(EngineRunner::RunEngine(commandFor(engine), output), -1);
}

void TestEngineRunner::engineThatCannotStartGivesZero_data()
{
    QTest::addColumn<QString>("engine");
    QTest::newRow("missing") << dir_.filePath("no such engine");
    QFile plain(dir_.filePath("not executable"));
    plain.open(QIODevice::WriteOnly);
    plain.write("#!/bin/sh\nexit 5\n");
    QTest::newRow("notExecutable") << plain.fileName();
    QTest::newRow("folder") << dir_.path();
}

void TestEngineRunner::engineThatCannotStartGivesZero()
{
    QFETCH(QString, engine);
    QByteArray output = "unchanged";
    QCOMPARE(EngineRunner::RunEngine(commandFor(engine, {"x"}), output), 0);
    QCOMPARE(output, QByteArray("unchanged"));
}

void TestEngineRunner::silentEngineIsNoticedAtOnce()
{
    // Waiting out a 100 ms poll per run would make twenty runs last two seconds or more.
    const QString engine = fakeEngine(dir_, "quick", "exit 0");
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 20; ++i) {
        QByteArray output;
        QCOMPARE(EngineRunner::RunEngine(commandFor(engine), output), 0);
    }
    QVERIFY2(timer.elapsed() < 1500, qPrintable(QString::number(timer.elapsed()) + " ms for 20 runs"));
}

void TestEngineRunner::engineGetsNoInput()
{
    // An engine that reads its input sees its end at once instead of waiting for ever.
    const QString engine = fakeEngine(dir_, "reader", "cat; echo done");
    QByteArray output;
    QCOMPARE(EngineRunner::RunEngine(commandFor(engine), output), 0);
    QCOMPARE(output, QByteArray("done\n"));
}

void TestEngineRunner::argumentsArriveIntact()
{
    const QString engine = fakeEngine(dir_, "echo args", R"(for a in "$@"; do printf '[%s]\n' "$a"; done)");
    const QStringList arguments
        = {R"(A=/tmp/say "hi"/in put.pdf)", "cat", "A1-3", "output", R"(/tmp/back\slash\)", "/tmp/Grüße ☃.pdf", ""};
    QByteArray output;
    QCOMPARE(EngineRunner::RunEngine(commandFor(engine, arguments), output), 0);
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
    QCOMPARE(EngineRunner::RunEngine(commandFor(engine), output), 0);
    QCOMPARE(QString::fromUtf8(output), "inherited|" + QDir::currentPath());
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
    QCOMPARE(EngineRunner::RunEngineCommand(QString()), 0);
    QVERIFY(TraceCounter::lines.isEmpty());
}

void TestEngineRunner::pumpHandlesWaitingEventsOnly()
{
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    QElapsedTimer timer;
    timer.start();
    EngineRunner::PumpMessages();
    QVERIFY(ran);
    QVERIFY(timer.elapsed() < 1000);
}

QTEST_GUILESS_MAIN(TestEngineRunner)
#include "tst_enginerunner.moc"
