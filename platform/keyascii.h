#pragma once

#include <QKeyEvent>

// The character a key press types into a text box, as one UTF-16 code unit: the text
// it carries, or for the keys that type control characters their code: Ctrl+A to
// Ctrl+Z 1 to 26, Backspace 8, Ctrl+Enter 10, Enter 13, Escape 27. With Alt held a key
// types nothing.
namespace KeyAscii {

inline constexpr char16_t None = 0;
inline constexpr char16_t SelectAll = 1; // Ctrl+A
inline constexpr char16_t Cut = 24;      // Ctrl+X
inline constexpr char16_t CtrlEnter = 10;
inline constexpr char16_t Enter = 13;

// None for a key that types no character, or more than one code unit.
char16_t typed(const QKeyEvent &event);

// A key press that types `code`: what a text box is sent in place of a typed key.
QKeyEvent typing(char16_t code);

} // namespace KeyAscii
