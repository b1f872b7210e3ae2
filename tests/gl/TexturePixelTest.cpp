#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "effects/LoadingScreen.h"
#include "effects/PictureQuad.h"
#include "services/TextureBank.h"
#include "tests/gl/PixelTestSupport.h"
#include "tests/support/PngBytes.h"
#include "tests/support/RecordingBoxes.h"
#include "tests/support/SineOgg.h"
#include "tests/support/TempFolder.h"

namespace {

// A 2x2 picture: top row red, green; bottom row blue, yellow.
const std::vector<unsigned char> kQuadrants = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0};

class TexturePixelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(folder.path.empty());
    std::filesystem::create_directory(folder / "data");
  }

  // A window of this size, then the test inside the temporary folder (the
  // window goes to the real data folder's) with data/NAME showing kQuadrants.
  GLTestWindow& OpenWithQuadrants(int width, int height, const char* name) {
    window = std::make_unique<GLTestWindow>(width, height);
    EXPECT_TRUE(window->ok);
    EXPECT_TRUE(inside.Enter(folder.path));
    EXPECT_TRUE(PngWriter::Write(std::string("data/") + name, PngWriter::Rgb(2, 2, kQuadrants)));
    return *window;
  }

  // The demo's picture quad over the whole viewport, textured with what is bound.
  static void DrawPicture() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-1, 1, -1, 1, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 1);
    DrawPictureQuad(1.0f, 1.0f);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
  }

  // Quadrant centres lie near texel centres: the colours come out nearly pure.
  static void ExpectQuadrants(GLTestWindow& w) {
    const int x0 = w.window.width / 4, x1 = 3 * w.window.width / 4;
    const int y0 = w.window.height / 4, y1 = 3 * w.window.height / 4;
    EXPECT_TRUE(Near(w.At(x0, y0), 255, 0, 0, 16)) << "top left";
    EXPECT_TRUE(Near(w.At(x1, y0), 0, 255, 0, 16)) << "top right";
    EXPECT_TRUE(Near(w.At(x0, y1), 0, 0, 255, 16)) << "bottom left";
    EXPECT_TRUE(Near(w.At(x1, y1), 255, 255, 0, 16)) << "bottom right";
  }

  TempFolder folder;
  std::unique_ptr<GLTestWindow> window;
  WorkingFolder inside;  // left before the window goes
};

}  // namespace

TEST_F(TexturePixelTest, FirstImageRowShowsAtTheTop) {
  GLTestWindow& w = OpenWithQuadrants(64, 48, "sand.png");
  ASSERT_FALSE(HasFailure());
  RecordingBoxes boxes;
  TextureBank bank;
  bank.entries[Slot::sand]->Load();
  EXPECT_TRUE(boxes.boxes.empty());
  DrawPicture();
  ExpectQuadrants(w);
}

// What the fullscreen toggle does: the window and its context are made anew,
// then the bank gives the loaded textures back under their old names.
TEST_F(TexturePixelTest, TexturesComeBackAfterTheContextIsMadeAnew) {
  GLTestWindow& w = OpenWithQuadrants(64, 48, "sand.png");
  ASSERT_FALSE(HasFailure());
  std::vector<unsigned char> blue;
  for (int i = 0; i < 4; ++i) blue.insert(blue.end(), {0, 0, 255, 255});
  ASSERT_TRUE(PngWriter::Write("data/water.png", PngWriter::Rgb(2, 2, blue, true)));
  RecordingBoxes boxes;
  TextureBank bank;
  bank.entries[Slot::sand]->Load();
  bank.entries[Slot::water]->Load();

  w.window.Destroy();
  ASSERT_TRUE(w.window.Create());
  bank.entries[Slot::sand]->Bind();
  DrawPicture();
  GLTestWindow::Pixel lost = w.At(16, 16);  // the new context has no such texture: drawn untextured
  EXPECT_EQ(lost.r + lost.g + lost.b, 3 * 255);

  bank.Reload();
  // Textures made in the new context take names that the old ones do not hold.
  GLuint fresh = 0;
  glGenTextures(1, &fresh);
  EXPECT_NE(fresh, bank.entries[Slot::sand]->Id());
  EXPECT_NE(fresh, bank.entries[Slot::water]->Id());
  bank.entries[Slot::sand]->Bind();
  DrawPicture();
  ExpectQuadrants(w);
  bank.entries[Slot::water]->Bind();
  DrawPicture();
  GLTestWindow::Pixel p = w.At(32, 24);
  EXPECT_EQ(p.r, 0);
  EXPECT_EQ(p.b, 255);
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(TexturePixelTest, LoadingScreenShowsItsPictureUprightInTheMiddle) {
  GLTestWindow& w = OpenWithQuadrants(640, 480, "load.png");
  ASSERT_FALSE(HasFailure());
  RecordingBoxes boxes;
  DrawLoadingScreen();
  EXPECT_TRUE(boxes.boxes.empty());
  // The square spans about 48.3 % of the height (232 pixels of 480), centred.
  GLTestWindow::Pixel p = w.At(320 - 58, 240 - 58);
  EXPECT_GT(p.r, 200);
  EXPECT_LT(p.g + p.b, 40);
  p = w.At(320 + 58, 240 + 58);
  EXPECT_GT(p.r + p.g, 400);
  EXPECT_LT(p.b, 40);
  for (auto xy : {std::pair<int, int>{320, 240 - 122}, {320, 240 + 122}, {320 - 122, 240}, {320 + 122, 240}, {5, 5}}) {
    p = w.At(xy.first, xy.second);
    EXPECT_EQ(p.r + p.g + p.b, 0) << xy.first << "," << xy.second;
  }
  p = w.At(320, 240 - 110);  // inside, near the top edge
  EXPECT_GT(p.r + p.g, 100);
  EXPECT_EQ(glIsEnabled(GL_DEPTH_TEST), GL_TRUE);
  EXPECT_EQ(glIsEnabled(GL_TEXTURE_2D), GL_FALSE);
  EXPECT_EQ(glIsEnabled(GL_BLEND), GL_FALSE);
}
