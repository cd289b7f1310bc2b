// TIFF images decode to the same premultiplied pixels as libtiff's general RGBA
// reader gives (with each channel held to the alpha), whatever path the layer
// takes to decode them: every layout and compression the game's art may use,
// and every image the art generator writes. Only for our own layer: the
// reference reader is libtiff.
#ifndef _WIN32

#include <tiffio.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "GdipTestSupport.h"

using GdipTiffDecode = GdipTest;

namespace {

// The reference: the general RGBA reader, premultiplied ARGB row by row.
std::vector<uint32_t> ReferencePixels(const std::filesystem::path& path, uint32_t& width, uint32_t& height) {
  std::vector<uint32_t> pixels;
  TIFF* tiff = TIFFOpen(path.c_str(), "r");
  if (tiff == nullptr) return pixels;
  TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
  TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
  pixels.resize(size_t(width) * height);
  if (TIFFReadRGBAImageOriented(tiff, width, height, pixels.data(), ORIENTATION_TOPLEFT, 1) != 1)
    pixels.clear();
  TIFFClose(tiff);
  for (uint32_t& value : pixels) {
    const uint32_t a = TIFFGetA(value);
    value = (a << 24) | (std::min<uint32_t>(TIFFGetR(value), a) << 16) |
            (std::min<uint32_t>(TIFFGetG(value), a) << 8) | std::min<uint32_t>(TIFFGetB(value), a);
  }
  return pixels;
}

// What the layer decodes, as premultiplied ARGB, in every rowStep-th row (the
// others stay 0): the image drawn 1:1 over opaque black shows the
// premultiplied colour exactly, and over transparent pixels its alpha.
std::vector<uint32_t> DecodedPixels(const std::filesystem::path& path, uint32_t width, uint32_t height,
                                    uint32_t rowStep) {
  std::vector<uint32_t> pixels;
  GpImage* image = nullptr;
  const std::string narrow = path.string();
  const std::wstring name(narrow.begin(), narrow.end());
  if (GdipLoadImageFromFile(name.c_str(), &image) != Ok) return pixels;
  TestBitmap onBlack{int(width), int(height)};
  TestBitmap onNothing{int(width), int(height)};
  EXPECT_EQ(Ok, GdipGraphicsClear(onBlack.Graphics(), 0xFF000000));
  EXPECT_EQ(Ok, GdipDrawImageI(onBlack.Graphics(), image, 0, 0));
  EXPECT_EQ(Ok, GdipDrawImageI(onNothing.Graphics(), image, 0, 0));
  GdipDisposeImage(image);
  pixels.resize(size_t(width) * height);
  for (uint32_t y = 0; y < height; y += rowStep) {
    for (uint32_t x = 0; x < width; ++x) {
      pixels[size_t(y) * width + x] =
          (onNothing.At(int(x), int(y)) & 0xFF000000u) | (onBlack.At(int(x), int(y)) & 0xFFFFFFu);
    }
  }
  return pixels;
}

// A 256 x 256 image holding every pair of a channel value (across) and an
// alpha (down), in the given layout.
void WriteEveryPair(const std::filesystem::path& path, int samples, uint16_t alphaKind, uint16_t compression,
                    uint32_t rowsPerStrip) {
  TIFF* tiff = TIFFOpen(path.c_str(), "w");
  ASSERT_NE(tiff, nullptr);
  TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, 256);
  TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, 256);
  TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
  TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, samples);
  if (samples == 4) TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, &alphaKind);
  TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
  TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(tiff, TIFFTAG_COMPRESSION, compression);
  TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, rowsPerStrip);
  std::vector<uint8_t> row(size_t(256) * samples);
  for (uint32_t alpha = 0; alpha < 256; ++alpha) {
    for (uint32_t value = 0; value < 256; ++value) {
      uint8_t* pixel = &row[size_t(value) * samples];
      pixel[0] = uint8_t(value);
      pixel[1] = uint8_t(255 - value);
      pixel[2] = uint8_t(value * 7);
      if (samples == 4) pixel[3] = uint8_t(alpha);
    }
    ASSERT_GE(TIFFWriteScanline(tiff, row.data(), alpha, 0), 0);
  }
  TIFFClose(tiff);
}

// Compares every rowStep-th row.
void ExpectSameAsReference(const std::filesystem::path& path, uint32_t rowStep = 1) {
  uint32_t width = 0, height = 0;
  const std::vector<uint32_t> expected = ReferencePixels(path, width, height);
  ASSERT_FALSE(expected.empty()) << path;
  const std::vector<uint32_t> actual = DecodedPixels(path, width, height, rowStep);
  ASSERT_EQ(actual.size(), expected.size()) << path;
  for (uint32_t y = 0; y < height; y += rowStep) {
    for (uint32_t x = 0; x < width; ++x)
      ASSERT_EQ(actual[size_t(y) * width + x], expected[size_t(y) * width + x])
          << path << " at " << x << "," << y;
  }
}

}  // namespace

TEST_F(GdipTiffDecode, EveryLayoutAndCompressionDecodesAsTheGeneralReader) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "krambol-tiff-decode";
  std::filesystem::create_directories(dir);
  int written = 0;
  for (uint16_t compression : {COMPRESSION_NONE, COMPRESSION_LZW, COMPRESSION_ADOBE_DEFLATE}) {
    // Strips of 7 rows leave a short last strip.
    for (uint32_t rowsPerStrip : {7u, 256u}) {
      const std::string tag = std::to_string(compression) + "-" + std::to_string(rowsPerStrip);
      WriteEveryPair(dir / ("rgb-" + tag + ".tif"), 3, 0, compression, rowsPerStrip);
      WriteEveryPair(dir / ("unassociated-" + tag + ".tif"), 4, EXTRASAMPLE_UNASSALPHA, compression,
                     rowsPerStrip);
      WriteEveryPair(dir / ("associated-" + tag + ".tif"), 4, EXTRASAMPLE_ASSOCALPHA, compression,
                     rowsPerStrip);
      written += 3;
    }
  }
  for (const auto& entry : std::filesystem::directory_iterator(dir)) ExpectSameAsReference(entry.path());
  EXPECT_EQ(written, 18);
  std::filesystem::remove_all(dir);
}

TEST_F(GdipTiffDecode, EveryGeneratedImageDecodesAsTheGeneralReader) {
  const char* res = std::getenv("KRAMBOL_RES_DIR");
  ASSERT_NE(res, nullptr) << "the tests run with KRAMBOL_RES_DIR set";
  int images = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(res)) {
    if (entry.path().extension() != ".tif") continue;
    // Rows 0, 5, 10 ...: some in every strip of every image.
    ExpectSameAsReference(entry.path(), 5);
    ++images;
  }
  EXPECT_EQ(images, 82);
}

#endif
