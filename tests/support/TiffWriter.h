#pragma once
// Writes small uncompressed RGBA TIFF files for tests, by hand, so tests need no
// image library and build on every system.

#include <cstdint>
#include <filesystem>
#include <vector>

// Pixels are non-premultiplied ARGB, row by row. Returns false if the file
// cannot be written.
bool WriteTestTiff(const std::filesystem::path& path, int width, int height, const std::vector<uint32_t>& argb);

// A whole image of one colour.
bool WriteSolidTiff(const std::filesystem::path& path, int width, int height, uint32_t argb);
