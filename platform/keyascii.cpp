#include "keyascii.h"

namespace KeyAscii {

namespace {

constexpr char16_t Backspace = 8;
constexpr char16_t Escape = 27;

bool isLetterKey(int key)
{
    return key >= Qt::Key_A && key <= Qt::Key_Z;
}

} // namespace

char16_t typed(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if (modifiers.testFlag(Qt::AltModifier))
        return None;
    const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
    const int key = event.key();
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return ctrl ? CtrlEnter : Enter;
    case Qt::Key_Backspace:
        return ctrl ? None : Backspace;
    case Qt::Key_Escape:
        return Escape;
    default:
        break;
    }
    if (ctrl)
        return isLetterKey(key) ? static_cast<char16_t>(key - Qt::Key_A + 1) : None;
    const QString text = event.text();
    if (text.size() != 1 || !text.at(0).isPrint())
        return None;
    return text.at(0).unicode();
}

QKeyEvent typing(char16_t code)
{
    const QString text(QChar{code});
    switch (code) {
    case Backspace:
        return QKeyEvent(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier, text);
    case CtrlEnter:
        return QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::ControlModifier, text);
    case Enter:
        return QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, text);
    case Escape:
        return QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, text);
    default:
        break;
    }
    if (code >= 1 && code <= 26)
        return QKeyEvent(QEvent::KeyPress, Qt::Key_A + code - 1, Qt::ControlModifier, text);
    return QKeyEvent(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
}

} // namespace KeyAscii
