#pragma once

#include "res/DialogTemplates.h"

#include <QHash>
#include <QWidget>

namespace qw {

class DialogUnits;

// Creates the controls of a dialog template as children of `parent`, at the template's
// positions mapped from dialog units, in template (tab) order, with their texts in the user's
// language. Each control carries its id,
// so code finds it with ControlById as it would find a dialog item.
class DialogBuilder {
public:
    static QList<QWidget *> BuildControls(const DialogTemplate &dialog, QWidget *parent, const DialogUnits &units);
    // Makes `window` the fixed-size box of a modal-frame template: caption, close box, the
    // template's font, its controls, and its size in dialog units of that font, wider only where
    // a translated text needs it.
    static void BuildFixedDialog(const DialogTemplate &dialog, QWidget *window);

    // The first descendant of `root` that carries `id`, or nullptr. Static controls without
    // an id are never found.
    static QWidget *ControlById(const QWidget *root, int id);
    // The id a control was built with, or 0 for a widget the builder did not make.
    static int IdOf(const QWidget *control);
    // A text of `dialog` (a control's or its caption) in the user's language; the template's
    // English text where no translation has it.
    static QString TranslatedText(const DialogTemplate &dialog, const char *text);

    // Puts `replacement` where `original` is, as the same dialog item: its dynamic properties
    // (the id among them), name, geometry, size policy, a font set on it, enabled and shown
    // state, stacking, place in the tab order and in a layout. The caller deletes `original`.
    static void TakePlace(QWidget &replacement, QWidget &original);

private:
    // Widens each control whose translated text does not fit, moving what stands to its right
    // on its line; gives how much wider the box must be. English texts keep the template's sizes.
    static int WidenForTranslations(const DialogTemplate &dialog, const QList<QWidget *> &controls);
    static QWidget *CreateControl(const DialogTemplate &dialog, const DialogControl &control, QWidget *parent);
};

} // namespace qw
