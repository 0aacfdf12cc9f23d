#include "DialogBuilder.h"

#include "DialogUnits.h"
#include "ResourceStore.h"
#include "res/ResourceIds.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QStyle>
#include <QTreeView>

#include <algorithm>

namespace qw {

namespace {

constexpr const char *kIdProperty = "controlId";

QWidget *createButton(const DialogControl &control, const QString &text, QWidget *parent)
{
    switch (control.style & WinStyle::ButtonKindMask) {
    case WinStyle::AutoCheckBox: return new QCheckBox(text, parent);
    case WinStyle::AutoRadioButton: return new QRadioButton(text, parent);
    default: {
        auto *button = new QPushButton(text, parent);
        // Only the template's default button answers Enter when another control has the focus.
        button->setAutoDefault(false);
        button->setDefault((control.style & WinStyle::ButtonKindMask) == WinStyle::DefPushButton);
        return button;
    }
    }
}

QWidget *createStatic(const DialogControl &control, const QString &text, QWidget *parent)
{
    const std::uint32_t kind = control.style & WinStyle::StaticKindMask;
    if (kind == WinStyle::EtchedHorizontal) {
        auto *line = new QFrame(parent);
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Sunken);
        return line;
    }
    auto *label = new QLabel(parent);
    if (kind == WinStyle::IconStatic) {
        label->setPixmap(ResourceStore::LoadIcon(control.iconId).pixmap(32, 32));
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    } else {
        label->setTextFormat(Qt::PlainText);
        label->setText(text);
    }
    return label;
}

QWidget *createListView(QWidget *parent)
{
    // A view: the dialog that owns the list gives it the model it shows.
    auto *list = new QTreeView(parent);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setItemsExpandable(false);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->header()->setSectionsMovable(false);
    return list;
}

} // namespace

QWidget *DialogBuilder::CreateControl(const DialogTemplate &dialog, const DialogControl &control, QWidget *parent)
{
    const QString text = TranslatedText(dialog, control.text);
    switch (control.controlClass) {
    case ControlClass::Button: return createButton(control, text, parent);
    case ControlClass::Static: return createStatic(control, text, parent);
    case ControlClass::Edit: {
        auto *edit = new QLineEdit(text, parent);
        return edit;
    }
    case ControlClass::ComboBox: {
        auto *combo = new QComboBox(parent);
        combo->setEditable(control.style & WinStyle::DropDown);
        combo->addItems(control.items);
        combo->setCurrentIndex(-1);
        return combo;
    }
    case ControlClass::ListView: return createListView(parent);
    }
    return nullptr;
}

QList<QWidget *> DialogBuilder::BuildControls(const DialogTemplate &dialog, QWidget *parent, const DialogUnits &units)
{
    QList<QWidget *> controls;
    QWidget *previous = nullptr;
    for (const DialogControl &control : dialog.controls) {
        QWidget *widget = CreateControl(dialog, control, parent);
        widget->setProperty(kIdProperty, control.id);
        QRect rect = units.ToPixels(control.rect);
        // A drop-down combo box's template height includes its list; the box itself is one line.
        if (control.controlClass == ControlClass::ComboBox)
            rect.setHeight(widget->sizeHint().height());
        widget->setGeometry(rect);
        const bool tabStop = control.style & WinStyle::TabStop;
        const bool radio = control.controlClass == ControlClass::Button
                           && (control.style & WinStyle::ButtonKindMask) == WinStyle::AutoRadioButton;
        if (!tabStop && !radio && control.controlClass != ControlClass::Static)
            widget->setFocusPolicy(Qt::ClickFocus);
        if (previous && widget->focusPolicy() & Qt::TabFocus)
            QWidget::setTabOrder(previous, widget);
        if (widget->focusPolicy() & Qt::TabFocus)
            previous = widget;
        controls.append(widget);
    }
    return controls;
}

void DialogBuilder::BuildFixedDialog(const DialogTemplate &dialog, QWidget *window)
{
    window->setWindowTitle(TranslatedText(dialog, dialog.caption));
    window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                           | Qt::WindowCloseButtonHint);
    window->setFont(QFont(QString::fromLatin1(dialog.fontName), dialog.pointSize));
    const DialogUnits units = DialogUnits::ForFont(window->font());
    const QList<QWidget *> controls = BuildControls(dialog, window, units);
    QSize size = units.ToPixels(dialog.size);
    size.rwidth() += WidenForTranslations(dialog, controls);
    window->setFixedSize(size);
}

namespace {

// The width a control's text needs as it draws it: its widest line, and what the control
// draws beside it.
int neededWidth(const QWidget *control, const QString &text)
{
    // "&&" draws one ampersand; a single "&" only marks the access key.
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        shown += text.at(i);
    }
    const QFontMetrics metrics(control->font());
    int width = 0;
    for (const QString &line : shown.split(QLatin1Char('\n')))
        width = qMax(width, metrics.horizontalAdvance(line));
    // A check box or radio button needs what its style asks for: the indicator, the spacing, a
    // focus frame. A push button's hint has a least width that no text needs.
    if (qobject_cast<const QCheckBox *>(control) || qobject_cast<const QRadioButton *>(control))
        return control->sizeHint().width();
    if (qobject_cast<const QPushButton *>(control))
        return width + 2 * control->style()->pixelMetric(QStyle::PM_ButtonMargin);
    if (const auto *label = qobject_cast<const QLabel *>(control); label && label->wordWrap())
        return 0; // it wraps instead
    return width;
}

bool sideBySide(const QRect &a, const QRect &b)
{
    return a.top() <= b.bottom() && b.top() <= a.bottom();
}

} // namespace

int DialogBuilder::WidenForTranslations(const DialogTemplate &dialog, const QList<QWidget *> &controls)
{
    // The template's sizes are the English texts' own: only a translated text is measured.
    QList<int> order;
    for (int i = 0; i < controls.size(); ++i)
        order << i;
    std::sort(order.begin(), order.end(), [&](int a, int b) { return controls.at(a)->x() < controls.at(b)->x(); });
    int rightmost = 0;
    for (const QWidget *control : controls)
        rightmost = qMax(rightmost, control->geometry().right());
    QSet<const QWidget *> placed; // widened or moved by a neighbour
    for (int index : order) {
        const char *english = dialog.controls[size_t(index)].text;
        QWidget *control = controls.at(index);
        if (!english || !*english || TranslatedText(dialog, english) == QString::fromUtf8(english))
            continue;
        const int over = neededWidth(control, TranslatedText(dialog, english)) - control->width();
        if (over <= 0)
            continue;
        const QRect before = control->geometry();
        control->resize(control->width() + over, control->height());
        placed << control;
        // What stands to its right on its line moves along, so that nothing overlaps.
        for (QWidget *other : controls)
            if (other != control && other->x() > before.right() && sideBySide(before, other->geometry())) {
                other->move(other->x() + over, other->y());
                placed << other;
            }
    }
    int widest = 0;
    for (const QWidget *control : controls)
        widest = qMax(widest, control->geometry().right());
    const int growth = qMax(0, widest - rightmost);
    if (growth == 0)
        return 0;
    // Controls that reached the right margin still do: buttons move, lines across the box grow.
    for (QWidget *control : controls) {
        if (placed.contains(control) || control->geometry().right() < rightmost - 1)
            continue;
        if (qobject_cast<QFrame *>(control) && !qobject_cast<QLabel *>(control))
            control->resize(control->width() + growth, control->height());
        else
            control->move(control->x() + growth, control->y());
    }
    return growth;
}

QString DialogBuilder::TranslatedText(const DialogTemplate &dialog, const char *text)
{
    // An empty text has no entry; a translator would be asked for its header otherwise.
    if (!text || !*text)
        return QString();
    return QCoreApplication::translate(dialog.translationContext, text);
}

QWidget *DialogBuilder::ControlById(const QWidget *root, int id)
{
    if (!root || id == CtrlId::Static)
        return nullptr;
    const auto children = root->findChildren<QWidget *>();
    for (QWidget *child : children)
        if (child->property(kIdProperty).toInt() == id)
            return child;
    return nullptr;
}

int DialogBuilder::IdOf(const QWidget *control)
{
    return control ? control->property(kIdProperty).toInt() : 0;
}

void DialogBuilder::TakePlace(QWidget &replacement, QWidget &original)
{
    // Dynamic properties carry the control's id, so the dialog still finds the control by it.
    for (const QByteArray &name : original.dynamicPropertyNames())
        replacement.setProperty(name.constData(), original.property(name.constData()));
    replacement.setObjectName(original.objectName());
    replacement.setGeometry(original.geometry());
    replacement.setSizePolicy(original.sizePolicy());
    if (original.testAttribute(Qt::WA_SetFont))
        replacement.setFont(original.font());
    replacement.setEnabled(!original.testAttribute(Qt::WA_ForceDisabled));
    if (original.testAttribute(Qt::WA_WState_ExplicitShowHide) || original.isVisible())
        replacement.setVisible(!original.isHidden());
    replacement.stackUnder(&original);
    // Right after the old control in the focus chain, it takes its place there once the old
    // one is gone.
    QWidget::setTabOrder(&original, &replacement);
    if (QWidget *parent = replacement.parentWidget(); parent && parent->layout())
        parent->layout()->replaceWidget(&original, &replacement);
}

} // namespace qw
