#pragma once
// Wide texts (the game's own, Russian included) as UTF-8 for reports.

#include <string>

std::string Utf8(const std::wstring& in_text);
