#pragma once
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/Report.h"

// Message boxes that are recorded instead of shown; answers come from a queue
// (default: IDOK, or IDNO for questions). Installs itself as the process-wide
// boxes while it lives. With a `log` (a fake display's), each box goes there
// too, so that its place among the display's steps shows.
class RecordingBoxes : public MessageBoxes {
 public:
  struct Box {
    std::string text, caption;
    unsigned style;
  };
  RecordingBoxes() { SetMessageBoxes(this); }
  ~RecordingBoxes() override { SetMessageBoxes(nullptr); }
  int Show(const std::string& text, const std::string& caption, unsigned style) override {
    boxes.push_back({text, caption, style});
    if (log) log->push_back("box " + caption + ": " + text);
    if (!answers.empty()) {
      int a = answers.front();
      answers.erase(answers.begin());
      return a;
    }
    return (style & MB::YESNO) ? MB::IDNO : MB::IDOK;
  }
  std::vector<Box> boxes;
  std::vector<int> answers;
  std::vector<std::string>* log = nullptr;
};
