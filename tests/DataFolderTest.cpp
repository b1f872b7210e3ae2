#include "services/DataFolder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <string>

#include "services/MusicPlayer.h"
#include "services/TextureBank.h"
#include "services/TriModel.h"
#include "tests/support/FakeAudioOut.h"
#include "tests/support/GLRecorder.h"
#include "tests/support/PngBytes.h"
#include "tests/support/RecordingBoxes.h"
#include "tests/support/SineOgg.h"
#include "tests/support/TempFolder.h"

namespace {

namespace fs = std::filesystem;

class DataFolderTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(dir.empty()); }
  void TearDown() override { SetDataFolder("data"); }
  TempFolder folder{true};  // the test's chdirs end in the folder it started in
  const std::string dir = folder.path;
};

}  // namespace

TEST_F(DataFolderTest, WorkingFolderThenBesideTheProgramThenItsShareFolder) {
  const std::string bin = dir + "/prefix/bin/";
  fs::create_directories(bin);
  fs::create_directories(dir + "/elsewhere");
  ASSERT_EQ(chdir((dir + "/elsewhere").c_str()), 0);

  EXPECT_EQ(FindDataFolder(bin), "data");  // none: the usual names, reported missing later
  EXPECT_EQ(FindDataFolder(""), "data");
  fs::create_directories(dir + "/prefix/share/lumivane");
  ASSERT_TRUE(PngWriter::WriteBytes(bin + "../share/lumivane/data", {1}));  // a file is not a folder
  EXPECT_EQ(FindDataFolder(bin), "data");
  fs::remove(bin + "../share/lumivane/data");
  fs::create_directories(dir + "/prefix/share/lumivane/data");
  EXPECT_EQ(FindDataFolder(bin), bin + "../share/lumivane/data");
  fs::create_directories(bin + "data");
  EXPECT_EQ(FindDataFolder(bin), bin + "data");
  fs::create_directories("data");
  EXPECT_EQ(FindDataFolder(bin), "data");
}

TEST_F(DataFolderTest, OnlyALeadingDataPrefixIsMapped) {
  EXPECT_EQ(DataPath("data/sand.png"), "data/sand.png");
  SetDataFolder("/opt/demo/share/lumivane/data");
  EXPECT_EQ(DataPath("data/models/gear.tri"), "/opt/demo/share/lumivane/data/models/gear.tri");
  EXPECT_EQ(DataPath("database.png"), "database.png");
  EXPECT_EQ(DataPath("other/data/sand.png"), "other/data/sand.png");
  EXPECT_EQ(DataPath("/tmp/x.tri"), "/tmp/x.tri");
}

// The loaders open files in the found folder from any working directory, and
// their messages still name the program's own file names.
TEST_F(DataFolderTest, LoadersReadFromTheFolderAndKeepTheirFileNames) {
  const std::string data = dir + "/share/lumivane/data";
  fs::create_directories(data + "/models");
  ASSERT_TRUE(PngWriter::Write(data + "/sand.png", PngWriter::Rgb(2, 1, {1, 2, 3, 4, 5, 6})));
  const std::string tri = "0 0 0 1 0 0 0 1 0 0\n";
  ASSERT_TRUE(PngWriter::WriteBytes(data + "/models/gear.tri", std::vector<unsigned char>(tri.begin(), tri.end())));
  ASSERT_TRUE(SineOgg::Write(data + "/Drevko - Lumivane.ogg", 44100, 2, 0.1));
  ASSERT_EQ(chdir(dir.c_str()), 0);
  SetDataFolder(data);

  FakeAudioOut device;
  MusicPlayer music(&device);
  EXPECT_TRUE(music.Open("data/Drevko - Lumivane.ogg"));

  RecordingBoxes boxes;
  GLRecorder::Clear();
  TextureBank bank;
  bank.entries[Slot::sand]->Load();
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_EQ(GLRecorder::LastUpload().pixels, (std::vector<unsigned char>{1, 2, 3, 4, 5, 6}));
  bank.entries[Slot::ring]->Load();
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "Error while loading texture: data/ring.png");

  TriModel gear(1);
  gear.Read("data/models/gear.tri", 1);
  EXPECT_EQ(gear[0].vertices[1].x, 1.0f);
  EXPECT_EQ(gear[0].normal.z, 1.0f);
  TriModel ball(1);
  ball.Read("data/models/ball_hexagons.tri", 1);
  ASSERT_EQ(boxes.boxes.size(), 2u);
  EXPECT_EQ(boxes.boxes[1].text, "Error while loading model: data/models/ball_hexagons.tri");
}
