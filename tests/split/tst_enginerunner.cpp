// Running the engine: output collection, exit codes, start failures, promptness, and paths.
#include "core/CommandLine.h"
#include "core/Translations.h"
#include "split/EngineRunner.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <clocale>

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

// A copy of a small system program whose program loader (the path in its PT_INTERP) names a
// file that does not exist; empty when no such program is found.
QString programWithoutLoader(const QTemporaryDir &dir)
{
    QFile original(QStringLiteral("/bin/true"));
    if (!original.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = original.readAll();
    const qsizetype inLoader = bytes.indexOf("/ld-");
    if (inLoader < 0)
        return {};
    const qsizetype start = bytes.lastIndexOf('\0', inLoader) + 1;
    const qsizetype end = bytes.indexOf('\0', inLoader);
    const QByteArray missing = QByteArray("/no/such/loader").leftJustified(end - start, 'x', true);
    bytes.replace(start, end - start, missing);
    const QString path = dir.filePath(QStringLiteral("no loader"));
    QFile copy(path);
    if (!copy.open(QIODevice::WriteOnly) || copy.write(bytes) != bytes.size())
        return {};
    copy.setPermissions(copy.permissions() | QFile::ExeOwner);
    return path;
}

// While it lives, the program speaks the language of `locale` as on a desktop set to it: its
// own texts and Qt's are translated, and so are the C library's (where that locale is not
// installed, C.UTF-8 with LANGUAGE still gives its messages).
class MessageLanguage {
public:
    explicit MessageLanguage(const QByteArray &locale)
        : language_(qgetenv("LANGUAGE")), all_(qgetenv("LC_ALL")),
          translations_(QLocale(QString::fromLatin1(locale).section(QLatin1Char('.'), 0, 0)))
    {
        qputenv("LANGUAGE", locale);
        qputenv("LC_ALL", locale);
        if (!std::setlocale(LC_ALL, locale.constData()))
            std::setlocale(LC_ALL, "C.UTF-8");
    }
    ~MessageLanguage()
    {
        qputenv("LANGUAGE", language_);
        qputenv("LC_ALL", all_);
        std::setlocale(LC_ALL, "");
    }

private:
    QByteArray language_;
    QByteArray all_;
    Translations translations_;
};

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

private:
    QTemporaryDir dir_{QDir::tempPath() + "/engine runner \"test\" XXXXXX"};
};

void TestEngineRunner::largeOutputArrivesWholeAndInOrder()
{
    const QString engine = fakeEngine(dir_, "big", "seq 1 20000");
    QByteArray output = "kept:";
    QCOMPARE(EngineRunner::RunEngine(engine, {}, output).exitCode, 0);
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
    QVERIFY(EngineRunner::RunEngine(engine, {}, output).Succeeded());
    QCOMPARE(output, QByteArray("out\nerr\nout2\n"));
}

void TestEngineRunner::exitCodeIsReturned()
{
    const QString engine = fakeEngine(dir_, "three", "echo failing; exit 3");
    QByteArray output;
    const EngineResult result = EngineRunner::RunEngine(engine, {}, output);
    QCOMPARE(result.end, EngineResult::End::Exited);
    QCOMPARE(result.exitCode, 3);
    QVERIFY(!result.Succeeded());
    QCOMPARE(output, QByteArray("failing\n"));
}

void TestEngineRunner::crashIsNoExit()
{
    const QString engine = fakeEngine(dir_, "crash", "kill -SEGV $$");
    QByteArray output;
    const EngineResult result = EngineRunner::RunEngine(engine, {}, output);
    QCOMPARE(result.end, EngineResult::End::Crashed);
    QCOMPARE(result.exitCode, -1);
    QVERIFY(!result.reason.isEmpty());
}

void TestEngineRunner::engineThatCannotStartIsAFailure_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QByteArray>("locale");
    QFile plain(dir_.filePath("not executable"));
    plain.open(QIODevice::WriteOnly);
    plain.write("#!/bin/sh\nexit 5\n");
    const QString orphanScript = fakeEngine(dir_, "orphan", "exit 0", "/no/such/interpreter");
    // A script whose interpreter is itself a script without one.
    const QString orphanChain = fakeEngine(dir_, "orphan chain", "exit 0", orphanScript.toUtf8());
    const QString orphanProgram = programWithoutLoader(dir_);
    QVERIFY(!orphanProgram.isEmpty());
    // The system's messages are in the user's language: the reason must not depend on them.
    for (const QByteArray &locale : {QByteArray("C"), QByteArray("de_DE.UTF-8"), QByteArray("fr_FR.UTF-8")}) {
        const auto row = [&locale](const char *name) -> QTestData & {
            return QTest::addRow("%s/%s", name, locale.constData());
        };
        row("missing") << dir_.filePath("no such engine") << QString() << "the file is missing" << locale;
        row("notExecutable") << plain.fileName() << QString() << "it is not marked as executable" << locale;
        row("folder") << dir_.path() << QString() << "it is a folder" << locale;
        // The file is there and executable, but what should run it is not.
        const QString missingRunner = "the interpreter or loader it needs is missing";
        row("interpreterMissing") << orphanScript << QString() << missingRunner << locale;
        row("interpreterOfInterpreterMissing") << orphanChain << QString() << missingRunner << locale;
        row("loaderMissing") << orphanProgram << QString() << missingRunner << locale;
    }
    QTest::newRow("workingFolderMissing")
        << fakeEngine(dir_, "fine", "exit 0") << dir_.filePath("gone") << "does not exist" << QByteArray("C");
}

void TestEngineRunner::engineThatCannotStartIsAFailure()
{
    QFETCH(QString, engine);
    QFETCH(QString, folder);
    QFETCH(QString, reason);
    QFETCH(QByteArray, locale);
    const MessageLanguage language(locale);
    QByteArray output = "unchanged";
    const EngineResult result = EngineRunner::RunEngine(engine, {"x"}, output, folder);
    QCOMPARE(result.end, EngineResult::End::NotStarted);
    QVERIFY(!result.Succeeded());
    QVERIFY2(result.reason.contains(folder.isEmpty() ? engine : folder), qPrintable(result.reason));
    const QString translated = QCoreApplication::translate("qw::EngineRunner", reason.toUtf8().constData());
    QVERIFY2(result.reason.contains(translated), qPrintable(result.reason));
    QCOMPARE(output, QByteArray("unchanged"));
}

void TestEngineRunner::engineGetsNoInput()
{
    // An engine that reads its input sees its end at once instead of waiting for ever.
    const QString engine = fakeEngine(dir_, "reader", "cat; echo done");
    QByteArray output;
    QVERIFY(EngineRunner::RunEngine(engine, {}, output).Succeeded());
    QCOMPARE(output, QByteArray("done\n"));
}

void TestEngineRunner::argumentsArriveIntact()
{
    const QString engine = fakeEngine(dir_, "echo args", R"(for a in "$@"; do printf '[%s]\n' "$a"; done)");
    const QStringList arguments
        = {R"(A=/tmp/say "hi"/in put.pdf)", "cat", "A1-3", "output", R"(/tmp/back\slash\)", "/tmp/Grüße ☃.pdf", ""};
    QByteArray output;
    QVERIFY(EngineRunner::RunEngine(engine, arguments, output).Succeeded());
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
    QVERIFY(EngineRunner::RunEngine(engine, {}, output).Succeeded());
    QCOMPARE(QString::fromUtf8(output), "inherited|" + QDir::currentPath());
    // A given working folder is where it runs instead.
    output.clear();
    QVERIFY(EngineRunner::RunEngine(engine, {}, output, dir_.path()).Succeeded());
    QCOMPARE(QString::fromUtf8(output), "inherited|" + dir_.path());
}

void TestEngineRunner::eachRunIsTracedOnce()
{
    // The trace is a command line that gives the arguments back, plain words left plain.
    const QString engine = fakeEngine(dir_, "traced", "exit 0");
    const QStringList arguments{"A=/d/in put.pdf", "cat", "A1-3", "output", R"(say "hi".pdf)", ""};
    TraceCounter counter;
    TraceCounter::lines.clear();
    QByteArray output;
    EngineRunner::RunEngine(engine, arguments, output);
    QCOMPARE(TraceCounter::lines.size(), 1);
    QVERIFY2(TraceCounter::lines.constFirst().contains(" cat A1-3 output "), qPrintable(TraceCounter::lines.constFirst()));
    QCOMPARE(CommandLine::Split(TraceCounter::lines.constFirst()), QStringList{engine} + arguments);
}

void TestEngineRunner::emptyArgumentsStartNothing()
{
    TraceCounter counter;
    TraceCounter::lines.clear();
    QCOMPARE(EngineRunner::RunEngineCommand({}).end, EngineResult::End::NotStarted);
    QVERIFY(TraceCounter::lines.isEmpty());
}

QTEST_GUILESS_MAIN(TestEngineRunner)
#include "tst_enginerunner.moc"
