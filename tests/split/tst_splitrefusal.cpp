// The words of every refusal of a split and of every problem of an engine command over the
// pages: the one place that checks them; the other tests decide on kinds.
#include "split/EngineRunner.h"
#include "split/PagesCommand.h"
#include "split/SplitRefusal.h"

#include <QTest>

using namespace qw;

class TestSplitRefusal : public QObject {
    Q_OBJECT
private slots:
    void refusalsAreWorded_data();
    void refusalsAreWorded();
    void pagesProblemsAreWorded_data();
    void pagesProblemsAreWorded();
};

void TestSplitRefusal::refusalsAreWorded_data()
{
    using Kind = SplitRefusal::Kind;
    QTest::addColumn<SplitRefusal>("refusal");
    QTest::addColumn<QString>("text");
    const QString choose = "\n\nChoose another name pattern or output folder. Nothing was written.";
    const auto cannotWrite = [&](const char *name, Kind kind, const QString &why, const QString &linkText = {}) {
        QTest::newRow(name) << SplitRefusal{kind, "/o/p 3.pdf", 3, 0, linkText}
                            << "Part 3 cannot be written to\n/o/p 3.pdf\n\n" + why + choose;
    };
    QTest::newRow("none") << SplitRefusal() << QString();
    QTest::newRow("engineMissing") << SplitRefusal{Kind::EngineMissing, "/p/engine"}
                                   << QString("The PDF engine is missing or cannot be started:\n/p/engine\n\n"
                                              "Reinstall Quirewright so that %1 lies beside the program. Nothing was "
                                              "written.")
                                          .arg(EngineRunner::EngineFileName);
    QTest::newRow("noOutputFolder") << SplitRefusal{Kind::NoOutputFolder, "/o"}
                                    << "The output folder\n/o\ndoes not exist.\n\nCreate it, or choose another "
                                       "output folder. Nothing was written.";
    QTest::newRow("nameNotExact") << SplitRefusal{Kind::NameNotExact, "/o/\uFFFD"}
                                  << "The name of /o/\uFFFD is not valid UTF-8, so it cannot be told apart from other "
                                     "names. Rename the file (or the folder) and try again. Nothing was written.";
    QTest::newRow("documentChanged") << SplitRefusal{Kind::DocumentChanged, "/d/doc.pdf"}
                                     << "The document\n/d/doc.pdf\nhas been replaced, moved or changed since it was "
                                        "opened.\n\nOpen it again to split it as it is now. Nothing was written.";
    QTest::newRow("partOverDocument") << SplitRefusal{Kind::PartOverDocument, "/d/doc.pdf", 2}
                                      << "Part 2 would be written over the document being split:\n/d/doc.pdf" + choose;
    QTest::newRow("twoPartsOneName") << SplitRefusal{Kind::TwoPartsOneName, "/o/x.pdf", 4, 1}
                                     << "Parts 1 and 4 would both be written to\n/o/x.pdf\n\nPut {part} or {part:0000} "
                                        "in the name pattern so that every part gets a name of its own. Nothing was "
                                        "written.";
    cannotWrite("partFolderMissing", Kind::PartFolderMissing, "Its folder does not exist.");
    cannotWrite("partFolderNotWritable", Kind::PartFolderNotWritable, "No file can be created in its folder.");
    cannotWrite("folderInTheWay", Kind::FolderInTheWay, "A folder has that name.");
    cannotWrite("notAFileInTheWay", Kind::NotAFileInTheWay,
                "A device, pipe or socket has that name; only files are written.");
    cannotWrite("danglingLinkInTheWay", Kind::DanglingLinkInTheWay,
                "A link of that name leads to ../gone.pdf, which does not exist.", "../gone.pdf");
    cannotWrite("linkToNonFileInTheWay", Kind::LinkToNonFileInTheWay,
                "A link of that name leads to a folder, device, pipe or socket, not to a file.");
    cannotWrite("readOnlyFile", Kind::ReadOnlyFile, "The file of that name is read-only.");
    QTest::newRow("archiveFolderNotSet") << SplitRefusal{Kind::ArchiveFolderNotSet, {}}
                                         << "Archiving is on in the options, but no archive folder is set. Pass "
                                            "--archive-folder DIR. Nothing was written.";
    QTest::newRow("archiveFolderMissing") << SplitRefusal{Kind::ArchiveFolderMissing, "/a"}
                                          << "The archive folder /a does not exist. Create it, or pass "
                                             "--archive-folder with another folder. Nothing was written.";
    QTest::newRow("archiveTargetExists") << SplitRefusal{Kind::ArchiveTargetExists, "/a/doc.pdf"}
                                         << "The document cannot be archived: /a/doc.pdf already exists. Move that "
                                            "file away, or pass --archive-folder with another folder. Nothing was "
                                            "written.";
    QTest::newRow("partIsAnotherDocument") << SplitRefusal{Kind::PartIsAnotherDocument, "/o/b 1.pdf", 1, 0, "/d/b.pdf"}
                                           << "Part file /o/b 1.pdf is /d/b.pdf, another document of this run. Give a "
                                              "--pattern with {basename}, or another --output-folder. Nothing was "
                                              "written.";
    QTest::newRow("claimedByAnotherDocument")
        << SplitRefusal{Kind::ClaimedByAnotherDocument, "/o/x.pdf", 0, 0, "/d/b.pdf"}
        << "/o/x.pdf is also where /d/b.pdf, another document of this run, goes. Give a --pattern with {basename}, "
           "or split the documents in separate runs. Nothing was written.";
}

void TestSplitRefusal::refusalsAreWorded()
{
    QFETCH(SplitRefusal, refusal);
    QFETCH(QString, text);
    QCOMPARE(refusal.Text(), text);
    QCOMPARE(bool(refusal), !text.isEmpty());
}

void TestSplitRefusal::pagesProblemsAreWorded_data()
{
    using Kind = PagesCommand::Problem::Kind;
    QTest::addColumn<PagesCommand::Problem::Kind>("kind");
    QTest::addColumn<QString>("text");
    // A problem is worded with its reason (or as that alone), or without one; none is no problem.
    QTest::newRow("none") << Kind::None << QString();
    QTest::newRow("engineNotRun") << Kind::EngineNotRun << "why";
    QTest::newRow("pagesNotLookedAt") << Kind::PagesNotLookedAt << "The PDF engine could not look at the pages: why";
    QTest::newRow("partsNotPlanned") << Kind::PartsNotPlanned << "The PDF engine could not plan the parts: why";
    QTest::newRow("noPlan") << Kind::NoPlan << "The PDF engine's report holds no plan of the parts.";
}

void TestSplitRefusal::pagesProblemsAreWorded()
{
    QFETCH(PagesCommand::Problem::Kind, kind);
    QFETCH(QString, text);
    const PagesCommand::Problem problem{kind, "why"};
    QCOMPARE(problem.Text(), text);
    QCOMPARE(bool(problem), !text.isEmpty());
}

QTEST_GUILESS_MAIN(TestSplitRefusal)
#include "tst_splitrefusal.moc"
