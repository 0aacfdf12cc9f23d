// The private-profile file: files as Windows writes them, integers, junk, and rewrites that keep
// every byte they do not change and never leave a damaged file behind.
#include "split/PrivateProfile.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <climits>
#include <csignal>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace qw;

namespace {
const QString S = QStringLiteral("Setting");
const QByteArray kOld = "[Setting]\r\nK=old\r\n";
constexpr auto kAll = QFile::Permissions(0x7777);

// Permissions do not bind root, so a step that needs them runs as "nobody" then.
class AsUnprivileged {
public:
    explicit AsUnprivileged(bool wanted = true)
        : switched_(wanted && geteuid() == 0 && setegid(65534) == 0 && seteuid(65534) == 0)
    {
    }
    ~AsUnprivileged()
    {
        if (switched_ && seteuid(0) == 0)
            (void)!setegid(0);
    }

private:
    bool switched_;
};

QByteArray utf16(const char *text, bool bom = true)
{
    return (bom ? "\xFF\xFE" : "") + QStringEncoder(QStringConverter::Utf16LE).encode(QString::fromUtf8(text));
}

QByteArray utf16BE(const char *text)
{
    return "\xFE\xFF" + QStringEncoder(QStringConverter::Utf16BE).encode(QString::fromUtf8(text));
}

// A line "A=" holding a lone high surrogate, which is not valid UTF-16, before `rest`.
QByteArray utf16WithLoneSurrogate(const char *rest)
{
    return utf16("[Setting]\r\nA=") + QByteArray("\x00\xD8", 2) + utf16(rest, false);
}

ino_t inodeOf(const QString &path)
{
    struct stat info { };
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

enum Obstacle { Missing, Directory, Unreadable, ReadOnlyFolder, ReadOnlyFile, FileSizeLimit, Pipe, EndlessDevice };
} // namespace

class TestPrivateProfile : public QObject {
    Q_OBJECT
private slots:
    void init();
    void readsTextsAsWindowsWritesThem_data();
    void readsTextsAsWindowsWritesThem();
    void readsIntegersLikeWindows_data();
    void readsIntegersLikeWindows();
    void cutsTextsToTheBuffer_data();
    void cutsTextsToTheBuffer();
    void junkGivesDefaults_data();
    void junkGivesDefaults();
    void writesChangeOnlyTheirLine_data();
    void writesChangeOnlyTheirLine();
    void writesThatChangeNothingLeaveTheFile_data();
    void writesThatChangeNothingLeaveTheFile();
    void refusesEntriesThatWouldNotReadBack_data();
    void refusesEntriesThatWouldNotReadBack();
    void failedWritesKeepTheOldFile_data();
    void failedWritesKeepTheOldFile();

private:
    void put(const QByteArray &bytes) const;
    QByteArray contents() const;
    void makeObstacle(int obstacle) const;
    std::unique_ptr<QTemporaryDir> dir_;
    QString folder_;
    QString path_;
};

void TestPrivateProfile::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QFile::setPermissions(dir_->path(), kAll & ~QFile::Permissions(0x2222)); // others may pass
    folder_ = dir_->filePath(QStringLiteral("profile"));
    QVERIFY(QDir().mkdir(folder_));
    QFile::setPermissions(folder_, kAll);
    path_ = folder_ + QStringLiteral("/options.ini");
}

void TestPrivateProfile::put(const QByteArray &bytes) const
{
    QFile file(path_);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QByteArray TestPrivateProfile::contents() const
{
    QFile file(path_);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

void TestPrivateProfile::makeObstacle(int obstacle) const
{
    const auto rw = QFile::Permissions(0x6666), r = QFile::Permissions(0x4444), w = QFile::Permissions(0x2222);
    switch (obstacle) {
    case Directory: QDir().mkdir(path_); break;
    case Unreadable: QFile::setPermissions(path_, w); break;
    case ReadOnlyFolder: QFile::setPermissions(path_, rw), QFile::setPermissions(folder_, kAll & ~w); break;
    case ReadOnlyFile: QFile::setPermissions(path_, r); break;
    case Pipe: QVERIFY(::mkfifo(QFile::encodeName(path_).constData(), 0644) == 0); break;
    case EndlessDevice: QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path_)); break;
    default: break;
    }
}

void TestPrivateProfile::readsTextsAsWindowsWritesThem_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    QTest::newRow("crlf") << QByteArray("[Setting]\r\nA=1\r\nOut=C:\\Out\\\r\n") << "Out"
                          << "C:\\Out\\";
    QTest::newRow("oddCaseOfNames") << QByteArray("[sETTING]\r\nouT=x\r\n") << "OUT"
                                    << "x";
    QTest::newRow("blanksAroundNamesAndEquals") << QByteArray("  [ Setting ] \r\n\t Out \t=  a  b \r\n") << "Out"
                                                << "a  b";
    QTest::newRow("quotesAndEqualsKept") << QByteArray("[Setting]\nOut=\"x\" a=b\n") << "Out"
                                         << "\"x\" a=b";
    QTest::newRow("emptyValueIsNotTheDefault") << QByteArray("[Setting]\nOut=\n") << "Out"
                                               << "";
    QTest::newRow("firstSectionAndKeyCount") << QByteArray("[Setting]\nK=1\nK=2\n[setting]\nK=3\n") << "K"
                                             << "1";
    QTest::newRow("keyOfAnotherSection") << QByteArray("[Other]\nK=1\n[Setting]\nL=2\n") << "K"
                                         << "dflt";
    QTest::newRow("keyBeforeAnySection") << QByteArray("K=1\n[Setting]\n") << "K"
                                         << "dflt";
    QTest::newRow("brokenHeaderEndsTheSection") << QByteArray("[Setting]\n[Broken\nK=1\n") << "K"
                                                << "dflt";
    QTest::newRow("carriageReturnsOnly") << QByteArray("[Setting]\rA=1\rK=2\r") << "K"
                                         << "2";
    QTest::newRow("utf8WithBom") << QByteArray("\xEF\xBB\xBF[Setting]\r\nK=M\xC3\xBCller\r\n") << "K"
                                 << "Müller";
    QTest::newRow("utf16WithBom") << utf16("[Setting]\r\nK=Müller\r\n") << "K"
                                  << "Müller";
    QTest::newRow("utf16BigEndian") << utf16BE("[Setting]\r\nK=Müller\r\n") << "K"
                                    << "Müller";
    QTest::newRow("utf16WithOddLastByte") << utf16("[Setting]\r\nK=Müller\r\n") + "x"
                                          << "K"
                                          << "Müller";
    QTest::newRow("utf16InvalidElsewhere") << utf16WithLoneSurrogate("\r\nK=Müller\r\n") << "K"
                                           << "Müller";
    QTest::newRow("invalidUtf8") << QByteArray("[Setting]\nK=a\xFF"
                                               "b\n")
                                 << "K"
                                 << "a\uFFFDb";
    // U+FEFF is a character of a name or value, not a byte order mark to drop.
    QTest::newRow("byteOrderMarkStartsAValue") << QByteArray("[Setting]\nK=\xEF\xBB\xBFx\n") << "K"
                                               << QStringLiteral("\uFEFFx");
    QTest::newRow("byteOrderMarkStartsAName") << QByteArray("[Setting]\n\xEF\xBB\xBFK=1\nK=2\n") << "K"
                                              << "2";
    QTest::newRow("longLineHidesNothing") << "[Setting]\n" + QByteArray(512 << 10, 'x') + "\nK=1\n"
                                          << "K"
                                          << "1";
}

void TestPrivateProfile::readsTextsAsWindowsWritesThem()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, key);
    put(file);
    QTEST(PrivateProfile(path_).ReadString(S, key, QStringLiteral("dflt")), "expected");
}

void TestPrivateProfile::readsIntegersLikeWindows_data()
{
    QTest::addColumn<QByteArray>("value"); // null: no key
    QTest::addColumn<int>("expected");
    QTest::newRow("plain") << QByteArray("5") << 5;
    QTest::newRow("blanksThenLetters") << QByteArray(" \t12abc") << 12;
    QTest::newRow("negative") << QByteArray("-3") << -3;
    QTest::newRow("plusSign") << QByteArray("+8") << 8;
    QTest::newRow("lettersGiveZero") << QByteArray("abc") << 0;
    QTest::newRow("noHexadecimal") << QByteArray("0x1F") << 0;
    QTest::newRow("signOnly") << QByteArray("-") << 0;
    QTest::newRow("blankAfterSign") << QByteArray("- 4") << 0;
    QTest::newRow("aboveIntRange") << QByteArray("99999999999") << INT_MAX;
    QTest::newRow("belowIntRange") << QByteArray("-99999999999") << INT_MIN;
    QTest::newRow("intMin") << QByteArray("-2147483648") << INT_MIN;
    QTest::newRow("emptyGivesDefault") << QByteArray("") << 7;
    QTest::newRow("missingGivesDefault") << QByteArray() << 7;
}

void TestPrivateProfile::readsIntegersLikeWindows()
{
    QFETCH(QByteArray, value);
    QFETCH(int, expected);
    put(value.isNull() ? QByteArray("[Setting]\r\n") : "[Setting]\r\nN=" + value + "\r\n");
    QCOMPARE(PrivateProfile(path_).ReadInt(S, QStringLiteral("n"), 7), expected);
    if (!value.isEmpty())
        QCOMPARE(PrivateProfile::ParseInt(value), expected);
}

void TestPrivateProfile::cutsTextsToTheBuffer_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("stored"); // else given as the default
    QTest::addColumn<int>("bufferSize");
    QTest::addColumn<int>("length");
    QTest::newRow("longValue") << QString(300, 'a') << true << PrivateProfile::WindowsBufferSize << 259;
    QTest::newRow("longDefault") << QString(300, 'a') << false << PrivateProfile::WindowsBufferSize << 259;
    QTest::newRow("fitsExactly") << QString(259, 'a') << true << PrivateProfile::WindowsBufferSize << 259;
    QTest::newRow("unlimited") << QString(300, 'a') << true << int(PrivateProfile::Unlimited) << 300;
    QTest::newRow("surrogatePairNotSplit") << QString(258, 'a') + "😀" << true << 260 << 258;
}

void TestPrivateProfile::cutsTextsToTheBuffer()
{
    QFETCH(QString, text);
    QFETCH(bool, stored);
    QFETCH(int, bufferSize);
    put(stored ? "[Setting]\r\nK=" + text.toUtf8() + "\r\n" : QByteArray());
    const QString read = PrivateProfile(path_).ReadString(S, QStringLiteral("K"), text, bufferSize);
    QTEST(int(read.size()), "length");
    QVERIFY(text.startsWith(read));
}

void TestPrivateProfile::junkGivesDefaults_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("obstacle");
    QTest::addColumn<QString>("problem"); // why the file is not read, when it is there
    QByteArray garbage(1 << 16, '\0');
    for (int i = 0; i < garbage.size(); ++i)
        garbage[i] = char((i * 7919 + i / 13) & 0xFF);
    const QByteArray good = "[Setting]\r\nSaveFileType=2\r\nOutFolderName=x\r\n";
    QTest::newRow("binaryGarbage") << garbage << -1 << "";
    QTest::newRow("noSections") << QByteArray("SaveFileType=2\nOutFolderName=x\n") << -1 << "";
    QTest::newRow("nulBytesInEntries") << QByteArray("[Setting]\nSaveFileType=2\0\nOutFolderName=x\0y\n", 44) << -1
                                       << "";
    QTest::newRow("hugeLineOnly") << QByteArray(4 << 20, '=') << -1 << "is larger than";
    QTest::newRow("emptyFile") << QByteArray("") << -1 << "";
    QTest::newRow("missingFile") << QByteArray() << int(Missing) << "";
    QTest::newRow("directoryInPlace") << QByteArray() << int(Directory) << "is not a file";
    QTest::newRow("unreadableFile") << good << int(Unreadable) << "cannot be read";
    // Neither is waited on nor read without end: the defaults apply at once, and the reason is told.
    QTest::newRow("pipeInPlace") << QByteArray() << int(Pipe) << "is not a file (a folder, device or pipe)";
    QTest::newRow("linkToAnEndlessDevice") << QByteArray() << int(EndlessDevice) << "is not a file";
    // Good entries, then far more than options take: not read at all, rather than read in part.
    QTest::newRow("goodEntriesThenMegabytes") << good + QByteArray(2 << 20, ';') << -1 << "is larger than 1024 KiB";
}

void TestPrivateProfile::junkGivesDefaults()
{
    QFETCH(QByteArray, file);
    QFETCH(int, obstacle);
    if (!file.isNull())
        put(file);
    QFETCH(QString, problem);
    makeObstacle(obstacle);
    AsUnprivileged unprivileged;
    const PrivateProfile profile(path_);
    QCOMPARE(profile.ReadInt(S, QStringLiteral("SaveFileType"), 3), 3);
    QCOMPARE(profile.ReadString(S, QStringLiteral("OutFolderName"), QStringLiteral("dflt")), QStringLiteral("dflt"));
    QVERIFY2(profile.ReadProblem().contains(problem) && profile.ReadProblem().isEmpty() == problem.isEmpty(),
             qPrintable(profile.ReadProblem()));
    // What is not read is not replaced by a file without its other lines either.
    if (!problem.isEmpty())
        QVERIFY(!profile.WriteString(S, QStringLiteral("K"), QStringLiteral("v")));
}

void TestPrivateProfile::writesChangeOnlyTheirLine_data()
{
    QTest::addColumn<QByteArray>("before"); // null: no file
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("newFileIsCrlf") << QByteArray() << "v" << QByteArray("[Setting]\r\nK=v\r\n");
    QTest::newRow("everyOtherLineKept")
        << QByteArray("; mine\r\n\r\n[Other]\r\nK=o\r\n[Setting]\r\nUnknown=1\r\nK=old\r\n \r\n[Last]\r\nx\r\n") << "v"
        << QByteArray("; mine\r\n\r\n[Other]\r\nK=o\r\n[Setting]\r\nUnknown=1\r\nK=v\r\n \r\n[Last]\r\nx\r\n");
    QTest::newRow("keyCaseAndIndentKept")
        << QByteArray("[setting]\r\n  k  =  1  \r\n") << "v" << QByteArray("[setting]\r\n  k=v\r\n");
    QTest::newRow("firstDuplicateReplaced")
        << QByteArray("[Setting]\nK=1\nK=2\n") << "v" << QByteArray("[Setting]\nK=v\nK=2\n");
    QTest::newRow("newKeyAfterLastLineOfSection")
        << QByteArray("[Setting]\r\nA=1\r\n\r\n[O]\r\n") << "v" << QByteArray("[Setting]\r\nA=1\r\nK=v\r\n\r\n[O]\r\n");
    QTest::newRow("newSectionAfterUnterminatedLf")
        << QByteArray("[O]\nB=2") << "v" << QByteArray("[O]\nB=2\n[Setting]\nK=v\n");
    QTest::newRow("bomKept") << QByteArray("\xEF\xBB\xBF[Setting]\r\nK=1\r\n") << "v"
                             << QByteArray("\xEF\xBB\xBF[Setting]\r\nK=v\r\n");
    QTest::newRow("utf16Kept") << utf16("[Setting]\r\nK=1\r\n") << "Müller" << utf16("[Setting]\r\nK=Müller\r\n");
    QTest::newRow("utf16BigEndianKept") << utf16BE("[Setting]\r\nK=1\r\n") << "Müller"
                                        << utf16BE("[Setting]\r\nK=Müller\r\n");
    // The stray byte stays last, where it shifts no character; new lines are UTF-16 with CRLF.
    QTest::newRow("utf16OddLastByteKeptLast") << utf16("[Setting]\r\nA=1") + "x"
                                              << "v" << utf16("[Setting]\r\nA=1\r\nK=v\r\n") + "x";
    QTest::newRow("utf16InvalidLineKept")
        << utf16WithLoneSurrogate("\r\nK=1\r\n") << "v" << utf16WithLoneSurrogate("\r\nK=v\r\n");
    QTest::newRow("foreignBytesKept") << QByteArray("caf\xE9\0=1\r\n[Setting]\r\n", 20) << "M\u00FC"
                                      << QByteArray("caf\xE9\0=1\r\n[Setting]\r\nK=M\xC3\xBC\r\n", 27);
}

void TestPrivateProfile::writesChangeOnlyTheirLine()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, value);
    if (!before.isNull())
        put(before);
    QVERIFY(PrivateProfile(path_).WriteString(S, QStringLiteral("K"), value).ok);
    QTEST(contents(), "after");
    QCOMPARE(PrivateProfile(path_).ReadString(S, QStringLiteral("K"), {}), value);
}

void TestPrivateProfile::writesThatChangeNothingLeaveTheFile_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("ok");
    const QByteArray holding = "[Setting]\r\nK = v \r\n";
    QTest::newRow("sameValue") << holding << false << "v" << true;
    QTest::newRow("sameValueInReadOnlyFile") << holding << true << "v" << true;
    QTest::newRow("otherValueInReadOnlyFile") << holding << true << "w" << false;
    QTest::newRow("missingKeyInReadOnlyFile") << QByteArray("[Setting]\r\nL=v\r\n") << true << "v" << false;
}

void TestPrivateProfile::writesThatChangeNothingLeaveTheFile()
{
    QFETCH(QByteArray, before);
    QFETCH(bool, readOnly);
    QFETCH(QString, value);
    put(before);
    if (readOnly)
        QFile::setPermissions(path_, QFile::Permissions(0x4444));
    const ino_t inode = inodeOf(path_);
    const auto result = PrivateProfile(path_).WriteString(S, QStringLiteral("K"), value);
    QTEST(result.ok, "ok");
    QCOMPARE(result.reason.isEmpty(), result.ok);
    QCOMPARE(contents(), before);
    QCOMPARE(inodeOf(path_), inode); // not even replaced by an equal copy
}

void TestPrivateProfile::refusesEntriesThatWouldNotReadBack_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("lineFeedInValue") << S << "V"
                                     << "a\n[Setting]";
    QTest::newRow("carriageReturnInValue") << S << "V"
                                           << "a\rK=x";
    QTest::newRow("nulInValue") << S << "V" << QString("a") + QChar(0);
    // Reading trims: these would come back as other values.
    QTest::newRow("leadingBlankInValue") << S << "V"
                                         << " v";
    QTest::newRow("trailingTabInValue") << S << "V"
                                        << "v\t";
    QTest::newRow("equalsInKey") << S << "K=x"
                                 << "v";
    QTest::newRow("keyLikeAHeader") << S << "[K"
                                    << "v";
    QTest::newRow("keyLikeAComment") << S << ";K"
                                     << "v";
    QTest::newRow("emptyKey") << S << ""
                              << "v";
    QTest::newRow("blanksAroundKey") << S << " K"
                                     << "v";
    QTest::newRow("bracketInSection") << "Set]ting"
                                      << "V"
                                      << "v";
    QTest::newRow("lineBreakInSection") << "A\nB"
                                        << "V"
                                        << "v";
}

void TestPrivateProfile::refusesEntriesThatWouldNotReadBack()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    put(kOld);
    // One bad entry spoils the whole batch, the good one before it included.
    const auto result = PrivateProfile(path_).WriteEntries(section, {{QStringLiteral("K"), "new"}, {key, value}});
    QVERIFY(!result.ok);
    QVERIFY(!result.reason.isEmpty());
    QVERIFY(result.refusedEntries);
    QCOMPARE(contents(), kOld);
}

void TestPrivateProfile::failedWritesKeepTheOldFile_data()
{
    QTest::addColumn<int>("obstacle");
    QTest::newRow("readOnlyFolder") << int(ReadOnlyFolder);
    QTest::newRow("readOnlyFile") << int(ReadOnlyFile);
    QTest::newRow("unreadableFileIsNotReplaced") << int(Unreadable);
    QTest::newRow("diskFullMidWrite") << int(FileSizeLimit);
}

void TestPrivateProfile::failedWritesKeepTheOldFile()
{
    QFETCH(int, obstacle);
    put(kOld);
    makeObstacle(obstacle);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    if (obstacle == FileSizeLimit) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{1024, saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &small);
    }
    PrivateProfile::WriteResult result;
    {
        AsUnprivileged unprivileged(obstacle != ReadOnlyFile); // read-only binds root too
        result = PrivateProfile(path_).WriteString(S, QStringLiteral("K"), QString(100000, 'n'));
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    QFile::setPermissions(folder_, kAll);
    QFile::setPermissions(path_, QFile::Permissions(0x6666));
    QVERIFY(!result.ok);
    QVERIFY(!result.reason.isEmpty());
    QVERIFY(!result.refusedEntries); // the file's fault: another file might take them
    QCOMPARE(contents(), kOld);
    QCOMPARE(QDir(folder_).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("options.ini")});
}

QTEST_GUILESS_MAIN(TestPrivateProfile)
#include "tst_privateprofile.moc"
