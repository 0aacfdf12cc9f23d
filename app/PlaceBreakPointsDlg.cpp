#include "PlaceBreakPointsDlg.h"

#include "split/SplitPlan.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>

namespace qw {

namespace {

QString partsText(qsizetype breaks)
{
    return breaks == 0 ? QStringLiteral("1 part") : QStringLiteral("%1 parts").arg(breaks + 1);
}

constexpr int kDefaultEvery = 10;

} // namespace

PlaceBreakPointsDlg::PlaceBreakPointsDlg(QList<Bookmark> bookmarks, int pageCount, QWidget *parent)
    : QDialog(parent), bookmarks_(std::move(bookmarks)), pageCount_(pageCount)
{
    setWindowTitle(QStringLiteral("Place Break Points"));
    auto *layout = new QGridLayout(this);
    AtBookmarks = new QRadioButton(QStringLiteral("At &bookmarks of level"), this);
    LevelCombo = new QComboBox(this);
    const int deepest = DocumentOutline::DeepestLevel(bookmarks_);
    for (int level = 1; level <= deepest; ++level) {
        const QString levels = level == 1 ? QStringLiteral("1") : QStringLiteral("1 to %1").arg(level);
        const qsizetype breaks = DocumentOutline::BreaksAtLevel(bookmarks_, level, pageCount_).size();
        LevelCombo->addItem(QStringLiteral("%1 (%2)").arg(levels, partsText(breaks)), level);
    }
    EveryPages = new QRadioButton(QStringLiteral("&Every"), this);
    PagesSpin = new QSpinBox(this);
    PagesSpin->setRange(1, qMax(1, pageCount_));
    PagesSpin->setValue(qMin(kDefaultEvery, qMax(1, pageCount_)));
    PagesSpin->setSuffix(QStringLiteral(" pages"));
    EveryCount = new QLabel(this);
    layout->addWidget(AtBookmarks, 0, 0);
    layout->addWidget(LevelCombo, 0, 1, 1, 2);
    layout->addWidget(EveryPages, 1, 0);
    layout->addWidget(PagesSpin, 1, 1);
    layout->addWidget(EveryCount, 1, 2);
    if (deepest == 0) {
        AtBookmarks->setText(QStringLiteral("At bookmarks (this document has none)"));
        AtBookmarks->setEnabled(false);
        LevelCombo->setEnabled(false);
        EveryPages->setChecked(true);
    } else {
        AtBookmarks->setChecked(true);
    }
    auto *note = new QLabel(QStringLiteral("Break points already in the list stay."), this);
    layout->addWidget(note, 2, 0, 1, 3);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons, 3, 0, 1, 3);
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

int PlaceBreakPointsDlg::BookmarkLevel() const
{
    return AtBookmarks->isChecked() ? LevelCombo->currentData().toInt() : 0;
}

QList<int> PlaceBreakPointsDlg::Breaks() const
{
    if (const int level = BookmarkLevel(); level > 0)
        return DocumentOutline::BreaksAtLevel(bookmarks_, level, pageCount_);
    return SplitPlan::BreaksEvery(pageCount_, PagesSpin->value());
}

} // namespace qw
