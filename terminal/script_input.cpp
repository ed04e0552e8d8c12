// The scripted console used by tests of MYREADKEY and of the command loop.
#include "script_input.h"

void ScriptInput::PushKey(uint16_t code, bool samePass) {
  if (count < CAP) items[count++] = Item{true, samePass, code, MouseEvent{}};
}

void ScriptInput::PushMouse(uint16_t buttons, uint16_t x, uint16_t y, uint16_t action) {
  if (count < CAP) items[count++] = Item{false, false, 0, MouseEvent{buttons, x, y, action}};
  held = buttons;
}

void ScriptInput::PushClick(uint16_t x, uint16_t y, bool right) {
  uint16_t b = right ? MOUSERIGHT : MOUSELEFT;
  PushMouse(uint16_t(held | b), x, y, MOUSEPRESS);
  PushMouse(uint16_t(held & ~b), x, y, MOUSERELEASE);
}

// MYREADKEY asks for the mouse first in every pass, so this marks a new pass.
bool ScriptInput::PollMouseEvent() {
  mouseThisPass = false;
  return next < count && !items[next].isKey;
}

MouseEvent ScriptInput::GetMouseEvent() {
  mouseThisPass = true;
  return items[next++].mouse;
}

bool ScriptInput::PollKeyEvent() {
  if (next < count) return items[next].isKey && (!mouseThisPass || items[next].samePass);
  return !mouseThisPass;  // the endless Esc after the script
}

uint16_t ScriptInput::GetKeyEvent() {
  if (next < count) return items[next++].key;
  escapes++;
  return 0x001B;
}

void ScriptInput::WaitForEvent() { waits++; }
