// Opening links: the desktop's opener first, then the registered web browser with the target as
// one argument; nothing runs from a registration that could not be read.
#include "controls/OpenLink.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace qw;

namespace {
const QString kCommandKey = "Web.desktop\\shell\\open\\command";
} // namespace

class TestOpenLink : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void targetIsOneArgument_data();
    void targetIsOneArgument();
    void platformOpenerComesFirst();
    void browserStartResults();
    void unreadableRegistrationRunsNothing_data();
    void unreadableRegistrationRunsNothing();
    void readsTheBrowserOfTheDesktop();

private:
    bool platformOpens_ = false;
    QList<QUrl> opened_;
    QHash<QString, QString> registry_;
    QList<QStringList> started_;
};

void TestOpenLink::init()
{
    platformOpens_ = false;
    opened_.clear();
    started_.clear();
    registry_ = {{".htm", "Web.desktop"}, {kCommandKey, R"("/opt/Web Browser/web" --new-window %u)"}};
    OpenLinkSeams::SetPlatformOpener([this](const QUrl &url) { return opened_ << url, platformOpens_; });
    OpenLinkSeams::SetClassReader([this](const QString &key, QString &output) {
        output = registry_.value(key, output);
        return registry_.contains(key) ? 0u : 2u;
    });
    OpenLinkSeams::SetStarter([this](const QString &program, const QStringList &arguments) {
        return started_ << QStringList(program) + arguments, 42u;
    });
}

void TestOpenLink::cleanup()
{
    OpenLinkSeams::SetPlatformOpener({});
    OpenLinkSeams::SetClassReader({});
    OpenLinkSeams::SetStarter({});
}

void TestOpenLink::targetIsOneArgument_data()
{
    QTest::addColumn<QString>("registered");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QStringList>("command");
    const QString url = "https://example.org/";
    QTest::newRow("quotedPlaceholder") << R"("C:\Program Files\web.exe" "%1")" << url
                                       << QStringList{R"(C:\Program Files\web.exe)", url};
    QTest::newRow("quotedWinsOverEarlierBare") << R"(web %1 "%1")" << url << QStringList{"web", "%1", url};
    QTest::newRow("barePlaceholderCutsTheRest") << "web -n %1 -x" << url << QStringList{"web", "-n", url};
    QTest::newRow("noPlaceholderAppends") << "web -x" << url << QStringList{"web", "-x", url};
    QTest::newRow("desktopCodesEarliestWins") << "web -f %F -u %U %u %f" << url << QStringList{"web", "-f", url};
    QTest::newRow("quotedDesktopCode") << R"("/opt/My Web/web" %i "%u")" << url
                                       << QStringList{"/opt/My Web/web", "%i", url};
    QTest::newRow("targetWithSpacesAndQuotes")
        << "web %u"
        << R"(/tmp/My Docs/" --flag "y.htm)" << QStringList{"web", R"(/tmp/My Docs/" --flag "y.htm)"};
    QTest::newRow("onlyPlaceholderRunsNothing") << R"("%1")"
                                                << "/tmp/evil.sh" << QStringList{};
}

void TestOpenLink::targetIsOneArgument()
{
    QFETCH(QString, registered);
    QFETCH(QString, target);
    QFETCH(QStringList, command);
    QCOMPARE(FallbackArguments(registered, target), command);
}

void TestOpenLink::platformOpenerComesFirst()
{
    QTemporaryDir dir;
    const QString file = dir.filePath("read me.txt");
    QVERIFY(QFile(file).open(QIODevice::WriteOnly));
    platformOpens_ = true;
    for (const QString &target : {QString("https://example.org/a?b=1"), QString("mailto:help@example.org"), file})
        QVERIFY(OpenLink(target, ShowCmd::Show) > 32);
    QCOMPARE(opened_, (QList<QUrl>{QUrl("https://example.org/a?b=1"), QUrl("mailto:help@example.org"),
                                   QUrl::fromLocalFile(file)}));
    QVERIFY(started_.isEmpty());

    // Failure falls back to the browser, whose start result is what the caller hears.
    platformOpens_ = false;
    QCOMPARE(OpenLink("mailto:help@example.org", ShowCmd::Show), 42u);
    QCOMPARE(started_, (QList<QStringList>{{"/opt/Web Browser/web", "--new-window", "mailto:help@example.org"}}));
    // Paths that do not exist are not offered to the opener.
    registry_.clear();
    QCOMPARE(OpenLink(dir.filePath("gone.pdf"), ShowCmd::Show), LinkResult::FileNotFound);
    QCOMPARE(OpenLink(dir.filePath("gone/gone.pdf"), ShowCmd::Show), LinkResult::PathNotFound);
    QCOMPARE(opened_.size(), 4);
}

void TestOpenLink::browserStartResults()
{
    OpenLinkSeams::SetStarter({});
    QTemporaryDir dir;
    QVERIFY(QFile(dir.filePath("plain")).open(QIODevice::WriteOnly));
    const QList<std::pair<QString, unsigned>> cases = {{"/bin/true %u", LinkResult::Opened},
                                                       {dir.filePath("plain") + " %u", LinkResult::AccessDenied},
                                                       {dir.filePath("gone/web") + " %u", LinkResult::PathNotFound},
                                                       {"no-such-web-browser %u", LinkResult::FileNotFound}};
    for (const auto &[command, result] : cases) {
        registry_[kCommandKey] = command;
        QCOMPARE(OpenLink("https://example.org/", ShowCmd::Show), result);
    }
}

void TestOpenLink::unreadableRegistrationRunsNothing_data()
{
    QTest::addColumn<QString>("missingKey");
    QTest::addColumn<QString>("command");
    QTest::newRow("noWebPageType") << ".htm"
                                   << "web %u";
    QTest::newRow("noOpenCommand") << kCommandKey << "web %u";
    QTest::newRow("commandIsOnlyPlaceholder") << ""
                                              << "%u";
}

void TestOpenLink::unreadableRegistrationRunsNothing()
{
    QFETCH(QString, missingKey);
    QFETCH(QString, command);
    registry_[kCommandKey] = command;
    registry_.remove(missingKey);
    QCOMPARE(OpenLink("https://example.org/", ShowCmd::Show), LinkResult::NoAssociation);
    QVERIFY(started_.isEmpty());
}

void TestOpenLink::readsTheBrowserOfTheDesktop()
{
    OpenLinkSeams::SetClassReader({});
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath("data/applications") && QDir(dir.path()).mkpath("bin"));
    auto write = [&](const QString &name, const QByteArray &text) {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(text) == text.size()
               && file.setPermissions(file.permissions() | QFile::ExeOwner);
    };
    QVERIFY(write("data/applications/web.desktop", "[Desktop Action new]\nExec=web --private %u\n[Desktop Entry]\n"
                                                   "Exec[de]=netz %u\nExec = \"/opt/My\\sWeb/web\" --x=a\\\\b %u\n"));
    const QByteArray path = qgetenv("PATH");
    const bool hadDataHome = qEnvironmentVariableIsSet("XDG_DATA_HOME");
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    // The environment is the process's: put it back however the test ends.
    const auto restore = qScopeGuard([&] {
        qputenv("PATH", path);
        if (hadDataHome)
            qputenv("XDG_DATA_HOME", dataHome);
        else
            qunsetenv("XDG_DATA_HOME");
    });
    qputenv("XDG_DATA_HOME", dir.filePath("data").toLocal8Bit());
    qputenv("PATH", dir.filePath("bin").toLocal8Bit() + ':' + path);

    QString value = "untouched";
    QVERIFY(ReadClassDefault(".htm", value) != 0); // no xdg-mime to ask
    QVERIFY(write("bin/xdg-mime", "#!/bin/sh\necho ../../evil.desktop\n"));
    QVERIFY(ReadClassDefault(".htm", value) != 0);
    QCOMPARE(value, "untouched");
    QVERIFY(write("bin/xdg-mime", "#!/bin/sh\n[ \"$3\" = x-scheme-handler/http ] && echo web.desktop\n"));
    QCOMPARE(ReadClassDefault(".htm", value), 0u);
    QCOMPARE(ReadClassDefault(value + "\\shell\\open\\command", value), 0u);
    QCOMPARE(value, R"("/opt/My Web/web" --x=a\b %u)");
    QVERIFY(ReadClassDefault("gone.desktop\\shell\\open\\command", value) != 0);
    QVERIFY(ReadClassDefault("../web.desktop\\shell\\open\\command", value) != 0);
}

QTEST_GUILESS_MAIN(TestOpenLink)
#include "tst_openlink.moc"
