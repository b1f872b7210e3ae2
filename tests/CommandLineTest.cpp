#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "app/CommandLine.h"
#include "window/GLWindow.h"
#include "window/SetupChoices.h"

namespace {

CommandLine Parse(const std::vector<const char*>& args) {
  std::vector<const char*> argv = {"lumivane"};
  argv.insert(argv.end(), args.begin(), args.end());
  return ParseCommandLine(static_cast<int>(argv.size()), argv.data());
}

// What the window would be set to when the options stand in for the dialog.
struct Chosen {
  int width, height, bits;
  bool fullscreen, sound;
  bool desktop = false;
  auto Tie() const { return std::make_tuple(width, height, bits, fullscreen, sound, desktop); }
};

void ExpectSettings(const CommandLine& line, const Chosen& expected) {
  ASSERT_TRUE(line.error.empty()) << line.error;
  FixedSetupDialog dialog(line.controls);
  GLWindow window(nullptr, &dialog);
  EXPECT_TRUE(window.ShowSetupDialog());
  const Chosen got{window.width, window.height, window.bits, window.fullscreen, window.sound, window.desktop};
  // As width, height, bits, fullscreen, sound, desktop.
  EXPECT_EQ(got.Tie(), expected.Tie());
}

}  // namespace

TEST(CommandLine, NoArgumentsAsksTheDialog) {
  const CommandLine line = Parse({});
  EXPECT_FALSE(line.skipDialog);
  EXPECT_FALSE(line.help);
  EXPECT_TRUE(line.error.empty());
}

TEST(CommandLine, AnyOptionSkipsTheDialogAndStartsFromItsChoices) {
  const CommandLine line = Parse({"--no-sound"});
  EXPECT_TRUE(line.skipDialog);
  ExpectSettings(line, {800, 600, 32, true, false});
  ExpectSettings(Parse({"--fullscreen"}), {800, 600, 32, true, true});
  ExpectSettings(Parse({"--windowed"}), {800, 600, 32, false, true});
}

TEST(CommandLine, SizesDepthsAndCombinations) {
  ExpectSettings(Parse({"--size", "640x480"}), {640, 480, 32, true, true});
  ExpectSettings(Parse({"--size", "1024x768", "--bits", "16"}), {1024, 768, 16, true, true});
  ExpectSettings(Parse({"--windowed", "--size=1024x768", "--bits=16", "--no-sound"}), {1024, 768, 16, false, false});
  ExpectSettings(Parse({"--bits", "32", "--size", "800x600", "--windowed"}), {800, 600, 32, false, true});
  ExpectSettings(Parse({"--size", "1280x720"}), {1280, 720, 32, true, true});
  ExpectSettings(Parse({"--windowed", "--size=320x240"}), {320, 240, 32, false, true});
  ExpectSettings(Parse({"--size", "16384x16384"}), {16384, 16384, 32, true, true});
}

// Desktop fullscreen keeps --size for the window that F1 goes to; --windowed
// starts in that window, and --fullscreen asks for the mode switch again.
TEST(CommandLine, DesktopFullscreen) {
  ExpectSettings(Parse({"--desktop"}), {800, 600, 32, true, true, true});
  ExpectSettings(Parse({"--desktop", "--size", "1280x720"}), {1280, 720, 32, true, true, true});
  ExpectSettings(Parse({"--desktop", "--windowed"}), {800, 600, 32, false, true, true});
  ExpectSettings(Parse({"--desktop", "--fullscreen"}), {800, 600, 32, true, true, false});
}

TEST(CommandLine, TheLastOfConflictingOptionsWins) {
  ExpectSettings(Parse({"--windowed", "--fullscreen"}), {800, 600, 32, true, true});
  ExpectSettings(Parse({"--fullscreen", "--windowed"}), {800, 600, 32, false, true});
  ExpectSettings(Parse({"--size", "640x480", "--size", "1024x768"}), {1024, 768, 32, true, true});
  ExpectSettings(Parse({"--size", "640x480", "--size", "1280x720"}), {1280, 720, 32, true, true});
  ExpectSettings(Parse({"--size", "1280x720", "--size", "640x480"}), {640, 480, 32, true, true});
  ExpectSettings(Parse({"--bits", "16", "--bits", "32"}), {800, 600, 32, true, true});
}

TEST(CommandLine, HelpIsRecognised) {
  EXPECT_TRUE(Parse({"--help"}).help);
  EXPECT_TRUE(Parse({"--windowed", "-h"}).help);
  EXPECT_NE(std::string(CommandLineHelp()).find("--size WxH"), std::string::npos);
  EXPECT_NE(std::string(CommandLineHelp()).find("--desktop"), std::string::npos);
}

TEST(CommandLine, BadValuesAndUnknownOptionsAreRefusedWithAClearMessage) {
  struct Case {
    std::vector<const char*> args;
    const char* message;
  };
  const std::vector<Case> cases = {
      {{"--size", "319x240"}, "unsupported size '319x240' (use WxH from 320x240 up to 16384x16384)"},
      {{"--size", "320x239"}, "unsupported size '320x239' (use WxH from 320x240 up to 16384x16384)"},
      {{"--size", "16385x768"}, "unsupported size '16385x768' (use WxH from 320x240 up to 16384x16384)"},
      {{"--size", "800"}, "unsupported size '800' (use WxH from 320x240 up to 16384x16384)"},
      {{"--size", "800x"}, "unsupported size '800x' (use WxH from 320x240 up to 16384x16384)"},
      {{"--size", "x600"}, "unsupported size 'x600' (use WxH from 320x240 up to 16384x16384)"},
      {{"--size", "+800x600"}, "unsupported size '+800x600' (use WxH from 320x240 up to 16384x16384)"},
      {{"--size", "800X600"}, "unsupported size '800X600' (use WxH from 320x240 up to 16384x16384)"},
      {{"--size", "800x600x32"}, "unsupported size '800x600x32' (use WxH from 320x240 up to 16384x16384)"},
      {{"--size", "99999999999x600"}, "unsupported size '99999999999x600' (use WxH from 320x240 up to 16384x16384)"},
      {{"--size="}, "unsupported size '' (use WxH from 320x240 up to 16384x16384)"},
      {{"--bits", "24"}, "unsupported colour depth '24' (use 16 or 32)"},
      {{"--bits=8"}, "unsupported colour depth '8' (use 16 or 32)"},
      {{"--windowed", "--size"}, "option --size needs a value"},
      {{"--bits"}, "option --bits needs a value"},
      {{"--no-sound=yes"}, "option --no-sound takes no value"},
      {{"--window"}, "unknown option '--window'"},
      {{"-w"}, "unknown option '-w'"},
      {{"800x600"}, "unexpected argument '800x600'"},
  };
  for (const Case& c : cases) EXPECT_EQ(Parse(c.args).error, c.message) << c.args.back();
}
