#pragma once

#include <QtCore/qnamespace.h>

namespace penlark {

// Qt keys as Windows virtual-key codes, the program's key vocabulary; 0 for keys it has no
// code for.
int virtualKeyOf(int qtKey);
// Ctrl 1 + Shift 2 + Alt 4.
int modifiersOf(Qt::KeyboardModifiers modifiers);
// Function keys and Ctrl combinations: keys a handler may claim before the widget or a
// desktop shortcut does.
bool isCommandKey(int virtualKey, int modifiers);

} // namespace penlark
