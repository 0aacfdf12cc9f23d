// The preview: the reader's size, loading files, showing pages, and the download offer.
#include "controls/OpenLink.h"
#include "framework/AppMessageBox.h"
#include "viewer/ViewerHost.h"

#include <QFile>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfPageNavigator>
#include <QPdfView>
#include <QPdfWriter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <climits>

using namespace qw;

namespace {

// Page k (from 1) has the k-th size and reads "Page k".
bool writePdf(const QString &path, const QList<QPageSize::PageSizeId> &sizes)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(sizes.first()));
    QPainter painter(&writer);
    for (qsizetype k = 0; k < sizes.size(); ++k) {
        if (k > 0 && !(writer.setPageSize(QPageSize(sizes[k])) && writer.newPage()))
            return false;
        painter.drawText(QRect(0, 0, writer.width(), writer.height() / 3), Qt::AlignCenter,
                         QString("Page %1").arg(k + 1));
    }
    return painter.end();
}

QPdfView *reader(const ViewerHost &host)
{
    return qobject_cast<QPdfView *>(host.Control().Window());
}
int pageCount(const ViewerHost &host)
{
    return reader(host)->document()->pageCount();
}
int pageOnTop(const ViewerHost &host)
{
    return reader(host)->pageNavigator()->currentPage() + 1;
}
int scroll(const ViewerHost &host)
{
    return reader(host)->verticalScrollBar()->value();
}

} // namespace

class TestViewerHost : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void readerStartsAt1000By800ThenFollowsTheHost();
    void showsTheRequestedPageAtTheTop();
    void unreadableFilesEmptyThePreviewQuietly_data();
    void unreadableFilesEmptyThePreviewQuietly();
    void missingReaderOffersTheDownloadPage_data();
    void missingReaderOffersTheDownloadPage();
    void backgroundLoadShowsTheLastFileAskedFor();

private:
    QTemporaryDir dir_;
    QWidget window_;
    QStringList prompts_;
    QList<QUrl> opened_;
    int answer_ = MsgBox::IdNo;
};

void TestViewerHost::initTestCase()
{
    QVERIFY(writePdf(dir_.filePath("five.pdf"),
                     {QPageSize::A4, QPageSize::A5, QPageSize::Letter, QPageSize::A3, QPageSize::B5}));
    QVERIFY(writePdf(dir_.filePath("two.pdf"), {QPageSize::Letter, QPageSize::A4}));
    window_.resize(1200, 900);
    window_.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window_));
}

void TestViewerHost::init()
{
    prompts_.clear();
    opened_.clear();
    answer_ = MsgBox::IdNo;
    AppMessageBox::SetResponder([this](const QString &text, unsigned type) {
        prompts_ << QString("%1 [%2]").arg(text).arg(type);
        return answer_;
    });
    OpenLinkSeams::SetPlatformOpener([this](const QUrl &url) { return opened_ << url, true; });
}

void TestViewerHost::cleanup()
{
    AppMessageBox::SetResponder({});
    OpenLinkSeams::SetPlatformOpener({});
    CAcroAXDocShim::FailCreationForTesting(false);
}

void TestViewerHost::readerStartsAt1000By800ThenFollowsTheHost()
{
    ViewerHost orphan;
    QCOMPARE(orphan.Create(QRect(0, 0, 10, 10), nullptr), 0);
    QVERIFY(!orphan.Control().Window());

    QWidget hiddenParent;
    ViewerHost host;
    QCOMPARE(host.Create(QRect(0, 0, 0, 0), &hiddenParent), 1);
    QCOMPARE(reader(host)->objectName(), "AdobeWnd");
    // Being shown is no change of size.
    hiddenParent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&hiddenParent));
    QCOMPARE(reader(host)->geometry(), QRect(0, 0, 1000, 800));
    host.LoadDocument(dir_.filePath("five.pdf"));
    for (const QSize size : {QSize(300, 200), QSize(0, 0), QSize(0, 50), QSize(40, 0), QSize(640, 480)}) {
        host.setGeometry(QRect(QPoint(140, 60), size));
        host.ShowPage(3);
        QCOMPARE(reader(host)->geometry(), QRect(QPoint(0, 0), size));
    }
    QVERIFY(prompts_.isEmpty());
}

void TestViewerHost::showsTheRequestedPageAtTheTop()
{
    ViewerHost host;
    QCOMPARE(host.Create(QRect(0, 0, 0, 0), &window_), 1);
    host.setGeometry(0, 0, 1000, 800);
    host.LoadDocument(dir_.filePath("five.pdf"));
    QCOMPARE(pageCount(host), 5);
    host.ShowPage(5);
    QCOMPARE(pageOnTop(host), 5);
    host.ShowPage(2);
    QCOMPARE(pageOnTop(host), 2);
    host.ShowPage(4);
    QCOMPARE(pageOnTop(host), 4);
    host.ShowPage(1);
    QCOMPARE(pageOnTop(host), 1);
    QCOMPARE(scroll(host), 0);
    // Asking again for the page on view shows it again from its top.
    host.ShowPage(2);
    reader(host)->verticalScrollBar()->setValue(40);
    host.ShowPage(2);
    QCOMPARE(pageOnTop(host), 2);
    QCOMPARE(scroll(host), 0);
    for (const int missing : {0, 6, -1, INT_MIN, INT_MAX}) {
        host.ShowPage(missing);
        QCOMPARE(pageOnTop(host), 2);
    }
    // The next document replaces this one and starts at its first page.
    host.LoadDocument(dir_.filePath("two.pdf"));
    QCOMPARE(pageCount(host), 2);
    QCOMPARE(pageOnTop(host), 1);
    QCOMPARE(scroll(host), 0);
    host.ShowPage(4);
    QCOMPARE(pageOnTop(host), 1);
}

void TestViewerHost::unreadableFilesEmptyThePreviewQuietly_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("notPdf") << "notes.pdf" << QByteArray("just some text\n");
    QTest::newRow("damaged") << "damaged.pdf" << QByteArray("%PDF-1.4\n1 0 obj << /Type /Catalog");
    QTest::newRow("missing") << "missing.pdf" << QByteArray();
    QTest::newRow("folder") << "" << QByteArray();
    QTest::newRow("emptyPath") << QString() << QByteArray();
}

void TestViewerHost::unreadableFilesEmptyThePreviewQuietly()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    const QString path = name.isNull() ? QString() : dir_.filePath(name);
    QFile file(path);
    QVERIFY(content.isEmpty() || (file.open(QIODevice::WriteOnly) && file.write(content) > 0));
    file.close();
    ViewerHost host;
    host.Create(QRect(0, 0, 0, 0), &window_);
    host.LoadDocument(dir_.filePath("five.pdf"));
    host.ShowPage(3);
    host.LoadDocument(path);
    QCOMPARE(pageCount(host), 0);
    host.ShowPage(1);
    QVERIFY(prompts_.isEmpty());
    host.LoadDocument(dir_.filePath("two.pdf"));
    QCOMPARE(pageCount(host), 2);
}

void TestViewerHost::missingReaderOffersTheDownloadPage_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QList<QUrl>>("opened");
    QTest::newRow("yes") << MsgBox::IdYes << QList<QUrl>{QUrl("https://get.adobe.com/reader/")};
    QTest::newRow("no") << MsgBox::IdNo << QList<QUrl>{};
}

void TestViewerHost::missingReaderOffersTheDownloadPage()
{
    QFETCH(int, answer);
    QFETCH(QList<QUrl>, opened);
    answer_ = answer;
    CAcroAXDocShim::FailCreationForTesting(true);
    ViewerHost host;
    QCOMPARE(host.Create(QRect(0, 0, 0, 0), &window_), -1);
    QCOMPARE(prompts_, QStringList{"Failed to create adobe window, your system hasn't Adobe Reader installed, "
                                   "would you download and install Adobe Reader now? [4]"});
    QCOMPARE(opened_, opened);
    // The program carries on without a preview: requests and resizes do nothing.
    QCOMPARE(host.parentWidget(), &window_);
    host.LoadDocument(dir_.filePath("five.pdf"));
    host.ShowPage(1);
    host.setGeometry(0, 0, 300, 200);
    QVERIFY(!host.Control().Window());
    QCOMPARE(prompts_.size(), 1);
}

// The reader reads the file on a thread of its own; only the last file asked for is shown, at
// the page asked for meanwhile, and a message or an unreadable file leaves the preview empty.
void TestViewerHost::backgroundLoadShowsTheLastFileAskedFor()
{
    ViewerHost host;
    QCOMPARE(host.Create(QRect(0, 0, 0, 0), &window_), 1);
    host.setGeometry(0, 0, 1000, 800);
    QList<bool> loaded;
    connect(&host, &ViewerHost::Loaded, this, [&](bool shown) { loaded << shown; });

    host.LoadDocumentInBackground(dir_.filePath("two.pdf"));
    host.LoadDocumentInBackground(dir_.filePath("five.pdf"));
    QVERIFY(host.Loading());
    host.ShowPage(4);
    QTRY_VERIFY(!host.Loading());
    QCOMPARE(loaded, QList<bool>{true});
    QCOMPARE(pageCount(host), 5);
    QCOMPARE(pageOnTop(host), 4);

    // A message while the file is read: what was read is neither shown nor told.
    host.LoadDocumentInBackground(dir_.filePath("two.pdf"));
    host.ShowMessage("Not this one");
    QVERIFY(!host.Loading());
    host.LoadDocumentInBackground(dir_.filePath("missing.pdf"));
    QTRY_VERIFY(!host.Loading());
    QCOMPARE(loaded, QList<bool>({true, false}));
    QCOMPARE(pageCount(host), 0);
}

QTEST_MAIN(TestViewerHost)
#include "tst_viewerhost.moc"
