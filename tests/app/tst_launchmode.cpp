// How the built program starts: a mistyped option goes to the split from the command line and
// is reported there, a window without a display is refused with a hint, and Qt's own options
// still reach the window. None of it may end in Qt's abort.
#include "support/OwnOptions.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int kWindowOpen = -2; // the program was still running: it shows the window
constexpr int kWindowWait = 1500; // ms; refusals end at once, before any window could open

const QString kUsage
    = QStringLiteral("Usage: quirewright --split DOC.pdf [DOC.pdf|FOLDER ...] [--at 4,8,12 | --every N | --at-bookmarks "
                     "LEVEL] [options]\n"
                     "Run \"quirewright --help\" to see the options.\n");
const QString kNoDisplay = QStringLiteral("quirewright: The window needs a display, and there is none (neither "
                                          "DISPLAY nor WAYLAND_DISPLAY is set). Splitting from the command line "
                                          "needs none:\n")
                           + kUsage;

} // namespace

class TestLaunchMode : public QObject {
    Q_OBJECT
private slots:
    void launch_data();
    void launch();
};

void TestLaunchMode::launch_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("platform"); // QT_QPA_PLATFORM; empty: unset
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("said"); // all the program wrote

    const auto unknown = [](const char *option) {
        return QStringLiteral("quirewright: Unknown option '%1'.\n").arg(QLatin1String(option)) + kUsage;
    };
    QTest::newRow("unknownLongOption") << QStringList{"--splt", "doc.pdf"} << "" << 2 << unknown("splt");
    QTest::newRow("unknownOptionBesideSplit")
        << QStringList{"--split", "doc.pdf", "--evry", "3"} << "" << 2 << unknown("evry");
    QTest::newRow("unknownShortOption") << QStringList{"-x", "doc.pdf"} << "offscreen" << 2 << unknown("x");
    // Any option of the split asks for it, even one added after the first few.
    QTest::newRow("splitOptionWithoutSplit")
        << QStringList{"--jobs", "2", "doc.pdf"} << "offscreen" << 2
        << "quirewright: No document to split: pass --split DOC.pdf. Run \"quirewright --help\" to see the options.\n";
    QTest::newRow("documentWithoutDisplay") << QStringList{"doc.pdf"} << "" << 1 << kNoDisplay;
    QTest::newRow("nothingWithoutDisplay") << QStringList{} << "" << 1 << kNoDisplay;
    QTest::newRow("qtOptionTakesTheNextArgument")
        << QStringList{"-qwindowtitle", "-odd-", "doc.pdf"} << "" << 1 << kNoDisplay;
    QTest::newRow("qtOptionWithTwoDashesAndValue") << QStringList{"--style=fusion", "doc.pdf"} << "" << 1 << kNoDisplay;
    QTest::newRow("x11PlatformWithoutDisplay") << QStringList{"doc.pdf"} << "wayland;xcb" << 1 << kNoDisplay;
    QTest::newRow("offscreenReachesTheWindow") << QStringList{"-reverse"} << "offscreen" << kWindowOpen << "";
    QTest::newRow("platformArgumentReachesTheWindow")
        << QStringList{"-platform", "offscreen"} << "" << kWindowOpen << "";
}

void TestLaunchMode::launch()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, platform);
    QFETCH(int, exitCode);
    QFETCH(QString, said);

    QTemporaryDir config;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    environment.remove("QT_QPA_PLATFORM");
    if (!platform.isEmpty())
        environment.insert("QT_QPA_PLATFORM", platform);
    environment.insert("XDG_CONFIG_HOME", config.path());
    MakeOwnOptions(config.path());
    QProcess program;
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(config.path());
    program.start(QUIREWRIGHT_PATH, arguments);
    QVERIFY(program.waitForStarted());

    const bool ended = program.waitForFinished(exitCode == kWindowOpen ? kWindowWait : 30000);
    if (!ended) {
        program.kill();
        program.waitForFinished();
    }
    const QString output = QString::fromLocal8Bit(program.readAllStandardOutput() + program.readAllStandardError());
    if (exitCode == kWindowOpen) {
        QVERIFY2(!ended, qPrintable(QStringLiteral("ended with %1: %2").arg(program.exitCode()).arg(output)));
        return;
    }
    QVERIFY2(ended && program.exitStatus() == QProcess::NormalExit, qPrintable(output));
    QCOMPARE(program.exitCode(), exitCode);
    QCOMPARE(output, said);
}

QTEST_GUILESS_MAIN(TestLaunchMode)
#include "tst_launchmode.moc"
