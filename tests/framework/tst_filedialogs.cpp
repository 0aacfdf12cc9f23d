// The open dialog finds a name typed without its extension, in either spelling of it.
#include "framework/FileDialogs.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace qw;

class TestFileDialogs : public QObject {
    Q_OBJECT
private slots:
    void typedNames_data();
    void typedNames();
    void theRealDialogOpensTheTypedName();

private:
    QTemporaryDir dir_;
};

void TestFileDialogs::typedNames_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("found");
    QTest::newRow("lowerCase") << QStringList{"a.pdf"} << "a"
                               << "a.pdf";
    QTest::newRow("upperCase") << QStringList{"a.PDF"} << "a"
                               << "a.PDF";
    QTest::newRow("bothPreferLower") << QStringList{"a.pdf", "a.PDF"} << "a"
                                     << "a.pdf";
    // A file of the typed name itself, a typed extension and no match are left as typed.
    QTest::newRow("asTyped") << QStringList{"a", "a.pdf"} << "a"
                             << "a";
    QTest::newRow("typedExtension") << QStringList{"a.pdf"} << "a.txt"
                                    << "a.txt";
    QTest::newRow("nothing") << QStringList{} << "a"
                             << "a";
    QTest::newRow("folderIsNoFile") << QStringList{"a.pdf/"} << "a"
                                    << "a";
}

void TestFileDialogs::typedNames()
{
    QFETCH(QStringList, files);
    QFETCH(QString, typed);
    QFETCH(QString, found);
    QTemporaryDir dir;
    for (const QString &name : files) {
        if (name.endsWith('/')) {
            QVERIFY(QDir(dir.path()).mkdir(name.chopped(1)));
            continue;
        }
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QCOMPARE(FileDialogs::ResolveTypedName(dir.filePath(typed), "PDF"), dir.filePath(found));
}

void TestFileDialogs::theRealDialogOpensTheTypedName()
{
    QFile file(dir_.filePath("report.pdf"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QTimer::singleShot(0, this, [this] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        dialog->setDirectory(dir_.path());
        auto *name = dialog->findChild<QLineEdit *>();
        QVERIFY(name);
        name->setText("report");
        QTest::keyClick(name, Qt::Key_Return);
    });
    OpenFileRequest request;
    request.nameFilters = {"All Files (*)"};
    request.defaultSuffix = "PDF";
    QCOMPARE(FileDialogs::GetOpenFileName(nullptr, request), QDir::toNativeSeparators(dir_.filePath("report.pdf")));
}

QTEST_MAIN(TestFileDialogs)
#include "tst_filedialogs.moc"
