// render_pages through the built engine: each request line answered in order with the page's
// pixels at the asked width (or a reason it cannot be drawn), the page's shape and turn kept,
// a damaged page failing alone, and a document that is not (or no longer) the checked file
// refused.
#include "EngineProcess.h"
#include "PdfFixtures.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <array>
#include <tuple>


namespace {

struct Reply {
    QByteArray kind; // "Page" or "Failed"
    long long page = -1;
    int width = 0;
    int height = 0;
    QByteArray reason;
    QByteArray pixels;

    // Red, green and blue of the pixel at x, y.
    std::array<int, 3> at(int x, int y) const
    {
        const qsizetype i = (qsizetype(y) * width + x) * 3;
        return {uchar(pixels[i]), uchar(pixels[i + 1]), uchar(pixels[i + 2])};
    }
};

struct Session {
    int exitCode = -1;
    bool crashed = false;
    QByteArray ready; // the first line, without its line feed
    QList<Reply> replies;
    QByteArray err;
    bool wellFormed = true; // every reply parsed, no bytes left over
};

// Reads the replies in `out` after the ready line, as a client would: a header line, then for
// a page exactly the bytes it announces.
Session parse(const QByteArray &out)
{
    Session session;
    qsizetype at = out.indexOf('\n');
    if (at < 0)
        return session;
    session.ready = out.left(at);
    ++at;
    while (at < out.size()) {
        const qsizetype end = out.indexOf('\n', at);
        if (end < 0) {
            session.wellFormed = false;
            break;
        }
        const QList<QByteArray> words = out.mid(at, end - at).split(' ');
        at = end + 1;
        Reply reply;
        reply.kind = words.value(0);
        reply.page = words.value(1).toLongLong();
        if (reply.kind == "Page" && words.size() == 5) {
            reply.width = words[2].toInt();
            reply.height = words[3].toInt();
            const qsizetype bytes = words[4].toLongLong();
            if (bytes != qsizetype(reply.width) * reply.height * 3 || at + bytes > out.size()) {
                session.wellFormed = false;
                break;
            }
            reply.pixels = out.mid(at, bytes);
            at += bytes;
        } else if (reply.kind == "Failed" && words.size() == 3) {
            reply.reason = words[2];
        } else {
            session.wellFormed = false;
            break;
        }
        session.replies << reply;
    }
    return session;
}

// Starts the engine's server on `document`, sends every request at once, closes its input and
// reads what it answered.
Session serve(const QString &document, const QByteArray &requests, const QStringList &variables = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QUIREKIT_DOCUMENT"));
    for (const QString &variable : variables)
        environment.insert(variable.section('=', 0, 0), variable.section('=', 1));
    process.setProcessEnvironment(environment);
    process.start(EngineProcess::program(), {document, QStringLiteral("render_pages")});
    Session session;
    if (!process.waitForStarted(10000))
        return session;
    process.write(requests);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
    }
    session = parse(process.readAllStandardOutput());
    session.err = process.readAllStandardError();
    session.crashed = process.exitStatus() == QProcess::CrashExit;
    session.exitCode = process.exitCode();
    return session;
}

QByteArray stream(const QByteArray &data)
{
    return "<< /Length " + QByteArray::number(data.size()) + " >>\nstream\n" + data + "\nendstream";
}

// One page per entry of `pages` (its own attributes, e.g. "/MediaBox [0 0 200 400] /Rotate 90"),
// each filling the page's upper left quarter in red: x below the middle, y above it.
QByteArray quarterPages(const QList<QByteArray> &pages, const QList<QRectF> &boxes)
{
    QMap<int, QByteArray> o;
    o[1] = "<< /Type /Catalog /Pages 2 0 R >>";
    QByteArray kids;
    for (qsizetype k = 0; k < pages.size(); ++k) {
        const int page = 10 + 2 * int(k);
        const QRectF box = boxes[k];
        kids += QByteArray::number(page) + " 0 R ";
        o[page] = "<< /Type /Page /Parent 2 0 R /Contents " + QByteArray::number(page + 1) + " 0 R " + pages[k] + " >>";
        o[page + 1] = stream("1 0 0 rg " + QByteArray::number(box.left()) + " " + QByteArray::number(box.center().y())
                             + " " + QByteArray::number(box.width() / 2) + " " + QByteArray::number(box.height() / 2)
                             + " re f");
    }
    o[2] = "<< /Type /Pages /Kids [" + kids + "] /Count " + QByteArray::number(pages.size()) + " >>";
    return PdfFixtures::assemble(o, "/Root 1 0 R");
}

} // namespace

class TestEngineRender : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void sizeFollowsTheShapeOfThePage_data();
    void sizeFollowsTheShapeOfThePage();
    void pixelsShowThePageTurnedAsItIs_data();
    void pixelsShowThePageTurnedAsItIs();
    void badRequestsFailAloneAndTheServerGoesOn_data();
    void badRequestsFailAloneAndTheServerGoesOn();
    void aPageThatCannotBeDrawnFailsAlone();
    void pagesBeyondTheirLimitsFailAlone_data();
    void pagesBeyondTheirLimitsFailAlone();
    void aPageThatDoesNotStopEndsTheServer();
    void aDocumentRewrittenWhileServedEndsTheServer();
    void commandLineIsChecked_data();
    void commandLineIsChecked();

private:
    QTemporaryDir m_dir;
    QString m_tenPages;
    QString m_quarters;
};

void TestEngineRender::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_tenPages = m_dir.filePath("ten.pdf");
    QVERIFY(PdfFixtures::write(m_tenPages, PdfFixtures::tenPages()));
    // Page 5 is a strip ten times higher than wide; page 6's boxes do not start at 0.
    m_quarters = m_dir.filePath("quarters.pdf");
    const QList<QRectF> boxes{QRectF(0, 0, 200, 400), QRectF(0, 0, 200, 400), QRectF(0, 0, 200, 400),
                              QRectF(0, 0, 200, 400), QRectF(0, 0, 100, 1000), QRectF(50, 100, 300, 200)};
    QVERIFY(PdfFixtures::write(m_quarters, quarterPages({"/MediaBox [0 0 200 400]",
                                                         "/MediaBox [0 0 200 400] /Rotate 90",
                                                         "/MediaBox [0 0 200 400] /Rotate 180",
                                                         "/MediaBox [0 0 200 400] /Rotate -90",
                                                         "/MediaBox [0 0 100 1000]",
                                                         "/MediaBox [0 0 600 600] /CropBox [50 100 350 300]"},
                                                        boxes)));
}

void TestEngineRender::sizeFollowsTheShapeOfThePage_data()
{
    // The page as shown (rotation and boxes applied), in points; the height follows its shape.
    QTest::addColumn<QString>("document");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("width");
    QTest::addColumn<double>("shownWidth");
    QTest::addColumn<double>("shownHeight");
    QTest::newRow("inheritedRotate90") << "ten" << 1 << 120 << 842.0 << 595.0;
    QTest::newRow("cropBox") << "ten" << 7 << 120 << 490.0 << 680.0;
    QTest::newRow("rotate180UserUnit2") << "ten" << 8 << 120 << 595.0 << 842.0;
    QTest::newRow("landscape") << "ten" << 10 << 240 << 842.0 << 595.0;
    QTest::newRow("widest") << "ten" << 3 << 2048 << 842.0 << 595.0;
    QTest::newRow("negativeRotate") << "quarters" << 4 << 120 << 400.0 << 200.0;
}

void TestEngineRender::sizeFollowsTheShapeOfThePage()
{
    QFETCH(QString, document);
    QFETCH(int, page);
    QFETCH(int, width);
    QFETCH(double, shownWidth);
    QFETCH(double, shownHeight);
    const Session session = serve(document == "ten" ? m_tenPages : m_quarters,
                                  QByteArray::number(page) + " " + QByteArray::number(width) + "\n");
    QCOMPARE(session.exitCode, 0);
    QVERIFY(session.wellFormed);
    QCOMPARE(session.replies.size(), 1);
    const Reply &reply = session.replies[0];
    QCOMPARE(reply.kind, QByteArray("Page"));
    QCOMPARE(reply.page, page);
    QCOMPARE(reply.width, width);
    QCOMPARE(reply.height, qMax(1, qRound(width * shownHeight / shownWidth)));
}

void TestEngineRender::pixelsShowThePageTurnedAsItIs_data()
{
    // Where the red quarter (the upper left one of the unturned page) shows after the turn:
    // turned clockwise, quarter by quarter.
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("turns"); // quarter turns clockwise
    QTest::addColumn<int>("height");
    QTest::newRow("upright") << 1 << 100 << 0 << 200;
    QTest::newRow("rotate90") << 2 << 120 << 1 << 60;
    QTest::newRow("rotate180") << 3 << 61 << 2 << 122;
    QTest::newRow("rotateMinus90") << 4 << 120 << 3 << 60;
    // Ten times higher than wide: drawn four times higher than wide, and narrower.
    QTest::newRow("tallStripNarrowed") << 5 << 120 << 0 << 480;
    QTest::newRow("cropBoxOffset") << 6 << 150 << 0 << 100;
}

void TestEngineRender::pixelsShowThePageTurnedAsItIs()
{
    QFETCH(int, page);
    QFETCH(int, width);
    QFETCH(int, turns);
    QFETCH(int, height);
    const Session session = serve(m_quarters, QByteArray::number(page) + " " + QByteArray::number(width) + "\n");
    QCOMPARE(session.exitCode, 0);
    QVERIFY(session.wellFormed);
    QCOMPARE(session.replies.size(), 1);
    const Reply &reply = session.replies[0];
    QCOMPARE(reply.kind, QByteArray("Page"));
    QCOMPARE(reply.height, height);
    QVERIFY(reply.width <= width);
    int red = 0, white = 0;
    for (int y = 0; y < reply.height; ++y) {
        for (int x = 0; x < reply.width; ++x) {
            // Back to the unturned page, as shares of its width and height from the upper left.
            double u = (x + 0.5) / reply.width, v = (y + 0.5) / reply.height;
            for (int t = 0; t < turns; ++t)
                std::tie(u, v) = std::make_pair(v, 1 - u);
            if (qAbs(u - 0.5) < 0.05 || qAbs(v - 0.5) < 0.05)
                continue; // the edge of the quarter is smoothed
            const auto [r, g, b] = reply.at(x, y);
            const bool inRed = u < 0.5 && v < 0.5;
            QVERIFY2(inRed ? (r > 200 && g < 60 && b < 60) : (r > 240 && g > 240 && b > 240),
                     qPrintable(QStringLiteral("pixel %1,%2 is %3 %4 %5").arg(x).arg(y).arg(r).arg(g).arg(b)));
            ++(inRed ? red : white);
        }
    }
    QVERIFY(red > 0 && white > red);
}

void TestEngineRender::badRequestsFailAloneAndTheServerGoesOn_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("reply"); // the Failed line's page and reason
    QTest::newRow("pageZero") << QByteArray("0 120") << QByteArray("0 outside");
    QTest::newRow("pastTheLastPage") << QByteArray("11 120") << QByteArray("11 outside");
    QTest::newRow("widthTooLarge") << QByteArray("1 2049") << QByteArray("1 request");
    QTest::newRow("noWidth") << QByteArray("1") << QByteArray("0 request");
    QTest::newRow("words") << QByteArray("page one") << QByteArray("0 request");
    QTest::newRow("overlongLine") << QByteArray(100000, '7') << QByteArray("0 request");
    QTest::newRow("carriageReturnIsFine") << QByteArray("2 30\r") << QByteArray();
}

void TestEngineRender::badRequestsFailAloneAndTheServerGoesOn()
{
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, reply);
    // The last request has no line feed: the end of the input ends it.
    const Session session = serve(m_tenPages, "1 40\n" + request + "\n6 40");
    QCOMPARE(session.exitCode, 0);
    QVERIFY(session.wellFormed);
    QCOMPARE(session.ready, QByteArray("Pages: 10"));
    QCOMPARE(session.replies.size(), 3);
    QCOMPARE(session.replies[0].kind, QByteArray("Page"));
    const Reply &middle = session.replies[1];
    if (reply.isEmpty())
        QCOMPARE(middle.kind, QByteArray("Page"));
    else
        QCOMPARE(QByteArray::number(middle.page) + " " + middle.reason, reply);
    QCOMPARE(session.replies[2].kind, QByteArray("Page"));
    QCOMPARE(session.replies[2].page, 6);
}

void TestEngineRender::aPageThatCannotBeDrawnFailsAlone()
{
    // The tree's Kids lead back to the root and the second page's Parent to itself: MuPDF
    // cannot draw that page.
    const QString path = m_dir.filePath("cyclic.pdf");
    QVERIFY(PdfFixtures::write(path, PdfFixtures::cyclicTree()));
    const Session session = serve(path, "2 50\n1 50\n2 50\n1 50\n");
    QCOMPARE(session.exitCode, 0);
    QVERIFY(session.wellFormed);
    QCOMPARE(session.ready, QByteArray("Pages: 2"));
    QCOMPARE(session.replies.size(), 4);
    for (int i : {0, 2}) {
        QCOMPARE(session.replies[i].kind, QByteArray("Failed"));
        QCOMPARE(session.replies[i].reason, QByteArray("damaged"));
    }
    for (int i : {1, 3}) {
        QCOMPARE(session.replies[i].kind, QByteArray("Page"));
        const auto [r, g, b] = session.replies[i].at(10, 45); // the blue square at the lower left
        QVERIFY2(b > 200 && r < 60 && g < 60, qPrintable(QStringLiteral("%1 %2 %3").arg(r).arg(g).arg(b)));
    }
}

void TestEngineRender::pagesBeyondTheirLimitsFailAlone_data()
{
    QTest::addColumn<QByteArray>("content"); // page 2 is an ordinary page
    QTest::addColumn<QByteArray>("reply"); // to "1 100": the Failed reason, or the size drawn
    QTest::newRow("endlessOperators") << PdfFixtures::endlessContent("1 0 0 1 0 0 cm\n") << QByteArray("timeout");
    QTest::newRow("endlessPath") << PdfFixtures::endlessContent("0 0 1 1 re\n") << QByteArray("memory");
    // Drawn as high as a reply may be, and narrower, not as a line one pixel high.
    QTest::newRow("pageOfAbsurdHeight") << PdfFixtures::pageOfSize("[0 0 1 1000000000000000000000000000000]")
                                        << QByteArray("1x400");
    QTest::newRow("pageOfAbsurdWidth") << PdfFixtures::pageOfSize("[0 0 1000000000000000000000000000000 1]")
                                       << QByteArray("100x1");
    QTest::newRow("pageOfAbsurdSize") << PdfFixtures::pageOfSize("[0 0 99999999 99999999]") << QByteArray("100x100");
}

void TestEngineRender::pagesBeyondTheirLimitsFailAlone()
{
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, reply);
    const QString path = m_dir.filePath("limits.pdf");
    QVERIFY(PdfFixtures::write(path, content));
    QElapsedTimer timer;
    timer.start();
    const Session session = serve(path, "1 100\n2 50\n", {"QUIREKIT_PAGE_SECONDS=1", "QUIREKIT_PAGE_MEMORY=64"});
    QVERIFY2(timer.elapsed() < 20000, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(session.exitCode, 0);
    QVERIFY(session.wellFormed);
    QCOMPARE(session.replies.size(), 2);
    const Reply &first = session.replies[0];
    QCOMPARE(first.page, 1);
    if (first.kind == "Failed")
        QCOMPARE(first.reason, reply);
    else
        QCOMPARE(QByteArray::number(first.width) + "x" + QByteArray::number(first.height), reply);
    QCOMPARE(session.replies[1].kind, QByteArray("Page"));
    const auto [r, g, b] = session.replies[1].at(10, 45); // the blue square at the lower left
    QVERIFY2(b > 200 && r < 60 && g < 60, qPrintable(QStringLiteral("%1 %2 %3").arg(r).arg(g).arg(b)));
}

// A content stream that inflates to nothing but blanks is one step MuPDF does not interrupt: the
// server ends after the page's time and as long again, rather than never answering.
void TestEngineRender::aPageThatDoesNotStopEndsTheServer()
{
    const QString path = m_dir.filePath("blanks.pdf");
    QVERIFY(PdfFixtures::write(path, PdfFixtures::endlessContent(QByteArray(64, ' '))));
    QElapsedTimer timer;
    timer.start();
    const Session session = serve(path, "2 50\n1 50\n2 50\n", {"QUIREKIT_PAGE_SECONDS=1"});
    QVERIFY2(timer.elapsed() < 20000, qPrintable(QString::number(timer.elapsed())));
    QVERIFY(!session.crashed);
    QCOMPARE(session.exitCode, 1);
    QVERIFY2(session.err.contains("quirekit: page 1 does not stop drawing"), session.err.constData());
    QCOMPARE(session.replies.size(), 1);
    QCOMPARE(session.replies[0].kind, QByteArray("Page"));
}

void TestEngineRender::aDocumentRewrittenWhileServedEndsTheServer()
{
    const QString path = m_dir.filePath("served.pdf");
    const QByteArray pdf = PdfFixtures::tenPages();
    QVERIFY(PdfFixtures::write(path, pdf));
    QProcess process;
    process.start(EngineProcess::program(), {path, QStringLiteral("render_pages")});
    QVERIFY(process.waitForStarted());
    process.write("1 40\n");
    QByteArray out;
    const auto readUntil = [&](qsizetype size) {
        while (out.size() < size && process.waitForReadyRead(10000))
            out += process.readAllStandardOutput();
        return out.size() >= size;
    };
    const qsizetype firstReply = QByteArray("Pages: 10\nPage 1 40 28 3360\n").size() + 3360;
    QVERIFY(readUntil(firstReply));
    // Rewritten in place, cut short: what the server reads from now on is not the page it opened.
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(pdf.left(pdf.size() / 2));
    }
    process.write("2 40\n3 40\n");
    process.closeWriteChannel();
    QVERIFY(process.waitForFinished(10000));
    out += process.readAllStandardOutput();
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 4);
    const Session session = parse(out);
    QVERIFY(session.wellFormed);
    QCOMPARE(session.replies.size(), 2);
    QCOMPARE(session.replies[0].kind, QByteArray("Page"));
    QCOMPARE(session.replies[1].kind + " " + session.replies[1].reason, QByteArray("Failed changed"));
}

void TestEngineRender::commandLineIsChecked_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("extraArgument") << QStringList{"ten", "render_pages", "output"} << 2
                                   << "unexpected argument 'output'";
    QTest::newRow("usageTellsTheProtocol") << QStringList{"--help"} << 0 << "Page <page> <width> <height> <bytes>";
}

void TestEngineRender::commandLineIsChecked()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    arguments.replaceInStrings(QRegularExpression("^ten$"), m_tenPages);
    const EngineProcess::Result result = EngineProcess::run(arguments);
    QCOMPARE(result.exitCode, exitCode);
    QVERIFY2(QString::fromUtf8(exitCode == 0 ? result.out : result.err).contains(message), result.err.constData());
}

QTEST_GUILESS_MAIN(TestEngineRender)
#include "tst_enginerender.moc"
