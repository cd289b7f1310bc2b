#pragma once
// Internal to the platform layer: the game's narrow texts (window titles,
// message boxes) are in the Cyrillic Windows code page 1251; displays want UTF-8.

#include <string>
#include <string_view>

// Every byte as its CP1251 character in UTF-8; the one unassigned byte (0x98) becomes U+FFFD.
std::string Utf8FromCp1251(std::string_view text);
