// The key codes MYREADKEY gives, by name. A code is kind << 12 | modifiers
// << 8 | low byte: kind 0 carries the key's character, kind 2 a function
// number, kind 3 the PC scan code (set 1, US layout) of a key that lost its
// character. A character key's code is the character itself, so the program
// writes those as character literals ('+', 'n', 'X').
//
// The names live in a namespace, KEY::HOME and not KEY_HOME: curses.h defines
// KEY_HOME, KEY_ENTER and the other cursor keys as macros of its own.
#pragma once

#include <cstdint>

namespace KEY {

// Kinds (bits 12-15) and modifier bits (8-11); Shift sets both of its bits.
constexpr uint16_t KIND_FUNCTION = 0x2000;  // function and cursor-block keys
constexpr uint16_t KIND_SCAN = 0x3000;      // keys known by their scan code only
constexpr uint16_t MOD_SHIFT = 0x0300;
constexpr uint16_t MOD_CTRL = 0x0400;
constexpr uint16_t MOD_ALT = 0x0800;

// Character keys whose character is a control code.
constexpr uint16_t BACKSPACE = 0x0008;
constexpr uint16_t TAB = 0x0009;
constexpr uint16_t ENTER = 0x000D;  // also a left click on a board cell
constexpr uint16_t ESC = 0x001B;

// Ctrl+C, Ctrl+\ and Ctrl+Z as key sequences (kitty's protocol, modifyOtherKeys), where a
// terminal sends them instead of the signals; the input layer turns them into the signals' work.
constexpr uint16_t CTRL_C = MOD_CTRL | 0x03, CTRL_BACKSLASH = MOD_CTRL | 0x1C,
                   CTRL_Z = MOD_CTRL | 0x1A;

// Function keys: the function number is the key's number.
constexpr uint16_t F1 = KIND_FUNCTION | 1, F2 = KIND_FUNCTION | 2, F3 = KIND_FUNCTION | 3;
constexpr uint16_t F4 = KIND_FUNCTION | 4, F5 = KIND_FUNCTION | 5, F6 = KIND_FUNCTION | 6;
constexpr uint16_t F7 = KIND_FUNCTION | 7, F8 = KIND_FUNCTION | 8, F9 = KIND_FUNCTION | 9;
constexpr uint16_t F10 = KIND_FUNCTION | 10, F11 = KIND_FUNCTION | 11, F12 = KIND_FUNCTION | 12;
// The cursor block (also the keypad with Num Lock off).
constexpr uint16_t HOME = KIND_FUNCTION | 32;
constexpr uint16_t UP = KIND_FUNCTION | 33;
constexpr uint16_t PGUP = KIND_FUNCTION | 34;
constexpr uint16_t LEFT = KIND_FUNCTION | 35;
// A right click on a board cell; no key gives it.
constexpr uint16_t RIGHT_CLICK = KIND_FUNCTION | 36;
constexpr uint16_t RIGHT = KIND_FUNCTION | 37;
constexpr uint16_t END = KIND_FUNCTION | 38;
constexpr uint16_t DOWN = KIND_FUNCTION | 39;
constexpr uint16_t PGDN = KIND_FUNCTION | 40;
constexpr uint16_t INS = KIND_FUNCTION | 41;
constexpr uint16_t DEL = KIND_FUNCTION | 42;

// Scan codes of the keys that the decoder and the codes below turn into kind 3.
constexpr uint8_t SCAN_ESC = 0x01, SCAN_1 = 0x02, SCAN_8 = 0x09, SCAN_BACKSPACE = 0x0E;
constexpr uint8_t SCAN_TAB = 0x0F, SCAN_ENTER = 0x1C, SCAN_N = 0x31;

// With modifiers: the skill steps, the exchange of glyphs, the obstacle game.
constexpr uint16_t SHIFT_F1 = MOD_SHIFT | F1;               // 2301
constexpr uint16_t SHIFT_F12 = MOD_SHIFT | F12;             // 230C
constexpr uint16_t CTRL_1 = KIND_SCAN | MOD_CTRL | SCAN_1;  // 3402
constexpr uint16_t CTRL_8 = KIND_SCAN | MOD_CTRL | SCAN_8;  // 3409
// The depth steps again, for terminals that send Ctrl+1 as "1" and Ctrl+8 as Backspace.
constexpr uint16_t ALT_1 = KIND_SCAN | MOD_ALT | SCAN_1;          // 3802
constexpr uint16_t ALT_8 = KIND_SCAN | MOD_ALT | SCAN_8;          // 3809
constexpr uint16_t SHIFT_TAB = KIND_SCAN | MOD_SHIFT | SCAN_TAB;  // 330F
constexpr uint16_t ALT_N = KIND_SCAN | MOD_ALT | SCAN_N;          // 3831

}  // namespace KEY
