// Small platform pieces: module paths, the message-box seam, the wait cursor, system colours.
#include "framework/AppMessageBox.h"
#include "core/ModulePath.h"
#include "framework/SystemColours.h"
#include "framework/WaitCursor.h"

#include <QApplication>
#include <QDir>
#include <QTest>

using namespace qw;

class TestPlatform : public QObject {
    Q_OBJECT
private slots:
    void modulePathIsBesideTheExecutable();
    void messageBoxesGoToTheResponder();
    void waitCursorLastsForItsScope();
    void systemColoursFollowThePaletteAtOnce();
};

void TestPlatform::modulePathIsBesideTheExecutable()
{
    const QString path = MakeModulePath("quirekit.dll");
    QCOMPARE(path, QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + "/quirekit.dll"));
    QVERIFY(MakeModulePath(QString()).endsWith(QDir::separator()));
}

void TestPlatform::messageBoxesGoToTheResponder()
{
    QStringList seen;
    AppMessageBox::SetResponder([&](const QString &text, unsigned type) {
        seen << QStringLiteral("%1/%2").arg(text).arg(type);
        return MsgBox::IdYes;
    });
    QCOMPARE(AppMessageBox::Show(nullptr, "Open it?", MsgBox::YesNo | MsgBox::IconQuestion), MsgBox::IdYes);
    AppMessageBox::SetResponder({});
    QCOMPARE(seen, QStringList({"Open it?/36"}));
}

void TestPlatform::waitCursorLastsForItsScope()
{
    QVERIFY(!QApplication::overrideCursor());
    {
        WaitCursor outer;
        {
            WaitCursor inner;
            QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        }
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    QVERIFY(!QApplication::overrideCursor());
}

void TestPlatform::systemColoursFollowThePaletteAtOnce()
{
    const QPalette original = QApplication::palette();
    QPalette changed = original;
    changed.setColor(QPalette::Button, QColor(1, 2, 3));
    QApplication::setPalette(changed);
    QCOMPARE(GetSysColour(SysColour::BtnFace), QColor(1, 2, 3));
    QApplication::setPalette(original);
    QCOMPARE(GetSysColour(SysColour::BtnFace), original.color(QPalette::Button));
    QCOMPARE(GetSysColour(4242), QColor(Qt::black));
}

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
