#include "platform/Report.h"

#include <cstdio>

namespace {
MessageBoxes* current = nullptr;
}

void SetMessageBoxes(MessageBoxes* boxes) { current = boxes; }

int ShowMessageBox(const std::string& text, const std::string& caption, unsigned style) {
  if (current) return current->Show(text, caption, style);
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
  return (style & MB::YESNO) ? MB::IDNO : MB::IDOK;
}

void ReportCause(const std::string& cause) { std::fprintf(stderr, "lumivane: %s\n", cause.c_str()); }
