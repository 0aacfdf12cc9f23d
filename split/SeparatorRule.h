#pragma once

#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <optional>

namespace qw {

// What the engine's page_facts report tells about one page.
struct PageFacts {
    struct Barcode {
        QString format; // as zxing-cpp names it: QRCode, DataMatrix, Code128...
        QString text;
        bool operator==(const Barcode &) const = default;
    };
    int page = 0; // 1-based
    double ink = -1; // share of the page's area that carries ink, -1 when not measured
    double dark = -1; // share that is near-black, -1 when not measured
    QList<Barcode> barcodes;
    QStringList unreadBarcodes; // kinds of code the engine's reader gave up on, on this page
    bool textMatch = false;
    bool textFound = true; // false: asked for a phrase, the page has no text to search (a scan)
    QString matchedLine; // the line of the page's text where the phrase begins
    QString text; // the page's whole text, its lines joined by spaces, when it was asked for
    bool damaged = false;
    QString unreadable; // why the engine gave the page up (too slow, too large); empty when it did not
};

// What the pages a separator rule finds are to the parts: sheets between documents, kept in the
// parts or left out, or the first pages of documents, which stay in them.
enum class SeparatorRole { Sheet, LeftOutSheet, DocumentStart };

// Which pages are separator sheets: blank ones, dark ones, ones with a barcode (any, or one
// whose text contains a given text), ones whose text contains a phrase, or ones whose text
// matches a regular expression.
struct SeparatorRule {
    enum class Kind { Blank, Dark, Barcode, Text, Match };
    Kind kind = Kind::Blank;
    QString text; // for Barcode (empty: any barcode), Text (the phrase) and Match (the expression)
    // Blank: at most this share of ink; Dark: at least this share near-black. What a blank
    // sheet with noise and faint show-through stays under, and a page of a few lines stays above.
    double blankInk = 0.004;
    double darkShare = 0.6;

    // "blank", "dark", "barcode", "barcode:TEXT", "text:PHRASE" or "match:REGEX"; nothing for
    // anything else, an expression that is not valid among them.
    static std::optional<SeparatorRule> Parse(const QString &given);
    // Match's expression as it is searched: case ignored, Unicode classes.
    static QRegularExpression Expression(const QString &pattern);
    // The rule that finds the pages whose text matches `pattern`.
    static SeparatorRule Matching(const QString &pattern);
    // What the engine's page_facts needs to be asked for this rule.
    QStringList EngineArguments() const;
    bool IsSeparator(const PageFacts &facts) const;
    // A page found by what it says (its text, or a barcode on it) and kept in the parts is the
    // first page of a document; a blank or dark page, or any page left out, is a sheet between
    // documents.
    SeparatorRole Role(bool leaveOut) const;
    // What a separator says about the part it begins, for names: its barcode's text, the
    // line where its phrase begins, or what its expression matched (the first capture group
    // when it has one); empty when it says nothing.
    QString Label(const PageFacts &facts) const;

private:
    // A barcode this rule looks for: any, or one whose text contains `text`.
    bool Wants(const PageFacts::Barcode &code) const;
};

// The page_facts report, page by page; pages it does not describe are left out.
QList<PageFacts> ParsePageFacts(const QByteArray &report);

} // namespace qw
