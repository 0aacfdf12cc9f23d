#pragma once

#include "split/DocumentOutline.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QRadioButton;
class QSpinBox;

namespace qw {

// Asks where break points go: where the document's bookmarks of level 1 to N begin, or every
// N pages. Each choice shows how many parts it gives. Without bookmarks only the second is offered.
class PlaceBreakPointsDlg : public QDialog {
    Q_OBJECT
public:
    PlaceBreakPointsDlg(QList<Bookmark> bookmarks, int pageCount, QWidget *parent);

    // The pages before which the chosen break points go (2 to the page count, sorted).
    QList<int> Breaks() const;
    // The bookmark level chosen, 0 when the choice is every N pages.
    int BookmarkLevel() const;

    QRadioButton *AtBookmarks = nullptr;
    QComboBox *LevelCombo = nullptr;
    QRadioButton *EveryPages = nullptr;
    QSpinBox *PagesSpin = nullptr;
    QLabel *EveryCount = nullptr;

private:
    void ShowEveryCount();

    QList<Bookmark> bookmarks_;
    int pageCount_ = 0;
};

} // namespace qw
