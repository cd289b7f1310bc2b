#pragma once
#include <filesystem>

#include "Image.h"

// Writes the picture as an 8-bit RGBA TIFF with unassociated alpha, LZW
// compression without predictor, contiguous samples and no date or software
// tags, creating missing directories. Fully transparent pixels are stored as 0.
// Returns false when the file cannot be written.
bool WriteTiff(const std::filesystem::path& path, const Image& image);
