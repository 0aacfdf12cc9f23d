#pragma once

class QKeyEvent;

namespace qw {

// What a key asks of the break point history: Ctrl+Z undoes; Ctrl+Shift+Z and Ctrl+Y redo.
enum class HistoryKey { None, Undo, Redo };
HistoryKey HistoryKeyOf(const QKeyEvent *key);

} // namespace qw
