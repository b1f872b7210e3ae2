#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <string>

#include "services/TriModel.h"
#include "tests/support/PngBytes.h"
#include "tests/support/RecordingBoxes.h"
#include "tests/support/SineOgg.h"
#include "tests/support/TempFolder.h"

namespace {

// Two entries in plain layout: a unit right triangle in z = 0 and one in x = 2.
const char* const kTwo =
    "0 0 0 1 0 0 0 1 0 0\n"
    "2 0 0 2 1 0 2 0 1 1f\n";

class TriModelTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(dir.empty()); }

  std::string File(const std::string& text, const char* name = "model.tri") {
    const std::string path = dir + "/" + name;
    EXPECT_TRUE(PngWriter::WriteBytes(path, std::vector<unsigned char>(text.begin(), text.end())));
    return path;
  }

  static void ExpectVec(const Vec3& v, float x, float y, float z) {
    EXPECT_EQ(v.x, x);
    EXPECT_EQ(v.y, y);
    EXPECT_EQ(v.z, z);
  }

  static void ExpectSame(const TriModel& a, const TriModel& b) {
    ASSERT_EQ(a.Size(), b.Size());
    for (int i = 0; i < a.Size(); ++i) EXPECT_EQ(std::memcmp(&a[i], &b[i], sizeof(Triangle)), 0) << i;
  }

  static void ExpectZero(const Triangle& t) {
    const Triangle zero{};
    EXPECT_EQ(std::memcmp(&t, &zero, sizeof(Triangle)), 0);
  }

  TempFolder folder;
  const std::string dir = folder.path;
};

}  // namespace

TEST_F(TriModelTest, ReadsVerticesInFileOrderAndTheirNormals) {
  RecordingBoxes boxes;
  TriModel model(2);
  model.Read(File(kTwo).c_str(), 2);
  EXPECT_TRUE(boxes.boxes.empty());
  ExpectVec(model[0].vertices[0], 0, 0, 0);
  ExpectVec(model[0].vertices[1], 1, 0, 0);
  ExpectVec(model[0].vertices[2], 0, 1, 0);
  ExpectVec(model[0].normal, 0, 0, 1);  // counter-clockwise seen from +z
  ExpectVec(model[1].vertices[0], 2, 0, 0);
  ExpectVec(model[1].vertices[2], 2, 0, 1);
  ExpectVec(model[1].normal, 1, 0, 0);
}

TEST_F(TriModelTest, LayoutAndLineEndsDoNotMatter) {
  TriModel plain(2), crlf(2), spaced(2);
  plain.Read(File(kTwo, "a.tri").c_str(), 2);
  crlf.Read(File("0 0 0 1 0 0 0 1 0 0\r\n2 0 0 2 1 0 2 0 1 1f\r\n", "b.tri").c_str(), 2);
  spaced.Read(File("\t 0\t0 0\n\n1    0 0\r\n0 1\t\t0\n0\n\n  2 0 0 2 1 0\v2 0 1\f1f", "c.tri").c_str(), 2);
  ExpectSame(plain, crlf);
  ExpectSame(plain, spaced);
}

TEST_F(TriModelTest, DecimalsExponentsAndSigns) {
  TriModel model(1);
  model.Read(File("-1.5 +2.25 3e-2  .5 -0.125 1E3  7. 0.1 -0 a\n").c_str(), 1);
  ExpectVec(model[0].vertices[0], -1.5f, 2.25f, 0.03f);
  ExpectVec(model[0].vertices[1], 0.5f, -0.125f, 1000.0f);
  ExpectVec(model[0].vertices[2], 7.0f, 0.1f, -0.0f);
}

TEST_F(TriModelTest, EntriesBeyondTheCountAreNotRead) {
  RecordingBoxes boxes;
  TriModel model(3);
  // A third entry, then text that is no entry at all: neither is looked at.
  model.Read(File(std::string(kTwo) + "5 5 5 6 6 6 7 7 8 0\nnot a number\n").c_str(), 2);
  EXPECT_TRUE(boxes.boxes.empty());
  ExpectVec(model[1].vertices[0], 2, 0, 0);
  ExpectZero(model[2]);
}

TEST_F(TriModelTest, TheHexadecimalFieldHasNoEffect) {
  TriModel a(2), b(2);
  a.Read(File(kTwo, "a.tri").c_str(), 2);
  b.Read(File("0 0 0 1 0 0 0 1 0 DEADBEEF\n2 0 0 2 1 0 2 0 1 0x7fffFFFF\n", "b.tri").c_str(), 2);
  ExpectSame(a, b);
}

TEST_F(TriModelTest, DegenerateTriangleGetsAZeroNormal) {
  TriModel model(1);
  model.Read(File("0 0 0 1 1 1 2 2 2 0\n").c_str(), 1);
  ExpectVec(model[0].vertices[2], 2, 2, 2);
  ExpectVec(model[0].normal, 0, 0, 0);
  ExpectVec(FaceNormal({1, 2, 3}, {1, 2, 3}, {1, 2, 3}), 0, 0, 0);
}

TEST_F(TriModelTest, MissingFileIsReportedAndLeavesZeroedRecords) {
  RecordingBoxes boxes;
  TriModel model(2);
  model.Read(File(kTwo).c_str(), 2);  // records filled first: a failed read must clear them
  const std::string path = dir + "/nothing.tri";
  model.Read(path.c_str(), 2);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "Error while loading model: " + path);
  EXPECT_EQ(boxes.boxes[0].caption, "QuorixSys: error message");
  EXPECT_EQ(boxes.boxes[0].style, 0x30u);
  ExpectZero(model[0]);
  ExpectZero(model[1]);
}

TEST_F(TriModelTest, ShortFileIsReportedAndTheMissingRecordsAreZero) {
  RecordingBoxes boxes;
  TriModel model(3);
  model.Read(File(std::string(kTwo) + "1 2 3 4 5").c_str(), 3);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  ExpectVec(model[1].vertices[1], 2, 1, 0);
  ExpectZero(model[2]);
}

TEST_F(TriModelTest, EntryWithoutItsHexadecimalFieldIsReported) {
  RecordingBoxes boxes;
  TriModel model(1);
  model.Read(File("0 0 0 1 0 0 0 1 0\n").c_str(), 1);
  EXPECT_EQ(boxes.boxes.size(), 1u);
  ExpectZero(model[0]);
}

TEST_F(TriModelTest, GarbageAndEmptyFilesAreReported) {
  const char* const texts[] = {"", "hello world", "1 2 3 4 5 6 7 8 nine 0", "1,5 2 3 4 5 6 7 8 9 0",
                               "1 2 3 4 5 6 7 8 9 zz"};
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    RecordingBoxes boxes;
    TriModel model(1);
    model.Read(File(text).c_str(), 1);
    EXPECT_EQ(boxes.boxes.size(), 1u);
    ExpectZero(model[0]);
  }
}

TEST_F(TriModelTest, CountLargerThanTheArrayReadsOnlyTheArray) {
  RecordingBoxes boxes;
  TriModel model(1);
  model.Read(File(kTwo).c_str(), 5);
  EXPECT_TRUE(boxes.boxes.empty());
  ExpectVec(model[0].normal, 0, 0, 1);
}

TEST(FaceNormal, PointsWhereTheVerticesRunCounterClockwise) {
  const Vec3 n = FaceNormal({0, 0, 0}, {0, 1, 0}, {1, 0, 0});  // clockwise from +z
  EXPECT_EQ(n.x, 0.0f);
  EXPECT_EQ(n.y, 0.0f);
  EXPECT_EQ(n.z, -1.0f);
  const Vec3 m = FaceNormal({0, 0, 0}, {0, 0, 3}, {0, 5, 0});
  EXPECT_EQ(m.x, -1.0f);
}

TEST(FaceNormal, IsUnitLength) {
  const Vec3 n = FaceNormal({1, 2, 3}, {-4, 0.5f, 2}, {0.25f, -3, 7});
  EXPECT_NEAR(std::sqrt(double(n.x) * n.x + double(n.y) * n.y + double(n.z) * n.z), 1.0, 1e-6);
  const Vec3 tiny = FaceNormal({0, 0, 0}, {1e-20f, 0, 0}, {0, 1e-20f, 0});  // products underflow float
  EXPECT_EQ(tiny.x, 0.0f);
  EXPECT_FALSE(std::isnan(tiny.z));
}

// Values found by search: cross-product components rounded once from the
// exact products (as here) differ from products rounded to float one by one,
// and from a normal computed in double throughout.
TEST(FaceNormal, RoundsOnlyWhereSaid) {
  const Vec3 n = FaceNormal({-4.34f, 6.35f, 8.04f}, {-4.76f, -6.73f, 0.15f}, {-6.23f, -9.97f, -0.87f});
  EXPECT_EQ(n.x, -0.501742423f);
  EXPECT_EQ(n.y, 0.458551168f);  // float products give 0.458551079, double throughout 0.458551109
  EXPECT_EQ(n.z, -0.73347491f);
}

TEST_F(TriModelTest, CommaDecimalLocaleReadsTheSame) {
  const std::string path = File("-4.34 6.35 8.04 -4.76 -6.73 0.15 -6.23 -9.97 -0.87 0\n");
  TriModel before(1);
  before.Read(path.c_str(), 1);
  const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
  if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
  RecordingBoxes boxes;
  TriModel after(1);
  after.Read(path.c_str(), 1);
  const Vec3 n = FaceNormal({-4.34f, 6.35f, 8.04f}, {-4.76f, -6.73f, 0.15f}, {-6.23f, -9.97f, -0.87f});
  std::setlocale(LC_NUMERIC, previous.c_str());
  EXPECT_TRUE(boxes.boxes.empty());
  ExpectSame(before, after);
  EXPECT_EQ(after[0].vertices[0].x, -4.34f);
  EXPECT_EQ(n.y, 0.458551168f);
}
