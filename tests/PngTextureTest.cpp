#include <GL/gl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "services/PngTexture.h"
#include "tests/support/GLRecorder.h"
#include "tests/support/PngBytes.h"
#include "tests/support/SineOgg.h"
#include "tests/support/TempFolder.h"

namespace {

using Pixels = std::vector<unsigned char>;

class PngTexture : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(dir.empty());
    GLRecorder::Clear();
  }

  std::string Path(const char* name) const { return dir + "/" + name; }

  // Writes the image and loads it; the upload is then in GLRecorder::LastUpload().
  bool WriteAndLoad(const PngWriter::Image& image, PngImage* info = nullptr) {
    const std::string path = Path("image.png");
    EXPECT_TRUE(PngWriter::Write(path, image));
    GLRecorder::Clear();
    return LoadPngTexture(path.c_str(), info);
  }

  void ExpectUpload(int format, int width, int height, const Pixels& pixels) {
    const GLRecorder::Upload& up = GLRecorder::LastUpload();
    EXPECT_EQ(up.format, format);
    EXPECT_EQ(up.internalFormat, format);
    EXPECT_EQ(up.width, width);
    EXPECT_EQ(up.height, height);
    EXPECT_EQ(up.pixels, pixels);
  }

  void ExpectNoUpload() { EXPECT_EQ(GLRecorder::Count("glTexImage2D"), 0); }

  TempFolder folder;
  const std::string dir = folder.path;
};

}  // namespace

TEST_F(PngTexture, RgbUploadsTopRowFirstWithTightRows) {
  // 3 pixels of 3 bytes: 9-byte rows, which the default 4-byte unpack alignment would skew.
  const Pixels pixels = {255, 0, 0, 0, 255, 0, 0, 0, 255,  // top row: red, green, blue
                         10, 20, 30, 40, 50, 60, 70, 80, 90};
  PngImage info;
  ASSERT_TRUE(WriteAndLoad(PngWriter::Rgb(3, 2, pixels), &info));
  ExpectUpload(GL_RGB, 3, 2, pixels);
  EXPECT_EQ(info.width, 3u);
  EXPECT_EQ(info.height, 2u);
  EXPECT_EQ(info.channels, 3u);

  const int store = GLRecorder::Find("glPixelStorei");
  const int upload = GLRecorder::Find("glTexImage2D");
  ASSERT_GE(store, 0);
  ASSERT_LT(store, upload);
  EXPECT_EQ(GLRecorder::Calls()[store].args, (std::vector<double>{GL_UNPACK_ALIGNMENT, 1}));
  // Level 0 of the bound 2D texture, no border, bytes: no mipmaps are built.
  const std::vector<double>& a = GLRecorder::Calls()[upload].args;
  EXPECT_EQ(a[0], GL_TEXTURE_2D);
  EXPECT_EQ(a[1], 0);
  EXPECT_EQ(a[5], 0);
  EXPECT_EQ(a[7], GL_UNSIGNED_BYTE);
  EXPECT_EQ(GLRecorder::Count("glTexImage2D"), 1);
}

TEST_F(PngTexture, RgbaKeepsItsAlpha) {
  const Pixels pixels = {1, 2, 3, 0, 4, 5, 6, 128, 7, 8, 9, 255, 10, 11, 12, 64};
  PngImage info;
  ASSERT_TRUE(WriteAndLoad(PngWriter::Rgb(2, 2, pixels, true), &info));
  ExpectUpload(GL_RGBA, 2, 2, pixels);
  EXPECT_EQ(info.channels, 4u);
}

TEST_F(PngTexture, PaletteWithoutTransparencyBecomesRgb) {
  PngWriter::Image image;
  image.width = 3;
  image.height = 1;
  image.colorType = PNG_COLOR_TYPE_PALETTE;
  image.palette = {{200, 100, 50}, {0, 0, 0}, {1, 2, 3}};
  image.data = {2, 0, 1};
  ASSERT_TRUE(WriteAndLoad(image));
  ExpectUpload(GL_RGB, 3, 1, {1, 2, 3, 200, 100, 50, 0, 0, 0});
}

TEST_F(PngTexture, PaletteWithTransparencyBecomesRgba) {
  PngWriter::Image image;
  image.width = 3;
  image.height = 1;
  image.colorType = PNG_COLOR_TYPE_PALETTE;
  image.palette = {{200, 100, 50}, {0, 0, 0}, {1, 2, 3}};
  image.paletteAlpha = {0, 77};  // entry 2 has no alpha entry: opaque
  image.data = {2, 0, 1};
  ASSERT_TRUE(WriteAndLoad(image));
  ExpectUpload(GL_RGBA, 3, 1, {1, 2, 3, 255, 200, 100, 50, 0, 0, 0, 0, 77});
}

TEST_F(PngTexture, LowDepthPaletteIsUnpacked) {
  PngWriter::Image image;
  image.width = 5;  // 5 two-bit indices: a row of 2 bytes with padding bits
  image.height = 2;
  image.colorType = PNG_COLOR_TYPE_PALETTE;
  image.bitDepth = 2;
  image.palette = {{10, 10, 10}, {20, 20, 20}, {30, 30, 30}, {40, 40, 40}};
  image.data = {0x1B, 0x00,   // 0 1 2 3 | 0
                0xE4, 0xC0};  // 3 2 1 0 | 3
  ASSERT_TRUE(WriteAndLoad(image));
  Pixels expected;
  for (unsigned char v : {10, 20, 30, 40, 10, 40, 30, 20, 10, 40}) expected.insert(expected.end(), {v, v, v});
  ExpectUpload(GL_RGB, 5, 2, expected);
}

TEST_F(PngTexture, GreyBecomesRgb) {
  PngWriter::Image image;
  image.width = 2;
  image.height = 1;
  image.colorType = PNG_COLOR_TYPE_GRAY;
  image.data = {0, 200};
  ASSERT_TRUE(WriteAndLoad(image));
  ExpectUpload(GL_RGB, 2, 1, {0, 0, 0, 200, 200, 200});
}

TEST_F(PngTexture, OneBitGreyIsExpandedToFullRange) {
  PngWriter::Image image;
  image.width = 3;
  image.height = 1;
  image.colorType = PNG_COLOR_TYPE_GRAY;
  image.bitDepth = 1;
  image.data = {0xA0};  // 1 0 1
  ASSERT_TRUE(WriteAndLoad(image));
  ExpectUpload(GL_RGB, 3, 1, {255, 255, 255, 0, 0, 0, 255, 255, 255});
}

TEST_F(PngTexture, GreyWithTransparentKeyBecomesRgba) {
  PngWriter::Image image;
  image.width = 2;
  image.height = 1;
  image.colorType = PNG_COLOR_TYPE_GRAY;
  image.data = {9, 100};
  image.greyKey = true;
  image.greyKeyValue = 9;
  ASSERT_TRUE(WriteAndLoad(image));
  ExpectUpload(GL_RGBA, 2, 1, {9, 9, 9, 0, 100, 100, 100, 255});
}

TEST_F(PngTexture, GreyAlphaBecomesRgba) {
  PngWriter::Image image;
  image.width = 2;
  image.height = 1;
  image.colorType = PNG_COLOR_TYPE_GRAY_ALPHA;
  image.data = {50, 60, 70, 80};
  ASSERT_TRUE(WriteAndLoad(image));
  ExpectUpload(GL_RGBA, 2, 1, {50, 50, 50, 60, 70, 70, 70, 80});
}

TEST_F(PngTexture, SixteenBitKeepsTheHighByte) {
  PngWriter::Image image;
  image.width = 1;
  image.height = 2;
  image.colorType = PNG_COLOR_TYPE_RGB_ALPHA;
  image.bitDepth = 16;
  image.data = {0x12, 0xAB, 0x34, 0xCD, 0x56, 0xEF, 0xFF, 0xFF,   // top
                0x00, 0xFF, 0x80, 0x00, 0xFE, 0x01, 0x7F, 0x80};  // bottom
  ASSERT_TRUE(WriteAndLoad(image));
  ExpectUpload(GL_RGBA, 1, 2, {0x12, 0x34, 0x56, 0xFF, 0x00, 0x80, 0xFE, 0x7F});
}

TEST_F(PngTexture, SinglePixel) {
  ASSERT_TRUE(WriteAndLoad(PngWriter::Rgb(1, 1, {7, 8, 9})));
  ExpectUpload(GL_RGB, 1, 1, {7, 8, 9});
}

TEST_F(PngTexture, NonPowerOfTwoIsUploadedAsIs) {
  Pixels pixels;
  for (int i = 0; i < 5 * 3 * 3; ++i) pixels.push_back(static_cast<unsigned char>(i * 5));
  ASSERT_TRUE(WriteAndLoad(PngWriter::Rgb(5, 3, pixels)));
  ExpectUpload(GL_RGB, 5, 3, pixels);
}

TEST_F(PngTexture, InterlacedImageComesOutInRowOrder) {
  Pixels pixels;
  for (int i = 0; i < 9 * 9 * 4; ++i) pixels.push_back(static_cast<unsigned char>(i * 7 + 3));
  PngWriter::Image image = PngWriter::Rgb(9, 9, pixels, true);
  image.interlaced = true;
  ASSERT_TRUE(WriteAndLoad(image));
  ExpectUpload(GL_RGBA, 9, 9, pixels);
}

TEST_F(PngTexture, MissingFileFails) {
  EXPECT_FALSE(LoadPngTexture(Path("nothing.png").c_str(), nullptr));
  ExpectNoUpload();
}

TEST_F(PngTexture, EmptyFileFails) {
  ASSERT_TRUE(PngWriter::WriteBytes(Path("empty.png"), {}));
  EXPECT_FALSE(LoadPngTexture(Path("empty.png").c_str(), nullptr));
  ExpectNoUpload();
}

TEST_F(PngTexture, OtherFileFails) {
  const std::string text = "this is a text file, not a picture\n";
  ASSERT_TRUE(PngWriter::WriteBytes(Path("text.png"), Pixels(text.begin(), text.end())));
  EXPECT_FALSE(LoadPngTexture(Path("text.png").c_str(), nullptr));
  ExpectNoUpload();
}

TEST_F(PngTexture, TruncatedFileFailsWhereverItIsCut) {
  Pixels pixels;
  for (int i = 0; i < 16 * 16 * 3; ++i) pixels.push_back(static_cast<unsigned char>((i * 37) ^ (i >> 3)));
  ASSERT_TRUE(PngWriter::Write(Path("whole.png"), PngWriter::Rgb(16, 16, pixels)));
  const Pixels whole = PngWriter::ReadBytes(Path("whole.png"));
  ASSERT_GT(whole.size(), 60u);
  // Inside the signature, the header, the image data and just before the end chunk.
  for (std::size_t length : {std::size_t{4}, std::size_t{20}, whole.size() / 2, whole.size() - 13}) {
    SCOPED_TRACE(length);
    ASSERT_TRUE(PngWriter::WriteBytes(Path("cut.png"), Pixels(whole.begin(), whole.begin() + length)));
    GLRecorder::Clear();
    EXPECT_FALSE(LoadPngTexture(Path("cut.png").c_str(), nullptr));
    ExpectNoUpload();
  }
}

TEST_F(PngTexture, CorruptImageDataFails) {
  Pixels pixels(8 * 8 * 3, 90);
  ASSERT_TRUE(PngWriter::Write(Path("whole.png"), PngWriter::Rgb(8, 8, pixels)));
  Pixels bytes = PngWriter::ReadBytes(Path("whole.png"));
  bytes[bytes.size() - 20] ^= 0x55;  // inside the image data: its checksum no longer matches
  ASSERT_TRUE(PngWriter::WriteBytes(Path("bad.png"), bytes));
  EXPECT_FALSE(LoadPngTexture(Path("bad.png").c_str(), nullptr));
  ExpectNoUpload();
}

TEST_F(PngTexture, AbsurdSizesInTheHeaderFailWithoutCrash) {
  // 1000000 x 1000000 passes libpng's own limits: only our size check keeps
  // the loader from asking for terabytes.
  const std::pair<std::uint32_t, std::uint32_t> sizes[] = {
      {0x7FFFFFFFu, 0x7FFFFFFFu}, {1000000, 1000000}, {1000000, 1}, {1, 1000000}, {0, 5}};
  for (const auto& size : sizes) {
    SCOPED_TRACE(std::to_string(size.first) + "x" + std::to_string(size.second));
    ASSERT_TRUE(PngWriter::WriteBytes(Path("huge.png"), PngWriter::HeaderWithTinyData(size.first, size.second)));
    GLRecorder::Clear();
    EXPECT_FALSE(LoadPngTexture(Path("huge.png").c_str(), nullptr));
    ExpectNoUpload();
  }
}

TEST_F(PngTexture, ImageLargerThanTheDriverTakesFails) {
  const std::string path = Path("wide.png");
  ASSERT_TRUE(PngWriter::Write(path, PngWriter::Rgb(5, 1, Pixels(15, 1))));
  GLRecorder::Clear();
  GLRecorder::SetMaxTextureSize(4);
  EXPECT_FALSE(LoadPngTexture(path.c_str(), nullptr));
  ExpectNoUpload();
  GLRecorder::SetMaxTextureSize(5);
  EXPECT_TRUE(LoadPngTexture(path.c_str(), nullptr));
}

TEST_F(PngTexture, SidesAbove8192AreRefusedWhateverTheDriverTakes) {
  GLRecorder::SetMaxTextureSize(16384);
  ASSERT_TRUE(PngWriter::Write(Path("8192.png"), PngWriter::Rgb(8192, 1, Pixels(8192 * 3, 5))));
  ASSERT_TRUE(PngWriter::Write(Path("8193.png"), PngWriter::Rgb(1, 8193, Pixels(8193 * 3, 5))));
  EXPECT_TRUE(LoadPngTexture(Path("8192.png").c_str(), nullptr));
  GLRecorder::Clear();
  GLRecorder::SetMaxTextureSize(16384);
  EXPECT_FALSE(LoadPngTexture(Path("8193.png").c_str(), nullptr));
  ExpectNoUpload();
}

TEST_F(PngTexture, FailureLeavesTheInfoAlone) {
  PngImage info;
  info.width = 77;
  EXPECT_FALSE(LoadPngTexture(Path("nothing.png").c_str(), &info));
  EXPECT_EQ(info.width, 77u);
}
