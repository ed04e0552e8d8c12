// The real terminal: ncursesw shows the text-screen model, and the raw bytes
// from the keyboard and the mouse become the console events MYREADKEY reads.
#pragma once

// Take over the terminal: locale, curses, input modes, mouse reporting, the
// extended keyboard protocols, the block cursor and the restoring signal
// handlers; CONSOLE becomes the terminal. When standard input or output is not
// a terminal, says so on standard error and returns false with nothing drawn.
bool TERMSTART();

// Give the terminal back exactly as it was found. Safe to call twice.
void TERMSTOP();

// At a safe point (between events, and every few thousand nodes of a search):
// carries out a pending Ctrl+Z, and says whether Ctrl+C or Ctrl+\ has asked
// the game to end. The next key read is then Esc.
bool TERMCHECK();

// TERMCHECK after reading what the terminal has sent, for the search's stop
// hook: some terminals send Ctrl+C as a key sequence, not as a signal.
bool TERMBREAK();
