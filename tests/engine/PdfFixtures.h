#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

// Writes the PDF files the engine tests run on, in plain PDF syntax, so that every object
// (inherited attributes, links, fields, broken trees) is exactly what a test expects.
class PdfFixtures {
public:
    // Ten pages; page k shows "Page k" (page 9 also a marker found nowhere else).
    // Pages 1-5 hang from a node that gives them Rotate 90; the root gives every page an
    // A4 MediaBox and the font. Page 6 has its own MediaBox, page 7 a CropBox, page 8
    // Rotate 180 and UserUnit 2, page 10 landscape with Bleed/Trim/ArtBox. Links: 1->3
    // (Dest array), 2->9 (GoTo action), 3->4 (named "chapter4"), 3->9 (named "nine"),
    // 4: a URI, 9->1. A text field has widgets on pages 2 and 9. Labels: i, ii, iii, 1...
    static QByteArray tenPages();
    // Twelve 300 x 400 pages ("Page k") set out like a manual. Labels: i-iii, 1-6, A-1 and
    // A-2, then "Index". Outline (level: title -> page): 1 Préface -> 1; 1 Part One
    // (heading, open, red, bold); 2 "Chapter 1<newline>Introduction" -> 4 (named "ch1",
    // open); 3 Section 1.1 -> 5 (GoTo); 3 Section 1.2 -> 6 (GoTo to named "sec12"); 2
    // "Chapter 2 — Use" -> 7 (closed, blue, italic); 3 Section 2.1 -> 8; 1 Appendix -> 10
    // (open, green, bold italic); 2 "Web site &#1" (URI); 2 Appendix B -> 11; 1 Index -> 12.
    // With Info, XMP metadata, Lang, viewer settings and an OpenAction to page 5. With
    // outlineLoop, Index's Next leads back to Préface and Section 2.1's First to Part One.
    static QByteArray manual(bool outlineLoop = false);
    // Ten pages ("Page k") and a flat outline of `entries` bookmarks, "Entry j" leading by
    // the name "nJJJ" to page namedOutlinePage(j), through a name tree of leaves of eight,
    // then "Entry missing", whose name is in no tree.
    static QByteArray namedOutline(int entries);
    // `count` chapters of `pagesEach` pages ("Page k"), each a top-level bookmark "Chapter j"
    // (chapter 3 is "Chapter 3: Input/Output") with one child "Section j.1" on its second page.
    static QByteArray chapters(int count, int pagesEach);
    // One page for each entry of imageBytes, page k drawing an image of its own whose stored
    // data is that many bytes; every page uses one font whose embedded file is sharedBytes
    // bytes. The data is not compressible, as scanned pages and subset fonts hardly are.
    static QByteArray weighted(const QList<int> &imageBytes, int sharedBytes);
    static int namedOutlinePage(int entry) { return (entry * 7) % 10 + 1; }
    static constexpr const char *kManualXmpMarker = "QUIREMANUALXMP";
    // The root's Kids lead back to the root, and its second page's Parent to itself: MuPDF,
    // which finds a page's inherited attributes along its Parents, cannot draw that page.
    static QByteArray cyclicTree();
    static QByteArray lyingCounts(); // a Count claims leaves where there is a node
    static QByteArray danglingPage(); // the second of two Kids is an object that is not there
    // The second of two Kids is an object the cross-reference table lists as free.
    static QByteArray freedPage();
    // Two kids and a Count of two, but the second kid is a node that holds no page.
    static QByteArray emptyNodeCountedAsPage();
    // One page under a root whose Count claims 9,999,999,999.
    static QByteArray claimsTenBillionPages();
    // Page 1 (a red square) hangs `levels` nodes deep; page 2 (a blue square) beside them at the
    // top. Only the root gives a MediaBox.
    static QByteArray deepTree(int levels);
    // One page under `levels` nodes written inside one another in the root's own object.
    static QByteArray nestedInOneObject(int levels);
    // Page 1's content is `unit` over and over, gigabytes of it stored in a few kilobytes through
    // two Flate filters; page 2 shows a blue square.
    static QByteArray endlessContent(const QByteArray &unit);
    // Page 1 of the given MediaBox shows a blue square; page 2 is an ordinary one that does too.
    static QByteArray pageOfSize(const QByteArray &mediaBox);
    static QByteArray garbage(bool withHeader);
    // A file made by assemble() (its catalog object 1), with one more object, an empty one
    // numbered `number`, and without its cross-reference table: repairing it, MuPDF makes room
    // for every object number up to that one.
    static QByteArray unlistedUpTo(const QByteArray &file, int number);
    // One page whose link leads to the named destination "loop", an array that holds, beside
    // the page, a dictionary whose Dest is "loop" again.
    static QByteArray destinationInsideItself();

    // Pages listed more than once, each Count telling the number of listings below it.
    // Page k shows "Page <letter>"; the root gives a 300 x 300 MediaBox.
    static QByteArray pageTwiceInOneKids(); // Kids [A A B]
    static QByteArray pageListed(int times); // Kids [A A ... A B]
    // A (whose Parent is the first node) under a node with Rotate 90 and a 200 x 200 box,
    // then A and B under a node with Rotate 180 and a 400 x 400 box; B links to A.
    static QByteArray pageUnderTwoParents();
    static QByteArray sharedBranch(); // Kids [N C N], N a node of A and B with Rotate 90
    // Each of levels nodes lists the next one twice: 2^levels listings of one page.
    static QByteArray doublingBranches(int levels);

    // Two pages; page 1 takes its kind (Font, Resources, XObject, Contents) from object 30,
    // which lies in an object stream whose compressed data is damaged.
    static QByteArray damagedObjectStream(const QByteArray &kind);
    static bool write(const QString &path, const QByteArray &data);

    static constexpr const char *kPageNineMarker = "NINEMARKERQZX";
    static constexpr const char *kWidgetNineMarker = "WIDGETNINEQZX";

    // Builds a file from numbered objects (their text between "obj" and "endobj").
    static QByteArray assemble(const QMap<int, QByteArray> &objects, const QByteArray &trailer);

private:
    static QByteArray stream(const QByteArray &dict, const QByteArray &data);
    // A file whose root node (object 2, a 300 x 300 MediaBox) lists `kids` under `count`, with
    // `objects` besides; object 5 is a blue square for pages to show, unless `objects` has one.
    static QByteArray squaresTree(const QByteArray &kids, const QByteArray &count, QMap<int, QByteArray> objects);
    static QByteArray textPage(const QByteArray &parent, int content, const QByteArray &extra = {});
    static QByteArray textContent(const QByteArray &text);
};
