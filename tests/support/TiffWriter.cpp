#include "support/TiffWriter.h"

#include <fstream>

namespace {

void Put16(std::vector<uint8_t>& b, uint16_t v) {
  b.push_back(v & 0xff);
  b.push_back(v >> 8);
}

void Put32(std::vector<uint8_t>& b, uint32_t v) {
  Put16(b, v & 0xffff);
  Put16(b, v >> 16);
}

void Entry(std::vector<uint8_t>& b, uint16_t tag, uint16_t type, uint32_t count, uint32_t value) {
  Put16(b, tag);
  Put16(b, type);
  Put32(b, count);
  if (type == 3 && count == 1) {
    Put16(b, static_cast<uint16_t>(value));
    Put16(b, 0);
  } else {
    Put32(b, value);
  }
}

}  // namespace

bool WriteTestTiff(const std::filesystem::path& path, int width, int height, const std::vector<uint32_t>& argb) {
  const uint32_t pixelBytes = static_cast<uint32_t>(width) * height * 4;
  const uint16_t entries = 11;
  const uint32_t ifdOffset = 8;
  const uint32_t ifdSize = 2 + entries * 12 + 4;
  const uint32_t bitsOffset = ifdOffset + ifdSize;
  const uint32_t dataOffset = bitsOffset + 8;

  std::vector<uint8_t> b = {'I', 'I', 42, 0};
  Put32(b, ifdOffset);
  Put16(b, entries);
  Entry(b, 256, 4, 1, width);         // ImageWidth
  Entry(b, 257, 4, 1, height);        // ImageLength
  Entry(b, 258, 3, 4, bitsOffset);    // BitsPerSample 8,8,8,8
  Entry(b, 259, 3, 1, 1);             // no compression
  Entry(b, 262, 3, 1, 2);             // RGB
  Entry(b, 273, 4, 1, dataOffset);    // StripOffsets
  Entry(b, 277, 3, 1, 4);             // SamplesPerPixel
  Entry(b, 278, 4, 1, height);        // RowsPerStrip
  Entry(b, 279, 4, 1, pixelBytes);    // StripByteCounts
  Entry(b, 284, 3, 1, 1);             // contiguous planes
  Entry(b, 338, 3, 1, 2);             // ExtraSamples: unassociated alpha
  Put32(b, 0);
  for (int i = 0; i < 4; ++i) Put16(b, 8);
  for (uint32_t px : argb) {
    b.push_back((px >> 16) & 0xff);
    b.push_back((px >> 8) & 0xff);
    b.push_back(px & 0xff);
    b.push_back(px >> 24);
  }
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
  return static_cast<bool>(file);
}

bool WriteSolidTiff(const std::filesystem::path& path, int width, int height, uint32_t argb) {
  return WriteTestTiff(path, width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height, argb));
}
