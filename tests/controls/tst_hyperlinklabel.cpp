// The hyperlink label: its colours through the states (rendered), hover with the mouse held,
// clicks that open or fail (through the link opener's seams), the error texts, fitting the window
// to its text, and taking the place of a dialog's static text.
#define QTEST_QPA_MOUSE_HANDLING // mouse events through the window, with grabs, enter and leave
#include "controls/HyperlinkLabel.h"
#include "controls/OpenLink.h"
#include "framework/AppMessageBox.h"
#include "framework/DialogBuilder.h"
#include "framework/DialogUnits.h"
#include "res/DialogTemplates.h"

#include <QApplication>
#include <QDialog>
#include <QHash>
#include <QTest>
#include <QToolTip>
#include <QUrl>

using namespace qw;

namespace {

const QColor kHighlight(0x20, 0xA0, 0x40);
const QString kWeb = "https://example.org/";
const QString kCommandKey = "Web.desktop\\shell\\open\\command";

enum Id { Caption = 1, Empty, Centred, RightAligned, Middle, Narrow, NarrowCentred, OkButton };

const DialogControl kControls[] = {
    {Caption, ControlClass::Static, "Web: https://example.org/", WinStyle::TextLeft, {10, 10, 150, 10}},
    {Empty, ControlClass::Static, "", WinStyle::TextLeft, {10, 24, 150, 10}},
    {Centred, ControlClass::Static, "Centred", StaticStyle::Center, {10, 38, 150, 10}},
    {RightAligned, ControlClass::Static, "Right", StaticStyle::Right, {10, 52, 150, 10}},
    {Middle, ControlClass::Static, "Middle", StaticStyle::CenterImage, {10, 66, 150, 21}},
    {Narrow, ControlClass::Static, "A text wider than its window", WinStyle::TextLeft, {10, 90, 8, 4}},
    {NarrowCentred, ControlClass::Static, "Wider than its window", StaticStyle::Center, {60, 90, 9, 4}},
    {OkButton, ControlClass::Button, "OK", WinStyle::DefPushButton | WinStyle::TabStop, {120, 104, 40, 14}},
};
const DialogTemplate kTemplate{1, "", "Sans Serif", 8, {170, 124}, 0, 0, 0, kControls, nullptr};

// A dialog built from the template, shown and active, the pointer resting away from its labels.
struct LinkDialog {
    QDialog dialog;
    explicit LinkDialog()
    {
        QFont font(QString::fromLatin1(kTemplate.fontName), kTemplate.pointSize);
        font.setStyleStrategy(QFont::NoAntialias); // text pixels in the pen's colour alone
        dialog.setFont(font);
        const DialogUnits units = DialogUnits::ForFont(dialog.font());
        DialogBuilder::BuildControls(kTemplate, &dialog, units);
        dialog.resize(units.ToPixels(kTemplate.size));
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        if (!QTest::qWaitForWindowActive(&dialog))
            qWarning("the dialog did not become active");
        QTest::mouseMove(&dialog, away());
    }
    QPoint away() const { return {dialog.width() - 2, 2}; }
    QWidget *control(int id) const { return DialogBuilder::ControlById(&dialog, id); }
    HyperlinkLabel *attach(int id) { return HyperlinkLabel::SubclassDlgItem(id, &dialog, kControls[id - 1].style); }
};

// The one of the label's three colours its text is drawn in; invalid when none or several.
QColor inkColour(HyperlinkLabel *label)
{
    const QImage image = label->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QColor found;
    for (const QColor &colour : {label->LinkColour(), label->VisitedColour(), label->HoverColour()}) {
        bool drawn = false;
        for (int y = 0; y < image.height() && !drawn; ++y)
            for (int x = 0; x < image.width() && !drawn; ++x)
                drawn = image.pixelColor(x, y) == colour;
        if (drawn && found.isValid())
            return {};
        if (drawn)
            found = colour;
    }
    return found;
}

// The longest horizontal run of text pixels: an underline spans the whole text.
int longestInkRun(HyperlinkLabel *label)
{
    const QImage image = label->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int longest = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0, run = 0; x < image.width(); ++x)
            longest = qMax(longest, run = image.pixelColor(x, y) == label->TextColour() ? run + 1 : 0);
    return longest;
}

} // namespace

enum class Step {
    Visit,
    Unvisit,
    Enter,
    MoveInside,
    Leave,
    LeaveUnseen,
    Hide,
    Deactivate,
    Disable,
    PressAndDragOut,
    ShowTip
};
Q_DECLARE_METATYPE(Step)

class TestHyperlinkLabel : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void statesAndColours_data();
    void statesAndColours();
    void tipGoesWithThePointer_data();
    void tipGoesWithThePointer();
    void clicks_data();
    void clicks();
    void openErrorTexts_data();
    void openErrorTexts();
    void fitToText_data();
    void fitToText();
    void subclassing_data();
    void subclassing();
    void underline();

private:
    void play(LinkDialog &dialog, HyperlinkLabel *label, const QList<Step> &steps, QWidget &other);

    bool platformOpens_ = false;
    unsigned browserResult_ = LinkResult::Opened;
    QHash<QString, QString> registry_;
    QList<QUrl> opened_;
    QStringList messages_;
};

void TestHyperlinkLabel::initTestCase()
{
    // The offscreen platform has no grabs of its own; the label's grab still routes the mouse.
    // Nor does it raise windows, which a tool tip asks for.
    static const QtMessageHandler next = qInstallMessageHandler(nullptr);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &text) {
        if (!text.startsWith(QLatin1String("This plugin does not support grabbing the mouse"))
            && !text.startsWith(QLatin1String("This plugin does not support raise()")))
            next(type, context, text);
    });
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Highlight, kHighlight);
    QApplication::setPalette(palette);
}

void TestHyperlinkLabel::init()
{
    platformOpens_ = false;
    browserResult_ = LinkResult::Opened;
    registry_.clear();
    opened_.clear();
    messages_.clear();
    OpenLinkSeams::SetPlatformOpener([this](const QUrl &url) { return opened_ << url, platformOpens_; });
    OpenLinkSeams::SetClassReader([this](const QString &key, QString &output) {
        output = registry_.value(key, output);
        return registry_.contains(key) ? 0u : 2u;
    });
    OpenLinkSeams::SetStarter([this](const QString &, const QStringList &) { return browserResult_; });
    AppMessageBox::SetResponder([this](const QString &text, unsigned type) {
        messages_ << text;
        if (type != (MsgBox::IconExclamation | MsgBox::Ok))
            qWarning("message box type %x", type);
        return MsgBox::IdOk;
    });
}

void TestHyperlinkLabel::cleanup()
{
    OpenLinkSeams::SetPlatformOpener({});
    OpenLinkSeams::SetClassReader({});
    OpenLinkSeams::SetStarter({});
    AppMessageBox::SetResponder({});
}

// Plays `steps` on `label` in `dialog`; `other` is the window that a deactivation activates.
void TestHyperlinkLabel::play(LinkDialog &dialog, HyperlinkLabel *label, const QList<Step> &steps, QWidget &other)
{
    QPoint inside(2, label->height() / 2);
    for (Step step : steps) {
        switch (step) {
        case Step::Visit: label->MarkVisited(true); break;
        case Step::Unvisit: label->MarkVisited(false); break;
        case Step::Enter: QTest::mouseMove(label, inside); break;
        case Step::MoveInside: QTest::mouseMove(label, inside += QPoint(label->width() / 2, 0)); break;
        case Step::Leave: QTest::mouseMove(&dialog.dialog, dialog.away()); break;
        case Step::PressAndDragOut:
            // Moves from outside keep reaching the label while the button is held.
            QTest::mousePress(label, Qt::LeftButton, {}, inside);
            QTest::mouseMove(&dialog.dialog, dialog.away());
            QTest::mouseMove(&dialog.dialog, dialog.away() + QPoint(0, 1));
            QTest::mouseRelease(&dialog.dialog, Qt::LeftButton, {}, dialog.away() + QPoint(0, 1));
            break;
        case Step::LeaveUnseen: {
            // As a platform without grabs tells the pointer left the window.
            QEvent leave(QEvent::Leave);
            QApplication::sendEvent(label, &leave);
            break;
        }
        case Step::Hide: label->hide(); break;
        case Step::Deactivate:
            other.show();
            QApplication::setActiveWindow(&other);
            QVERIFY(QTest::qWaitForWindowActive(&other));
            break;
        case Step::Disable: label->setEnabled(false); break;
        case Step::ShowTip: {
            // As the application asks once the pointer has rested on the label.
            QHelpEvent help(QEvent::ToolTip, inside, label->mapToGlobal(inside));
            QApplication::sendEvent(label, &help);
            QVERIFY(QToolTip::isVisible());
            QCOMPARE(QToolTip::text(), label->Target());
            break;
        }
        }
    }
}

void TestHyperlinkLabel::statesAndColours_data()
{
    QTest::addColumn<QList<Step>>("steps");
    QTest::addColumn<QString>("colour"); // "link", "visited" or "hover"
    QTest::addColumn<bool>("over"); // and so holding the mouse
    using S = Step;
    QTest::newRow("fresh") << QList<Step>{} << "link" << false;
    QTest::newRow("visited") << QList<Step>{S::Visit} << "visited" << false;
    QTest::newRow("unvisitedAgain") << QList<Step>{S::Visit, S::Unvisit} << "link" << false;
    QTest::newRow("enter") << QList<Step>{S::Enter} << "hover" << true;
    QTest::newRow("moveInside") << QList<Step>{S::Enter, S::MoveInside} << "hover" << true;
    QTest::newRow("hoverWinsOverVisited") << QList<Step>{S::Visit, S::Enter} << "hover" << true;
    QTest::newRow("leave") << QList<Step>{S::Enter, S::MoveInside, S::Leave} << "link" << false;
    QTest::newRow("leaveVisited") << QList<Step>{S::Visit, S::Enter, S::Leave} << "visited" << false;
    QTest::newRow("reenter") << QList<Step>{S::Enter, S::Leave, S::Enter} << "hover" << true;
    QTest::newRow("pressedAndDraggedOut") << QList<Step>{S::Enter, S::PressAndDragOut} << "link" << false;
    // The label lets go of the mouse whenever it could no longer see the pointer leave.
    QTest::newRow("leftUnseen") << QList<Step>{S::Enter, S::LeaveUnseen} << "link" << false;
    QTest::newRow("hidden") << QList<Step>{S::Enter, S::Hide} << "link" << false;
    QTest::newRow("deactivated") << QList<Step>{S::Enter, S::Deactivate} << "link" << false;
    QTest::newRow("disabled") << QList<Step>{S::Enter, S::Disable} << "link" << false;
}

void TestHyperlinkLabel::statesAndColours()
{
    QFETCH(QList<Step>, steps);
    QFETCH(QString, colour);
    QFETCH(bool, over);
    LinkDialog dialog;
    HyperlinkLabel *label = dialog.attach(Caption);
    QCOMPARE(label->HoverColour(), kHighlight);
    QWidget other;
    play(dialog, label, steps, other);
    if (QTest::currentTestFailed())
        return;
    const QColor expected = colour == "hover"     ? label->HoverColour()
                            : colour == "visited" ? label->VisitedColour()
                                                  : label->LinkColour();
    QCOMPARE(label->IsOver(), over);
    QCOMPARE(QWidget::mouseGrabber(), over ? label : nullptr);
    QCOMPARE(label->TextColour(), expected);
    // A disabled link is drawn in the system's disabled colour.
    QCOMPARE(inkColour(label), label->isEnabled() ? expected : QColor());
    QVERIFY(opened_.isEmpty());
    delete label;
    QCOMPARE(QWidget::mouseGrabber(), nullptr);
}

void TestHyperlinkLabel::tipGoesWithThePointer_data()
{
    QTest::addColumn<QList<Step>>("steps");
    QTest::addColumn<bool>("tipShown"); // a moment after the last step
    using S = Step;
    QTest::newRow("pointerStays") << QList<Step>{S::Enter, S::ShowTip, S::MoveInside} << true;
    QTest::newRow("pointerLeaves") << QList<Step>{S::Enter, S::ShowTip, S::Leave} << false;
    QTest::newRow("leftUnseen") << QList<Step>{S::Enter, S::ShowTip, S::LeaveUnseen} << false;
    QTest::newRow("hidden") << QList<Step>{S::Enter, S::ShowTip, S::Hide} << false;
}

void TestHyperlinkLabel::tipGoesWithThePointer()
{
    QFETCH(QList<Step>, steps);
    QFETCH(bool, tipShown);
    LinkDialog dialog;
    HyperlinkLabel *label = dialog.attach(Caption);
    label->SetTarget(kWeb);
    QWidget other;
    play(dialog, label, steps, other);
    if (QTest::currentTestFailed())
        return;
    // Well within the ten seconds a tip of its length would otherwise stay.
    if (tipShown) {
        QTest::qWait(1000);
        QVERIFY(QToolTip::isVisible());
    } else {
        QTRY_VERIFY_WITH_TIMEOUT(!QToolTip::isVisible(), 2000);
    }
    QToolTip::hideText();
    QTRY_VERIFY(!QToolTip::isVisible());
}

void TestHyperlinkLabel::clicks_data()
{
    QTest::addColumn<bool>("platformOpens");
    QTest::addColumn<bool>("browserRegistered");
    QTest::addColumn<unsigned>("browserResult");
    QTest::addColumn<bool>("visitedBefore");
    QTest::addColumn<bool>("releasedInside");
    QTest::addColumn<QString>("message"); // empty: none
    const QString heading = "Unable to open hyperlink:\n\n";
    QTest::newRow("opens") << true << false << 0u << false << true << "";
    QTest::newRow("opensByTheBrowser") << false << true << 42u << false << true << "";
    QTest::newRow("noBrowserShowsTheOpenersCode")
        << false << false << 0u << false << true
        << heading + "There is no application associated\nwith the given filename extension.";
    QTest::newRow("sharingViolation") << false << true << 26u << false << true
                                      << heading + "A sharing violation occurred. ";
    QTest::newRow("unknownCode") << false << true << 4u << false << true << heading + "Unknown Error (4) occurred.";
    QTest::newRow("failureForgetsTheVisit")
        << false << true << 2u << true << true << heading + "The specified file was not found.";
    QTest::newRow("releasedOutsideOpensNothing") << true << false << 0u << false << false << "";
}

void TestHyperlinkLabel::clicks()
{
    QFETCH(bool, platformOpens);
    QFETCH(bool, browserRegistered);
    QFETCH(unsigned, browserResult);
    QFETCH(bool, visitedBefore);
    QFETCH(bool, releasedInside);
    QFETCH(QString, message);
    platformOpens_ = platformOpens;
    browserResult_ = browserResult;
    if (browserRegistered)
        registry_ = {{".htm", "Web.desktop"}, {kCommandKey, "web %u"}};
    LinkDialog dialog;
    HyperlinkLabel *label = dialog.attach(Caption);
    label->SetTarget(kWeb);
    label->MarkVisited(visitedBefore);
    const QPoint inside(2, label->height() / 2);
    QTest::mouseMove(label, inside);
    QTest::mousePress(label, Qt::LeftButton, {}, inside);
    if (!releasedInside)
        QTest::mouseMove(&dialog.dialog, dialog.away());
    QTest::mouseRelease(releasedInside ? static_cast<QWidget *>(label) : &dialog.dialog, Qt::LeftButton, {},
                        releasedInside ? inside : dialog.away());

    QCOMPARE(opened_, releasedInside ? QList<QUrl>{QUrl(kWeb)} : QList<QUrl>{});
    const bool opens = releasedInside && (platformOpens || LinkResult::Succeeded(browserResult));
    QCOMPARE(messages_, message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(label->IsVisited(), opens || (visitedBefore && !releasedInside));
    // The message box got the mouse back; a successful click leaves the pointer over the link.
    QCOMPARE(QWidget::mouseGrabber(), opens ? label : nullptr);
    QTest::mouseMove(&dialog.dialog, dialog.away());
    QCOMPARE(inkColour(label), label->IsVisited() ? label->VisitedColour() : label->LinkColour());
}

void TestHyperlinkLabel::openErrorTexts_data()
{
    QTest::addColumn<unsigned>("code");
    QTest::addColumn<QString>("reason");
    QTest::newRow("outOfResources") << 0u << "The operating system is out\nof memory or resources.";
    QTest::newRow("ddeBusy") << 30u
                             << "The DDE transaction could not\nbe completed because other DDE transactions\n"
                                "were being processed.";
    QTest::newRow("libraryNotFound") << 32u << "The specified dynamic-link library was not found.";
    QTest::newRow("unknownAbove") << 33u << "Unknown Error (33) occurred.";
}

void TestHyperlinkLabel::openErrorTexts()
{
    QFETCH(unsigned, code);
    QFETCH(QString, reason);
    QCOMPARE(HyperlinkLabel::OpenErrorText(code), "Unable to open hyperlink:\n\n" + reason);
}

void TestHyperlinkLabel::fitToText_data()
{
    QTest::addColumn<int>("id");
    QTest::newRow("leftKeepsItsLeftEdge") << int(Caption);
    QTest::newRow("centredKeepsItsCentre") << int(Centred);
    QTest::newRow("rightKeepsItsRightEdge") << int(RightAligned);
    QTest::newRow("centreImageKeepsItsMiddle") << int(Middle);
    QTest::newRow("narrowGrowsToTheRight") << int(Narrow);
    QTest::newRow("narrowCentredGrowsBothWays") << int(NarrowCentred);
}

void TestHyperlinkLabel::fitToText()
{
    QFETCH(int, id);
    LinkDialog dialog;
    const QRect before = dialog.control(id)->geometry();
    HyperlinkLabel *label = dialog.attach(id);
    const QRect after = label->geometry();
    const std::uint32_t style = kControls[id - 1].style;
    const QFontMetrics metrics(label->font());
    const int textWidth = metrics.horizontalAdvance(label->text());
    // Centring halves the difference, so an odd one leaves a pixel more than the text.
    if (style & StaticStyle::Center) {
        QCOMPARE(after.x() + after.right(), before.x() + before.right());
        QVERIFY(after.width() - textWidth == 0 || after.width() - textWidth == 1);
    } else {
        QCOMPARE(after.width(), textWidth);
        QCOMPARE(style & StaticStyle::Right ? after.right() : after.left(),
                 style & StaticStyle::Right ? before.right() : before.left());
    }
    if (style & StaticStyle::CenterImage) {
        QCOMPARE(after.y() + after.bottom(), before.y() + before.bottom());
        QVERIFY(after.height() - metrics.height() == 0 || after.height() - metrics.height() == 1);
    } else {
        QCOMPARE(after.top(), before.top());
        QCOMPARE(after.height(), metrics.height());
    }
    QVERIFY(inkColour(label).isValid()); // the text is drawn in the fitted window
    label->FitToText();
    QCOMPARE(label->geometry(), after);
}

void TestHyperlinkLabel::subclassing_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("target"); // null: none set
    QTest::addColumn<QString>("text");
    QTest::newRow("captionDiffersFromTarget") << int(Caption) << kWeb << "Web: https://example.org/";
    QTest::newRow("targetIsTheCaption") << int(Caption) << QString() << "Web: https://example.org/";
    QTest::newRow("emptyTextShowsTheTarget") << int(Empty) << "mailto:a@example.org"
                                             << "mailto:a@example.org";
}

void TestHyperlinkLabel::subclassing()
{
    QFETCH(int, id);
    QFETCH(QString, target);
    QFETCH(QString, text);
    LinkDialog dialog;
    const int labels = dialog.dialog.findChildren<QLabel *>().size();
    const QPoint topLeft = dialog.control(id)->pos();
    HyperlinkLabel *label = dialog.attach(id);
    QVERIFY(label);
    if (!target.isNull())
        label->SetTarget(target);
    const QString expectedTarget = target.isNull() ? text : target;
    QCOMPARE(label->text(), text);
    QCOMPARE(label->Target(), expectedTarget);
    QCOMPARE(label->toolTip(), expectedTarget);
    QCOMPARE(label->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(label->pos(), topLeft);
    QCOMPARE(label->width(), QFontMetrics(label->font()).horizontalAdvance(text));
    QVERIFY(label->isVisible());
    QVERIFY(label->IsUnderlined() && label->font().underline());
    QCOMPARE(DialogBuilder::IdOf(label), id);
    QCOMPARE(dialog.control(id), label);
    QCOMPARE(dialog.dialog.findChildren<QLabel *>().size(), labels);
    QCOMPARE(dialog.attach(id), label); // already attached

    QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(1, label->height() / 2));
    QCOMPARE(opened_, QList<QUrl>{QUrl(expectedTarget)});

    QVERIFY(!dialog.attach(OkButton));
    QVERIFY(!HyperlinkLabel::SubclassDlgItem(4242, &dialog.dialog, 0));
}

void TestHyperlinkLabel::underline()
{
    LinkDialog dialog;
    HyperlinkLabel *label = dialog.attach(Caption);
    const int textWidth = label->width();
    for (const bool on : {false, true, false}) {
        label->SetUnderlined(on);
        QCOMPARE(label->IsUnderlined(), on);
        QCOMPARE(label->font().underline(), on);
        // No letter is as wide as the text; only a line under all of it is.
        QCOMPARE(longestInkRun(label) >= textWidth - 2, on);
    }
}

QTEST_MAIN(TestHyperlinkLabel)
#include "tst_hyperlinklabel.moc"
