#include "Tiff.h"

#include <tiffio.h>

#include <algorithm>
#include <cstdint>
#include <vector>

bool WriteTiff(const std::filesystem::path& path, const Image& image) {
  std::error_code ec;
  std::filesystem::create_directories(path.parent_path(), ec);
  TIFF* tif = TIFFOpen(path.string().c_str(), "w");
  if (!tif) return false;
  const uint32_t width = image.Width(), height = image.Height();
  // Strips of roughly 256 KiB: small enough for every reader, large enough
  // that Deflate finds its matches and a reader makes few calls.
  const uint32_t rowsPerStrip = std::max<uint32_t>(1, 262144 / (width * 4));
  const uint16_t extra[] = {EXTRASAMPLE_UNASSALPHA};
  TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, width);
  TIFFSetField(tif, TIFFTAG_IMAGELENGTH, height);
  TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
  TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 4);
  TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, 1, extra);
  TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
  TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_ADOBE_DEFLATE);
  TIFFSetField(tif, TIFFTAG_ZIPQUALITY, 6);
  TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(tif, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
  TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, rowsPerStrip);
  std::vector<uint8_t> row(width * 4);
  bool ok = true;
  for (uint32_t y = 0; y < height && ok; ++y) {
    const uint32_t* src = image.Row(static_cast<int>(y));
    for (uint32_t x = 0; x < width; ++x) {
      const uint32_t p = src[x];
      const uint32_t a = p >> 24;
      uint8_t* d = &row[x * 4];
      if (a == 0) {
        d[0] = d[1] = d[2] = d[3] = 0;
        continue;
      }
      auto unpremultiply = [&](uint32_t c) {
        return static_cast<uint8_t>(std::min<uint32_t>(255, (c * 255 + a / 2) / a));
      };
      d[0] = unpremultiply((p >> 16) & 0xff);
      d[1] = unpremultiply((p >> 8) & 0xff);
      d[2] = unpremultiply(p & 0xff);
      d[3] = static_cast<uint8_t>(a);
    }
    ok = TIFFWriteScanline(tif, row.data(), y, 0) >= 0;
  }
  TIFFClose(tif);
  return ok;
}
