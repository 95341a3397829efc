// Why a start-up step failed, in a few words for stderr.
#pragma once

#include "platform/win32.h"

// The system's text for an error code, one line without its final full stop;
// "system error N" when the system has none.
const char *ErrorText(DWORD error);
// Why the main window could not be created: the portable layer's own account
// where it has one (such as "no display; ..."), else the system's text.
const char *WindowFailureReason();
