#include "HistoryKey.h"

#include <QKeyEvent>

namespace qw {

HistoryKey HistoryKeyOf(const QKeyEvent *key)
{
    // Keypad keys carry a flag of their own that says nothing about the key asked for.
    const Qt::KeyboardModifiers held = key->modifiers() & ~Qt::KeypadModifier;
    if (key->key() == Qt::Key_Z && held == Qt::ControlModifier)
        return HistoryKey::Undo;
    if ((key->key() == Qt::Key_Z && held == (Qt::ControlModifier | Qt::ShiftModifier))
        || (key->key() == Qt::Key_Y && held == Qt::ControlModifier))
        return HistoryKey::Redo;
    return HistoryKey::None;
}

} // namespace qw
