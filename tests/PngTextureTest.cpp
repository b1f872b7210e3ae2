#include <GL/gl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
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
    ASSERT_FALSE(folder.path.empty());
    GLRecorder::Clear();
  }

  std::string Path(const char* name) const { return folder / name; }

  // Writes the image and loads it; the upload is then in GLRecorder::LastUpload().
  bool WriteAndLoad(const PngWriter::Image& image, PngImage* info = nullptr) {
    const std::string path = Path("image.png");
    EXPECT_TRUE(PngWriter::Write(path, image));
    GLRecorder::Clear();
    return LoadPngTexture(path.c_str(), info);
  }

  // The image loads and uploads as `format` at its own size with these pixels.
  void ExpectUpload(const PngWriter::Image& image, int format, const Pixels& pixels, PngImage* info = nullptr) {
    ASSERT_TRUE(WriteAndLoad(image, info));
    const GLRecorder::Upload& up = GLRecorder::LastUpload();
    EXPECT_EQ(up.format, format);
    EXPECT_EQ(up.internalFormat, format);
    EXPECT_EQ(up.width, static_cast<int>(image.width));
    EXPECT_EQ(up.height, static_cast<int>(image.height));
    EXPECT_EQ(up.pixels, pixels);
  }

  // A file of these bytes does not load, and nothing is uploaded.
  void ExpectRefused(const char* name, const Pixels& bytes) {
    ASSERT_TRUE(PngWriter::WriteBytes(Path(name), bytes));
    GLRecorder::Clear();
    EXPECT_FALSE(LoadPngTexture(Path(name).c_str(), nullptr));
    ExpectNoUpload();
  }

  void ExpectNoUpload() { EXPECT_EQ(GLRecorder::Count("glTexImage2D"), 0); }

  TempFolder folder;
};

// An image of `width` x `height` of one colour type, its rows packed as PNG
// stores them; a palette image gets `palette`.
PngWriter::Image Image(int colorType, unsigned width, unsigned height, Pixels data, int bitDepth = 8,
                       std::vector<png_color> palette = {}) {
  PngWriter::Image image;
  image.width = width;
  image.height = height;
  image.colorType = colorType;
  image.bitDepth = bitDepth;
  image.data = std::move(data);
  image.palette = std::move(palette);
  return image;
}

const std::vector<png_color> kThreeColours = {{200, 100, 50}, {0, 0, 0}, {1, 2, 3}};

}  // namespace

TEST_F(PngTexture, RgbUploadsTopRowFirstWithTightRows) {
  // 3 pixels of 3 bytes: 9-byte rows, which the default 4-byte unpack alignment would skew.
  const Pixels pixels = {255, 0, 0, 0, 255, 0, 0, 0, 255,  // top row: red, green, blue
                         10, 20, 30, 40, 50, 60, 70, 80, 90};
  PngImage info;
  ExpectUpload(PngWriter::Rgb(3, 2, pixels), GL_RGB, pixels, &info);
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
  ExpectUpload(PngWriter::Rgb(2, 2, pixels, true), GL_RGBA, pixels, &info);
  EXPECT_EQ(info.channels, 4u);
}

TEST_F(PngTexture, PaletteWithoutTransparencyBecomesRgb) {
  ExpectUpload(Image(PNG_COLOR_TYPE_PALETTE, 3, 1, {2, 0, 1}, 8, kThreeColours), GL_RGB,
               {1, 2, 3, 200, 100, 50, 0, 0, 0});
}

TEST_F(PngTexture, PaletteWithTransparencyBecomesRgba) {
  PngWriter::Image image = Image(PNG_COLOR_TYPE_PALETTE, 3, 1, {2, 0, 1}, 8, kThreeColours);
  image.paletteAlpha = {0, 77};  // entry 2 has no alpha entry: opaque
  ExpectUpload(image, GL_RGBA, {1, 2, 3, 255, 200, 100, 50, 0, 0, 0, 0, 77});
}

TEST_F(PngTexture, LowDepthPaletteIsUnpacked) {
  // 5 two-bit indices: a row of 2 bytes with padding bits.
  const Pixels rows = {0x1B, 0x00,   // 0 1 2 3 | 0
                       0xE4, 0xC0};  // 3 2 1 0 | 3
  Pixels expected;
  for (unsigned char v : {10, 20, 30, 40, 10, 40, 30, 20, 10, 40}) expected.insert(expected.end(), {v, v, v});
  ExpectUpload(Image(PNG_COLOR_TYPE_PALETTE, 5, 2, rows, 2, {{10, 10, 10}, {20, 20, 20}, {30, 30, 30}, {40, 40, 40}}),
               GL_RGB, expected);
}

TEST_F(PngTexture, GreyBecomesRgb) {
  ExpectUpload(Image(PNG_COLOR_TYPE_GRAY, 2, 1, {0, 200}), GL_RGB, {0, 0, 0, 200, 200, 200});
}

TEST_F(PngTexture, OneBitGreyIsExpandedToFullRange) {
  ExpectUpload(Image(PNG_COLOR_TYPE_GRAY, 3, 1, {0xA0}, 1),  // 1 0 1
               GL_RGB, {255, 255, 255, 0, 0, 0, 255, 255, 255});
}

TEST_F(PngTexture, GreyWithTransparentKeyBecomesRgba) {
  PngWriter::Image image = Image(PNG_COLOR_TYPE_GRAY, 2, 1, {9, 100});
  image.greyKey = true;
  image.greyKeyValue = 9;
  ExpectUpload(image, GL_RGBA, {9, 9, 9, 0, 100, 100, 100, 255});
}

TEST_F(PngTexture, GreyAlphaBecomesRgba) {
  ExpectUpload(Image(PNG_COLOR_TYPE_GRAY_ALPHA, 2, 1, {50, 60, 70, 80}), GL_RGBA, {50, 50, 50, 60, 70, 70, 70, 80});
}

TEST_F(PngTexture, SixteenBitKeepsTheHighByte) {
  const Pixels rows = {0x12, 0xAB, 0x34, 0xCD, 0x56, 0xEF, 0xFF, 0xFF,   // top
                       0x00, 0xFF, 0x80, 0x00, 0xFE, 0x01, 0x7F, 0x80};  // bottom
  ExpectUpload(Image(PNG_COLOR_TYPE_RGB_ALPHA, 1, 2, rows, 16), GL_RGBA,
               {0x12, 0x34, 0x56, 0xFF, 0x00, 0x80, 0xFE, 0x7F});
}

TEST_F(PngTexture, SinglePixel) { ExpectUpload(PngWriter::Rgb(1, 1, {7, 8, 9}), GL_RGB, {7, 8, 9}); }

TEST_F(PngTexture, NonPowerOfTwoIsUploadedAsIs) {
  Pixels pixels;
  for (int i = 0; i < 5 * 3 * 3; ++i) pixels.push_back(static_cast<unsigned char>(i * 5));
  ExpectUpload(PngWriter::Rgb(5, 3, pixels), GL_RGB, pixels);
}

TEST_F(PngTexture, InterlacedImageComesOutInRowOrder) {
  Pixels pixels;
  for (int i = 0; i < 9 * 9 * 4; ++i) pixels.push_back(static_cast<unsigned char>(i * 7 + 3));
  PngWriter::Image image = PngWriter::Rgb(9, 9, pixels, true);
  image.interlaced = true;
  ExpectUpload(image, GL_RGBA, pixels);
}

TEST_F(PngTexture, MissingFileFails) {
  EXPECT_FALSE(LoadPngTexture(Path("nothing.png").c_str(), nullptr));
  ExpectNoUpload();
}

TEST_F(PngTexture, EmptyFileFails) { ExpectRefused("empty.png", {}); }

TEST_F(PngTexture, OtherFileFails) {
  const std::string text = "this is a text file, not a picture\n";
  ExpectRefused("text.png", Pixels(text.begin(), text.end()));
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
    ExpectRefused("cut.png", Pixels(whole.begin(), whole.begin() + length));
  }
}

TEST_F(PngTexture, CorruptImageDataFails) {
  Pixels pixels(8 * 8 * 3, 90);
  ASSERT_TRUE(PngWriter::Write(Path("whole.png"), PngWriter::Rgb(8, 8, pixels)));
  Pixels bytes = PngWriter::ReadBytes(Path("whole.png"));
  bytes[bytes.size() - 20] ^= 0x55;  // inside the image data: its checksum no longer matches
  ExpectRefused("bad.png", bytes);
}

TEST_F(PngTexture, AbsurdSizesInTheHeaderFailWithoutCrash) {
  // 1000000 x 1000000 passes libpng's own limits: only our size check keeps
  // the loader from asking for terabytes.
  const std::pair<std::uint32_t, std::uint32_t> sizes[] = {
      {0x7FFFFFFFu, 0x7FFFFFFFu}, {1000000, 1000000}, {1000000, 1}, {1, 1000000}, {0, 5}};
  for (const auto& size : sizes) {
    SCOPED_TRACE(std::to_string(size.first) + "x" + std::to_string(size.second));
    ExpectRefused("huge.png", PngWriter::HeaderWithTinyData(size.first, size.second));
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
