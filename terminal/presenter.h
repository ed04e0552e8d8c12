// Shows the text-screen model on the curses screen, sending only the cells
// that changed since the last showing.
#pragma once

void PRESENTINIT();   // after curses has started: colours, and a full first showing
void PRESENT();       // bring the terminal up to date with the model and place the cursor
void PRESENTAGAIN();  // the terminal was resized: the next PRESENT repaints everything
bool PRESENTSMALL();  // the terminal is smaller than 80x25 and shows only the request to enlarge it
