#include "SeparatorRule.h"

#include "DocumentOutline.h"
#include "ProtocolWords.h"

#include <algorithm>

namespace qw {

std::optional<SeparatorRule> SeparatorRule::Parse(const QString &given)
{
    SeparatorRule rule;
    const QString kind = given.section(QLatin1Char(':'), 0, 0);
    const bool hasText = given.contains(QLatin1Char(':'));
    rule.text = given.section(QLatin1Char(':'), 1);
    if (kind == QLatin1String("blank") && !hasText)
        rule.kind = Kind::Blank;
    else if (kind == QLatin1String("dark") && !hasText)
        rule.kind = Kind::Dark;
    else if (kind == QLatin1String("barcode") && (!hasText || !rule.text.isEmpty()))
        rule.kind = Kind::Barcode;
    else if (kind == QLatin1String("text") && !rule.text.trimmed().isEmpty())
        rule.kind = Kind::Text;
    else if (kind == QLatin1String("match") && !rule.text.isEmpty() && Expression(rule.text).isValid())
        rule.kind = Kind::Match;
    else
        return std::nullopt;
    return rule;
}

QRegularExpression SeparatorRule::Expression(const QString &pattern)
{
    return QRegularExpression(pattern, QRegularExpression::CaseInsensitiveOption
                                           | QRegularExpression::UseUnicodePropertiesOption);
}

SeparatorRule SeparatorRule::Matching(const QString &pattern)
{
    SeparatorRule rule;
    rule.kind = Kind::Match;
    rule.text = pattern;
    return rule;
}

QStringList SeparatorRule::EngineArguments() const
{
    switch (kind) {
    case Kind::Blank:
    case Kind::Dark: return {};
    case Kind::Barcode: return {ProtocolText(quirekit::protocol::word::Barcodes)};
    // The phrase alone is wanted: the pages need not be drawn.
    case Kind::Text:
        return {ProtocolText(quirekit::protocol::word::WithoutInk), ProtocolText(quirekit::protocol::word::Text), text};
    // An expression is matched here, in the page's whole text.
    case Kind::Match:
        return {ProtocolText(quirekit::protocol::word::WithoutInk), ProtocolText(quirekit::protocol::word::PageText)};
    }
    return {};
}

bool SeparatorRule::IsSeparator(const PageFacts &facts) const
{
    switch (kind) {
    // A page that could not be drawn is no blank sheet: its emptiness is unknown. Nor is a black
    // sheet, whose own "paper" is dark and so shows no ink against it.
    case Kind::Blank:
        return !facts.damaged && facts.ink >= 0 && facts.ink <= blankInk && facts.dark < darkShare / 4;
    case Kind::Dark: return !facts.damaged && facts.dark >= darkShare;
    case Kind::Barcode:
        return std::any_of(facts.barcodes.cbegin(), facts.barcodes.cend(),
                           [this](const PageFacts::Barcode &code) { return Wants(code); });
    case Kind::Text: return facts.textMatch;
    case Kind::Match: return !facts.damaged && Expression(text).match(facts.text).hasMatch();
    }
    return false;
}

SeparatorRole SeparatorRule::Role(bool leaveOut) const
{
    if (leaveOut)
        return SeparatorRole::LeftOutSheet;
    return kind == Kind::Text || kind == Kind::Match || kind == Kind::Barcode ? SeparatorRole::DocumentStart
                                                                                : SeparatorRole::Sheet;
}

QString SeparatorRule::Label(const PageFacts &facts) const
{
    if (kind == Kind::Text)
        return facts.textMatch ? facts.matchedLine : QString();
    if (kind == Kind::Match) {
        const QRegularExpressionMatch found = Expression(text).match(facts.text);
        if (!found.hasMatch())
            return {};
        return (found.lastCapturedIndex() >= 1 ? found.captured(1) : found.captured(0)).simplified();
    }
    if (kind != Kind::Barcode)
        return {};
    for (const PageFacts::Barcode &code : facts.barcodes)
        if (Wants(code))
            return code.text;
    return {};
}

bool SeparatorRule::Wants(const PageFacts::Barcode &code) const
{
    return text.isEmpty() || code.text.contains(text, Qt::CaseInsensitive);
}

QList<PageFacts> ParsePageFacts(const QByteArray &report)
{
    namespace keys = quirekit::protocol::report;
    QList<PageFacts> pages;
    for (const QByteArray &raw : report.split('\n')) {
        const QByteArray line = raw.trimmed();
        const int colon = line.indexOf(':');
        const QByteArray key = colon < 0 ? line : line.left(colon);
        const QString value = QString::fromUtf8(colon < 0 ? QByteArray() : line.mid(colon + 1).trimmed());
        if (key == ProtocolBytes(keys::PageFactsBegin)) {
            pages.append(PageFacts());
            continue;
        }
        if (pages.isEmpty())
            continue;
        PageFacts &facts = pages.last();
        if (key == ProtocolBytes(keys::PageNumber)) {
            facts.page = value.toInt();
        } else if (key == ProtocolBytes(keys::InkShare)) {
            facts.ink = value.toDouble();
        } else if (key == ProtocolBytes(keys::DarkShare)) {
            facts.dark = value.toDouble();
        } else if (key == ProtocolBytes(keys::Barcode)) {
            facts.barcodes.append(PageFacts::Barcode{value.section(QLatin1Char(' '), 0, 0),
                                                     DocumentOutline::Unescape(value.section(QLatin1Char(' '), 1))});
        } else if (key == ProtocolBytes(keys::BarcodeUnread)) {
            facts.unreadBarcodes.append(value);
        } else if (key == ProtocolBytes(keys::TextMatch)) {
            facts.textMatch = value == ProtocolText(keys::Yes);
        } else if (key == ProtocolBytes(keys::TextFound)) {
            facts.textFound = value != ProtocolText(keys::No);
        } else if (key == ProtocolBytes(keys::Unreadable)) {
            // Given up on: nothing is known of it, so it is no separator of any kind.
            facts.damaged = true;
            facts.unreadable = value.isEmpty() ? QStringLiteral("?") : DocumentOutline::Unescape(value);
        } else if (key == ProtocolBytes(keys::MatchedLine)) {
            facts.matchedLine = DocumentOutline::Unescape(value);
        } else if (key == ProtocolBytes(keys::PageText)) {
            facts.text = DocumentOutline::Unescape(value);
        } else if (key == ProtocolBytes(keys::PageDamaged)) {
            facts.damaged = true;
        }
    }
    pages.removeIf([](const PageFacts &facts) { return facts.page < 1; });
    return pages;
}

} // namespace qw
