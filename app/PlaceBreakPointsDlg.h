#pragma once

#include "split/DocumentOutline.h"
#include "split/SeparatorRule.h"

#include <optional>

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace qw {

// Asks where break points go: where the document's bookmarks of level 1 to N begin, every N
// pages, at separator sheets that the engine finds by looking at the pages, or so that each
// part is at most a size, which the engine plans by measuring the parts (the window asks the
// engine for those two once the dialog is closed). Each of the first two shows how many parts it gives.
// Without bookmarks the first is not offered.
class PlaceBreakPointsDlg : public QDialog {
    Q_OBJECT
public:
    PlaceBreakPointsDlg(QList<Bookmark> bookmarks, int pageCount, QWidget *parent);

    // The pages before which the chosen break points go (2 to the page count, sorted).
    QList<int> Breaks() const;
    // The bookmark level chosen, 0 when the choice is every N pages or separators; the
    // expression the titles of the bookmarks that place break points match (invalid: none does).
    int BookmarkLevel() const;
    QRegularExpression BookmarkMatchExpression() const { return MatchExpression(); }
    // Every how many pages a part begins, when that is the choice.
    int EveryPageCount() const;
    // The separator rule chosen, with its sensitivity; nothing when the choice is another.
    std::optional<SeparatorRule> Separators() const;
    bool LeaveSeparatorsOut() const;
    // The most bytes a part may take, when that is the choice.
    std::optional<qint64> SizeLimit() const;
    // The expression whose value in the pages' text begins a part where it changes, when that
    // is the choice and it is valid.
    std::optional<QString> ValueChange() const;

    QRadioButton *AtBookmarks = nullptr;
    QComboBox *LevelCombo = nullptr;
    QLineEdit *BookmarkMatch = nullptr; // a regular expression the titles must contain a match of
    QLabel *MatchProblem = nullptr; // what is wrong with that expression, shown only then
    QRadioButton *EveryPages = nullptr;
    QSpinBox *PagesSpin = nullptr;
    QLabel *EveryCount = nullptr;
    QRadioButton *AtSeparators = nullptr;
    QComboBox *SeparatorKind = nullptr; // SeparatorRule::Kind as data
    QLineEdit *SeparatorText = nullptr; // a barcode's text (may stay empty) or the phrase
    QComboBox *Sensitivity = nullptr;
    QCheckBox *LeaveOut = nullptr;
    QLabel *SeparatorRuleNote = nullptr; // where the separators found begin parts
    QRadioButton *AtChanges = nullptr;
    QLineEdit *ChangeExpression = nullptr; // a regular expression, its first group the value
    QRadioButton *AtMostSize = nullptr;
    QDoubleSpinBox *SizeSpin = nullptr; // in MB of 1,000,000 bytes

private:
    void ShowEveryCount();
    // The level choices, each with the parts it gives with the bookmarks that match.
    void ShowLevelCounts();
    // The bookmarks that place break points: those whose title matches, all when none is given.
    QList<Bookmark> PlacingBookmarks() const;
    QRegularExpression MatchExpression() const;
    void FollowSeparatorKind();
    void ShowMatchProblem();
    void ShowSeparatorRule();

    QList<Bookmark> bookmarks_;
    int pageCount_ = 0;
};

} // namespace qw
