// The console events' source, shared by the presenter that sets it and the
// input unit that reads it.
#include "console.h"

ConsoleInput* CONSOLE = nullptr;
