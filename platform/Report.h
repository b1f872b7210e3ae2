#pragma once
#include <string>

#include "platform/Platform.h"

// The process-wide message boxes: every failure report of the demo goes
// through here. Without an installed implementation the text goes to stderr.
void SetMessageBoxes(MessageBoxes* boxes);
int ShowMessageBox(const std::string& text, const std::string& caption, unsigned style);

// What the system reported behind a failure, as one line on stderr:
// "lumivane: <cause>". The boxes keep their own texts; this says why.
void ReportCause(const std::string& cause);
