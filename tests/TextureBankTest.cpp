#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "effects/LoadingScreen.h"
#include "services/TextureBank.h"
#include "tests/support/GLRecorder.h"
#include "tests/support/PngBytes.h"
#include "tests/support/RecordingBoxes.h"
#include "tests/support/SineOgg.h"
#include "tests/support/TempFolder.h"

namespace {

using Args = std::vector<double>;

// Runs each test in a fresh folder with a "data" folder in it, as the demo runs
// beside its data.
class TextureBankTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(dir.empty());
    std::filesystem::create_directory(dir + "/data");
    GLRecorder::Clear();
  }

  static void WritePicture(const std::string& path) {
    ASSERT_TRUE(PngWriter::Write(path, PngWriter::Rgb(2, 1, {1, 2, 3, 4, 5, 6})));
  }

  // The four parameters that every loaded texture gets, in this order.
  static void ExpectParametersFrom(int index) {
    const std::vector<GLCall>& calls = GLRecorder::Calls();
    const Args expected[] = {{GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR},
                             {GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR},
                             {GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP},
                             {GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP}};
    ASSERT_LE(index + 4, static_cast<int>(calls.size()));
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(calls[index + i].name, "glTexParameteri");
      EXPECT_EQ(calls[index + i].args, expected[i]);
    }
  }

  TempFolder folder{true};  // the test runs inside it
  const std::string dir = folder.path;
};

}  // namespace

TEST_F(TextureBankTest, SlotsInOrderWithTheirPaths) {
  const char* const names[64] = {
      "girl", "japo", "industry", "photos", "starfield", "star01", "star02", "star03", "planet01", "planet02",
      "planet03", "planet04", "sand", "water", "skyday", "le1", "le2", "gaussian", "circle01", "circle02",
      "skynight", "tunnel", "lamp01", "lamp02", "ring", "ring02", "layer01", "line01", "line02", "lyrics_ydi2",
      "lyrics_light", "lyrics_pollution", "lyrics_girl", "lyrics_ymi", "lyrics_ymi2", "lyrics_desert",
      "lyrics_whats", "lyrics_ocean", "lyrics_hereisalamp", "lyrics_whatisyourwish", "lyrics_agoodfriend",
      "lyrics_death", "lyrics_hate", "lyrics_wars", "lyrics_alone", "vantelquorix", "vantelquorix_arabic",
      "presents", "presents_arabic", "lumivane", "vqLogo", "pelmar", "drevko", "greets01", "greets02",
      "finalcredits", "ruxoparty", "background01", "background02", "background03", "background04",
      "background05", "background06", "background07"};
  ASSERT_EQ(Slot::Count, 64);
  TextureBank bank;
  std::size_t longest = 0;
  for (int slot = 0; slot < 64; ++slot) {
    SCOPED_TRACE(names[slot]);
    EXPECT_STREQ(kTextureSlotNames[slot], names[slot]);
    EXPECT_EQ(std::string(bank.entries[slot]->Name()), std::string("data/") + names[slot] + ".png");
    EXPECT_FALSE(bank.entries[slot]->Loaded());
    longest = std::max(longest, std::strlen(bank.entries[slot]->Name()));
  }
  EXPECT_EQ(longest, 30u);
  EXPECT_STREQ(bank.entries[Slot::lyrics_whatisyourwish]->Name(), "data/lyrics_whatisyourwish.png");
  EXPECT_STREQ(bank.entries[Slot::background07]->Name(), "data/background07.png");
}

TEST_F(TextureBankTest, ConstructionTouchesNeitherGlNorFiles) {
  RecordingBoxes boxes;
  TextureBank bank;
  EXPECT_TRUE(GLRecorder::Calls().empty());
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(TextureBankTest, FirstLoadCreatesUploadsSetsParametersAndLeavesItBound) {
  WritePicture("data/sand.png");
  RecordingBoxes boxes;
  TextureBank bank;
  TextureEntry* sand = bank.entries[Slot::sand];
  sand->Load();
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_TRUE(sand->Loaded());
  ASSERT_NE(sand->Id(), 0u);
  const std::vector<GLCall>& calls = GLRecorder::Calls();
  ASSERT_GE(calls.size(), 2u);
  EXPECT_EQ(calls[0].name, "glGenTextures");
  EXPECT_EQ(calls[1].name, "glBindTexture");
  EXPECT_EQ(calls[1].args, (Args{GL_TEXTURE_2D, double(sand->Id())}));
  const int upload = GLRecorder::Find("glTexImage2D");
  ASSERT_GT(upload, 1);
  EXPECT_EQ(GLRecorder::LastUpload().pixels, (std::vector<unsigned char>{1, 2, 3, 4, 5, 6}));
  ExpectParametersFrom(upload + 1);
  EXPECT_EQ(static_cast<int>(calls.size()), upload + 5);  // nothing binds another texture afterwards
}

TEST_F(TextureBankTest, SecondLoadNeitherReloadsNorBinds) {
  WritePicture("data/sand.png");
  WritePicture("data/water.png");
  RecordingBoxes boxes;
  TextureBank bank;
  bank.entries[Slot::sand]->Load();
  bank.entries[Slot::water]->Load();  // now water is bound
  GLRecorder::Calls().clear();
  std::filesystem::remove("data/sand.png");  // a reload would fail now and show a box
  bank.entries[Slot::sand]->Load();
  EXPECT_TRUE(GLRecorder::Calls().empty());
  EXPECT_TRUE(boxes.boxes.empty());
  bank.entries[Slot::sand]->Bind();
  EXPECT_EQ(GLRecorder::Calls().back().args, (Args{GL_TEXTURE_2D, double(bank.entries[Slot::sand]->Id())}));
  EXPECT_NE(bank.entries[Slot::sand]->Id(), bank.entries[Slot::water]->Id());
}

TEST_F(TextureBankTest, FailedLoadShowsOneBoxAndStillSetsTheParameters) {
  RecordingBoxes boxes;
  TextureBank bank;
  TextureEntry* ring = bank.entries[Slot::ring02];
  ring->Load();
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "Error while loading texture: data/ring02.png");
  EXPECT_EQ(boxes.boxes[0].caption, "QuorixSys: error message");
  EXPECT_EQ(boxes.boxes[0].style, 0x30u);
  EXPECT_TRUE(ring->Loaded());
  EXPECT_NE(ring->Id(), 0u);
  EXPECT_EQ(GLRecorder::Count("glTexImage2D"), 0);
  ExpectParametersFrom(GLRecorder::Find("glTexParameteri"));
  EXPECT_EQ(GLRecorder::Find("glBindTexture"), 1);
  // Later loads stay silent; Bind binds the empty texture object.
  ring->Load();
  EXPECT_EQ(boxes.boxes.size(), 1u);
  ring->Bind();
  EXPECT_EQ(GLRecorder::Calls().back().args, (Args{GL_TEXTURE_2D, double(ring->Id())}));
}

TEST_F(TextureBankTest, NotAPictureIsReportedLikeAMissingOne) {
  ASSERT_TRUE(PngWriter::WriteBytes("data/girl.png", {'G', 'I', 'F', '8', '9', 'a'}));
  RecordingBoxes boxes;
  TextureBank bank;
  bank.entries[Slot::girl]->Load();
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "Error while loading texture: data/girl.png");
}

TEST_F(TextureBankTest, LongPathsAreCutTo63Characters) {
  const std::string path = "data/" + std::string(70, 'x') + ".png";
  RecordingBoxes boxes;
  TextureEntry entry(path.c_str());
  EXPECT_EQ(std::string(entry.Name()), path.substr(0, 63));
  entry.Load();
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, ("Error while loading texture: " + path).substr(0, 63));
}

TEST_F(TextureBankTest, BindBeforeAnyLoadBindsZero) {
  TextureBank bank;
  bank.entries[Slot::tunnel]->Bind();
  ASSERT_EQ(GLRecorder::Calls().size(), 1u);
  EXPECT_EQ(GLRecorder::Calls()[0].args, (Args{GL_TEXTURE_2D, 0}));
}

TEST_F(TextureBankTest, ReloadGivesLoadedEntriesTheirPicturesUnderTheSameNames) {
  WritePicture("data/sand.png");
  RecordingBoxes boxes;
  TextureBank bank;
  bank.entries[Slot::sand]->Load();
  bank.entries[Slot::water]->Load();  // missing: one box
  const unsigned sandId = bank.entries[Slot::sand]->Id();
  const unsigned waterId = bank.entries[Slot::water]->Id();
  GLRecorder::Calls().clear();

  bank.Reload();
  EXPECT_EQ(boxes.boxes.size(), 1u);  // the failure was reported once, at the first Load
  EXPECT_EQ(GLRecorder::Count("glGenTextures"), 0);
  const std::vector<GLCall> binds = GLRecorder::Named("glBindTexture");
  ASSERT_EQ(binds.size(), 2u);  // only the two loaded entries
  EXPECT_EQ(binds[0].args, (Args{GL_TEXTURE_2D, double(sandId)}));
  EXPECT_EQ(binds[1].args, (Args{GL_TEXTURE_2D, double(waterId)}));
  EXPECT_EQ(GLRecorder::Count("glTexImage2D"), 1);
  EXPECT_EQ(GLRecorder::Count("glTexParameteri"), 8);
  EXPECT_EQ(GLRecorder::LastUpload().pixels, (std::vector<unsigned char>{1, 2, 3, 4, 5, 6}));
  EXPECT_TRUE(bank.entries[Slot::sand]->Loaded());
  EXPECT_FALSE(bank.entries[Slot::girl]->Loaded());
}

TEST_F(TextureBankTest, LoadingScreenDrawsTheUprightQuad) {
  WritePicture("data/load.png");
  RecordingBoxes boxes;
  DrawLoadingScreen();
  EXPECT_TRUE(boxes.boxes.empty());
  const std::vector<GLCall>& calls = GLRecorder::Calls();
  std::vector<std::string> names;
  for (const GLCall& c : calls) names.push_back(c.name);
  const std::vector<std::string> expected = {
      "glGenTextures", "glBindTexture", "glPixelStorei", "glTexImage2D", "glTexParameteri",
      "glTexParameteri", "glTexParameteri", "glTexParameteri", "glBindTexture", "glClearColor", "glClear",
      "glEnable", "glEnable", "glDisable", "glBlendFunc", "glLoadIdentity", "glTranslatef", "glColor4f",
      "glBegin", "glTexCoord2f", "glVertex3f", "glTexCoord2f", "glVertex3f", "glTexCoord2f", "glVertex3f",
      "glTexCoord2f", "glVertex3f", "glEnd", "glDisable", "glDisable", "glEnable"};
  ASSERT_EQ(names, expected);
  const double id = calls[1].args[1];
  EXPECT_EQ(calls[8].args, (Args{GL_TEXTURE_2D, id}));
  ExpectParametersFrom(4);
  EXPECT_EQ(calls[9].args, (Args{0, 0, 0, 0}));
  EXPECT_EQ(calls[10].args, (Args{GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT}));
  EXPECT_EQ(calls[11].args, (Args{GL_TEXTURE_2D}));
  EXPECT_EQ(calls[12].args, (Args{GL_BLEND}));
  EXPECT_EQ(calls[13].args, (Args{GL_DEPTH_TEST}));
  EXPECT_EQ(calls[14].args, (Args{GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA}));
  EXPECT_EQ(calls[16].args, (Args{0, 0, -5}));
  EXPECT_EQ(calls[17].args, (Args{1, 1, 1, 1}));
  EXPECT_EQ(calls[18].args, (Args{GL_QUADS}));
  const Args corners[] = {{1, 1}, {1, -1, 0}, {1, 0}, {1, 1, 0}, {0, 0}, {-1, 1, 0}, {0, 1}, {-1, -1, 0}};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(calls[19 + i].args, corners[i]) << i;
  EXPECT_EQ(calls[28].args, (Args{GL_TEXTURE_2D}));
  EXPECT_EQ(calls[29].args, (Args{GL_BLEND}));
  EXPECT_EQ(calls[30].args, (Args{GL_DEPTH_TEST}));
}

TEST_F(TextureBankTest, LoadingScreenWithoutItsPictureSaysSoAndDrawsAnyway) {
  RecordingBoxes boxes;
  DrawLoadingScreen();
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "Cannot load png");
  EXPECT_EQ(boxes.boxes[0].caption, "QuorixSys: error message");
  EXPECT_EQ(boxes.boxes[0].style, 0x30u);
  EXPECT_EQ(GLRecorder::Count("glTexParameteri"), 4);
  EXPECT_EQ(GLRecorder::Count("glVertex3f"), 4);
  EXPECT_EQ(GLRecorder::Calls().back().name, "glEnable");
}
