// The whole job with the real engine: a generated ten-page PDF is opened, break points are put
// before pages 4 and 8 with real keys, F5 confirms the options, and three correct PDFs appear.
// Bookmarks, break points placed at them and parts named after them come from the one report
// the engine made when the document was opened. This program runs beside the engine.
#include "app/PlaceBreakPointsDlg.h"
#include "app/SplitterApp.h"
#include "app/SplitterDlg.h"
#include "support/MainWindowProbe.h"
#include "framework/AppMessageBox.h"
#include "framework/DialogBuilder.h"
#include "res/ResourceIds.h"
#include "split/PageCountQuery.h"

#include "PdfFixtures.h"
#include "PdfProbe.h"
#include "ScanFixtures.h"
#include "support/OwnOptions.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLoggingCategory>
#include <QLineEdit>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfPageNavigator>
#include <QPdfView>
#include <QPdfWriter>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

using namespace qw;

namespace {

void writePdf(const QString &path, int pages)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A5));
    QPainter painter(&writer);
    QFont font = painter.font();
    font.setPointSize(40);
    painter.setFont(font);
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            writer.newPage();
        painter.drawText(QRect(0, 0, 2000, 2000), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Page %1").arg(page));
    }
}

// The text on each page of a PDF, as the reader extracts it.
QStringList pageTexts(const QString &path)
{
    QPdfDocument document;
    if (document.load(path) != QPdfDocument::Error::None)
        return {QStringLiteral("<unreadable>")};
    QStringList texts;
    for (int page = 0; page < document.pageCount(); ++page)
        texts << document.getAllText(page).text().simplified();
    return texts;
}

QStringList expectedPages(int first, int last)
{
    QStringList texts;
    for (int page = first; page <= last; ++page)
        texts << QStringLiteral("Page %1").arg(page);
    return texts;
}

int pageOnTop(const SplitterDlg &dlg)
{
    const auto *view = qobject_cast<const QPdfView *>(dlg.Preview().Control().Window());
    return view ? view->pageNavigator()->currentPage() + 1 : -1;
}

} // namespace

class TestEndToEnd : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void pageCountFromTheEngine();
    void openBreakAndSplit_data();
    void openBreakAndSplit();
    void oneEngineReportPerDocument();
    void separatorSheetsOfAScannedStack();

private:
    QTemporaryDir dir_{QDir::tempPath() + "/end to end \"Grüße\" XXXXXX"};
    QString document_;
    QTemporaryDir config_; // the configuration folder, with options of the test's own
};

void TestEndToEnd::initTestCase()
{
    document_ = dir_.filePath("ten pages.pdf");
    writePdf(document_, 10);
    QCOMPARE(pageTexts(document_), expectedPages(1, 10));
    // The program's own folder is the build's, where a developer's window keeps its options.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config_.path()));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.filePath("settings"));
}

void TestEndToEnd::cleanupTestCase()
{
    AppMessageBox::SetResponder({});
}

void TestEndToEnd::pageCountFromTheEngine()
{
    QCOMPARE(QueryPageCount(document_), 10);
    QCOMPARE(QueryPageCount(dir_.filePath("missing.pdf")), 0);
    QFile text(dir_.filePath("not a pdf.pdf"));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("plain text, not a PDF\n");
    text.close();
    QCOMPARE(QueryPageCount(text.fileName()), 0);
}

void TestEndToEnd::openBreakAndSplit_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<int>("leftOut"); // a page left out of every part, 0 for none
    QTest::newRow("partOfCount") << "{basename} {part} of {filecount}"
                                 << QStringList{"ten pages 1 of 3.pdf", "ten pages 2 of 3.pdf", "ten pages 3 of 3.pdf"}
                                 << 0;
    // The second part is written from two ranges of pages, around the page left out.
    QTest::newRow("paddedPartWithAPageLeftOut")
        << "{basename} {part:0000}" << QStringList{"ten pages 0001.pdf", "ten pages 0002.pdf", "ten pages 0003.pdf"}
        << 6;
}

void TestEndToEnd::openBreakAndSplit()
{
    QFETCH(QString, pattern);
    QFETCH(QStringList, names);
    QFETCH(int, leftOut);
    QVERIFY(MakeOwnOptions(config_.path(), QByteArray()));
    QStringList messages;
    AppMessageBox::SetResponder([&](const QString &text, unsigned) {
        messages << text;
        return MsgBox::IdNo;
    });

    SplitterApp app;
    SplitterDlg dlg(&app);
    app.SetMainWindow(&dlg);
    dlg.Create();
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    app.OpenDocumentFile(document_);
    QVERIFY(probe::WaitUntilIdle(dlg));
    QCOMPARE(probe::RowCount(dlg), 10);
    QTRY_COMPARE(pageOnTop(dlg), 1);

    QTreeView *list = probe::PageList(dlg);
    list->setFocus();
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(list, Qt::Key_Down);
    QTRY_COMPARE(pageOnTop(dlg), 4);
    QTest::keyClick(list, Qt::Key_F2);
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(list->currentIndex().data().toString(), QStringLiteral("8"));
    QTest::keyClick(list, Qt::Key_F2);
    if (leftOut > 0) {
        list->setCurrentIndex(list->model()->index(dlg.Breaks().RowOfPage(leftOut), 0));
        dlg.OnCommand(CmdId::ContextLeavePageOut);
        QVERIFY(dlg.Breaks().IsLeftOut(leftOut));
    }

    // The options dialog comes up modally; choose "same folder", type the pattern, press Ok.
    bool answered = false;
    QTimer::singleShot(0, [&] {
        QWidget *options = QApplication::activeModalWidget();
        QVERIFY(options);
        auto *same = qobject_cast<QRadioButton *>(DialogBuilder::ControlById(options, CtrlId::SameFolderRadio));
        auto *combo = qobject_cast<QComboBox *>(DialogBuilder::ControlById(options, CtrlId::PatternCombo));
        auto *ok = qobject_cast<QPushButton *>(DialogBuilder::ControlById(options, CtrlId::OptionsOk));
        QVERIFY(same && combo && ok);
        QTest::mouseClick(same, Qt::LeftButton);
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo->lineEdit(), pattern);
        QTest::mouseClick(ok, Qt::LeftButton);
        answered = true;
    });
    QTest::keyClick(list, Qt::Key_F5);
    QVERIFY(answered);
    QVERIFY(probe::WaitUntilIdle(dlg));

    QCOMPARE(messages, QStringList{"Split PDF file success! Do you want to open the output directory?"});
    QCOMPARE(pageTexts(dir_.filePath(names.at(0))), expectedPages(1, 3));
    QStringList second = expectedPages(4, 7);
    second.removeAll(QStringLiteral("Page %1").arg(leftOut));
    QCOMPARE(pageTexts(dir_.filePath(names.at(1))), second);
    QCOMPARE(pageTexts(dir_.filePath(names.at(2))), expectedPages(8, 10));
    QVERIFY(QFile::exists(document_));
    // No temporary file is left beside the parts.
    QCOMPARE(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden).filter(QRegularExpression("^\\.|tmp")), {});
}

namespace {
QStringList *engineCommands = nullptr;

// The window, told the options a test wants instead of asking the user.
class NamedAfter : public SplitterDlg {
public:
    explicit NamedAfter(const QString &pattern) : pattern_(pattern) {}
    bool RunOptionsDialog() override
    {
        Options.SaveFileType = 3; // beside the document
        Options.FileNamePattern = pattern_;
        Options.ArchiveButtonState = 0;
        return true;
    }

private:
    QString pattern_;
};
} // namespace

void TestEndToEnd::oneEngineReportPerDocument()
{
    QTemporaryDir dir;
    const QString manual = dir.filePath("manual.pdf");
    QVERIFY(PdfFixtures::write(manual, PdfFixtures::chapters(3, 2)));
    QStringList commands;
    engineCommands = &commands;
    QLoggingCategory::setFilterRules(QStringLiteral("quirewright.engine.debug=true"));
    const QtMessageHandler previous
        = qInstallMessageHandler([](QtMsgType, const QMessageLogContext &context, const QString &text) {
              if (engineCommands && qstrcmp(context.category, "quirewright.engine") == 0)
                  engineCommands->append(text);
          });
    const auto restore = qScopeGuard([previous] {
        qInstallMessageHandler(previous);
        QLoggingCategory::setFilterRules({});
        engineCommands = nullptr;
    });
    AppMessageBox::SetResponder([](const QString &, unsigned) { return MsgBox::IdNo; });

    NamedAfter dlg(QStringLiteral("{part} {bookmark}"));
    dlg.Create();
    QVERIFY(probe::Open(dlg, manual));
    QTimer::singleShot(0, [] {
        auto *place = qobject_cast<PlaceBreakPointsDlg *>(QApplication::activeModalWidget());
        QVERIFY(place);
        place->LevelCombo->setCurrentIndex(0);
        place->accept();
    });
    dlg.OnCommand(CmdId::PlaceBreakPoints);
    QVERIFY(probe::WaitUntilIdle(dlg));
    QCOMPARE(dlg.Breaks().BreakPages(), QList<int>({3, 5}));
    dlg.OnCommand(CmdId::SplitPdf);
    probe::WaitUntilIdle(dlg);

    QCOMPARE(QDir(dir.path()).entryList({"? Chapter*"}, QDir::Files, QDir::Name),
             QStringList({"1 Chapter 1.pdf", "2 Chapter 2.pdf", "3 Chapter 3: Input-Output.pdf"}));
    QCOMPARE(commands.filter(" dump_data ").size(), 1);
    QCOMPARE(commands.size(), 4); // the report and three parts
}

// The engine finds the QR separator sheets of a scan stack ("3 pages, sheet, 1 page, sheet,
// 4 pages") for the window, which leaves them out in one undoable step, and names the parts
// after what the sheets say.
void TestEndToEnd::separatorSheetsOfAScannedStack()
{
    using Sheet = ScanFixtures::Sheet;
    QTemporaryDir dir;
    const QString stack = dir.filePath("stack.pdf");
    QVERIFY(PdfFixtures::write(stack, ScanFixtures::stack({Sheet::Letter, Sheet::Letter, Sheet::LetterEnd, Sheet::QrCode,
                                                            Sheet::LetterEnd, Sheet::QrCode, Sheet::Letter,
                                                            Sheet::Letter, Sheet::Letter, Sheet::LetterEnd})));
    QStringList messages;
    AppMessageBox::SetResponder([&](const QString &text, unsigned) {
        messages << text;
        return MsgBox::IdNo;
    });
    NamedAfter dlg(QStringLiteral("{part} {separator}"));
    dlg.Create();
    QVERIFY(probe::Open(dlg, stack));
    QTimer::singleShot(0, [] {
        auto *place = qobject_cast<PlaceBreakPointsDlg *>(QApplication::activeModalWidget());
        QVERIFY(place);
        place->AtSeparators->setChecked(true);
        place->SeparatorKind->setCurrentIndex(place->SeparatorKind->findData(int(SeparatorRule::Kind::Barcode)));
        place->LeaveOut->setChecked(true);
        place->accept();
    });
    dlg.OnCommand(CmdId::PlaceBreakPoints);
    QVERIFY(probe::WaitUntilIdle(dlg));
    QCOMPARE(dlg.Breaks().BreakPages(), QList<int>({4, 6}));
    QCOMPARE(dlg.Breaks().LeftOutPages(), QList<int>({4, 6}));
    dlg.OnCommand(CmdId::SplitPdf);
    probe::WaitUntilIdle(dlg);
    QCOMPARE(messages, QStringList{"Split PDF file success! Do you want to open the output directory?"});
    const QString named = QStringLiteral("%1 ") + ScanFixtures::kQrText + ".pdf";
    const QStringList parts{"1 stack 1.pdf", named.arg(2), named.arg(3)};
    QCOMPARE(QDir(dir.path()).entryList({"? *"}, QDir::Files, QDir::Name), parts);
    const QList<int> pages{3, 1, 4};
    for (int part = 0; part < parts.size(); ++part)
        QCOMPARE(PdfProbe(dir.filePath(parts.at(part))).pageCount(), pages.at(part));
}

QTEST_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"
