// What the program says to its user before or instead of its window: the
// help, the version, a refused option, a failure to start.
#pragma once

// Writes `text` to standard output, or to standard error when `isError`. A
// Windows program of the GUI subsystem has neither when started from a
// shortcut or Explorer: it then writes to the console of the command prompt
// that started it, and failing that shows the text in a message box, so that
// it is never lost.
void TellUser(const char *text, bool isError);
