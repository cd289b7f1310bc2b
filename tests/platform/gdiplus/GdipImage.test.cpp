#include <array>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "GdipTestSupport.h"

#ifndef _WIN32
#include "platform/PlatformTest.h"
#endif

using GdipImage = GdipTest;

namespace {

const ARGB kRed = 0xFFFF0000;
const ARGB kBlue = 0xFF0000FF;

// A bitmap filled from a row-major list of colours.
GpBitmap* MakeBitmap(int width, int height, const std::vector<ARGB>& colors) {
  GpBitmap* bitmap = nullptr;
  EXPECT_EQ(Ok, GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppARGB, nullptr, &bitmap));
  for (int y = 0; y < height && bitmap != nullptr; ++y) {
    for (int x = 0; x < width; ++x)
      EXPECT_EQ(Ok, GdipBitmapSetPixel(bitmap, x, y, colors[size_t(y * width + x)]));
  }
  return bitmap;
}

void Put16(std::vector<unsigned char>& out, unsigned value) {
  out.push_back(static_cast<unsigned char>(value & 0xFF));
  out.push_back(static_cast<unsigned char>(value >> 8));
}

void Put32(std::vector<unsigned char>& out, unsigned value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

// An uncompressed little-endian TIFF, 8 bits per sample: RGB, or RGBA with
// unassociated alpha. Pixels are R, G, B[, A] bytes row by row.
std::vector<unsigned char> MakeTiff(int width, int height, int samples,
                                    const std::vector<unsigned char>& pixels) {
  const unsigned entries = samples == 4 ? 11 : 10;
  const unsigned ifdOffset = 8;
  const unsigned bitsOffset = ifdOffset + 2 + entries * 12 + 4;
  const unsigned dataOffset = bitsOffset + unsigned(samples) * 2;
  std::vector<unsigned char> out = {'I', 'I', 42, 0};
  Put32(out, ifdOffset);
  Put16(out, entries);
  auto entry = [&out](unsigned tag, unsigned type, unsigned count, unsigned value) {
    Put16(out, tag);
    Put16(out, type);
    Put32(out, count);
    if (type == 3 && count == 1) {
      Put16(out, value);
      Put16(out, 0);
    } else {
      Put32(out, value);
    }
  };
  entry(256, 3, 1, unsigned(width));
  entry(257, 3, 1, unsigned(height));
  entry(258, 3, unsigned(samples), bitsOffset);
  entry(259, 3, 1, 1);  // no compression
  entry(262, 3, 1, 2);  // RGB
  entry(273, 4, 1, dataOffset);
  entry(277, 3, 1, unsigned(samples));
  entry(278, 3, 1, unsigned(height));
  entry(279, 4, 1, unsigned(pixels.size()));
  entry(284, 3, 1, 1);                    // interleaved
  if (samples == 4) entry(338, 3, 1, 2);  // unassociated alpha
  Put32(out, 0);
  for (int i = 0; i < samples; ++i) Put16(out, 8);
  out.insert(out.end(), pixels.begin(), pixels.end());
  return out;
}

// A file in the temporary folder, removed with the holder.
class TempFile {
 public:
  TempFile(const std::string& name, const std::vector<unsigned char>& bytes)
      : path_(std::filesystem::temp_directory_path() / name) {
    FILE* file = std::fopen(path_.string().c_str(), "wb");
    EXPECT_NE(nullptr, file);
    if (file != nullptr) {
      if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), file);
      std::fclose(file);
    }
  }
  ~TempFile() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  std::wstring Path() const { return path_.wstring(); }

 private:
  std::filesystem::path path_;
};

}  // namespace

TEST_F(GdipImage, DrawingRejectsBadArguments) {
  TestBitmap canvas(4, 4);
  GpBitmap* image = MakeBitmap(1, 1, {kRed});
  EXPECT_EQ(InvalidParameter, GdipDrawImageI(nullptr, image, 0, 0));
  EXPECT_EQ(InvalidParameter, GdipDrawImageI(canvas.Graphics(), nullptr, 0, 0));
  EXPECT_EQ(InvalidParameter, GdipDrawImageRectRectI(canvas.Graphics(), nullptr, 0, 0, 1, 1, 0, 0, 1, 1,
                                                     UnitPixel, nullptr, nullptr, nullptr));
  EXPECT_NE(Ok, GdipDrawImageRectRectI(canvas.Graphics(), image, 0, 0, 1, 1, 0, 0, 1, 1,
                                       static_cast<GpUnit>(42), nullptr, nullptr, nullptr));
  EXPECT_EQ(0u, canvas.At(0, 0));
  GdipDisposeImage(image);
}

TEST_F(GdipImage, OneToOneDrawsAreExact) {
  std::vector<ARGB> colors = {0xFF102030, 0xFF405060, 0xFF708090, 0xFFA0B0C0,
                              0xFFFFFFFF, 0xFF000000, 0xFF123456, 0xFF654321};
  GpBitmap* image = MakeBitmap(4, 2, colors);
  TestBitmap canvas(10, 10);
  ASSERT_EQ(Ok, GdipDrawImageI(canvas.Graphics(), image, 3, 5));
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(colors[size_t(y * 4 + x)], canvas.At(3 + x, 5 + y)) << x << "," << y;
  }
  InkBox drawn = canvas.Ink(0, 0);
  EXPECT_EQ(3, drawn.left);
  EXPECT_EQ(5, drawn.top);
  EXPECT_EQ(4, drawn.Width());
  EXPECT_EQ(2, drawn.Height());

  // The same through the rectangle form at pixel size, over an opaque background.
  ASSERT_EQ(Ok, GdipGraphicsClear(canvas.Graphics(), 0xFFFFFFFF));
  ASSERT_EQ(Ok, GdipDrawImageRectRectI(canvas.Graphics(), image, 1, 1, 4, 2, 0, 0, 4, 2, UnitPixel, nullptr,
                                       nullptr, nullptr));
  EXPECT_EQ(colors[0], canvas.At(1, 1));
  EXPECT_EQ(colors[7], canvas.At(4, 2));
  EXPECT_EQ(0xFFFFFFFFu, canvas.At(5, 2));
  GdipDisposeImage(image);
}

TEST_F(GdipImage, OneToOneDrawsReachingPastTheTargetKeepTheirPlace) {
  std::vector<ARGB> colors = {0xFF102030, 0xFF405060, 0xFF708090, 0xFFA0B0C0,
                              0xFFFFFFFF, 0xFF000000, 0xFF123456, 0xFF654321};
  GpBitmap* image = MakeBitmap(4, 2, colors);
  TestBitmap canvas(10, 10);
  // Past the top-left corner: only the last row's last two pixels land.
  ASSERT_EQ(Ok, GdipDrawImageI(canvas.Graphics(), image, -2, -1));
  EXPECT_EQ(colors[6], canvas.At(0, 0));
  EXPECT_EQ(colors[7], canvas.At(1, 0));
  // Past the bottom-right corner: only the first row's first two pixels land.
  ASSERT_EQ(Ok, GdipDrawImageI(canvas.Graphics(), image, 8, 9));
  EXPECT_EQ(colors[0], canvas.At(8, 9));
  EXPECT_EQ(colors[1], canvas.At(9, 9));
  InkBox drawn = canvas.Ink(0, 0);
  EXPECT_EQ(0, drawn.left);
  EXPECT_EQ(0, drawn.top);
  EXPECT_EQ(10, drawn.right);
  EXPECT_EQ(10, drawn.bottom);
  int touched = 0;
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 10; ++x) touched += canvas.At(x, y) != 0;
  }
  EXPECT_EQ(4, touched);
  // Entirely outside: nothing changes.
  ASSERT_EQ(Ok, GdipDrawImageI(canvas.Graphics(), image, 10, 0));
  ASSERT_EQ(Ok, GdipDrawImageI(canvas.Graphics(), image, -4, 3));
  EXPECT_EQ(0u, canvas.At(9, 0));
  EXPECT_EQ(0u, canvas.At(0, 3));
  GdipDisposeImage(image);
}

// What the canvas shows after drawing image scaled onto a fixed, partly
// transparent background.
std::vector<ARGB> StretchedOnBackground(TestBitmap& canvas, GpBitmap* image, int x, int y, int width,
                                        int height) {
  std::vector<ARGB> pixels;
  for (int row = 0; row < 30; ++row) {
    for (int column = 0; column < 40; ++column) {
      const ARGB alpha = ARGB(0x40 + (column * 7 + row * 3) % 0xC0) << 24;
      EXPECT_EQ(Ok, GdipBitmapSetPixel(canvas.Bitmap(), column, row,
                                       alpha | ARGB(column * 6) << 8 | ARGB(row * 8)));
    }
  }
  EXPECT_EQ(Ok, GdipDrawImageRectRectI(canvas.Graphics(), image, x, y, width, height, 0, 0, 7, 5, UnitPixel,
                                       nullptr, nullptr, nullptr));
  for (int row = 0; row < 30; ++row) {
    for (int column = 0; column < 40; ++column) pixels.push_back(canvas.At(column, row));
  }
  return pixels;
}

TEST_F(GdipImage, RepeatedScaledDrawsGiveTheSamePixelsAndFollowTheImage) {
  std::vector<ARGB> colors;
  for (int i = 0; i < 35; ++i)
    colors.push_back(ARGB(0x30 + i * 6) << 24 | ARGB(i * 7) << 16 | ARGB(255 - i * 5));
  GpBitmap* image = MakeBitmap(7, 5, colors);
  TestBitmap canvas(40, 30);
  // Inside the canvas, and over all of it: the same picture every time.
  for (const auto& [x, y, width, height] :
       {std::array<int, 4>{3, 2, 29, 23}, std::array<int, 4>{0, 0, 40, 30}}) {
    const std::vector<ARGB> first = StretchedOnBackground(canvas, image, x, y, width, height);
    EXPECT_EQ(StretchedOnBackground(canvas, image, x, y, width, height), first);
    EXPECT_EQ(StretchedOnBackground(canvas, image, x, y, width, height), first);
  }

  // After a change to the image the draw shows the changed image, as a fresh
  // image with the same pixels gives it.
  const std::vector<ARGB> before = StretchedOnBackground(canvas, image, 3, 2, 29, 23);
  ASSERT_EQ(Ok, GdipBitmapSetPixel(image, 3, 2, 0xFF00FF00));
  const std::vector<ARGB> after = StretchedOnBackground(canvas, image, 3, 2, 29, 23);
  EXPECT_NE(after, before);
  colors[2 * 7 + 3] = 0xFF00FF00;
  GpBitmap* fresh = MakeBitmap(7, 5, colors);
  EXPECT_EQ(StretchedOnBackground(canvas, fresh, 3, 2, 29, 23), after);
  GdipDisposeImage(fresh);

  // Drawing into the image changes it as well.
  GpGraphics* onImage = nullptr;
  ASSERT_EQ(Ok, GdipGetImageGraphicsContext(image, &onImage));
  ASSERT_EQ(Ok, GdipGraphicsClear(onImage, 0xFFFF0000));
  GdipDeleteGraphics(onImage);
  const std::vector<ARGB> red = StretchedOnBackground(canvas, image, 3, 2, 29, 23);
  EXPECT_EQ(red[size_t(15 * 40 + 15)], 0xFFFF0000u);
  GdipDisposeImage(image);
}

// Every pixel of a canvas, row by row.
std::vector<ARGB> AllPixels(const TestBitmap& canvas, int width, int height) {
  std::vector<ARGB> pixels;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) pixels.push_back(canvas.At(x, y));
  }
  return pixels;
}

TEST_F(GdipImage, ClearsThenDrawsGiveTheSamePixelsWhetherReadInBetweenOrNot) {
  // An opaque picture from a file (as the game's tiles are) and a translucent one.
  std::vector<unsigned char> bytes;
  for (int i = 0; i < 6 * 4; ++i) {
    bytes.insert(bytes.end(), {static_cast<unsigned char>(i * 9), 0x40, static_cast<unsigned char>(255 - i * 9), 255});
  }
  TempFile file("krambol-opaque.tif", MakeTiff(6, 4, 4, bytes));
  GpImage* opaque = nullptr;
  ASSERT_EQ(Ok, GdipLoadImageFromFile(file.Path().c_str(), &opaque));
  std::vector<ARGB> colors;
  for (int i = 0; i < 12; ++i) colors.push_back(ARGB(0x20 + i * 16) << 24 | 0x00C08040u);
  GpBitmap* translucent = MakeBitmap(4, 3, colors);
  TestBrush brush(0x80FF0000);
  GpPen* pen = nullptr;
  ASSERT_EQ(Ok, GdipCreatePen1(0xC000FF00, 3.0f, UnitWorld, &pen));

  // Each list of steps runs on two fresh canvases, the first read right after
  // every clear; both must end the same.
  using TSteps = std::function<void(TestBitmap&, const std::function<void(ARGB)>&)>;
  const auto draw = [](TestBitmap& canvas, GpImage* image, int x, int y) {
    ASSERT_EQ(Ok, GdipDrawImageI(canvas.Graphics(), image, x, y));
  };
  const auto same = [](const TSteps& steps) {
    TestBitmap read(40, 30), unread(40, 30);
    steps(read, [&read](ARGB color) {
      ASSERT_EQ(Ok, GdipGraphicsClear(read.Graphics(), color));
      read.At(7, 7);
    });
    steps(unread, [&unread](ARGB color) { ASSERT_EQ(Ok, GdipGraphicsClear(unread.Graphics(), color)); });
    return AllPixels(unread, 40, 30) == AllPixels(read, 40, 30);
  };
  // Opaque pictures, partly outside, then a translucent fill over them.
  EXPECT_TRUE(same([&](TestBitmap& canvas, const std::function<void(ARGB)>& clear) {
    clear(0x80336699);
    draw(canvas, opaque, 5, 5);
    draw(canvas, opaque, -3, 27);
    draw(canvas, opaque, 36, -2);
    ASSERT_EQ(Ok, GdipFillRectangleI(canvas.Graphics(), brush.Get(), 2, 2, 10, 6));
    // Shapes touch only the pixels around them.
    ASSERT_EQ(Ok, GdipDrawEllipseI(canvas.Graphics(), pen, 4, 8, 12, 9));
    ASSERT_EQ(Ok, GdipFillEllipseI(canvas.Graphics(), brush.Get(), 30, 0, 8, 5));
    ASSERT_EQ(Ok, GdipDrawLineI(canvas.Graphics(), pen, 0, 29, 39, 12));
    ASSERT_EQ(Ok, GdipDrawRectangleI(canvas.Graphics(), pen, 6, 6, 4, 2));
    draw(canvas, opaque, 12, 12);
  }));
  // A translucent picture over an opaque one and over the clear.
  EXPECT_TRUE(same([&](TestBitmap& canvas, const std::function<void(ARGB)>& clear) {
    clear(0xFF102030);
    draw(canvas, opaque, 10, 10);
    draw(canvas, translucent, 12, 11);
    draw(canvas, translucent, 30, 20);
    draw(canvas, opaque, 0, 0);
  }));
  // A clear after a clear, the same picture twice, a scaled picture.
  EXPECT_TRUE(same([&](TestBitmap& canvas, const std::function<void(ARGB)>& clear) {
    clear(0xFF808080);
    draw(canvas, opaque, 1, 1);
    clear(0x00000000);
    draw(canvas, opaque, 20, 20);
    draw(canvas, opaque, 20, 20);
    ASSERT_EQ(Ok, GdipDrawImageRectRectI(canvas.Graphics(), opaque, 30, 5, 9, 9, 0, 0, 6, 4, UnitPixel, nullptr,
                                         nullptr, nullptr));
  }));
  TestBitmap shown(40, 30);
  ASSERT_EQ(Ok, GdipGraphicsClear(shown.Graphics(), 0x00000000));
  ASSERT_EQ(Ok, GdipDrawImageI(shown.Graphics(), opaque, 20, 20));
  EXPECT_EQ(shown.At(1, 1), 0u);
  EXPECT_EQ(shown.At(20, 20), 0xFF0040FFu);

  // A cleared canvas drawn onto another shows the clear.
  TestBitmap onto(40, 30);
  ASSERT_EQ(Ok, GdipGraphicsClear(shown.Graphics(), 0xFF00FF00));
  ASSERT_EQ(Ok, GdipDrawImageI(onto.Graphics(), shown.Bitmap(), 0, 0));
  EXPECT_EQ(onto.At(39, 29), 0xFF00FF00u);
  GdipDeletePen(pen);
  GdipDisposeImage(translucent);
  GdipDisposeImage(opaque);
}

TEST_F(GdipImage, SourceRectanglesPickFramesAndScale) {
  // Left half red, right half blue, 4 x 2.
  GpBitmap* image = MakeBitmap(4, 2, {kRed, kRed, kBlue, kBlue, kRed, kRed, kBlue, kBlue});
  TestBitmap canvas(20, 20);
  ASSERT_EQ(Ok, GdipDrawImageRectRectI(canvas.Graphics(), image, 0, 0, 2, 2, 2, 0, 2, 2, UnitPixel, nullptr,
                                       nullptr, nullptr));
  EXPECT_EQ(kBlue, canvas.At(0, 0));
  EXPECT_EQ(kBlue, canvas.At(1, 1));
  EXPECT_EQ(0u, canvas.At(2, 0));

  // Twice the size: each half stays its colour away from the seam.
  ASSERT_EQ(Ok, GdipGraphicsClear(canvas.Graphics(), 0));
  ASSERT_EQ(Ok, GdipDrawImageRectRectI(canvas.Graphics(), image, 4, 4, 8, 4, 0, 0, 4, 2, UnitPixel, nullptr,
                                       nullptr, nullptr));
  EXPECT_TRUE(CloseTo(kRed, canvas.At(5, 5), 8)) << std::hex << canvas.At(5, 5);
  EXPECT_TRUE(CloseTo(kBlue, canvas.At(10, 6), 8)) << std::hex << canvas.At(10, 6);
  EXPECT_EQ(0u, canvas.At(4, 12));
  EXPECT_EQ(0u, canvas.At(14, 5));
  InkBox scaled = canvas.Ink(0, 8);
  EXPECT_NEAR(8, scaled.Width(), 1);
  EXPECT_NEAR(4, scaled.Height(), 1);

  // A source rectangle reaching past the image never reads outside it.
  ASSERT_EQ(Ok, GdipGraphicsClear(canvas.Graphics(), 0));
  GdipDrawImageRectRectI(canvas.Graphics(), image, 0, 0, 6, 2, 2, 0, 6, 2, UnitPixel, nullptr, nullptr,
                         nullptr);
  EXPECT_EQ(kBlue, canvas.At(0, 0));
  EXPECT_EQ(kBlue, canvas.At(1, 1));
#ifndef _WIN32
  // This layer draws only the part inside the image, at the matching place.
  EXPECT_EQ(0u, canvas.At(3, 0));
#endif
  GdipDisposeImage(image);
}

// Stretched draws with the default modes: pixel centres on integer coordinates
// in the image and on the target, bilinear filtering. The first destination
// pixel takes the first source pixel's centre exactly, a shrink by two takes
// every other pixel rather than averaging, and the filter reads the image's
// pixels past the source rectangle.
TEST_F(GdipImage, StretchedDrawsPutPixelCentresOnIntegers) {
  const ARGB kBlack = 0xFF000000, kWhite = 0xFFFFFFFF, kGrey = 0xFF808080;
  GpBitmap* image = MakeBitmap(4, 1, {kBlack, kWhite, kBlack, kWhite});
  TestBitmap canvas(14, 1);
  auto row = [&canvas]() {
    std::vector<int> reds;
    for (int x = 0; x < 14; ++x) reds.push_back(Red(canvas.At(x, 0)));
    return reds;
  };
  auto matches = [](const std::vector<int>& got, const std::vector<int>& want) {
    for (size_t i = 0; i < want.size(); ++i) {
      if (std::abs(got[i] - want[i]) > 2) return false;
    }
    return true;
  };
  auto draw = [&](int dx, int dw, int sx, int sw) {
    ASSERT_EQ(Ok, GdipGraphicsClear(canvas.Graphics(), kGrey));
    ASSERT_EQ(Ok, GdipDrawImageRectRectI(canvas.Graphics(), image, dx, 0, dw, 1, sx, 0, sw, 1, UnitPixel,
                                         nullptr, nullptr, nullptr));
  };

  // Four times the size: black at the first pixel, white at the fifth, then
  // towards the black pixel that follows the source rectangle in the image.
  draw(1, 8, 0, 2);
  EXPECT_TRUE(matches(row(), {0x80, 0x00, 0x40, 0x80, 0xBF, 0xFF, 0xBF, 0x80, 0x40, 0x80}))
      << testing::PrintToString(row());

  // Half the size: pixels 0 and 2 of the image, both black; no grey seams.
  draw(0, 2, 0, 4);
  EXPECT_TRUE(matches(row(), {0x00, 0x00, 0x80})) << testing::PrintToString(row());

  // Three quarters: 0, 1.33 and 2.67 in the image.
  draw(0, 3, 0, 4);
  EXPECT_TRUE(matches(row(), {0x00, 0xAA, 0xAA, 0x80})) << testing::PrintToString(row());

  // Three times the size: the same spacing up to the last pixel's centre.
  draw(0, 12, 0, 4);
  const std::vector<int> enlarged = row();
  EXPECT_TRUE(matches({enlarged.begin(), enlarged.begin() + 10}, {0x00, 0x55, 0xAA, 0xFF, 0xAA, 0x55, 0x00, 0x55, 0xAA, 0xFF}))
      << testing::PrintToString(enlarged);
#ifndef _WIN32
  // Past it this layer repeats the edge pixel, where GDI+ fades towards
  // transparent; the picture stays opaque, so drawn over the last frame it
  // comes out the same every frame.
  EXPECT_TRUE(matches({enlarged.begin() + 10, enlarged.end()}, {0xFF, 0xFF, 0x80, 0x80}))
      << testing::PrintToString(enlarged);
  EXPECT_EQ(0xFFu, unsigned(Alpha(canvas.At(11, 0))));
#endif

  GdipDisposeImage(image);
}

TEST_F(GdipImage, LoadingRejectsMissingAndDamagedFiles) {
  GpImage* image = nullptr;
  EXPECT_EQ(InvalidParameter, GdipLoadImageFromFile(nullptr, &image));
  EXPECT_EQ(InvalidParameter, GdipLoadImageFromFile(L"x.tif", nullptr));

  std::wstring missing = (std::filesystem::temp_directory_path() / "gdip-no-such-image.tif").wstring();
  GpStatus status = GdipLoadImageFromFile(missing.c_str(), &image);
  EXPECT_NE(Ok, status);
#ifndef _WIN32
  EXPECT_EQ(FileNotFound, status);
#endif

  TempFile text("gdip-not-an-image.tif", {'h', 'e', 'l', 'l', 'o', '\n'});
  EXPECT_NE(Ok, GdipLoadImageFromFile(text.Path().c_str(), &image));
  TempFile empty("gdip-empty.tif", {});
  EXPECT_NE(Ok, GdipLoadImageFromFile(empty.Path().c_str(), &image));

  // A TIFF header pointing past the end, and one whose strip is cut short.
  TempFile header("gdip-header-only.tif", {'I', 'I', 42, 0, 0xFF, 0xFF, 0, 0});
  EXPECT_NE(Ok, GdipLoadImageFromFile(header.Path().c_str(), &image));
  std::vector<unsigned char> cut = MakeTiff(64, 64, 4, std::vector<unsigned char>(64 * 64 * 4, 0x7F));
  cut.resize(cut.size() / 2);
  TempFile truncated("gdip-truncated.tif", cut);
  EXPECT_NE(Ok, GdipLoadImageFromFile(truncated.Path().c_str(), &image));
  // A forged size far beyond any sensible bitmap.
  std::vector<unsigned char> huge = MakeTiff(1, 1, 3, {1, 2, 3});
  huge[8 + 2 + 8] = 0xFF, huge[8 + 2 + 9] = 0xFF;            // width 65535
  huge[8 + 2 + 12 + 8] = 0xFF, huge[8 + 2 + 12 + 9] = 0xFF;  // height 65535
  TempFile forged("gdip-forged.tif", huge);
  EXPECT_NE(Ok, GdipLoadImageFromFile(forged.Path().c_str(), &image));
}

TEST_F(GdipImage, LoadsTiffWithAndWithoutAlpha) {
  // 3 x 2 RGBA: red, green, half-transparent blue / white, transparent, black.
  TempFile rgba("gdip-rgba.tif", MakeTiff(3, 2, 4, {255, 0,   0,   255, 0, 255, 0, 255, 0, 0, 255, 128,  //
                                                    255, 255, 255, 255, 9, 9,   9, 0,   0, 0, 0,   255}));
  GpImage* image = nullptr;
  ASSERT_EQ(Ok, GdipLoadImageFromFile(rgba.Path().c_str(), &image));
  UINT width = 0, height = 0;
  EXPECT_EQ(Ok, GdipGetImageWidth(image, &width));
  EXPECT_EQ(Ok, GdipGetImageHeight(image, &height));
  EXPECT_EQ(3u, width);
  EXPECT_EQ(2u, height);
  auto* bitmap = static_cast<GpBitmap*>(image);
  ARGB color = 0;
  EXPECT_EQ(Ok, GdipBitmapGetPixel(bitmap, 0, 0, &color));
  EXPECT_EQ(0xFFFF0000u, color);
  EXPECT_EQ(Ok, GdipBitmapGetPixel(bitmap, 1, 0, &color));
  EXPECT_EQ(0xFF00FF00u, color);
  EXPECT_EQ(Ok, GdipBitmapGetPixel(bitmap, 2, 0, &color));
  EXPECT_TRUE(CloseTo(0x800000FF, color, 2)) << std::hex << color;
  EXPECT_EQ(Ok, GdipBitmapGetPixel(bitmap, 0, 1, &color));
  EXPECT_EQ(0xFFFFFFFFu, color);
  EXPECT_EQ(Ok, GdipBitmapGetPixel(bitmap, 1, 1, &color));
  EXPECT_EQ(0, Alpha(color));

  // Drawn at pixel size, the opaque pixels land exactly and the transparent one leaves the background.
  TestBitmap canvas(5, 4);
  ASSERT_EQ(Ok, GdipGraphicsClear(canvas.Graphics(), 0xFF808080));
  ASSERT_EQ(Ok, GdipDrawImageI(canvas.Graphics(), image, 1, 1));
  EXPECT_EQ(0xFFFF0000u, canvas.At(1, 1));
  EXPECT_EQ(0xFF808080u, canvas.At(2, 2));
  EXPECT_EQ(0xFF000000u, canvas.At(3, 2));
  EXPECT_EQ(Ok, GdipDisposeImage(image));

  TempFile rgb("gdip-rgb.tif", MakeTiff(2, 1, 3, {10, 20, 30, 200, 100, 50}));
  ASSERT_EQ(Ok, GdipLoadImageFromFile(rgb.Path().c_str(), &image));
  EXPECT_EQ(Ok, GdipBitmapGetPixel(static_cast<GpBitmap*>(image), 1, 0, &color));
  EXPECT_EQ(0xFFC86432u, color);
  EXPECT_EQ(Ok, GdipDisposeImage(image));
}

TEST_F(GdipImage, ReloadingAFileReadsWhatItHoldsNow) {
  // Loaded twice, the same file gives the same pixels; rewritten with others of
  // the same size, the next load shows the new ones, however soon it comes,
  // also while decoded pictures are kept for later loads.
#ifndef _WIN32
  PlatformTest::KeepDecodedImages(true);
#endif
  const std::vector<unsigned char> red = MakeTiff(2, 1, 3, {255, 0, 0, 255, 0, 0});
  const std::vector<unsigned char> blue = MakeTiff(2, 1, 3, {0, 0, 255, 0, 0, 255});
  ASSERT_EQ(red.size(), blue.size());
  ARGB color = 0;
  {
    TempFile file("gdip-reload.tif", red);
    for (int load = 0; load < 2; ++load) {
      GpImage* image = nullptr;
      ASSERT_EQ(Ok, GdipLoadImageFromFile(file.Path().c_str(), &image));
      EXPECT_EQ(Ok, GdipBitmapGetPixel(static_cast<GpBitmap*>(image), 1, 0, &color));
      EXPECT_EQ(kRed, color);
      // Drawing into one loaded image is not seen by the next load of the file.
      GpGraphics* graphics = nullptr;
      ASSERT_EQ(Ok, GdipGetImageGraphicsContext(image, &graphics));
      EXPECT_EQ(Ok, GdipGraphicsClear(graphics, kBlue));
      EXPECT_EQ(Ok, GdipDeleteGraphics(graphics));
      EXPECT_EQ(Ok, GdipDisposeImage(image));
    }
  }
  TempFile rewritten("gdip-reload.tif", blue);
  GpImage* image = nullptr;
  ASSERT_EQ(Ok, GdipLoadImageFromFile(rewritten.Path().c_str(), &image));
  EXPECT_EQ(Ok, GdipBitmapGetPixel(static_cast<GpBitmap*>(image), 0, 0, &color));
  EXPECT_EQ(kBlue, color);
  EXPECT_EQ(Ok, GdipDisposeImage(image));
  // A file that turned into something else is no image any more.
  TempFile broken("gdip-reload.tif", std::vector<unsigned char>(red.size(), 'x'));
  EXPECT_NE(Ok, GdipLoadImageFromFile(broken.Path().c_str(), &image));
#ifndef _WIN32
  PlatformTest::KeepDecodedImages(false);
#endif
}
