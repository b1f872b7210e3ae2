// The data folder as a whole: every file the demo opens, and nothing that
// changes from one run to the next.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "DataFolder.h"
#include "Meshes.h"
#include "Pictures.h"
#include "TestData.h"

namespace {

namespace fs = std::filesystem;

std::set<std::string> FilesUnder(const std::string& root) {
  std::set<std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    if (entry.is_regular_file()) files.insert(fs::relative(entry.path(), root).generic_string());
  return files;
}

std::string Bytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace

TEST(Folder, HoldsEveryFileTheDemoOpensAndNothingElse) {
  std::set<std::string> expected = {"load.png", "setup.png", "Drevko - Lumivane.ogg"};
  for (const PictureSpec& p : TexturePictures()) expected.insert(p.name + ".png");
  for (const char* m : {"flower_petal", "flower_stamen", "flower_stem", "ball_hexagons", "ball_pentagons", "gear"})
    expected.insert(std::string("models/") + m + ".tri");
  EXPECT_EQ(expected.size(), 64u + 3u + 6u);
  EXPECT_EQ(FilesUnder(GeneratedFolder("a")), expected);
}

TEST(Folder, TwoRunsWriteIdenticalBytes) {
  const std::string a = GeneratedFolder("a"), b = GeneratedFolder("b");
  const std::set<std::string> files = FilesUnder(a);
  ASSERT_EQ(files, FilesUnder(b));
  for (const std::string& f : files) EXPECT_TRUE(Bytes(a + "/" + f) == Bytes(b + "/" + f)) << f << " differs";
}

TEST(Folder, OnlyTheNamedAssetsAreWrittenOnRequest) {
  const std::string dir = std::string(DATAGEN_TEST_OUTPUT) + "/only";
  fs::remove_all(dir);
  std::ostringstream log;
  ASSERT_TRUE(GenerateDataFolder(dir, log, {"ring", "gear"})) << log.str();
  EXPECT_EQ(FilesUnder(dir), (std::set<std::string>{"ring.png", "models/gear.tri"}));
  EXPECT_EQ(Bytes(dir + "/ring.png"), Bytes(GeneratedFolder("a") + "/ring.png"));
}
