#pragma once
// Starting another program, as the system's WinExec does: the command line is not quoted (the
// system tries the blank-separated prefixes in turn), the program's main window gets the show
// mode, and the caller waits only until the program is ready for input (at most 30 seconds),
// never for it to end.
#include <functional>
#include "platform/rtl/String.h"

// Above 31 when the program started; otherwise the system's reason, as WinExec gives it
// (2 file not found, 3 path not found, 11 not a program, 0 out of resources).
unsigned WinExecCommand(const String& commandLine, int show);
inline bool WinExecSucceeded(unsigned result) { return result > 31; }

// One argument of a command line as the C runtime reads it back: in quotes, with a quote inside
// and the backslashes before a quote escaped. Blanks then stay inside the argument.
String QuoteCommandArgument(const String& argument);

// Tests see the command lines started in place of the system; an empty function restores it.
using TProcessStarter = std::function<unsigned(const String& commandLine, int show)>;
void SetProcessStarter(TProcessStarter starter);
