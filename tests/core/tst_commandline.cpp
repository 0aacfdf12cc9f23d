// Splitting command lines into arguments and quoting arguments so they come back intact.
#include "core/CommandLine.h"

#include <QTest>

using namespace qw;

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void splitsByTheWindowsRules_data();
    void splitsByTheWindowsRules();
    void quotedArgumentsRoundTrip_data();
    void quotedArgumentsRoundTrip();
    void engineCommandForms();
};

void TestCommandLine::splitsByTheWindowsRules_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("plainWords") << "p  a\tb " << QStringList{"p", "a", "b"};
    QTest::newRow("quotedSpaces") << R"("C:\Tools\quirekit.dll" "C:\in put.pdf" x)"
                                  << QStringList{R"(C:\Tools\quirekit.dll)", R"(C:\in put.pdf)", "x"};
    QTest::newRow("backslashesNotBeforeQuote") << R"(p a\\\b)" << QStringList{"p", R"(a\\\b)"};
    QTest::newRow("oddBackslashesEscapeQuote") << R"(p a\\\"b c)" << QStringList{"p", R"(a\"b)", "c"};
    QTest::newRow("evenBackslashesThenQuoteGroups") << R"(p a\\\\"b c" d)" << QStringList{"p", R"(a\\b c)", "d"};
    QTest::newRow("quotesInsideWord") << R"(p d"e f"g h)" << QStringList{"p", "de fg", "h"};
    QTest::newRow("doubledQuoteInsideQuotes") << R"(p "a""b" c)" << QStringList{"p", R"(a"b)", "c"};
    QTest::newRow("emptyArgument") << R"(p "" x)" << QStringList{"p", "", "x"};
    QTest::newRow("partForm") << R"("e" A="C:\in.pdf" cat A1-3 output "C:\out\in 1.pdf")"
                              << QStringList{"e", R"(A=C:\in.pdf)", "cat", "A1-3", "output", R"(C:\out\in 1.pdf)"};
    QTest::newRow("unclosedQuoteRunsToEnd") << R"(p "a b)" << QStringList{"p", "a b"};
    QTest::newRow("blankLine") << " \t " << QStringList{};
}

void TestCommandLine::splitsByTheWindowsRules()
{
    QFETCH(QString, line);
    QFETCH(QStringList, arguments);
    QCOMPARE(CommandLine::Split(line), arguments);
}

void TestCommandLine::quotedArgumentsRoundTrip_data()
{
    QTest::addColumn<QString>("argument");
    QTest::newRow("spaces") << "/home/u/My Documents/a b.pdf";
    QTest::newRow("quoteInPath") << R"(/tmp/say "hi".pdf)";
    QTest::newRow("backslashBeforeQuote") << R"(/tmp/a\"b.pdf)";
    QTest::newRow("trailingBackslashes") << R"(C:\dir\\)";
    QTest::newRow("onlyQuotes") << R"("")";
    QTest::newRow("empty") << "";
    QTest::newRow("nonAscii") << "/tmp/Grüße/文書 ☃.pdf";
    QTest::newRow("tabsAndSpaces") << " \t lead and trail \t ";
    QTest::newRow("longPath") << "/tmp/" + QString(600, QLatin1Char('x')) + ".pdf";
}

void TestCommandLine::quotedArgumentsRoundTrip()
{
    QFETCH(QString, argument);
    const QString line = CommandLine::Quote("/opt/q w/quirekit.dll") + " " + CommandLine::Quote(argument) + " "
                         + "A=" + CommandLine::Quote(argument);
    QCOMPARE(CommandLine::Split(line), QStringList({"/opt/q w/quirekit.dll", argument, "A=" + argument}));
}

void TestCommandLine::engineCommandForms()
{
    // Ordinary paths are quoted exactly as plain double quotes around them.
    QCOMPARE(CommandLine::Quote(R"(C:\in.pdf)"), QStringLiteral(R"("C:\in.pdf")"));
    QCOMPARE(CommandLine::Quote("/d/in 1.pdf"), QStringLiteral("\"/d/in 1.pdf\""));
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
