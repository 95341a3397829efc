// Why the main window could not be created, in a few words for stderr.
#pragma once

const char *WindowFailureReason();
