#pragma once
#include <string>

#include "platform/Platform.h"

// The process-wide message boxes: every failure report of the demo goes
// through here. Without an installed implementation the text goes to stderr.
void SetMessageBoxes(MessageBoxes* boxes);
int ShowMessageBox(const std::string& text, const std::string& caption, unsigned style);
