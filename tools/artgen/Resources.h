#pragma once
#include <filesystem>

// Writes icon 102 (64 x 64) and cursor 101 (32 x 32, hot spot 0, 0) as
// krambol.ico, krambol.cur and krambol.rc for Windows, ResourcesData.cpp that
// registers the same pixels with the platform layer elsewhere, and the icon
// once more as krambol.png for desktop menus.
bool WriteExecutableResources(const std::filesystem::path& dir);
