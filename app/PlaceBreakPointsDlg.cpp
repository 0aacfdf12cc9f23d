#include "PlaceBreakPointsDlg.h"

#include "split/SplitPlan.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

namespace qw {

namespace {

QString partsText(qsizetype breaks)
{
    return breaks == 0 ? PlaceBreakPointsDlg::tr("1 part") : PlaceBreakPointsDlg::tr("%1 parts").arg(breaks + 1);
}

constexpr int kDefaultEvery = 10;
// Mail servers commonly take attachments of 10 MB at most.
constexpr double kDefaultMegabytes = 10;
constexpr double kBytesPerMegabyte = 1e6;

// The sensitivities offered: what ink a blank sheet may show at most, and what share of a
// dark sheet must be near-black. The middle one works on ordinary scans.
struct Sensitivity {
    const char *name;
    double blankInk;
    double darkShare;
};
constexpr Sensitivity kSensitivities[] = {
    {QT_TRANSLATE_NOOP("qw::PlaceBreakPointsDlg", "Strict (clean sheets only)"), 0.002, 0.8},
    {QT_TRANSLATE_NOOP("qw::PlaceBreakPointsDlg", "Normal"), 0.004, 0.6},
    {QT_TRANSLATE_NOOP("qw::PlaceBreakPointsDlg", "Tolerant (noisy scans)"), 0.006, 0.45},
};
constexpr int kNormalSensitivity = 1;

} // namespace

PlaceBreakPointsDlg::PlaceBreakPointsDlg(QList<Bookmark> bookmarks, int pageCount, QWidget *parent)
    : QDialog(parent), bookmarks_(std::move(bookmarks)), pageCount_(pageCount)
{
    setWindowTitle(tr("Place Break Points"));
    auto *layout = new QGridLayout(this);
    AtBookmarks = new QRadioButton(tr("At &bookmarks of level"), this);
    LevelCombo = new QComboBox(this);
    const int deepest = DocumentOutline::DeepestLevel(bookmarks_);
    for (int level = 1; level <= deepest; ++level)
        LevelCombo->addItem(QString(), level);
    BookmarkMatch = new QLineEdit(this);
    BookmarkMatch->setPlaceholderText(tr("whose title contains (any)"));
    BookmarkMatch->setToolTip(tr("A regular expression, such as ^Chapter; case is ignored."));
    ShowLevelCounts();
    EveryPages = new QRadioButton(tr("&Every"), this);
    PagesSpin = new QSpinBox(this);
    PagesSpin->setRange(1, qMax(1, pageCount_));
    PagesSpin->setValue(qMin(kDefaultEvery, qMax(1, pageCount_)));
    PagesSpin->setSuffix(tr(" pages"));
    EveryCount = new QLabel(this);
    MatchProblem = new QLabel(this);
    MatchProblem->setWordWrap(true);
    MatchProblem->hide();
    int row = 0;
    layout->addWidget(AtBookmarks, row, 0);
    layout->addWidget(LevelCombo, row, 1);
    layout->addWidget(BookmarkMatch, row++, 2);
    layout->addWidget(MatchProblem, row++, 1, 1, 2);
    layout->addWidget(EveryPages, row, 0);
    layout->addWidget(PagesSpin, row, 1);
    layout->addWidget(EveryCount, row++, 2);
    if (deepest == 0) {
        AtBookmarks->setText(tr("At bookmarks (this document has none)"));
        AtBookmarks->setEnabled(false);
        LevelCombo->setEnabled(false);
        BookmarkMatch->setEnabled(false);
        EveryPages->setChecked(true);
    } else {
        AtBookmarks->setChecked(true);
    }
    AtSeparators = new QRadioButton(tr("At &separator sheets:"), this);
    SeparatorKind = new QComboBox(this);
    SeparatorKind->addItem(tr("blank pages"), int(SeparatorRule::Kind::Blank));
    SeparatorKind->addItem(tr("dark pages"), int(SeparatorRule::Kind::Dark));
    SeparatorKind->addItem(tr("pages with a barcode containing"), int(SeparatorRule::Kind::Barcode));
    SeparatorKind->addItem(tr("pages whose text contains"), int(SeparatorRule::Kind::Text));
    SeparatorKind->addItem(tr("pages whose text matches the expression"), int(SeparatorRule::Kind::Match));
    SeparatorText = new QLineEdit(this);
    Sensitivity = new QComboBox(this);
    for (const auto &sensitivity : kSensitivities)
        Sensitivity->addItem(tr(sensitivity.name));
    Sensitivity->setCurrentIndex(kNormalSensitivity);
    LeaveOut = new QCheckBox(tr("Leave the separator pages out of the parts"), this);
    SeparatorRuleNote = new QLabel(this);
    SeparatorRuleNote->setWordWrap(true);
    layout->addWidget(AtSeparators, row, 0);
    layout->addWidget(SeparatorKind, row, 1);
    layout->addWidget(SeparatorText, row++, 2);
    layout->addWidget(new QLabel(tr("Sensitivity:"), this), row, 1, Qt::AlignRight);
    layout->addWidget(Sensitivity, row++, 2);
    layout->addWidget(LeaveOut, row++, 1, 1, 2);
    layout->addWidget(SeparatorRuleNote, row++, 1, 1, 2);
    AtChanges = new QRadioButton(tr("Where the &value changes:"), this);
    ChangeExpression = new QLineEdit(this);
    ChangeExpression->setPlaceholderText(tr("Account (\\d+)"));
    ChangeExpression->setToolTip(tr("A regular expression; the value is its first group (or its match) in each "
                                    "page's text. Pages without a match stay with the part before them."));
    layout->addWidget(AtChanges, row, 0);
    layout->addWidget(ChangeExpression, row++, 1, 1, 2);
    connect(ChangeExpression, &QLineEdit::textEdited, AtChanges, [this] { AtChanges->setChecked(true); });
    AtMostSize = new QRadioButton(tr("Parts of at &most"), this);
    SizeSpin = new QDoubleSpinBox(this);
    SizeSpin->setRange(0.01, 100000);
    SizeSpin->setDecimals(2);
    SizeSpin->setValue(kDefaultMegabytes);
    SizeSpin->setSuffix(tr(" MB"));
    SizeSpin->setToolTip(tr("1 MB is 1,000,000 bytes. A page larger than this alone is a part of its own."));
    layout->addWidget(AtMostSize, row, 0);
    layout->addWidget(SizeSpin, row++, 1);
    connect(SizeSpin, &QDoubleSpinBox::valueChanged, AtMostSize, [this] { AtMostSize->setChecked(true); });
    auto *note = new QLabel(tr("Break points already in the list stay."), this);
    layout->addWidget(note, row++, 0, 1, 3);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons, row, 0, 1, 3);
    connect(SeparatorKind, &QComboBox::activated, this, [this] {
        AtSeparators->setChecked(true);
        FollowSeparatorKind();
    });
    connect(SeparatorText, &QLineEdit::textEdited, AtSeparators, [this] { AtSeparators->setChecked(true); });
    connect(Sensitivity, &QComboBox::activated, AtSeparators, [this] { AtSeparators->setChecked(true); });
    connect(LeaveOut, &QCheckBox::clicked, AtSeparators, [this] { AtSeparators->setChecked(true); });
    connect(LeaveOut, &QCheckBox::toggled, this, &PlaceBreakPointsDlg::ShowSeparatorRule);
    // A phrase to look for must be given before Ok can be pressed.
    QPushButton *ok = buttons->button(QDialogButtonBox::Ok);
    const auto followOk = [this, ok] {
        ok->setEnabled((!AtSeparators->isChecked() || Separators().has_value())
                       && (!AtBookmarks->isChecked() || MatchExpression().isValid())
                       && (!AtChanges->isChecked() || ValueChange().has_value()));
    };
    connect(AtSeparators, &QRadioButton::toggled, this, followOk);
    connect(AtBookmarks, &QRadioButton::toggled, this, followOk);
    connect(AtChanges, &QRadioButton::toggled, this, followOk);
    connect(ChangeExpression, &QLineEdit::textChanged, this, followOk);
    connect(BookmarkMatch, &QLineEdit::textChanged, this, followOk);
    connect(BookmarkMatch, &QLineEdit::textChanged, this, &PlaceBreakPointsDlg::ShowMatchProblem);
    connect(BookmarkMatch, &QLineEdit::textEdited, AtBookmarks, [this] {
        AtBookmarks->setChecked(true);
        ShowLevelCounts();
    });
    connect(SeparatorText, &QLineEdit::textChanged, this, followOk);
    connect(SeparatorKind, &QComboBox::currentIndexChanged, this, followOk);
    connect(SeparatorKind, &QComboBox::currentIndexChanged, this, &PlaceBreakPointsDlg::ShowSeparatorRule);
    FollowSeparatorKind();
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Choosing a value chooses its way of placing.
    connect(LevelCombo, &QComboBox::activated, AtBookmarks, [this] { AtBookmarks->setChecked(true); });
    connect(PagesSpin, &QSpinBox::valueChanged, this, [this] {
        EveryPages->setChecked(true);
        ShowEveryCount();
    });
    ShowEveryCount();
}

void PlaceBreakPointsDlg::ShowEveryCount()
{
    EveryCount->setText(partsText(SplitPlan::BreaksEvery(pageCount_, PagesSpin->value()).size()));
}

void PlaceBreakPointsDlg::ShowMatchProblem()
{
    const QRegularExpression expression = MatchExpression();
    MatchProblem->setVisible(!expression.isValid());
    if (!expression.isValid())
        //: %1 is what is wrong with the expression, %2 where
        MatchProblem->setText(tr("Not a valid expression: %1 at character %2.")
                                  .arg(expression.errorString())
                                  .arg(expression.patternErrorOffset()));
}

void PlaceBreakPointsDlg::ShowSeparatorRule()
{
    SeparatorRule chosen;
    chosen.kind = SeparatorRule::Kind(SeparatorKind->currentData().toInt());
    SeparatorRuleNote->setText(chosen.Role(LeaveOut->isChecked()) == SeparatorRole::DocumentStart
                                   ? tr("Each page found is the first page of a document: it begins a part "
                                        "wherever it stands, on the last page and beside another too.")
                                   : tr("Sheets side by side count as one; a sheet begins the part after it, and "
                                        "one on the last page begins none."));
}

QRegularExpression PlaceBreakPointsDlg::MatchExpression() const
{
    return DocumentOutline::MatchExpression(BookmarkMatch->text());
}

QList<Bookmark> PlaceBreakPointsDlg::PlacingBookmarks() const
{
    const QRegularExpression expression = MatchExpression();
    return expression.isValid() ? DocumentOutline::Matching(bookmarks_, expression) : QList<Bookmark>();
}

void PlaceBreakPointsDlg::ShowLevelCounts()
{
    const QList<Bookmark> placing = PlacingBookmarks();
    for (int index = 0; index < LevelCombo->count(); ++index) {
        const int level = LevelCombo->itemData(index).toInt();
        const QString levels = level == 1 ? QStringLiteral("1") : tr("1 to %1").arg(level);
        const qsizetype breaks = DocumentOutline::BreaksAtLevel(placing, level, pageCount_).size();
        LevelCombo->setItemText(index, QStringLiteral("%1 (%2)").arg(levels, partsText(breaks)));
    }
}

void PlaceBreakPointsDlg::FollowSeparatorKind()
{
    const auto kind = SeparatorRule::Kind(SeparatorKind->currentData().toInt());
    const bool hasText = kind == SeparatorRule::Kind::Barcode || kind == SeparatorRule::Kind::Text
                         || kind == SeparatorRule::Kind::Match;
    SeparatorText->setEnabled(hasText);
    SeparatorText->setPlaceholderText(kind == SeparatorRule::Kind::Barcode ? tr("any text")
                                      : kind == SeparatorRule::Kind::Text  ? tr("Page 1 of")
                                      : kind == SeparatorRule::Kind::Match ? tr("Account (\\d+)")
                                                                           : QString());
    Sensitivity->setEnabled(kind == SeparatorRule::Kind::Blank || kind == SeparatorRule::Kind::Dark);
    ShowSeparatorRule();
}

std::optional<SeparatorRule> PlaceBreakPointsDlg::Separators() const
{
    if (!AtSeparators->isChecked())
        return std::nullopt;
    SeparatorRule rule;
    rule.kind = SeparatorRule::Kind(SeparatorKind->currentData().toInt());
    if (rule.kind != SeparatorRule::Kind::Blank && rule.kind != SeparatorRule::Kind::Dark)
        rule.text = SeparatorText->text();
    if (rule.kind == SeparatorRule::Kind::Text && rule.text.trimmed().isEmpty())
        return std::nullopt;
    if (rule.kind == SeparatorRule::Kind::Match
        && (rule.text.isEmpty() || !SeparatorRule::Expression(rule.text).isValid()))
        return std::nullopt;
    const auto &sensitivity = kSensitivities[qBound(0, Sensitivity->currentIndex(), 2)];
    rule.blankInk = sensitivity.blankInk;
    rule.darkShare = sensitivity.darkShare;
    return rule;
}

bool PlaceBreakPointsDlg::LeaveSeparatorsOut() const
{
    return AtSeparators->isChecked() && LeaveOut->isChecked();
}

int PlaceBreakPointsDlg::BookmarkLevel() const
{
    return AtBookmarks->isChecked() ? LevelCombo->currentData().toInt() : 0;
}

std::optional<qint64> PlaceBreakPointsDlg::SizeLimit() const
{
    if (!AtMostSize->isChecked())
        return std::nullopt;
    return qMax<qint64>(1, qRound64(SizeSpin->value() * kBytesPerMegabyte));
}

std::optional<QString> PlaceBreakPointsDlg::ValueChange() const
{
    const QString pattern = ChangeExpression->text();
    if (!AtChanges->isChecked() || pattern.isEmpty() || !SeparatorRule::Expression(pattern).isValid())
        return std::nullopt;
    return pattern;
}

int PlaceBreakPointsDlg::EveryPageCount() const
{
    return PagesSpin->value();
}

QList<int> PlaceBreakPointsDlg::Breaks() const
{
    if (AtSeparators->isChecked() || AtMostSize->isChecked() || AtChanges->isChecked())
        return {}; // found by the window, which asks the engine
    if (const int level = BookmarkLevel(); level > 0)
        return DocumentOutline::BreaksAtLevel(PlacingBookmarks(), level, pageCount_);
    return SplitPlan::BreaksEvery(pageCount_, EveryPageCount());
}

} // namespace qw
