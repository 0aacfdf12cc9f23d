#pragma once

#include <QMenu>

namespace qw {

// A popup of a GlyphMenu. Qt sizes and paints its entries through the menu style; the popup
// tells which entry is being measured or drawn, and the style hands that entry's record to
// MeasureItem and DrawItem of the GlyphMenu that wraps the popup. Mnemonic keys go to
// GlyphMenu::MatchMnemonic.
class GlyphPopup : public QMenu {
    Q_OBJECT
public:
    explicit GlyphPopup(QWidget *parent = nullptr);

    // The entry last prepared for measuring or drawing.
    const QAction *CurrentAction() const { return current_; }

protected:
    void initStyleOption(QStyleOptionMenuItem *option, const QAction *action) const override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    mutable const QAction *current_ = nullptr;
};

} // namespace qw
