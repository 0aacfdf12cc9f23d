// The help commands in the real main window: the About box, by mouse and by keyboard, its
// contents and the four ways to close it, and the web-site command; none of them changes the
// window's state.
#include "app/AboutDlg.h"
#include "app/SplitterDlg.h"
#include "support/MainWindowProbe.h"
#include "controls/HyperlinkLabel.h"
#include "controls/OpenLink.h"
#include "framework/DialogBuilder.h"
#include "framework/MenuAdapter.h"
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QUrl>

using namespace qw;

namespace {

// What a person can see of the main window, before and after a help command.
QStringList windowState(const SplitterDlg &dlg)
{
    QStringList state{dlg.DocumentPath, QString::number(probe::RowCount(dlg))};
    for (const QPushButton *button :
         {probe::Button(dlg, CtrlId::OpenButton), probe::Button(dlg, CtrlId::DeleteButton), probe::Button(dlg, CtrlId::InsertButton), probe::Button(dlg, CtrlId::SplitButton), probe::Button(dlg, CtrlId::OptionsButton)})
        state << QString::number(button->isEnabled());
    return state;
}

} // namespace

class TestAboutDlg : public QObject {
    Q_OBJECT
private slots:
    void aboutBoxShowsAndCloses_data();
    void aboutBoxShowsAndCloses();
    void viewWebSiteOpensTheAddress();

private:
    // Answers the About box once it shows: looks at it, then closes it the given way.
    void answerAboutBox(const QString &how);

    QStringList seen_;
};

void TestAboutDlg::answerAboutBox(const QString &how)
{
    QTimer::singleShot(0, this, [this, how] {
        auto *about = qobject_cast<AboutDlg *>(QApplication::activeModalWidget());
        if (!about) {
            answerAboutBox(how); // not shown yet
            return;
        }
        seen_ << about->windowTitle();
        const QList<QLabel *> labels = about->findChildren<QLabel *>();
        const bool icon
            = std::any_of(labels.begin(), labels.end(), [](const QLabel *label) { return !label->pixmap().isNull(); });
        seen_ << (icon ? "icon" : "no icon");
        for (const HyperlinkLabel *link : {about->WebLink, about->MailLink})
            seen_ << link->text() + " -> " + link->Target() + (link->IsUnderlined() ? " underlined" : "");
        if (how == "ok")
            QTest::mouseClick(qobject_cast<QPushButton *>(DialogBuilder::ControlById(about, CtrlId::Ok)),
                              Qt::LeftButton);
        else if (how == "enter")
            QTest::keyClick(about, Qt::Key_Return);
        else if (how == "escape")
            QTest::keyClick(about, Qt::Key_Escape);
        else
            about->close();
    });
}

void TestAboutDlg::aboutBoxShowsAndCloses_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("byKeyboard"); // Alt+H, then A, rather than the menu command
    QTest::newRow("ok") << "ok" << false;
    QTest::newRow("enter") << "enter" << false;
    QTest::newRow("escape") << "escape" << false;
    QTest::newRow("closeBox") << "closeBox" << false;
    QTest::newRow("altHA") << "ok" << true;
}

void TestAboutDlg::aboutBoxShowsAndCloses()
{
    QFETCH(QString, how);
    QFETCH(bool, byKeyboard);
    SplitterDlg dlg;
    dlg.Create();
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    const QStringList before = windowState(dlg);
    seen_.clear();
    answerAboutBox(how);
    if (byKeyboard) {
        QTest::keyClick(&dlg, Qt::Key_H, Qt::AltModifier);
        QTRY_VERIFY(qobject_cast<QMenu *>(QApplication::activePopupWidget()));
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_A);
    } else {
        MenuAdapter::FindCommand(dlg.MenuBar(), CmdId::About)->trigger();
    }
    QTRY_VERIFY(!QApplication::activeModalWidget());
    const QString web = QString::fromLatin1(kWebSiteAddress);
    const QString mail = QString::fromLatin1(kSupportAddress);
    QCOMPARE(seen_, QStringList({"About Ardenne Quirewright 2.0", "icon", "Web: " + web + " -> " + web,
                                 "Email: " + mail + " -> mailto:" + mail}));
    QCOMPARE(windowState(dlg), before);
}

void TestAboutDlg::viewWebSiteOpensTheAddress()
{
    QList<QUrl> opened;
    OpenLinkSeams::SetPlatformOpener([&opened](const QUrl &url) {
        opened << url;
        return true;
    });
    SplitterDlg dlg;
    dlg.Create();
    const QStringList before = windowState(dlg);
    MenuAdapter::FindCommand(dlg.MenuBar(), CmdId::ViewWebSite)->trigger();
    OpenLinkSeams::SetPlatformOpener({});
    QCOMPARE(opened, QList<QUrl>{QUrl(QString::fromLatin1(kWebSiteAddress))});
    QCOMPARE(windowState(dlg), before);
}

QTEST_MAIN(TestAboutDlg)
#include "tst_aboutdlg.moc"
