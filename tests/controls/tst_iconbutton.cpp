// The icon push button: its look in every state (rendered and sampled), hover and focus rules
// driven by window-system mouse events, setter results, and taking the place of a dialog's
// button.
#define QTEST_QPA_MOUSE_HANDLING // mouse events through the window, with grabs, enter and leave
#include "controls/IconButton.h"
#include "framework/DialogBuilder.h"
#include "framework/DialogUnits.h"
#include "framework/SystemColours.h"
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QMouseEvent>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace qw;

namespace {

const QColor kFace(0xD4, 0xD0, 0xC8), kHighlight(Qt::white), kShadow(0x80, 0x80, 0x80), kDarkShadow(0x40, 0x40, 0x40),
    kLight(0xE0, 0xE0, 0xE0), kText(Qt::black), kHotFace(0xF5, 0xF5, 0xF5);
const QColor kMarker(Qt::blue), kBlock(Qt::red);
constexpr int kMainButtons[]
    = {CtrlId::OpenButton, CtrlId::DeleteButton, CtrlId::InsertButton, CtrlId::SplitButton, CtrlId::OptionsButton};

// 32 by 32, white (the transparent colour) but for a marker pixel at the top-left corner and a
// block from (10, 10) to (21, 21).
QImage testPicture(const QColor &marker = kMarker)
{
    QImage picture(32, 32, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.setPixelColor(0, 0, marker);
    for (int y = 10; y < 22; ++y)
        for (int x = 10; x < 22; ++x)
            picture.setPixelColor(x, y, kBlock);
    return picture;
}

QImage shot(QWidget *widget)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QColor at(const QImage &image, QPoint point)
{
    return image.pixelColor(point);
}

// Where `colour` is drawn in `area`, or an empty rectangle.
QRect inkOf(const QImage &image, const QColor &colour, const QRect &area)
{
    QRect ink;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) == colour)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

// The main window's set-up of its command buttons.
void configure(IconButton *button, const QImage &picture = testPicture())
{
    QCOMPARE(button->AssignImageHandles(picture, 0xFFFFFF, QImage(), 0, true), 0);
    QCOMPARE(button->SetStateColour(StateColour::HotBackground, kHotFace, true), 0);
    QCOMPARE(button->SetFlatLook(true, true), 0);
    QCOMPARE(button->SetImagePlacement(ImagePlacement::AboveCaption, true), 0);
}

// A dialog with the controls of a template, as the main window builds them.
struct TemplateDialog {
    QDialog dialog;
    QWidget *root = new QWidget(&dialog);

    explicit TemplateDialog(const DialogTemplate &dialogTemplate)
    {
        QFont font(QString::fromLatin1(dialogTemplate.fontName), dialogTemplate.pointSize);
        font.setStyleStrategy(QFont::NoAntialias); // text pixels in the pen's colour alone
        dialog.setFont(font);
        const DialogUnits units = DialogUnits::ForFont(dialog.font());
        DialogBuilder::BuildControls(dialogTemplate, root, units);
        const QSize size = units.ToPixels(dialogTemplate.size);
        root->resize(size);
        dialog.resize(size);
    }
    IconButton *button(int id) const { return qobject_cast<IconButton *>(DialogBuilder::ControlById(root, id)); }
    QList<int> tabOrder() const
    {
        QList<int> ids;
        for (QWidget *w = root->nextInFocusChain(); w != root; w = w->nextInFocusChain())
            if (w->focusPolicy() & Qt::TabFocus)
                ids << DialogBuilder::IdOf(w);
        return ids;
    }
};

// The main dialog, shown and active, with its five buttons subclassed and configured.
std::unique_ptr<TemplateDialog> mainDialog()
{
    auto dialog = std::make_unique<TemplateDialog>(*FindDialogTemplate(ResId::MainDialog));
    for (int id : kMainButtons)
        configure(IconButton::SubclassDlgItem(id, dialog->root));
    dialog->dialog.show();
    QApplication::setActiveWindow(&dialog->dialog);
    if (!QTest::qWaitForWindowActive(&dialog->dialog))
        qWarning("the dialog did not become active");
    // The pointer starts over the dialog, away from every button.
    QTest::mouseMove(&dialog->dialog, QPoint(dialog->dialog.width() - 2, dialog->dialog.height() - 2));
    return dialog;
}

// A default push button, a plain one and a check box, the last two without a tab stop.
const DialogControl kHandControls[] = {
    {1, ControlClass::Button, "OK", WinStyle::DefPushButton | WinStyle::TabStop, {5, 5, 50, 30}},
    {2, ControlClass::Button, "Other", WinStyle::PushButton, {60, 5, 50, 30}},
    {3, ControlClass::Button, "Check", WinStyle::AutoCheckBox, {5, 40, 50, 30}},
};
const DialogTemplate kHandTemplate{1, "", "Sans Serif", 8, {120, 75}, 0, 0, 0, kHandControls, nullptr};

QPoint pictureOrigin(const IconButton *button)
{
    return {(button->width() - 32) / 2, 3};
}

} // namespace

class TestIconButton : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void picturePlacement_data();
    void picturePlacement();
    void pictureTransparency();
    void idlePictureOnlyWhileCold();
    void flatLookPerState_data();
    void flatLookPerState();
    void threeDimensionalLook_data();
    void threeDimensionalLook();
    void hoverRules_data();
    void hoverRules();
    void disablingMovesTheFocus_data();
    void disablingMovesTheFocus();
    void clicks_data();
    void clicks();
    void settersReportAndChangeNothing();
    void pictureResources();
    void systemColourChangeResetsStateColours();
    void subclassingKeepsTheTemplateControl();
    void subclassingReadsTheButtonType();
};

void TestIconButton::initTestCase()
{
    // Classic colours make each system colour in a picture tell which part drew it.
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Button, kFace);
    palette.setColor(QPalette::ButtonText, kText);
    palette.setColor(QPalette::Light, kHighlight);
    palette.setColor(QPalette::Dark, kShadow);
    palette.setColor(QPalette::Shadow, kDarkShadow);
    palette.setColor(QPalette::Midlight, kLight);
    QApplication::setPalette(palette);
}

void TestIconButton::picturePlacement_data()
{
    QTest::addColumn<int>("placement");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QPoint>("origin");
    // An 80 by 60 button: centred is (24, 14).
    QTest::newRow("leftOfCaption") << 0 << "Go" << QPoint(3, 14);
    QTest::newRow("aboveCaption") << 1 << "Go" << QPoint(24, 3);
    QTest::newRow("rightOfCaption") << 2 << "Go" << QPoint(45, 14);
    QTest::newRow("topLeftCorner") << 3 << "Go" << QPoint(0, 0);
    QTest::newRow("leftAloneIsCentred") << 0 << "" << QPoint(24, 14);
    QTest::newRow("aboveAloneIsCentred") << 1 << "" << QPoint(24, 14);
    QTest::newRow("rightAloneStaysAtTheTop") << 2 << "" << QPoint(24, 0);
    QTest::newRow("topLeftAlone") << 3 << "" << QPoint(0, 0);
}

void TestIconButton::picturePlacement()
{
    QFETCH(int, placement);
    QFETCH(QString, caption);
    QFETCH(QPoint, origin);
    IconButton button;
    button.setText(caption);
    button.resize(80, 60);
    QCOMPARE(button.AssignImageHandles(testPicture(), 0xFFFFFF, QImage(), 0, false), 0);
    QCOMPARE(button.SetImagePlacement(placement, false), 0);
    const QImage image = shot(&button);
    QCOMPARE(inkOf(image, kMarker, image.rect()), QRect(origin, QSize(1, 1)));
    QCOMPARE(inkOf(image, kBlock, image.rect()), QRect(origin + QPoint(10, 10), QSize(12, 12)));
}

void TestIconButton::pictureTransparency()
{
    // Only the transparent colour shows the background; white and black are colours like others.
    for (const QRgb transparent : {QRgb(0xFFFFFF), QRgb(0x0000FF)}) {
        IconButton button;
        button.resize(40, 40);
        QImage picture = testPicture();
        picture.setPixelColor(1, 0, Qt::black);
        QCOMPARE(button.AssignImageHandles(picture, transparent, QImage(), 0, false), 0);
        const QImage image = shot(&button);
        const bool white = transparent == 0xFFFFFF;
        QCOMPARE(at(image, {4, 4}), white ? kMarker : kFace);
        QCOMPARE(at(image, {5, 4}), QColor(Qt::black));
        QCOMPARE(at(image, {9, 9}), white ? kFace : QColor(Qt::white));
        QCOMPARE(at(image, {19, 19}), kBlock);
    }
}

void TestIconButton::idlePictureOnlyWhileCold()
{
    IconButton button;
    button.resize(40, 40);
    QCOMPARE(button.AssignImageHandles(testPicture(), 0xFFFFFF, testPicture(Qt::green), 0xFFFFFF, false), 0);
    QCOMPARE(at(shot(&button), {4, 4}), QColor(Qt::green));
    button.setDown(true);
    QCOMPARE(at(shot(&button), {5, 5}), kMarker); // the picture, moved by the press shift
}

enum class Look { Idle, Hot, Pressed, PressedSecondShift, Focused, Disabled };
Q_DECLARE_METATYPE(Look)

void TestIconButton::flatLookPerState_data()
{
    QTest::addColumn<Look>("look");
    QTest::addColumn<QColor>("corner"); // top-left pixel: the outline or the background
    QTest::addColumn<QColor>("farCorner"); // bottom-right pixel
    QTest::addColumn<QColor>("background");
    QTest::addColumn<QPoint>("shift");
    QTest::newRow("idle") << Look::Idle << kFace << kFace << kFace << QPoint(0, 0);
    QTest::newRow("hotRaised") << Look::Hot << kHighlight << kShadow << kHotFace << QPoint(0, 0);
    QTest::newRow("pressedSunkenAndShifted") << Look::Pressed << kShadow << kHighlight << kHotFace << QPoint(1, 1);
    QTest::newRow("pressShiftStyle1") << Look::PressedSecondShift << kShadow << kHighlight << kHotFace << QPoint(0, 2);
    QTest::newRow("focusedNoFrame") << Look::Focused << QColor(0xE0, 0xF0, 0xFF) << QColor(0xE0, 0xF0, 0xFF)
                                    << QColor(0xE0, 0xF0, 0xFF) << QPoint(0, 0);
    QTest::newRow("disabled") << Look::Disabled << kFace << kFace << kFace << QPoint(0, 0);
}

void TestIconButton::flatLookPerState()
{
    QFETCH(Look, look);
    QFETCH(QColor, corner);
    QFETCH(QColor, farCorner);
    QFETCH(QColor, background);
    QFETCH(QPoint, shift);
    auto dialog = mainDialog();
    IconButton *button = dialog->button(CtrlId::OpenButton);
    button->SetStateColour(StateColour::FocusBackground, QColor(0xE0, 0xF0, 0xFF), false);
    button->SetStateColour(StateColour::FocusText, QColor(Qt::darkGreen), false);
    // The caption is centred in the area from the picture's height (32) to the bottom.
    const QRect idleCaption = inkOf(shot(button), kText, button->rect());
    QVERIFY(idleCaption.top() >= 32 && idleCaption.bottom() < button->height());
    QVERIFY(qAbs(idleCaption.left() + idleCaption.right() + 1 - button->width()) <= 3);
    QVERIFY(qAbs(idleCaption.top() + idleCaption.bottom() + 1 - (32 + button->height())) <= 4);
    switch (look) {
    case Look::Idle: break;
    case Look::Hot: QTest::mouseMove(button); break;
    case Look::PressedSecondShift: QCOMPARE(button->SetPressShift(1, false), 0); Q_FALLTHROUGH();
    case Look::Pressed: QTest::mousePress(button, Qt::LeftButton); break;
    case Look::Focused: button->setFocus(); break;
    case Look::Disabled: button->setEnabled(false); break;
    }
    const QImage image = shot(button);
    const QPoint origin = pictureOrigin(button) + shift;
    const QRect caption(0, 32, button->width(), button->height() - 32);
    QCOMPARE(at(image, {0, 0}), corner);
    QCOMPARE(at(image, {button->width() - 1, button->height() - 1}), farCorner);
    QCOMPARE(at(image, origin + QPoint(1, 0)), background); // a transparent picture pixel
    if (look == Look::Disabled) {
        // Embossed: the shape in shadow, and in highlight one pixel right and down from it.
        QCOMPARE(at(image, origin), kShadow);
        QCOMPARE(at(image, origin + QPoint(10, 10)), kShadow);
        QCOMPARE(at(image, origin + QPoint(22, 22)), kHighlight);
        QCOMPARE(at(image, origin + QPoint(22, 10)), background);
        QCOMPARE(inkOf(image, kShadow, caption), idleCaption);
        QVERIFY(!inkOf(image, kHighlight, caption).isEmpty());
        QVERIFY(inkOf(image, kText, caption).isEmpty());
    } else {
        QCOMPARE(inkOf(image, kMarker, image.rect()), QRect(origin, QSize(1, 1)));
        QCOMPARE(at(image, origin + QPoint(10, 10)), kBlock);
        const QColor text = look == Look::Focused ? QColor(Qt::darkGreen) : kText;
        QCOMPARE(inkOf(image, text, caption), idleCaption.translated(shift));
    }
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(-5, -5));
}

void TestIconButton::threeDimensionalLook_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<QList<QColor>>("diagonal"); // pixels (0, 0), (1, 1), (2, 2)
    QTest::addColumn<QList<QColor>>("farDiagonal"); // the same from the bottom-right corner
    QTest::addColumn<bool>("focusRect");
    QTest::newRow("plain") << "plain" << QList<QColor>{kHighlight, kLight, kFace}
                           << QList<QColor>{kDarkShadow, kShadow, kFace} << false;
    QTest::newRow("defaultGetsBlackFrame") << "default" << QList<QColor>{Qt::black, kHighlight, kLight}
                                           << QList<QColor>{Qt::black, kDarkShadow, kShadow} << false;
    QTest::newRow("focusedFrameAndFocusRect") << "focused" << QList<QColor>{Qt::black, kHighlight, kLight}
                                              << QList<QColor>{Qt::black, kDarkShadow, kShadow} << true;
    QTest::newRow("pressedShadowFrame") << "pressed" << QList<QColor>{Qt::black, kShadow, kHotFace}
                                        << QList<QColor>{Qt::black, kShadow, kHotFace} << true;
}

void TestIconButton::threeDimensionalLook()
{
    QFETCH(QString, state);
    QFETCH(QList<QColor>, diagonal);
    QFETCH(QList<QColor>, farDiagonal);
    QFETCH(bool, focusRect);
    auto dialog = mainDialog();
    IconButton *button = dialog->button(CtrlId::OptionsButton);
    button->SetFlatLook(false, true);
    QTest::mouseMove(button);
    QVERIFY(!button->isHot()); // no hover in this look
    if (state == "default")
        button->setDefault(true);
    else if (state == "focused")
        button->setFocus();
    else if (state == "pressed")
        QTest::mousePress(button, Qt::LeftButton);
    const QImage image = shot(button);
    const QPoint far(button->width() - 1, button->height() - 1);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(at(image, {i, i}), diagonal[i]);
        QCOMPARE(at(image, far - QPoint(i, i)), farDiagonal[i]);
    }
    // The focus rectangle inverts every other pixel of an outline 4 pixels inside the edge.
    const QColor inside = state == "pressed" ? kHotFace : kFace;
    int inverted = 0;
    for (int x = 5; x < button->width() - 5; ++x) {
        inverted += at(image, {x, 4}) != inside;
        QCOMPARE(at(image, {x, 5}), inside);
    }
    QCOMPARE(inverted > 0, focusRect);
    QTest::mouseRelease(button, Qt::LeftButton);
}

enum class Step { MoveOver, MoveAway, PressAway, Press, Release, HeldMove, FocusAway, Deactivate, Disable };
Q_DECLARE_METATYPE(Step)

void TestIconButton::hoverRules_data()
{
    QTest::addColumn<QList<Step>>("steps");
    QTest::addColumn<bool>("hot");
    using S = Step;
    QTest::newRow("moveOver") << QList<Step>{S::MoveOver} << true;
    QTest::newRow("dragInFromElsewhere") << QList<Step>{S::PressAway, S::MoveOver} << false;
    QTest::newRow("dragInReleaseAndMove") << QList<Step>{S::PressAway, S::MoveOver, S::Release, S::MoveOver} << true;
    QTest::newRow("movedWithButtonHeld") << QList<Step>{S::HeldMove} << false;
    QTest::newRow("heldButtonKeepsHot") << QList<Step>{S::MoveOver, S::HeldMove} << true;
    QTest::newRow("pressedStaysHot") << QList<Step>{S::MoveOver, S::Press} << true;
    QTest::newRow("pressedAndDraggedOut") << QList<Step>{S::MoveOver, S::Press, S::MoveAway} << false;
    QTest::newRow("leave") << QList<Step>{S::MoveOver, S::MoveAway} << false;
    QTest::newRow("focusLoss") << QList<Step>{S::MoveOver, S::Press, S::Release, S::FocusAway} << false;
    QTest::newRow("deactivation") << QList<Step>{S::MoveOver, S::Deactivate} << false;
    QTest::newRow("disabling") << QList<Step>{S::MoveOver, S::Disable} << false;
}

void TestIconButton::hoverRules()
{
    QFETCH(QList<Step>, steps);
    QFETCH(bool, hot);
    auto dialog = mainDialog();
    IconButton *button = dialog->button(CtrlId::SplitButton);
    button->setEnabled(true);
    QWidget *elsewhere = DialogBuilder::ControlById(dialog->root, CtrlId::PageList);
    QWidget other;
    QWidget *pressed = nullptr;
    QPoint over = button->rect().center();
    for (Step step : steps) {
        switch (step) {
        case Step::MoveOver: QTest::mouseMove(button, over += QPoint(1, 0)); break;
        case Step::MoveAway: QTest::mouseMove(elsewhere); break;
        case Step::PressAway: QTest::mousePress(pressed = elsewhere, Qt::LeftButton); break;
        case Step::Press: QTest::mousePress(pressed = button, Qt::LeftButton); break;
        case Step::Release: QTest::mouseRelease(button, Qt::LeftButton, {}, over), pressed = nullptr; break;
        case Step::HeldMove: {
            // As a platform without mouse grabs delivers a drag that began elsewhere.
            const QPoint centre = button->rect().center();
            QMouseEvent move(QEvent::MouseMove, centre, button->mapToGlobal(centre), Qt::NoButton, Qt::LeftButton,
                             Qt::NoModifier);
            QApplication::sendEvent(button, &move);
            break;
        }
        case Step::FocusAway: elsewhere->setFocus(); break;
        case Step::Deactivate:
            other.show();
            QApplication::setActiveWindow(&other);
            QVERIFY(QTest::qWaitForWindowActive(&other));
            break;
        case Step::Disable: button->setEnabled(false); break;
        }
    }
    QCOMPARE(button->isHot(), hot);
    const QImage image = shot(button);
    QCOMPARE(at(image, {0, 0}), button->isDown() ? kShadow : hot ? kHighlight : kFace);
    if (pressed)
        QTest::mouseRelease(pressed, Qt::LeftButton);
}

void TestIconButton::disablingMovesTheFocus_data()
{
    QTest::addColumn<int>("focused");
    QTest::addColumn<QList<int>>("disabled");
    QTest::addColumn<int>("expected"); // 0: the dialog itself
    // Tab order of the main dialog: Insert, Delete, Options, Split, the page list, Open.
    QTest::newRow("toTheNextTabStop") << int(CtrlId::SplitButton) << QList<int>{CtrlId::SplitButton}
                                      << int(CtrlId::PageList);
    QTest::newRow("skipsDisabledTabStops")
        << int(CtrlId::InsertButton) << QList<int>{CtrlId::DeleteButton, CtrlId::InsertButton}
        << int(CtrlId::OptionsButton);
    QTest::newRow("wrapsRound") << int(CtrlId::OpenButton) << QList<int>{CtrlId::OpenButton}
                                << int(CtrlId::InsertButton);
    QTest::newRow("toTheDialogWhenNoneIsLeft")
        << int(CtrlId::OpenButton) << QList<int>{CtrlId::PageList,      CtrlId::InsertButton, CtrlId::DeleteButton,
                                                 CtrlId::OptionsButton, CtrlId::SplitButton,  CtrlId::OpenButton}
        << 0;
    // Disabling a button the user is not on must not pull the focus out of the list.
    QTest::newRow("unfocusedButtonLeavesTheFocus")
        << int(CtrlId::PageList) << QList<int>{CtrlId::InsertButton} << int(CtrlId::PageList);
}

void TestIconButton::disablingMovesTheFocus()
{
    QFETCH(int, focused);
    QFETCH(QList<int>, disabled);
    QFETCH(int, expected);
    auto dialog = mainDialog();
    DialogBuilder::ControlById(dialog->root, focused)->setFocus();
    for (int id : disabled)
        DialogBuilder::ControlById(dialog->root, id)->setEnabled(false);
    QWidget *focus = QApplication::focusWidget();
    QVERIFY(focus);
    if (expected == 0)
        QCOMPARE(focus, &dialog->dialog);
    else
        QCOMPARE(DialogBuilder::IdOf(focus), expected);
}

void TestIconButton::clicks_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<bool>("doubleClick");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<int>("checkState");
    QTest::newRow("click") << 2 << false << 1 << 0;
    QTest::newRow("doubleClickPressesTwice") << 2 << true << 2 << 0;
    QTest::newRow("checkBoxToggles") << 3 << false << 1 << 1;
    QTest::newRow("checkBoxDoubleClickTogglesBack") << 3 << true << 2 << 0;
}

void TestIconButton::clicks()
{
    QFETCH(int, id);
    QFETCH(bool, doubleClick);
    QFETCH(int, clicks);
    QFETCH(int, checkState);
    TemplateDialog dialog(kHandTemplate);
    IconButton *button = IconButton::SubclassDlgItem(id, dialog.root);
    dialog.dialog.show();
    QApplication::setActiveWindow(&dialog.dialog);
    QVERIFY(QTest::qWaitForWindowActive(&dialog.dialog));
    QSignalSpy clicked(button, &QAbstractButton::clicked);
    if (doubleClick)
        QTest::mouseDClick(button, Qt::LeftButton);
    else
        QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(clicked.count(), clicks);
    QCOMPARE(button->GetCheckState(), checkState);
    QVERIFY(button->hasFocus()); // even without a tab stop
}

void TestIconButton::settersReportAndChangeNothing()
{
    IconButton button;
    const auto state = [&] {
        QList<QVariant> values{button.placement(), button.pressShift(), button.GetCheckState()};
        for (int i = 0; i < StateColour::Count; ++i)
            values << button.stateColour(i);
        return values;
    };
    const QList<QVariant> before = state();
    QCOMPARE(button.SetStateColour(6, Qt::magenta, true), 3);
    QCOMPARE(button.SetStateColour(-1, Qt::magenta, true), 3);
    QCOMPARE(button.SetImagePlacement(4, true), 4);
    QCOMPARE(button.SetPressShift(2, true), 6);
    QCOMPARE(button.SetCheckState(1, true), 0); // a push button has no check state
    QCOMPARE(state(), before);
    QCOMPARE(button.SetStateColour(5, Qt::magenta, true), 0);
    QCOMPARE(button.stateColour(5), QColor(Qt::magenta));
    QCOMPARE(button.SetImagePlacement(3, true), 0);
    QCOMPARE(button.placement(), 3);
    QCOMPARE(button.SetPressShift(1, true), 0);
    QCOMPARE(button.pressShift(), QPoint(0, 2));
}

void TestIconButton::pictureResources()
{
    IconButton button;
    for (int id :
         {ResId::OpenPicture, ResId::InsertPicture, ResId::DeletePicture, ResId::SplitPicture, ResId::OptionsPicture}) {
        QCOMPARE(button.AssignImages(id, 0xFFFFFF, id, 0xFFFFFF, true), 0);
        QCOMPARE(button.imageSize(0), QSize(32, 32));
        QCOMPARE(button.imageSize(1), QSize(32, 32));
    }
    // A missing resource is no picture, and without a picture there is no idle picture either.
    QCOMPARE(button.AssignImages(9999, 0xFFFFFF, ResId::SplitPicture, 0xFFFFFF, true), 0);
    QCOMPARE(button.imageSize(0), QSize(0, 0));
    QCOMPARE(button.imageSize(1), QSize(0, 0));
}

void TestIconButton::systemColourChangeResetsStateColours()
{
    auto dialog = mainDialog();
    IconButton *button = dialog->button(CtrlId::OpenButton);
    QCOMPARE(button->stateColour(StateColour::HotBackground), kHotFace); // kept through showing
    QPalette local = dialog->dialog.palette();
    local.setColor(QPalette::Window, Qt::yellow);
    dialog->dialog.setPalette(local); // not a change of the system colours
    QCoreApplication::processEvents();
    QCOMPARE(button->stateColour(StateColour::HotBackground), kHotFace);

    const QPalette original = QApplication::palette();
    // The later tests read the system colours they set up at the start.
    const auto restore = qScopeGuard([&original] { QApplication::setPalette(original); });
    QPalette changed = original;
    changed.setColor(QPalette::Button, QColor(0x30, 0x60, 0x90));
    QApplication::setPalette(changed); // the widgets hear of it from the event loop
    for (int i : {StateColour::HotBackground, StateColour::IdleBackground, StateColour::FocusBackground})
        QTRY_COMPARE(button->stateColour(i), QColor(0x30, 0x60, 0x90));
    QTest::mouseMove(button);
    QCOMPARE(at(shot(button), {5, 5}), QColor(0x30, 0x60, 0x90));
}

void TestIconButton::subclassingKeepsTheTemplateControl()
{
    TemplateDialog dialog(*FindDialogTemplate(ResId::MainDialog));
    dialog.dialog.show();
    DialogBuilder::ControlById(dialog.root, CtrlId::DeleteButton)->setEnabled(false);
    const QList<int> order = dialog.tabOrder();
    QHash<int, QPair<QRect, QString>> before;
    for (int id : kMainButtons) {
        auto *original = qobject_cast<QPushButton *>(DialogBuilder::ControlById(dialog.root, id));
        before[id] = {original->geometry(), original->text()};
    }
    for (int id : kMainButtons)
        QVERIFY(IconButton::SubclassDlgItem(id, dialog.root));
    for (int id : kMainButtons) {
        IconButton *button = dialog.button(id);
        QVERIFY(button);
        QCOMPARE(DialogBuilder::IdOf(button), id);
        QCOMPARE(button->geometry(), before[id].first);
        QCOMPARE(button->text(), before[id].second);
        QVERIFY(button->isVisible());
        QCOMPARE(button->isEnabled(), id != CtrlId::DeleteButton);
        QCOMPARE(IconButton::SubclassDlgItem(id, dialog.root), button); // already attached
    }
    QCOMPARE(dialog.root->findChildren<QPushButton *>().size(), 5);
    QCOMPARE(dialog.tabOrder(), order);
    QVERIFY(!IconButton::SubclassDlgItem(CtrlId::PageList, dialog.root));
    QVERIFY(!IconButton::SubclassDlgItem(4242, dialog.root));
}

void TestIconButton::subclassingReadsTheButtonType()
{
    TemplateDialog dialog(kHandTemplate);
    qobject_cast<QCheckBox *>(DialogBuilder::ControlById(dialog.root, 3))->setChecked(true);
    IconButton *ok = IconButton::SubclassDlgItem(1, dialog.root);
    IconButton *other = IconButton::SubclassDlgItem(2, dialog.root);
    IconButton *check = IconButton::SubclassDlgItem(3, dialog.root);
    QVERIFY(ok->isDefault() && !ok->isCheckBox());
    QVERIFY(!other->isDefault() && !other->isCheckBox());
    QVERIFY(check->isCheckBox() && !check->isDefault());
    QCOMPARE(check->GetCheckState(), 1);
    QCOMPARE(check->SetCheckState(0, true), 0);
    QCOMPARE(check->GetCheckState(), 0);

    // The dialog moves the default state between its buttons; the black frame of the
    // three-dimensional look follows it.
    dialog.dialog.show();
    for (IconButton *button : {ok, other})
        button->SetFlatLook(false, true);
    QCOMPARE(at(shot(ok), {0, 0}), QColor(Qt::black));
    other->setDefault(true);
    QVERIFY(!ok->isDefault());
    QCOMPARE(at(shot(ok), {0, 0}), kHighlight);
    QCOMPARE(at(shot(other), {0, 0}), QColor(Qt::black));
}

QTEST_MAIN(TestIconButton)
#include "tst_iconbutton.moc"
