// Dialog units and the building of dialog templates into widgets.
#include "framework/DialogBuilder.h"
#include "framework/DialogUnits.h"
#include "res/ResourceIds.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTranslator>
#include <QTreeView>

using namespace qw;

class TestDialogBuilder : public QObject {
    Q_OBJECT
private slots:
    void mulDivRoundsHalvesAwayFromZero_data();
    void mulDivRoundsHalvesAwayFromZero();
    void dialogUnitsMapByQuarterAndEighthOfBaseUnits();
    void baseUnitsFollowTheFont();
    void mainDialogControlsAtMappedPositions();
    void tabOrderFollowsTemplateOrder();
    void optionsDialogTextsAndKinds();
    void aboutBoxHasItsDefaultButton();
    void unknownIdsAreNotFound();
    void longerTranslationWidensItsLine();
};

void TestDialogBuilder::mulDivRoundsHalvesAwayFromZero_data()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("c");
    QTest::addColumn<int>("expected");
    QTest::newRow("exact") << 8 << 6 << 4 << 12;
    QTest::newRow("halfUp") << 47 << 6 << 4 << 71; // 70.5
    QTest::newRow("belowHalf") << 34 << 13 << 8 << 55; // 55.25
    QTest::newRow("negativeHalf") << -47 << 6 << 4 << -71;
    QTest::newRow("byZero") << 5 << 5 << 0 << 0;
    QTest::newRow("noOverflow") << 2000000000 << 3 << 4 << 1500000000;
}

void TestDialogBuilder::mulDivRoundsHalvesAwayFromZero()
{
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(int, c);
    QFETCH(int, expected);
    QCOMPARE(MulDiv(a, b, c), expected);
}

void TestDialogBuilder::dialogUnitsMapByQuarterAndEighthOfBaseUnits()
{
    const DialogUnits units(6, 13);
    QCOMPARE(units.ToPixels(QRect(60, 3, 47, 34)), QRect(90, 5, 71, 55));
    QCOMPARE(units.ToPixels(QSize(634, 400)), QSize(951, 650));
    const DialogUnits wide(7, 16);
    QCOMPARE(wide.ToPixels(QRect(3, 42, 95, 358)), QRect(5, 84, 166, 716));
}

void TestDialogBuilder::baseUnitsFollowTheFont()
{
    QFont small = QApplication::font();
    small.setPixelSize(10);
    QFont large = small;
    large.setPixelSize(30);
    const DialogUnits a = DialogUnits::ForFont(small);
    const DialogUnits b = DialogUnits::ForFont(large);
    QVERIFY(a.baseX() > 0 && a.baseY() >= 10);
    QVERIFY(b.baseX() > 2 * a.baseX());
    QVERIFY(b.baseY() > 2 * a.baseY());
}

void TestDialogBuilder::mainDialogControlsAtMappedPositions()
{
    QWidget parent;
    const DialogUnits units(6, 13);
    const DialogTemplate *dialog = FindDialogTemplate(ResId::MainDialog);
    QVERIFY(dialog);
    const QList<QWidget *> controls = DialogBuilder::BuildControls(*dialog, &parent, units);
    QCOMPARE(controls.size(), 7);

    auto *open = qobject_cast<QPushButton *>(DialogBuilder::ControlById(&parent, CtrlId::OpenButton));
    QVERIFY(open);
    QCOMPARE(open->text(), QStringLiteral("Open"));
    QCOMPARE(open->geometry(), QRect(15, 5, 71, 55));
    QCOMPARE(DialogBuilder::IdOf(open), CtrlId::OpenButton);

    const std::pair<int, const char *> buttons[] = {{CtrlId::InsertButton, "Insert (F2)"},
                                                    {CtrlId::DeleteButton, "Delete (F3)"},
                                                    {CtrlId::OptionsButton, "Options"},
                                                    {CtrlId::SplitButton, "Split (F5)"}};
    int previousX = open->x();
    for (const auto &[id, text] : buttons) {
        auto *button = qobject_cast<QPushButton *>(DialogBuilder::ControlById(&parent, id));
        QVERIFY(button);
        QCOMPARE(button->text(), QString::fromLatin1(text));
        QVERIFY(button->x() > previousX); // Open, Insert, Delete, Options, Split from the left
        previousX = button->x();
    }
    QVERIFY(qobject_cast<QTreeView *>(DialogBuilder::ControlById(&parent, CtrlId::PageList)));
    auto *line = qobject_cast<QFrame *>(DialogBuilder::ControlById(&parent, CtrlId::TopLine));
    QVERIFY(line);
    QCOMPARE(line->frameShape(), QFrame::HLine);
}

void TestDialogBuilder::tabOrderFollowsTemplateOrder()
{
    QWidget parent;
    const QList<QWidget *> controls
        = DialogBuilder::BuildControls(*FindDialogTemplate(ResId::MainDialog), &parent, DialogUnits(6, 13));
    const int expected[] = {CtrlId::InsertButton, CtrlId::DeleteButton, CtrlId::OptionsButton,
                            CtrlId::SplitButton,  CtrlId::PageList,     CtrlId::OpenButton};
    QWidget *widget = DialogBuilder::ControlById(&parent, expected[0]);
    for (int id : expected) {
        QCOMPARE(DialogBuilder::IdOf(widget), id);
        widget = widget->nextInFocusChain();
        // Skip the pieces inside a control (the list's viewport and scroll bars).
        while (widget && DialogBuilder::IdOf(widget) == 0)
            widget = widget->nextInFocusChain();
    }
}

void TestDialogBuilder::optionsDialogTextsAndKinds()
{
    QWidget parent;
    DialogBuilder::BuildControls(*FindDialogTemplate(ResId::OptionsDialog), &parent, DialogUnits(6, 13));
    auto *ask = qobject_cast<QRadioButton *>(DialogBuilder::ControlById(&parent, CtrlId::AskFolderRadio));
    QVERIFY(ask);
    QCOMPARE(ask->text(), QStringLiteral("Ask to seltct an output folder before splitting"));
    QVERIFY(qobject_cast<QRadioButton *>(DialogBuilder::ControlById(&parent, CtrlId::SameFolderRadio)));
    QVERIFY(qobject_cast<QCheckBox *>(DialogBuilder::ControlById(&parent, CtrlId::ArchiveCheck)));
    auto *browse = qobject_cast<QPushButton *>(DialogBuilder::ControlById(&parent, CtrlId::OutputFolderBrowse));
    QCOMPARE(browse->text(), QStringLiteral("Setting.."));
    QVERIFY(!browse->isDefault());

    auto *pattern = qobject_cast<QComboBox *>(DialogBuilder::ControlById(&parent, CtrlId::PatternCombo));
    QVERIFY(pattern);
    QVERIFY(pattern->isEditable());
    QCOMPARE(pattern->count(), 4);
    QCOMPARE(pattern->itemText(1), QStringLiteral("{basename} {part} of {filecount}"));
    QCOMPARE(pattern->itemText(3), QStringLiteral("{basename} from page {pagebegin} to {pageend}"));

    // Selecting one radio button clears the others.
    ask->setChecked(true);
    auto *same = qobject_cast<QRadioButton *>(DialogBuilder::ControlById(&parent, CtrlId::SameFolderRadio));
    same->setChecked(true);
    QVERIFY(!ask->isChecked());
}

void TestDialogBuilder::aboutBoxHasItsDefaultButton()
{
    QWidget parent;
    DialogBuilder::BuildControls(*FindDialogTemplate(ResId::AboutDialog), &parent, DialogUnits(6, 13));
    auto *ok = qobject_cast<QPushButton *>(DialogBuilder::ControlById(&parent, CtrlId::Ok));
    QVERIFY(ok);
    QVERIFY(ok->isDefault());
    auto *web = qobject_cast<QLabel *>(DialogBuilder::ControlById(&parent, CtrlId::WebLink));
    QVERIFY(web && web->text().startsWith(QStringLiteral("Web: ")));
}

void TestDialogBuilder::unknownIdsAreNotFound()
{
    QWidget parent;
    DialogBuilder::BuildControls(*FindDialogTemplate(ResId::AboutDialog), &parent, DialogUnits(6, 13));
    QVERIFY(!DialogBuilder::ControlById(&parent, 4242));
    QVERIFY(!DialogBuilder::ControlById(&parent, CtrlId::Static));
    QVERIFY(!DialogBuilder::ControlById(nullptr, CtrlId::Ok));
    QVERIFY(!FindDialogTemplate(4242));
}


namespace {
// German of a kind: every text of the context "Widening" twice as long.
class DoublingTranslator : public QTranslator {
public:
    QString translate(const char *context, const char *text, const char *, int) const override
    {
        return QByteArray(context) == "Widening" ? QString::fromUtf8(text).repeated(2) : QString();
    }
    bool isEmpty() const override { return false; }
};
} // namespace

// A translated text longer than its control widens it and moves what stands to its right on
// its line; what reached the right margin still does; in English nothing moves.
void TestDialogBuilder::longerTranslationWidensItsLine()
{
    const DialogControl controls[] = {
        {1, ControlClass::Button, "&Check this box", WinStyle::AutoCheckBox | WinStyle::TabStop, {7, 7, 60, 10}},
        {2, ControlClass::Static, "", WinStyle::TextLeft, {70, 7, 40, 10}}, // beside it
        {3, ControlClass::Static, "Below", WinStyle::TextLeft, {7, 30, 40, 10}}, // on another line
        {4, ControlClass::Button, "OK", WinStyle::DefPushButton | WinStyle::TabStop, {70, 30, 40, 14}},
    };
    const auto build = [&](const char *context) {
        const DialogTemplate dialog{1, "Box", "Sans Serif", 8, {117, 50}, 0, 0, 0, controls, context};
        auto *window = new QWidget;
        DialogBuilder::BuildFixedDialog(dialog, window);
        return std::unique_ptr<QWidget>(window);
    };
    DoublingTranslator doubling;
    QCoreApplication::installTranslator(&doubling);
    const auto english = build("English");
    const auto widened = build("Widening");
    QCoreApplication::removeTranslator(&doubling);

    const auto at = [](const std::unique_ptr<QWidget> &window, int id) {
        return DialogBuilder::ControlById(window.get(), id)->geometry();
    };
    const DialogUnits units = DialogUnits::ForFont(english->font());
    QCOMPARE(english->size(), units.ToPixels(QSize(117, 50)));
    QCOMPARE(at(english, 1), units.ToPixels(QRect(7, 7, 60, 10)));
    auto *box = qobject_cast<QCheckBox *>(DialogBuilder::ControlById(widened.get(), 1));
    const int growth = at(widened, 1).width() - at(english, 1).width();
    QVERIFY(growth > 0);
    QVERIFY(box->sizeHint().width() <= box->width());
    QCOMPARE(at(widened, 2), at(english, 2).translated(growth, 0));
    QCOMPARE(at(widened, 3), at(english, 3));
    QCOMPARE(at(widened, 4), at(english, 4).translated(growth, 0));
    QCOMPARE(widened->size(), english->size() + QSize(growth, 0));
}

QTEST_MAIN(TestDialogBuilder)
#include "tst_dialogbuilder.moc"
